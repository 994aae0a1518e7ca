// tessora: the program with its window.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "imagelib/librarymessages.h"
#include "ui/mainwindow.h"

namespace {

// Qt's own dialogs (file, colour, print, message box buttons) speak German like the rest.
void installGermanTranslations(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_de", "qt_de"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder)) {
            QApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Library chatter (libpng, libtiff, Qt warnings) stays off the terminal; the window says
    // what went wrong in German.
    tessora::RouteLibraryMessages();
    QApplication::setApplicationName(QStringLiteral("tessora"));
    // No display name: Qt would append it to every dialog caption ("Info — Tessora 1.0").
    QGuiApplication::setDesktopFileName(QStringLiteral("tessora"));
    installGermanTranslations(app);

    tessora::MainWindow window;
    window.show();
    // Work left behind by a window that did not close comes first.
    window.offerRecovery();
    // A picture or project named on the command line is opened as if double-clicked.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.openAnyFile(arguments.at(1));
    return QApplication::exec();
}
