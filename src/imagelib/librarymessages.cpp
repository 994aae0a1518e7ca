#include "imagelib/librarymessages.h"

#include <tiffio.h>
#include <QMutex>
#include <QtGlobal>

#include <cstdarg>
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

// libtiff's handlers are the library's own and global: the TIFF reader behind Qt's image
// plugin reports through them too, straight to stderr unless replaced.
void keepTiffMessage(const char* module, const char* format, va_list arguments) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    const QString message = module != nullptr
                                ? QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(module),
                                                               QString::fromLocal8Bit(text))
                                : QString::fromLocal8Bit(text);
    NoteLibraryMessage(message);
    if (alsoToStderr()) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

void RouteLibraryMessages() {
    const QMutexLocker locker(&g_lock);
    if (g_installed) return;
    g_previous = qInstallMessageHandler(keepMessage);
    TIFFSetErrorHandler(keepTiffMessage);
    TIFFSetWarningHandler(keepTiffMessage);
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
