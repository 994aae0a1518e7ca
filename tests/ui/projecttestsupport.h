#pragma once
// The edits the project and recovery tests make, shared with the helper program that is killed
// in the middle of its work.

#include "ui/calculatepage.h"
#include "ui/editview.h"
#include "viewtestsupport.h"

namespace tessora::test {

// A colourful 12 x 9 grid with two strokes on it.
inline void calculateAndEdit(MainWindow& window) {
    calculateGrid(window, 12, 9, true);
    window.calculatePage->editModeCheck->setChecked(true);
    EditView* view = window.calculatePage->editView;
    window.document.colornr = 5;
    view->onBeadPressed(QPoint(15, 25));
    view->onPointerMoved(QPoint(135, 25));
    view->onPointerReleased(QPoint(135, 25));
    window.document.colornr = 40;
    view->onBeadPressed(QPoint(45, 85));
    view->onPointerReleased(QPoint(45, 85));
}

}  // namespace tessora::test
