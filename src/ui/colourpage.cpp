#include "ui/colourpage.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
#include "ui/filedialogfolders.h"
#include "ui/pageframe.h"
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

}  // namespace

ColourPage::ColourPage(Document& document, QWidget* parent) : QWidget(parent), document_(document) {
    QWidget* body = MakePageFrame(
        this, QStringLiteral("Farben - stellen Sie ein, welche Perlen-Farben sie benutzen möchten"),
        QStringLiteral("Farben einstellen..."), 2);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(buildColourGroup());
    layout->addWidget(buildMethodGroup());
    layout->addWidget(buildSelectionGroup(), 1);
    fillColourList();
    openSettingsFolder_ = saveSettingsFolder_ = DialogStartFolder(document_.progpath);
}

QWidget* ColourPage::buildColourGroup() {
    auto* colours = new QGroupBox(QStringLiteral("Farben"));
    auto* coloursLayout = new QGridLayout(colours);
    swatchGrid = new SwatchGrid(document_.pal);
    connect(swatchGrid, &SwatchGrid::swatchHovered, this, &ColourPage::showSwatchInfo);
    swatchInfoLabel = new QLabel;
    swatchInfoLabel->setObjectName(QStringLiteral("swatchInfoLabel"));
    openSettingsButton = new QPushButton(QStringLiteral("Farbeinstellungen öffnen..."));
    openSettingsButton->setFixedSize(169, 25);
    saveSettingsButton = new QPushButton(QStringLiteral("Farbeinstellungen speichern..."));
    saveSettingsButton->setFixedSize(169, 25);
    connect(openSettingsButton, &QPushButton::clicked, this, &ColourPage::onOpenSettingsClicked);
    connect(saveSettingsButton, &QPushButton::clicked, this, &ColourPage::onSaveSettingsClicked);
    coloursLayout->addWidget(makeHintStrip(), 0, 0, 1, 2);
    coloursLayout->addWidget(swatchGrid, 1, 0, 2, 1);
    coloursLayout->addWidget(openSettingsButton, 1, 1, Qt::AlignTop);
    coloursLayout->addWidget(saveSettingsButton, 2, 1, Qt::AlignTop);
    coloursLayout->addWidget(swatchInfoLabel, 3, 0, 1, 2);
    coloursLayout->setColumnStretch(0, 1);
    return colours;
}

QWidget* ColourPage::buildMethodGroup() {
    auto* method = new QGroupBox(QStringLiteral("Methode der Farbumrechnung"));
    auto* methodLayout = new QHBoxLayout(method);
    nearestColourRadio = new QRadioButton(QStringLiteral("Am besten &passenste Farbe"));
    nearestColourRadio->setObjectName(QStringLiteral("nearestColourRadio"));
    nearestColourRadio->setChecked(true);
    ditheringRadio = new QRadioButton(QStringLiteral("Dithering"));
    ditheringRadio->setObjectName(QStringLiteral("ditheringRadio"));
    methodLayout->addWidget(nearestColourRadio);
    methodLayout->addWidget(ditheringRadio);
    methodLayout->addStretch(1);
    return method;
}

QWidget* ColourPage::buildSelectionGroup() {
    auto* selection = new QGroupBox(QStringLiteral("Welche Farben wollen Sie benutzen?"));
    auto* selectionLayout = new QVBoxLayout(selection);
    auto* buttons = new QHBoxLayout;
    selectNoneButton = new QPushButton(QStringLiteral("Nichts auswählen"));
    selectNoneButton->setFixedSize(145, 25);
    selectAllButton = new QPushButton(QStringLiteral("Alles auswählen"));
    selectAllButton->setFixedSize(145, 25);
    connect(selectNoneButton, &QPushButton::clicked, this, &ColourPage::selectNoColours);
    connect(selectAllButton, &QPushButton::clicked, this, &ColourPage::selectAllColours);
    buttons->addWidget(selectNoneButton);
    buttons->addWidget(selectAllButton);
    buttons->addStretch(1);
    colourList = new QListWidget;
    colourList->setObjectName(QStringLiteral("colourList"));
    // Column after column, so the page's height shows several dozen of the 64 colours at once.
    colourList->setFlow(QListView::TopToBottom);
    colourList->setWrapping(true);
    colourList->setResizeMode(QListView::Adjust);
    colourList->setUniformItemSizes(true);
    connect(colourList, &QListWidget::itemChanged, this,
            [this] { swatchGrid->setTicked(selectedColours()); });
    selectionLayout->addLayout(buttons);
    selectionLayout->addWidget(colourList, 1);
    return selection;
}

void ColourPage::fillColourList() {
    colourList->clear();
    for (int i = 0; i < kBeadColorCount; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(BeadItemText(i)), colourList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

std::array<bool, 64> ColourPage::selectedColours() const {
    std::array<bool, 64> selected{};
    for (int i = 0; i < kBeadColorCount && i < colourList->count(); ++i) {
        selected[i] = colourList->item(i)->checkState() == Qt::Checked;
    }
    return selected;
}

bool ColourPage::ditheringChosen() const {
    return ditheringRadio->isChecked();
}

void ColourPage::setTicks(const std::array<bool, 64>& ticks) {
    for (int i = 0; i < colourList->count() && i < kBeadColorCount; ++i) {
        colourList->item(i)->setCheckState(ticks[i] ? Qt::Checked : Qt::Unchecked);
    }
}

void ColourPage::selectNoColours() {
    setTicks({});
}

void ColourPage::selectAllColours() {
    std::array<bool, 64> all{};
    all.fill(true);
    setTicks(all);
}

void ColourPage::showSwatchInfo(int i) {
    const PalEntry& e = document_.pal.rgb0[i];
    swatchInfoLabel->setText(
        QString::fromUtf8(BeadNames[i]) + QStringLiteral(" Hama-Farbnummer: ") +
        QString::fromLatin1(BeadNumbers[i]) + QStringLiteral(" ; R: ") + QString::number(e.peRed) +
        QStringLiteral(" G:") + QString::number(e.peGreen) + QStringLiteral(" B:") +
        QString::number(e.peBlue));
}

void ColourPage::onSaveSettingsClicked() {
    QFileDialog dialog(this, QStringLiteral("Farbeinstellungen speichern"), saveSettingsFolder_,
                       kColorFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("frb"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        saveSettingsFolder_ = dialog.directory().absolutePath();
        saveColourSettings(dialog.selectedFiles().constFirst());
    }
}

void ColourPage::onOpenSettingsClicked() {
    QFileDialog dialog(this, QStringLiteral("Farbeinstellungen öffnen"), openSettingsFolder_,
                       kColorFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // names of files that do not exist are accepted
    dialog.setDefaultSuffix(QStringLiteral("frb"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        openSettingsFolder_ = dialog.directory().absolutePath();
        openColourSettings(dialog.selectedFiles().constFirst());
    }
}

void ColourPage::saveColourSettings(const QString& file) {
    if (saveColorSettings(file, selectedColours(), document_.pal)) return;
    showSettingsError(QStringLiteral("Farbeinstellungen speichern"),
                      QStringLiteral("Die Farbeinstellungen konnten nicht in der Datei %1 "
                                     "gespeichert werden. Eine vorhandene Datei ist unverändert.")
                          .arg(QDir::toNativeSeparators(file)));
}

void ColourPage::openColourSettings(const QString& file) {
    std::array<bool, 64> ticks = selectedColours();
    if (openColorSettings(file, ticks, document_.pal)) {
        setTicks(ticks);
        swatchGrid->repaint();
        return;
    }
    showSettingsError(QStringLiteral("Farbeinstellungen öffnen"),
                      QStringLiteral("Die Datei %1 konnte nicht als Farbeinstellungen gelesen "
                                     "werden. Die Farben bleiben, wie sie sind.")
                          .arg(QDir::toNativeSeparators(file)));
}

void ColourPage::showSettingsError(const QString& caption, const QString& text) {
    QMessageBox::warning(this, caption, text);
}

}  // namespace tessora
