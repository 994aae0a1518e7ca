#include "ui/artwork.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstring>

namespace tessora {
namespace {

// A pegboard motif: 1 marks a bead of the motif colour, 0 an empty peg.
constexpr const char* kHeart[] = {
    "0110110", "1111111", "1111111", "0111110", "0011100", "0001000",
};
constexpr const char* kStar[] = {
    "0001000", "0011100", "1111111", "0111110", "0110110", "1100011",
};
constexpr const char* kFlower[] = {
    "0110110", "1111111", "0112110", "1111111", "0110110", "0003000",
};

void drawBead(QPainter& p, QPointF centre, qreal radius, QColor colour) {
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour.darker(120));
    p.setBrush(shade);
    p.setPen(QPen(colour.darker(160), std::max<qreal>(1.0, radius / 6)));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(255, 255, 255, 200));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, radius / 3, radius / 3);
}

QPixmap drawMotif(const char* const* rows, int rowCount, QColor motif, QColor accent, int pitch) {
    const int columns = static_cast<int>(std::strlen(rows[0]));
    QPixmap pixmap(columns * pitch + pitch, rowCount * pitch + pitch);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(250, 250, 245));
    p.setPen(QPen(QColor(150, 150, 140), 1));
    p.drawRoundedRect(QRectF(1, 1, pixmap.width() - 2, pixmap.height() - 2), pitch / 2.0,
                      pitch / 2.0);
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QPointF centre(pitch + c * pitch, pitch + r * pitch);
            const char cell = rows[r][c];
            if (cell == '0') {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(205, 205, 195));
                p.drawEllipse(centre, pitch / 8.0, pitch / 8.0);
            } else {
                drawBead(p, centre, pitch * 0.42, cell == '1' ? motif : accent);
            }
        }
    }
    return pixmap;
}

}  // namespace

QColor HeaderStripColor() {
    return QColor(240, 202, 166);
}
QColor ColumnColor() {
    return QColor(192, 220, 192);
}

QIcon TabIcon(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor kColours[] = {QColor(30, 90, 170),  QColor(200, 120, 20),
                                      QColor(200, 40, 60),  QColor(40, 140, 60),
                                      QColor(120, 60, 160), QColor(90, 90, 90)};
    const QColor c = kColours[index % 6];
    switch (index) {
        case 0:  // folder
            p.setBrush(QColor(240, 200, 80));
            p.setPen(QColor(150, 110, 20));
            p.drawRect(1, 4, 14, 10);
            p.drawRect(1, 2, 6, 3);
            break;
        case 1:  // size arrows
            p.setPen(QPen(c, 2));
            p.drawLine(2, 8, 14, 8);
            p.drawLine(8, 2, 8, 14);
            break;
        case 2:  // colour dots
            for (int i = 0; i < 4; ++i)
                drawBead(p, QPointF(4 + (i % 2) * 8, 4 + (i / 2) * 8), 3.3,
                         QColor::fromHsv(i * 90, 200, 220));
            break;
        case 3:  // the result: a tiny chart
            p.setPen(QColor(60, 60, 60));
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 13, 13);
            for (int i = 1; i < 4; ++i) {
                p.drawLine(1 + i * 13 / 4, 1, 1 + i * 13 / 4, 14);
                p.drawLine(1, 1 + i * 13 / 4, 14, 1 + i * 13 / 4);
            }
            break;
        case 4:  // calculate: a gear-like bead ring
            for (int i = 0; i < 6; ++i) {
                const double a = i * M_PI / 3;
                drawBead(p, QPointF(8 + 5 * std::cos(a), 8 + 5 * std::sin(a)), 2.2, c);
            }
            break;
        default:  // statistics: bars
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawRect(2, 9, 3, 6);
            p.drawRect(7, 4, 3, 11);
            p.drawRect(12, 7, 3, 8);
            break;
    }
    return QIcon(pixmap);
}

QPixmap DecorPicture(int page) {
    switch (page % 3) {
        case 0:
            return drawMotif(kHeart, 6, QColor(200, 30, 50), QColor(240, 200, 30), 24);
        case 1:
            return drawMotif(kStar, 6, QColor(240, 190, 20), QColor(30, 90, 170), 24);
        default:
            return drawMotif(kFlower, 6, QColor(210, 90, 160), QColor(50, 140, 60), 24);
    }
}

QPixmap AboutPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(250, 245, 235));
    QPainter p(&pixmap);
    const QPixmap motif = drawMotif(kFlower, 6, QColor(210, 90, 160), QColor(240, 190, 20), 40);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(QPoint(0, 0), size), motif);
    return pixmap;
}

QPixmap WebGlyph() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 90, 170), 1.5));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.drawEllipse(QRectF(6.5, 2, 7, 16));
    p.drawLine(QPointF(2, 10), QPointF(18, 10));
    return pixmap;
}

QIcon ProgramIcon() {
    return QIcon(drawMotif(kHeart, 6, QColor(200, 30, 50), QColor(240, 200, 30), 8));
}

QPixmap ButtonPicture(PictureButton which, bool pressed) {
    QPixmap pixmap(101, 30);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = which == PictureButton::Exit ? QColor(190, 60, 50) : QColor(60, 110, 180);
    QLinearGradient fill(0, 0, 0, 30);
    fill.setColorAt(0, pressed ? base.darker(130) : base.lighter(140));
    fill.setColorAt(1, pressed ? base.lighter(110) : base.darker(110));
    p.setBrush(fill);
    p.setPen(QPen(base.darker(170), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 100, 29), 6, 6);
    const int shift = pressed ? 1 : 0;
    drawBead(p, QPointF(15 + shift, 15 + shift), 7,
             which == PictureButton::Exit ? QColor(240, 80, 60) : QColor(250, 210, 60));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(28 + shift, shift, 70, 30), Qt::AlignVCenter | Qt::AlignLeft,
               which == PictureButton::Exit ? QCoreApplication::translate("Artwork", "Beenden")
                                            : QCoreApplication::translate("Artwork", "Über..."));
    return pixmap;
}

}  // namespace tessora
