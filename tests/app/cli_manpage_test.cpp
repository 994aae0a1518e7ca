#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "app/cliargs.h"

// Every option that "tessora-cli --help" names has an entry of its own in the manual page.
TEST(CliManPage, HasAnEntryForEveryOptionOfTheHelp) {
    QFile page(QStringLiteral(TESSORA_TEST_DATA "/../../data/man/tessora-cli.1"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll()).replace(QStringLiteral("\\-"), "-");
    const QRegularExpression optionName(QStringLiteral("--[a-z][a-z-]*"));
    int options = 0;
    for (auto it = optionName.globalMatch(tessora::cliUsageText()); it.hasNext(); ++options) {
        const QString name = it.next().captured();
        const QRegularExpression entry(QStringLiteral("^\\.TP\\n\\.B[IR]? ") +
                                           QRegularExpression::escape(name) +
                                           QStringLiteral("(\\s|$)"),
                                       QRegularExpression::MultilineOption);
        EXPECT_TRUE(manual.contains(entry)) << name.toStdString();
    }
    EXPECT_GT(options, 20);
}
