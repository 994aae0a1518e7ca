// tessora-cli: the pattern pipeline without a window.

#include <unistd.h>

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "app/cliargs.h"
#include "app/clirun.h"
#include "app/clitext.h"
#include "app/language.h"
#include "imagelib/librarymessages.h"
#include "imagelib/nativefilename.h"

namespace {

// The arguments byte for byte: a file name that is not UTF-8 still names its file.
QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << tessora::fileNameFromNative(QByteArray(argv[i]));
    return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Fonts for the chart need a GUI application, but never a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A headless tool prints its results and its own errors only, never Qt's start-up notes.
    tessora::RouteLibraryMessages();
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = argumentsOf(argc, argv);
    const std::optional<QString> langOption = tessora::takeLanguageOption(arguments);
    const std::optional<tessora::Language> chosen =
        langOption ? tessora::languageNamed(*langOption) : std::nullopt;
    tessora::installLanguage(app, chosen.value_or(tessora::systemLanguage()));
    if (langOption && !chosen) {
        err << "tessora-cli: "
            << tessora::CliText::tr("--lang braucht de oder en, nicht \"%1\"").arg(*langOption)
            << "\n\n"
            << tessora::cliUsageText();
        return tessora::kExitUsage;
    }
    const tessora::CliParse parsed = tessora::parseCliArguments(arguments);
    if (std::holds_alternative<tessora::CliHelp>(parsed)) {
        out << tessora::cliUsageText();
        return tessora::kExitOk;
    }
    if (const auto* usage = std::get_if<tessora::CliUsageError>(&parsed)) {
        err << "tessora-cli: " << usage->reason << "\n\n" << tessora::cliUsageText();
        return tessora::kExitUsage;
    }
    return tessora::runCli(std::get<tessora::CliOptions>(parsed), out, err,
                           isatty(STDERR_FILENO) != 0);
}
