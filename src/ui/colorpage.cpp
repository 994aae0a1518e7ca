// Page "Farben": the swatch grid, the conversion method and the colour selection list.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"

namespace tessora {

QWidget* TMainForm::buildColorPage() {
    const PageParts parts = MakePage(
        QStringLiteral("Farben - stellen Sie ein, welche Perlen-Farben sie benutzen möchten"),
        QStringLiteral("Farben einstellen..."), 2);
    auto* layout = new QVBoxLayout(parts.body);

    auto* colours = new QGroupBox(QStringLiteral("Farben"));
    auto* coloursLayout = new QGridLayout(colours);
    PaintBox1 = new PaintBox;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setFixedSize(337, 81);
    InfoLabel = new QLabel;
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    OpenColorBtn = new QPushButton(QStringLiteral("Farbeinstellungen öffnen..."));
    SaveColorBtn = new QPushButton(QStringLiteral("Farbeinstellungen speichern..."));
    coloursLayout->addWidget(PaintBox1, 0, 0, 2, 1);
    coloursLayout->addWidget(OpenColorBtn, 0, 1);
    coloursLayout->addWidget(SaveColorBtn, 1, 1);
    coloursLayout->addWidget(InfoLabel, 2, 0, 1, 2);

    auto* method = new QGroupBox(QStringLiteral("Methode der Farbumrechnung"));
    auto* methodLayout = new QHBoxLayout(method);
    NearCheck = new QRadioButton(QStringLiteral("Am besten &passenste Farbe"));
    NearCheck->setObjectName(QStringLiteral("NearCheck"));
    NearCheck->setChecked(true);
    FSErrCheck = new QRadioButton(QStringLiteral("Dithering"));
    FSErrCheck->setObjectName(QStringLiteral("FSErrCheck"));
    methodLayout->addWidget(NearCheck);
    methodLayout->addWidget(FSErrCheck);

    auto* selection = new QGroupBox(QStringLiteral("Welche Farben wollen Sie benutzen?"));
    auto* selectionLayout = new QVBoxLayout(selection);
    auto* buttons = new QHBoxLayout;
    BitBtnXP1 = new QPushButton(QStringLiteral("Nichts auswählen"));
    BitBtnXP2 = new QPushButton(QStringLiteral("Alles auswählen"));
    buttons->addWidget(BitBtnXP1);
    buttons->addWidget(BitBtnXP2);
    buttons->addStretch(1);
    CheckListBox1 = new QListWidget;
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    selectionLayout->addLayout(buttons);
    selectionLayout->addWidget(CheckListBox1, 1);

    layout->addWidget(colours);
    layout->addWidget(method);
    layout->addWidget(selection, 1);
    return parts.page;
}

}  // namespace tessora
