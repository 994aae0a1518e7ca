#pragma once
// The language of the window and of tessora-cli: German, the program's own, or English.

#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace tessora {

enum class Language { German, English };

// German for a locale name "de..."; also for "C", "POSIX" and none, which ask for the program's
// own texts. Every other language gets English.
Language languageOfLocaleName(const QString& localeName);

// The messages locale as POSIX chooses it: LC_ALL, then LC_MESSAGES, then LANG.
Language systemLanguage();

// "de" or "en"; nothing for any other value.
std::optional<Language> languageNamed(const QString& name);

// Takes "--lang X" or "--lang=X" out of `arguments` and returns X; nothing when absent. A
// "--lang" without a value gives an empty value.
std::optional<QString> takeLanguageOption(QStringList& arguments);

// Our translation and Qt's own for `language`, from the resources and Qt's translations folder; a
// missing Qt file is no failure. Also makes the language's locale the default, which chooses the
// bead colour names and number formats.
void installLanguage(QCoreApplication& app, Language language);

}  // namespace tessora
