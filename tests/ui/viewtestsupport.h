#pragma once
// Shared set-up of the edit and result view tests: a calculated bead grid of a chosen size and
// mouse events as the window system sends them.

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <vector>

#include "imagelib/imagelib.h"
#include "ui/calculatepage.h"
#include "ui/mainwindow.h"
#include "ui/sizepage.h"

namespace tessora::test {

// Calculates a `wide` x `high` grid with the aspect lock off. With `colourful` the picture
// shows catalogue colour (x + 2y) mod 64 at bead (x, y), otherwise it stays white.
inline void calculateGrid(MainWindow& window, int wide, int high, bool colourful = false) {
    if (colourful) {
        dib picture{};
        newdib(&picture, wide, high, 24, nullptr, 0);
        for (int y = 0; y < high; ++y) {
            for (int x = 0; x < wide; ++x) {
                const PalEntry& e = window.document.pal.rgb0[(x + 2 * y) % 64];
                setpixel(picture, x, y, e.peRed | e.peGreen << 8 | e.peBlue << 16);
            }
        }
        FreeDib(window.document.di);
        window.document.di = picture;
    }
    window.sizePage->keepAspectCheck->setChecked(false);
    window.sizePage->beadsWideSpin->setValue(wide);
    window.sizePage->beadsHighSpin->setValue(high);
    window.calculate();
}

inline QRgb catalogueRgb(const MainWindow& window, int i) {
    const PalEntry& e = window.document.pal.rgb0[i];
    return qRgb(e.peRed, e.peGreen, e.peBlue);
}

// Bead (column, row from the top) of an 8-bit grid.
inline std::uint8_t beadValue(const dib& grid, int column, int row) {
    return DibRow(grid, DibHeight(grid) - 1 - row)[column];
}

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void pressMoveRelease(QWidget* target, QPoint press, const std::vector<QPoint>& moves) {
    sendMouse(target, QEvent::MouseButtonPress, press, Qt::LeftButton);
    for (const QPoint& move : moves)
        sendMouse(target, QEvent::MouseMove, move, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, moves.empty() ? press : moves.back(),
              Qt::NoButton);
}

}  // namespace tessora::test
