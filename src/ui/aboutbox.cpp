#include "ui/aboutbox.h"

#include <QDate>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "ui/artwork.h"

namespace tessora {

QString HomePageAddress() {
    return QStringLiteral("https://tessora.example.org/");
}
QString HomePageCaption() {
    return QStringLiteral("tessora.example.org");
}

namespace {

QLabel* addText(QWidget* parent, const QString& text, QRect geometry, bool bold = false,
                bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* owner) : QDialog(owner) {
    setWindowTitle(tr("Info"));
    setFixedSize(664, 453);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 649, 385);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, HeaderStripColor());
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);

    auto* picture = new QLabel(panel);
    picture->setGeometry(12, 40, 306, 322);
    picture->setScaledContents(true);
    picture->setPixmap(AboutPicture(QSize(306, 322)));

    auto* heading = new QLabel(tr("Tessora 1.0 – Perlenmuster"), panel);
    QFont headingFont;
    headingFont.setFamilies({QStringLiteral("Arial Narrow"),
                             QStringLiteral("DejaVu Sans Condensed"),
                             QStringLiteral("DejaVu Sans")});
    headingFont.setPixelSize(24);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setGeometry(12, 6, 620, 30);

    const int left = 332;
    const int width = 305;
    notice = addText(panel, tr("Copyright © XXXX Kelvara. Alle Rechte vorbehalten."),
                     QRect(left, 44, width, 18));
    addText(panel, tr("Aus jedem Bild ein Bügelperlenmuster:\nPerle für Perle, Farbe für Farbe."),
            QRect(left, 70, width, 34));
    addText(panel, QStringLiteral("Kelvara"), QRect(left, 118, width, 18), true);
    addText(panel, tr("Programme für Bastler und Kreative"), QRect(left, 138, width, 18));
    addText(panel,
            tr("Kelvara entwickelt kleine, verlässliche Programme für Hobby und Handwerk. "
               "Tessora zählt Ihre Perlen, druckt Ihre Vorlagen und merkt sich Ihre Farben, "
               "damit Sie mehr Zeit zum Stecken und Bügeln haben. Anregungen und Fragen "
               "nehmen wir gern über unsere Homepage entgegen."),
            QRect(left, 164, width, 140), false, true);
    homePageButton = new QPushButton(HomePageCaption(), panel);
    homePageButton->setGeometry(left, 320, 169, 25);
    connect(homePageButton, &QPushButton::clicked, this, [this] { openHomePage(); });

    okButton = new QPushButton(tr("OK"), this);
    okButton->setGeometry((664 - 181) / 2, 402, 181, 37);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    fillInYear();
}

void AboutBox::fillInYear() {
    QString text = notice->text();
    const auto at = text.indexOf(QStringLiteral("XXXX"));
    if (at >= 0) text.replace(at, 4, QString::number(QDate::currentDate().year()));
    notice->setText(text);
}

void AboutBox::openHomePage() {
    QDesktopServices::openUrl(QUrl(HomePageAddress()));
}

}  // namespace tessora
