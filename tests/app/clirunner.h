#pragma once
// Runs the built tessora-cli as a user would and keeps what it said.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tessora::test {

struct CliRun {
    int exitCode = -1;  // -1 when it crashed or did not finish
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList& arguments) {
    QProcess process;
    // Where Qt would note the missing runtime folder: a headless tool must not.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSORA_BINARY_DIR "/tessora-cli"), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace tessora::test
