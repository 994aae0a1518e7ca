// A window that edits a pattern and then waits for its autosave and for its end: the recovery
// test kills it with SIGKILL. Argument: the recovery folder.

#include <QApplication>
#include <cstdio>

#include "projecttestsupport.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    tessora::MainWindow window;
    window.setRecoveryFolder(QString::fromLocal8Bit(argv[1]));
    tessora::test::calculateAndEdit(window);
    std::puts("edited");
    std::fflush(stdout);
    return QApplication::exec();
}
