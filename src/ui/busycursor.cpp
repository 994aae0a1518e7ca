#include "ui/busycursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace tessora {

BusyCursor::BusyCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace tessora
