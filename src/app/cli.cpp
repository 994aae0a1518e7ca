// tessora-cli: the pattern pipeline without a window.

#include <unistd.h>

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "app/cliargs.h"
#include "app/clirun.h"

int main(int argc, char* argv[]) {
    // Fonts for the chart need a GUI application, but never a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const tessora::CliParse parsed =
        tessora::parseCliArguments(QCoreApplication::arguments().mid(1));
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
