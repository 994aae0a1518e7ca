// tessora: the program with its window.

#include <QApplication>

#include "app/language.h"
#include "imagelib/librarymessages.h"
#include "ui/mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Library chatter (libpng, libtiff, Qt warnings) stays off the terminal; the window says
    // what went wrong in its own words.
    tessora::RouteLibraryMessages();
    QApplication::setApplicationName(QStringLiteral("tessora"));
    // No display name: Qt would append it to every dialog caption ("Info — Tessora 1.0").
    QGuiApplication::setDesktopFileName(QStringLiteral("tessora"));
    QStringList arguments = QApplication::arguments();
    const std::optional<QString> langOption = tessora::takeLanguageOption(arguments);
    const std::optional<tessora::Language> chosen =
        langOption ? tessora::languageNamed(*langOption) : std::nullopt;
    // An unknown --lang value leaves the choice to the system, as if it were not given.
    tessora::installLanguage(app, chosen.value_or(tessora::systemLanguage()));

    tessora::MainWindow window;
    window.show();
    // Work left behind by a window that did not close comes first.
    window.offerRecovery();
    // A picture or project named on the command line is opened as if double-clicked.
    if (arguments.size() > 1) window.openAnyFile(arguments.at(1));
    return QApplication::exec();
}
