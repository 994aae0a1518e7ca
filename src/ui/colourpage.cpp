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

QString colorFileFilter() {
    return ColourPage::tr("Farbeinstellungen (*.frb)");
}

QLabel* makeHintStrip() {
    auto* strip =
        new QLabel(ColourPage::tr("Wählen Sie die Perlen-Farben aus, die sie benutzen möchten"));
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
        this, tr("Farben - stellen Sie ein, welche Perlen-Farben sie benutzen möchten"),
        tr("Farben einstellen..."), 2);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(buildColourGroup());
    layout->addWidget(buildMethodGroup());
    layout->addWidget(buildSelectionGroup(), 1);
    fillColourList();
    openSettingsFolder_ = saveSettingsFolder_ = DialogStartFolder(document_.progpath);
}

QWidget* ColourPage::buildColourGroup() {
    auto* colours = new QGroupBox(tr("Farben"));
    auto* coloursLayout = new QGridLayout(colours);
    swatchGrid = new SwatchGrid(document_.pal);
    connect(swatchGrid, &SwatchGrid::swatchHovered, this, &ColourPage::showSwatchInfo);
    swatchInfoLabel = new QLabel;
    swatchInfoLabel->setObjectName(QStringLiteral("swatchInfoLabel"));
    openSettingsButton = new QPushButton(tr("Farbeinstellungen öffnen..."));
    openSettingsButton->setFixedSize(169, 25);
    saveSettingsButton = new QPushButton(tr("Farbeinstellungen speichern..."));
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
    auto* method = new QGroupBox(tr("Methode der Farbumrechnung"));
    auto* methodLayout = new QHBoxLayout(method);
    nearestColourRadio = new QRadioButton(tr("Am besten &passenste Farbe"));
    nearestColourRadio->setObjectName(QStringLiteral("nearestColourRadio"));
    nearestColourRadio->setChecked(true);
    ditheringRadio = new QRadioButton(tr("Dithering"));
    ditheringRadio->setObjectName(QStringLiteral("ditheringRadio"));
    connect(ditheringRadio, &QRadioButton::toggled, this, &ColourPage::coloursChanged);
    methodLayout->addWidget(nearestColourRadio);
    methodLayout->addWidget(ditheringRadio);
    methodLayout->addStretch(1);
    return method;
}

QWidget* ColourPage::buildSelectionGroup() {
    auto* selection = new QGroupBox(tr("Welche Farben wollen Sie benutzen?"));
    auto* selectionLayout = new QVBoxLayout(selection);
    auto* buttons = new QHBoxLayout;
    selectNoneButton = new QPushButton(tr("Nichts auswählen"));
    selectNoneButton->setFixedSize(145, 25);
    selectAllButton = new QPushButton(tr("Alles auswählen"));
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
    connect(colourList, &QListWidget::itemChanged, this, &ColourPage::coloursChanged);
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

void ColourPage::setColourChoices(const std::array<bool, 64>& ticks, bool dithering) {
    setTicks(ticks);
    (dithering ? ditheringRadio : nearestColourRadio)->setChecked(true);
    swatchGrid->repaint();
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
    swatchInfoLabel->setText(tr("%1 Hama-Farbnummer: %2 ; R: %3 G:%4 B:%5")
                                 .arg(QString::fromUtf8(BeadName(i)),
                                      QString::fromLatin1(BeadNumbers[i]), QString::number(e.peRed),
                                      QString::number(e.peGreen), QString::number(e.peBlue)));
}

void ColourPage::onSaveSettingsClicked() {
    QFileDialog dialog(this, tr("Farbeinstellungen speichern"), saveSettingsFolder_,
                       colorFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("frb"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        saveSettingsFolder_ = dialog.directory().absolutePath();
        saveColourSettings(dialog.selectedFiles().constFirst());
    }
}

void ColourPage::onOpenSettingsClicked() {
    QFileDialog dialog(this, tr("Farbeinstellungen öffnen"), openSettingsFolder_,
                       colorFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // names of files that do not exist are accepted
    dialog.setDefaultSuffix(QStringLiteral("frb"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        openSettingsFolder_ = dialog.directory().absolutePath();
        openColourSettings(dialog.selectedFiles().constFirst());
    }
}

void ColourPage::saveColourSettings(const QString& file) {
    const ColorSettingsError error = writeColorSettingsFile(file, selectedColours(), document_.pal);
    if (error == ColorSettingsError::None) return;
    showSettingsError(tr("Farbeinstellungen speichern"),
                      tr("Die Farbeinstellungen konnten nicht in der Datei %1 "
                         "gespeichert werden.\n%2")
                          .arg(QDir::toNativeSeparators(file), colorSettingsErrorText(error)));
}

void ColourPage::openColourSettings(const QString& file) {
    std::array<bool, 64> ticks = selectedColours();
    const ColorSettingsError error = readColorSettingsFile(file, ticks, document_.pal);
    if (error == ColorSettingsError::None) {
        setTicks(ticks);
        swatchGrid->repaint();
        emit coloursChanged();
        return;
    }
    showSettingsError(tr("Farbeinstellungen öffnen"),
                      tr("Die Datei %1 konnte nicht als Farbeinstellungen gelesen "
                         "werden.\n%2")
                          .arg(QDir::toNativeSeparators(file), colorSettingsErrorText(error)));
}

void ColourPage::showSettingsError(const QString& caption, const QString& text) {
    QMessageBox::warning(this, caption, text);
}

}  // namespace tessora
