#pragma once
// tessora-cli's run: the start-up document, the picture, the calculate command and the chart,
// with the same engine functions as the window.

#include <QTextStream>

#include "app/cliargs.h"

namespace tessora {

enum CliExit : int {
    kExitOk = 0,
    kExitFailure = 1,  // a file could not be read or written, memory ran out
    kExitUsage = 2,
};

// Writes the requested outputs to `out` and messages to `err`; `showProgress` draws a progress
// bar on `err`.
int runCli(const CliOptions& options, QTextStream& out, QTextStream& err, bool showProgress);

}  // namespace tessora
