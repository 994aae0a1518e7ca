// The bottom bar: the web button and the two picture buttons. A picture button is two pictures
// on top of each other, a normal and a pressed one; the handlers swap them while the mouse
// button is held over it.

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QUrl>

#include "ui/aboutbox.h"
#include "ui/artwork.h"
#include "ui/mainform.h"

namespace tessora {

namespace {

QLabel* makePicture(QWidget* parent, const QPixmap& pixmap, QPoint at, bool visible) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(at, QSize(101, 30)));
    picture->setVisible(visible);
    // The pictures only show; the hit area above them takes the mouse, so swapping which
    // picture is visible never breaks the mouse grab of a held button.
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

// The mouse area of one picture button. Positions it reports are relative to the pictures,
// which lie exactly under it.
class PictureButtonArea : public QWidget {
  public:
    std::function<void()> onDown, onUp, onClick;
    std::function<void(QPoint)> onMove;

    PictureButtonArea(QWidget* parent, QPoint at, const QString& hint) : QWidget(parent) {
        setGeometry(QRect(at, QSize(101, 30)));
        setCursor(Qt::PointingHandCursor);
        setToolTip(hint);
    }

  protected:
    void mousePressEvent(QMouseEvent*) override { onDown(); }
    void mouseMoveEvent(QMouseEvent* event) override { onMove(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click =
            event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        if (click) onClick();
        onUp();
    }
};

void showPressed(QLabel* normal, QLabel* pressed, bool down) {
    pressed->setVisible(down);
    normal->setVisible(!down);
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
    wwwBtn->setText(HomePageCaption());
    wwwBtn->setToolTip(QStringLiteral("Auf zur Kelvara Homepage..."));
    connect(wwwBtn, &QToolButton::clicked, this, [this] { wwwBtnClick(); });

    auto* pictures = new QWidget;
    pictures->setFixedSize(214, 41);
    ueberbtn =
        makePicture(pictures, ButtonPicture(PictureButton::About, false), QPoint(1, 4), true);
    ueberBtn2 =
        makePicture(pictures, ButtonPicture(PictureButton::About, true), QPoint(1, 4), false);
    EndeBtn =
        makePicture(pictures, ButtonPicture(PictureButton::Exit, false), QPoint(105, 4), true);
    EndeBtnDown =
        makePicture(pictures, ButtonPicture(PictureButton::Exit, true), QPoint(105, 4), false);

    auto* about = new PictureButtonArea(pictures, QPoint(1, 4),
                                        QStringLiteral("Informationen über das Programm"));
    about->setObjectName(QStringLiteral("ueberbtnArea"));
    about->onDown = [this] { ueberbtnMouseDown(); };
    about->onMove = [this](QPoint pos) { ueberbtnMouseMove(pos); };
    about->onUp = [this] { ueberbtnMouseUp(); };
    about->onClick = [this] { ueberbtnClick(); };
    auto* exit = new PictureButtonArea(pictures, QPoint(105, 4),
                                       QStringLiteral("Hiermit verlassen Sie das Programm"));
    exit->setObjectName(QStringLiteral("EndeBtnArea"));
    exit->onDown = [this] { EndeBtnMouseDown(); };
    exit->onMove = [this](QPoint pos) { EndeBtnMouseMove(pos); };
    exit->onUp = [this] { EndeBtnMouseUp(); };
    exit->onClick = [this] { EndeBtnClick(); };

    layout->addWidget(wwwBtn);
    layout->addStretch(1);
    layout->addWidget(pictures);
    return bar;
}

void TMainForm::wwwBtnClick() {
    QDesktopServices::openUrl(QUrl(HomePageAddress()));
}

void TMainForm::EndeBtnMouseDown() {
    showPressed(EndeBtn, EndeBtnDown, true);
    inEndeBtn = true;
}

void TMainForm::EndeBtnMouseMove(QPoint pos) {
    if (!inEndeBtn) return;
    const bool inside =
        pos.x() >= 0 && pos.x() < EndeBtn->width() && pos.y() >= 0 && pos.y() < EndeBtn->height();
    showPressed(EndeBtn, EndeBtnDown, inside);
}

void TMainForm::EndeBtnMouseUp() {
    showPressed(EndeBtn, EndeBtnDown, false);
    inEndeBtn = false;
}

void TMainForm::EndeBtnClick() {
    showPressed(EndeBtn, EndeBtnDown, false);
    inEndeBtn = false;
    close();
}

void TMainForm::ueberbtnMouseDown() {
    showPressed(ueberbtn, ueberBtn2, true);
    inUeberBtn = true;
}

void TMainForm::ueberbtnMouseMove(QPoint pos) {
    if (!inUeberBtn) return;
    const bool inside =
        pos.x() >= 0 && pos.x() < ueberbtn->width() && pos.y() >= 0 && pos.y() < ueberbtn->height();
    showPressed(ueberbtn, ueberBtn2, inside);
}

void TMainForm::ueberbtnMouseUp() {
    showPressed(ueberbtn, ueberBtn2, false);
    inUeberBtn = false;
}

void TMainForm::ueberbtnClick() {
    TAboutBox AboutBox(this);
    showPressed(ueberbtn, ueberBtn2, false);
    inUeberBtn = false;
    AboutBox.exec();
}

}  // namespace tessora
