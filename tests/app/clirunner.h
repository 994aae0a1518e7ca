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

// `environment` is the test's own with these changes: "NAME=value" sets, "NAME" removes.
inline CliRun runCli(const QStringList& arguments, const QStringList& environmentChanges = {}) {
    QProcess process;
    // Where Qt would note the missing runtime folder: a headless tool must not.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    for (const QString& change : environmentChanges) {
        const qsizetype equals = change.indexOf(u'=');
        if (equals < 0) {
            environment.remove(change);
        } else {
            environment.insert(change.left(equals), change.mid(equals + 1));
        }
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSORA_BINARY_DIR "/tessora-cli"), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace tessora::test
