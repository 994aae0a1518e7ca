#include "ui/bottombar.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QToolButton>
#include <QUrl>

#include "ui/aboutbox.h"
#include "ui/artwork.h"
#include "ui/imagebutton.h"

namespace tessora {

BottomBar::BottomBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("bottomBar"));
    setFixedHeight(41);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 0, 4);

    homePageButton = new QToolButton;
    homePageButton->setObjectName(QStringLiteral("homePageButton"));
    homePageButton->setAutoRaise(true);
    homePageButton->setFixedSize(137, 33);
    homePageButton->setIcon(QIcon(WebGlyph()));
    homePageButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    homePageButton->setText(HomePageCaption());
    homePageButton->setToolTip(tr("Auf zur Kelvara Homepage..."));
    connect(homePageButton, &QToolButton::clicked, this, &BottomBar::openHomePage);

    auto* pictures = new QWidget;
    pictures->setFixedSize(214, 41);
    aboutButton = new ImageButton(pictures, PictureButton::About, QPoint(1, 4),
                                  tr("Informationen über das Programm"));
    aboutButton->setObjectName(QStringLiteral("aboutButton"));
    exitButton = new ImageButton(pictures, PictureButton::Exit, QPoint(105, 4),
                                 tr("Hiermit verlassen Sie das Programm"));
    exitButton->setObjectName(QStringLiteral("exitButton"));
    connect(aboutButton, &ImageButton::clicked, this, &BottomBar::showAbout);
    connect(exitButton, &ImageButton::clicked, this, &BottomBar::exitRequested);

    layout->addWidget(homePageButton);
    layout->addStretch(1);
    layout->addWidget(pictures);
}

QToolButton* BottomBar::addCommand(QAction* action) {
    auto* layout = static_cast<QHBoxLayout*>(this->layout());
    auto* button = new QToolButton;
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    // After the web button and the commands added before.
    layout->insertWidget(layout->count() - 2, button);
    return button;
}

void BottomBar::openHomePage() {
    QDesktopServices::openUrl(QUrl(HomePageAddress()));
}

void BottomBar::showAbout() {
    AboutBox about(window());
    aboutButton->onReleased();
    about.exec();
}

}  // namespace tessora
