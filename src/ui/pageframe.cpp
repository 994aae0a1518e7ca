#include "ui/pageframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/artwork.h"

namespace tessora {
namespace {

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget* makeHeaderStrip(const QString& heading) {
    auto* strip = new QLabel(heading);
    strip->setObjectName(QStringLiteral("headerStrip"));
    strip->setFixedHeight(33);
    strip->setContentsMargins(8, 0, 8, 0);
    QFont font = strip->font();
    font.setBold(true);
    strip->setFont(font);
    paintBackground(strip, HeaderStripColor());
    return strip;
}

QWidget* makeLeftColumn(const QString& title, int decorPicture) {
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("leftColumn"));
    column->setFixedWidth(209);
    paintBackground(column, ColumnColor());
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(8, 12, 8, 8);
    layout->setSpacing(10);

    auto* titlePanel = new QLabel(title);
    titlePanel->setObjectName(QStringLiteral("columnTitle"));
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(19);
    font.setWeight(QFont::Black);
    titlePanel->setFont(font);
    titlePanel->setWordWrap(true);
    QPalette palette = titlePanel->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    titlePanel->setPalette(palette);

    auto* picture = new QLabel;
    picture->setPixmap(DecorPicture(decorPicture));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    layout->addWidget(titlePanel);
    layout->addWidget(picture);
    layout->addStretch(1);
    return column;
}

}  // namespace

QWidget* MakePageFrame(QWidget* page, const QString& heading, const QString& columnTitle,
                       int decorPicture) {
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(makeHeaderStrip(heading));

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    if (!columnTitle.isEmpty()) row->addWidget(makeLeftColumn(columnTitle, decorPicture));
    auto* body = new QWidget;
    row->addWidget(body, 1);
    outer->addLayout(row, 1);
    return body;
}

}  // namespace tessora
