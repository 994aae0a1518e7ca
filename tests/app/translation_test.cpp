#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <set>

#include "app/cliargs.h"
#include "app/clirun.h"
#include "app/language.h"
#include "clirunner.h"
#include "engine/beadrange.h"
#include "tempdir.h"

using tessora::Language;
using tessora::test::runCli;

namespace {

const QString kTsFile = QStringLiteral(TESSORA_TEST_DATA "/../../translations/tessora_en.ts");

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty for a finished one
};

std::vector<Message> readTs(const QString& fileName) {
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") context = xml.readElementText();
        if (xml.name() == u"message") messages.push_back({context, {}, {}, {}});
        if (xml.name() == u"source") messages.back().source = xml.readElementText();
        if (xml.name() == u"translation") {
            messages.back().type = xml.attributes().value(QStringLiteral("type")).toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

std::multiset<QString> placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("%L?(\\d+|n)"));
    std::multiset<QString> found;
    for (const auto& match : pattern.globalMatch(text))
        found.insert(match.captured());
    return found;
}

TEST(Translation, EveryTextHasAnEnglishTranslationWithTheSamePlaceholders) {
    const std::vector<Message> messages = readTs(kTsFile);
    ASSERT_GT(messages.size(), 200u);
    for (const Message& m : messages) {
        const std::string where = (m.context + u'|' + m.source).toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString() << ": " << where;
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << where;
        EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << where;
    }
}

TEST(Translation, TsFileHoldsExactlyTheTextsOfTheSources) {
    const QString lupdate = QStringLiteral(TESSORA_LUPDATE);
    if (!QFileInfo(lupdate).isExecutable()) GTEST_SKIP() << "lupdate is not installed";
    const tessora::test::TempDir dir;
    const QString fresh = dir.path(QStringLiteral("fresh_en.ts"));
    QProcess process;
    process.start(lupdate,
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(TESSORA_TEST_DATA "/../../src"), QStringLiteral("-ts"), fresh});
    ASSERT_TRUE(process.waitForFinished(120000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const auto keys = [](const std::vector<Message>& messages) {
        std::set<std::pair<QString, QString>> set;
        for (const Message& m : messages)
            if (m.type != u"vanished" && m.type != u"obsolete") set.insert({m.context, m.source});
        return set;
    };
    EXPECT_TRUE(keys(readTs(fresh)) == keys(readTs(kTsFile)))
        << "translations/tessora_en.ts is out of date: build the target update_translations";
}

TEST(Language, LocaleNameChoosesTheLanguage) {
    const struct {
        const char* locale;
        Language expected;
    } cases[] = {
        {"de_DE.UTF-8", Language::German},
        {"de_AT", Language::German},
        {"C.UTF-8", Language::German},
        {"POSIX", Language::German},
        {"", Language::German},
        {"en_US.UTF-8", Language::English},
        {"fr_FR.UTF-8", Language::English},
        {"dk_DK", Language::English},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tessora::languageOfLocaleName(QString::fromLatin1(c.locale)), c.expected)
            << c.locale;
    }
}

TEST(Language, LangOptionIsTakenOutOfTheArguments) {
    const struct {
        QStringList arguments;
        std::optional<QString> value;
        QStringList rest;
    } cases[] = {
        {{"bild.png", "--lang", "en", "--grid"}, "en", {"bild.png", "--grid"}},
        {{"--lang=de", "bild.png"}, "de", {"bild.png"}},
        {{"bild.png", "--lang"}, "", {"bild.png"}},
        {{"bild.png"}, std::nullopt, {"bild.png"}},
    };
    for (const auto& c : cases) {
        QStringList arguments = c.arguments;
        EXPECT_EQ(tessora::takeLanguageOption(arguments), c.value)
            << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(arguments, c.rest);
    }
}

TEST(Language, StandardRangeNamesFollowTheDefaultLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::string english = tessora::standardRange().colors.front().name;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string german = tessora::standardRange().colors.front().name;
    QLocale::setDefault(before);
    EXPECT_EQ(english, "White");
    EXPECT_EQ(german, "Weiß");
}

TEST(CliLanguage, HelpAndMessagesFollowLangAndLocale) {
    QFile golden(QStringLiteral(TESSORA_TEST_DATA "/cli-help-de.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QString germanHelp = QString::fromUtf8(golden.readAll());
    EXPECT_EQ(tessora::cliUsageText(), germanHelp);

    const QStringList english = {QStringLiteral("LC_ALL"), QStringLiteral("LC_MESSAGES"),
                                 QStringLiteral("LANG=en_US.UTF-8")};
    const QStringList german = {QStringLiteral("LC_ALL"), QStringLiteral("LC_MESSAGES"),
                                QStringLiteral("LANG=de_DE.UTF-8")};
    const struct {
        const char* name;
        QStringList arguments;
        QStringList environment;
        QString expectedStart;
    } cases[] = {
        {"--lang de", {"--lang", "de", "--help"}, english, germanHelp},
        {"German locale", {"--help"}, german, germanHelp},
        {"C locale", {"--help"}, {}, germanHelp},
        {"--lang en", {"--lang", "en", "--help"}, german, "Usage: tessora-cli PICTURE"},
        {"English locale", {"--help"}, english, "Usage: tessora-cli PICTURE"},
        {"English message", {"--bogus"}, english, ""},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.arguments, c.environment);
        if (c.expectedStart == germanHelp) {
            EXPECT_EQ(run.out, germanHelp) << c.name;
        } else if (!c.expectedStart.isEmpty()) {
            EXPECT_TRUE(run.out.startsWith(c.expectedStart)) << c.name;
            EXPECT_FALSE(run.out.contains(QStringLiteral("Perle"))) << c.name;
        } else {
            EXPECT_TRUE(run.err.startsWith(QStringLiteral("tessora-cli: Unknown option --bogus")))
                << c.name << ": " << run.err.toStdString();
        }
    }
    EXPECT_EQ(runCli({QStringLiteral("--lang"), QStringLiteral("xx")}).exitCode,
              tessora::kExitUsage);
}

}  // namespace
