// Page "Farben": the swatch grid, the conversion method and the colour selection list, and
// the colour settings files.

#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"
#include "ui/swatchgrid.h"

namespace tessora {
namespace {

const QString kColorFileFilter = QStringLiteral("Farbeinstellungen (*.frb)");

QLabel* makeHintStrip() {
    auto* strip =
        new QLabel(QStringLiteral("Wählen Sie die Perlen-Farben aus, die sie benutzen möchten"));
    QFont font = strip->font();
    font.setBold(true);
    strip->setFont(font);
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::ToolTipBase);
    strip->setForegroundRole(QPalette::ToolTipText);
    strip->setContentsMargins(4, 2, 4, 2);
    return strip;
}

QColor paletteColor(const LPAL& pal, int i) {
    return QColor(pal.rgb0[i].peRed, pal.rgb0[i].peGreen, pal.rgb0[i].peBlue);
}

std::optional<QColor> askColor(QWidget* owner, const QColor& preset) {
    const QColor chosen = QColorDialog::getColor(preset, owner, QStringLiteral("Farbe"));
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

}  // namespace

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
    PaintBox1->setMouseTracking(true);
    PaintBox1->onPaint = [this](QPainter& canvas, const QRect&) { PaintBox1Paint(canvas); };
    PaintBox1->onMouseDown = [this](QMouseEvent* event) {
        PaintBox1MouseDown(event->position().toPoint());
    };
    PaintBox1->onMouseMove = [this](QMouseEvent* event) {
        PaintBox1MouseMove(event->position().toPoint());
    };
    InfoLabel = new QLabel;
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    OpenColorBtn = new QPushButton(QStringLiteral("Farbeinstellungen öffnen..."));
    OpenColorBtn->setFixedSize(169, 25);
    SaveColorBtn = new QPushButton(QStringLiteral("Farbeinstellungen speichern..."));
    SaveColorBtn->setFixedSize(169, 25);
    connect(OpenColorBtn, &QPushButton::clicked, this, [this] { OpenColorBtnClick(); });
    connect(SaveColorBtn, &QPushButton::clicked, this, [this] { SaveColorBtnClick(); });
    coloursLayout->addWidget(makeHintStrip(), 0, 0, 1, 2);
    coloursLayout->addWidget(PaintBox1, 1, 0, 2, 1);
    coloursLayout->addWidget(OpenColorBtn, 1, 1, Qt::AlignTop);
    coloursLayout->addWidget(SaveColorBtn, 2, 1, Qt::AlignTop);
    coloursLayout->addWidget(InfoLabel, 3, 0, 1, 2);
    coloursLayout->setColumnStretch(0, 1);

    auto* method = new QGroupBox(QStringLiteral("Methode der Farbumrechnung"));
    auto* methodLayout = new QHBoxLayout(method);
    NearCheck = new QRadioButton(QStringLiteral("Am besten &passenste Farbe"));
    NearCheck->setObjectName(QStringLiteral("NearCheck"));
    NearCheck->setChecked(true);
    FSErrCheck = new QRadioButton(QStringLiteral("Dithering"));
    FSErrCheck->setObjectName(QStringLiteral("FSErrCheck"));
    methodLayout->addWidget(NearCheck);
    methodLayout->addWidget(FSErrCheck);
    methodLayout->addStretch(1);

    auto* selection = new QGroupBox(QStringLiteral("Welche Farben wollen Sie benutzen?"));
    auto* selectionLayout = new QVBoxLayout(selection);
    auto* buttons = new QHBoxLayout;
    BitBtnXP1 = new QPushButton(QStringLiteral("Nichts auswählen"));
    BitBtnXP1->setFixedSize(145, 25);
    BitBtnXP2 = new QPushButton(QStringLiteral("Alles auswählen"));
    BitBtnXP2->setFixedSize(145, 25);
    connect(BitBtnXP1, &QPushButton::clicked, this, [this] { BitBtnXP1Click(); });
    connect(BitBtnXP2, &QPushButton::clicked, this, [this] { BitBtnXP2Click(); });
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
    chooseColor = [this](const QColor& preset) { return askColor(this, preset); };
    return parts.page;
}

void TMainForm::PaintBox1Paint(QPainter& canvas) {
    const int columns = SwatchColumns(PaintBox1->width());
    for (int i = 0; i < pal.num && i < kBeadColorCount; ++i) {
        const QColor fill = paletteColor(pal, i);
        const QRect square = SwatchRect(i, columns);
        PaintSwatch(canvas, square, fill, Qt::black);
        PaintCellText(canvas, square.topLeft(), QString::fromLatin1(BeadNumbers[i]), 13, 13,
                      ContrastTextColor(fill));
    }
}

void TMainForm::PaintBox1MouseMove(QPoint point) {
    const int i =
        SwatchAt(point, SwatchColumns(PaintBox1->width()), std::min<int>(pal.num, kBeadColorCount));
    if (i < 0) return;  // a gap keeps the last description
    const PalEntry& e = pal.rgb0[i];
    InfoLabel->setText(QString::fromUtf8(BeadNames[i]) + QStringLiteral(" Hama-Farbnummer: ") +
                       QString::fromLatin1(BeadNumbers[i]) + QStringLiteral(" ; R: ") +
                       QString::number(e.peRed) + QStringLiteral(" G:") +
                       QString::number(e.peGreen) + QStringLiteral(" B:") +
                       QString::number(e.peBlue));
}

void TMainForm::PaintBox1MouseDown(QPoint point) {
    const int i =
        SwatchAt(point, SwatchColumns(PaintBox1->width()), std::min<int>(pal.num, kBeadColorCount));
    if (i < 0) return;
    const std::optional<QColor> chosen = chooseColor(paletteColor(pal, i));
    if (!chosen) return;
    pal.rgb0[i].peRed = static_cast<std::uint8_t>(chosen->red());
    pal.rgb0[i].peGreen = static_cast<std::uint8_t>(chosen->green());
    pal.rgb0[i].peBlue = static_cast<std::uint8_t>(chosen->blue());
    PaintBox1->repaint();
}

void TMainForm::BitBtnXP1Click() {
    for (int i = 0; i < CheckListBox1->count(); ++i)
        CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
}

void TMainForm::BitBtnXP2Click() {
    for (int i = 0; i < CheckListBox1->count(); ++i)
        CheckListBox1->item(i)->setCheckState(Qt::Checked);
}

void TMainForm::SaveColorBtnClick() {
    QFileDialog dialog(this, QStringLiteral("Farbeinstellungen speichern"), progpath,
                       kColorFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("frb"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveSettings(dialog.selectedFiles().constFirst());
    }
}

void TMainForm::OpenColorBtnClick() {
    QFileDialog dialog(this, QStringLiteral("Farbeinstellungen öffnen"), progpath,
                       kColorFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // names of files that do not exist are accepted
    dialog.setDefaultSuffix(QStringLiteral("frb"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        OpenSettings(dialog.selectedFiles().constFirst());
    }
}

void TMainForm::SaveSettings(const QString& fname) {
    // A file that cannot be written is passed over in silence, like the reading side.
    const std::array<bool, 64> ticks = SelectedColors();
    saveColorSettings(fname, ticks, pal);
}

void TMainForm::OpenSettings(const QString& fname) {
    std::array<bool, 64> ticks = SelectedColors();
    if (openColorSettings(fname, ticks, pal)) {
        for (int i = 0; i < CheckListBox1->count() && i < kBeadColorCount; ++i) {
            CheckListBox1->item(i)->setCheckState(ticks[i] ? Qt::Checked : Qt::Unchecked);
        }
    }
    PaintBox1->repaint();
}

}  // namespace tessora
