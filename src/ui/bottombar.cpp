// The bottom bar: the web button and the two picture buttons.

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "ui/artwork.h"
#include "ui/mainform.h"

namespace tessora {
namespace {

QLabel* makePicture(QWidget* parent, const QPixmap& pixmap, QPoint at, const QString& hint, bool visible) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(at, QSize(101, 30)));
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(hint);
    picture->setVisible(visible);
    return picture;
}

}  // namespace

QWidget* TMainForm::buildBottomBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("bottomBar"));
    bar->setFixedHeight(41);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 4, 0, 4);

    wwwBtn = new QToolButton;
    wwwBtn->setObjectName(QStringLiteral("wwwBtn"));
    wwwBtn->setAutoRaise(true);
    wwwBtn->setFixedSize(137, 33);
    wwwBtn->setIcon(QIcon(WebGlyph()));
    wwwBtn->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    wwwBtn->setText(QStringLiteral("tessora.example.org"));
    wwwBtn->setToolTip(QStringLiteral("Auf zur Kelvara Homepage..."));

    auto* pictures = new QWidget;
    pictures->setFixedSize(214, 41);
    const QString aboutHint = QStringLiteral("Informationen über das Programm");
    const QString exitHint = QStringLiteral("Hiermit verlassen Sie das Programm");
    ueberbtn = makePicture(pictures, ButtonPicture(PictureButton::About, false), QPoint(1, 4), aboutHint, true);
    ueberBtn2 = makePicture(pictures, ButtonPicture(PictureButton::About, true), QPoint(1, 4), aboutHint, false);
    EndeBtn = makePicture(pictures, ButtonPicture(PictureButton::Exit, false), QPoint(105, 4), exitHint, true);
    EndeBtnDown = makePicture(pictures, ButtonPicture(PictureButton::Exit, true), QPoint(105, 4), exitHint, false);

    layout->addWidget(wwwBtn);
    layout->addStretch(1);
    layout->addWidget(pictures);
    return bar;
}

}  // namespace tessora
