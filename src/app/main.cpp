#include <QApplication>

#include "ui/mainform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessora 1.0"));
    tessora::TMainForm MainForm;
    MainForm.show();
    return QApplication::exec();
}
