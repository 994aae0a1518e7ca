#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tessora {
namespace {

const QString kLangOption = QStringLiteral("--lang");

void installTranslator(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(name, folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

// Qt's own dialogs (file, colour, print, message box buttons) speak the same language.
void installQtTranslations(QCoreApplication& app, const QString& suffix) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString& name : {QStringLiteral("qtbase_"), QStringLiteral("qt_")})
        installTranslator(app, name + suffix, folder);
}

}  // namespace

Language languageOfLocaleName(const QString& localeName) {
    if (localeName.isEmpty() || localeName.startsWith(QLatin1String("de")) ||
        localeName == QLatin1String("POSIX") || localeName == QLatin1String("C") ||
        localeName.startsWith(QLatin1String("C."))) {
        return Language::German;
    }
    return Language::English;
}

Language systemLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) return languageOfLocaleName(value);
    }
    return Language::German;
}

std::optional<Language> languageNamed(const QString& name) {
    if (name == QLatin1String("de")) return Language::German;
    if (name == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

std::optional<QString> takeLanguageOption(QStringList& arguments) {
    std::optional<QString> value;
    for (int i = 0; i < arguments.size();) {
        const QString& argument = arguments[i];
        if (argument.startsWith(kLangOption + u'=')) {
            value = argument.mid(kLangOption.size() + 1);
            arguments.removeAt(i);
        } else if (argument == kLangOption) {
            value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
            arguments.remove(i, i + 1 < arguments.size() ? 2 : 1);
        } else {
            ++i;
        }
    }
    return value;
}

void installLanguage(QCoreApplication& app, Language language) {
    if (language == Language::German) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        installQtTranslations(app, QStringLiteral("de"));
        return;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    installQtTranslations(app, QStringLiteral("en"));
    installTranslator(app, QStringLiteral(":/i18n/tessora_en.qm"), QString());
}

}  // namespace tessora
