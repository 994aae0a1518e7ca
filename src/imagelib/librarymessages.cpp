#include "imagelib/librarymessages.h"

#include <QMutex>
#include <QtGlobal>
#include <cstdio>

namespace tessora {
namespace {

QMutex g_lock;
QString g_last;
QtMessageHandler g_previous = nullptr;
bool g_installed = false;

bool alsoToStderr() {
    static const bool verbose = qEnvironmentVariableIntValue("TESSORA_LIBRARY_MESSAGES") != 0;
    return verbose;
}

void keepMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    NoteLibraryMessage(text);
    if (type == QtFatalMsg || alsoToStderr()) {
        if (g_previous != nullptr) {
            g_previous(type, context, text);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        }
    }
}

}  // namespace

void RouteLibraryMessages() {
    const QMutexLocker locker(&g_lock);
    if (g_installed) return;
    g_previous = qInstallMessageHandler(keepMessage);
    g_installed = true;
}

QString TakeLibraryMessage() {
    const QMutexLocker locker(&g_lock);
    QString last;
    last.swap(g_last);
    return last;
}

void NoteLibraryMessage(const QString& text) {
    const QMutexLocker locker(&g_lock);
    g_last = text;
}

}  // namespace tessora
