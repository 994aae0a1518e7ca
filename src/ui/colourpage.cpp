#include "ui/colourpage.h"

#include <QComboBox>
#include <QCoreApplication>
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
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
#include "engine/gplpalette.h"
#include "engine/rangelibrary.h"
#include "ui/filedialogfolders.h"
#include "ui/matchingoptions.h"
#include "ui/pageframe.h"
#include "ui/swatchgrid.h"

namespace tessora {
namespace {

QString colorFileFilter() {
    return ColourPage::tr("Farbeinstellungen (*.frb)");
}

QString paletteFileFilter() {
    return ColourPage::tr("Paletten (*.gpl)");
}

std::span<const bool> spanOf(const QList<bool>& ticks) {
    return std::span<const bool>(ticks.constData(), static_cast<std::size_t>(ticks.size()));
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
    layout->addWidget(buildRangeGroup());
    layout->addWidget(buildColourGroup());
    layout->addWidget(buildMethodGroup());
    matchingOptions = new MatchingOptions;
    connect(matchingOptions, &MatchingOptions::changed, this, &ColourPage::coloursChanged);
    layout->addWidget(matchingOptions);
    layout->addWidget(buildSelectionGroup(), 1);
    fillColourList();
    openSettingsFolder_ = saveSettingsFolder_ = DialogStartFolder(document_.progpath);
}

QWidget* ColourPage::buildRangeGroup() {
    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    rangeBox = new QComboBox;
    rangeBox->setObjectName(QStringLiteral("rangeBox"));
    ranges_ = availableRanges(QCoreApplication::applicationDirPath() + u'/');
    for (const BeadRange& range : ranges_)
        rangeBox->addItem(QString::fromStdString(range.name));
    connect(rangeBox, &QComboBox::activated, this, &ColourPage::chooseRange);
    openPaletteButton = new QPushButton(tr("Palette öffnen…"));
    openPaletteButton->setObjectName(QStringLiteral("openPaletteButton"));
    savePaletteButton = new QPushButton(tr("Palette speichern…"));
    savePaletteButton->setObjectName(QStringLiteral("savePaletteButton"));
    connect(openPaletteButton, &QPushButton::clicked, this, &ColourPage::onOpenPaletteClicked);
    connect(savePaletteButton, &QPushButton::clicked, this, &ColourPage::onSavePaletteClicked);
    row->addWidget(new QLabel(tr("Perlensortiment:")));
    row->addWidget(rangeBox, 1);
    row->addWidget(openPaletteButton);
    row->addWidget(savePaletteButton);
    return strip;
}

QWidget* ColourPage::buildColourGroup() {
    auto* colours = new QGroupBox(tr("Farben"));
    auto* coloursLayout = new QGridLayout(colours);
    swatchGrid = new SwatchGrid(document_.pal, document_.range);
    // A large range scrolls within the height of four rows.
    auto* swatchArea = new QScrollArea;
    swatchArea->setFrameShape(QFrame::NoFrame);
    swatchArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    swatchArea->setFixedSize(swatchGrid->width() + 14, swatchGrid->height());
    swatchArea->setWidget(swatchGrid);
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
    coloursLayout->addWidget(swatchArea, 1, 0, 2, 1);
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
            [this] { swatchGrid->setTicked(spanOf(rangeTicks())); });
    connect(colourList, &QListWidget::itemChanged, this, &ColourPage::coloursChanged);
    selectionLayout->addLayout(buttons);
    selectionLayout->addWidget(colourList, 1);
    return selection;
}

void ColourPage::fillColourList() {
    const QSignalBlocker quiet(colourList);
    colourList->clear();
    for (const BeadColor& colour : document_.range.colors) {
        // Name, one space, number, as the standard range always showed its colours.
        auto* item = new QListWidgetItem(QString::fromStdString(colour.name + ' ' + colour.number),
                                         colourList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    swatchGrid->setTicked(spanOf(rangeTicks()));
}

std::array<bool, 64> ColourPage::selectedColours() const {
    std::array<bool, 64> selected{};
    const QList<bool> ticks = rangeTicks();
    std::copy_n(ticks.begin(), std::min<qsizetype>(ticks.size(), 64), selected.begin());
    return selected;
}

QList<bool> ColourPage::rangeTicks() const {
    QList<bool> ticks(colourList->count());
    for (int i = 0; i < colourList->count(); ++i)
        ticks[i] = colourList->item(i)->checkState() == Qt::Checked;
    return ticks;
}

bool ColourPage::ditheringChosen() const {
    return ditheringRadio->isChecked();
}

void ColourPage::setTicks(std::span<const bool> ticks) {
    for (int i = 0; i < colourList->count(); ++i) {
        const bool ticked = static_cast<std::size_t>(i) < ticks.size() && ticks[i];
        colourList->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
}

ColourChoices ColourPage::colourChoices() const {
    ColourChoices choices;
    choices.range = document_.range;
    const QList<bool> ticks = rangeTicks();
    std::copy_n(ticks.begin(), std::min<qsizetype>(ticks.size(), kMaxRangeColors),
                choices.ticks.begin());
    choices.dithering = ditheringChosen();
    choices.pal = document_.pal;
    choices.matching = matchingOptions->choices();
    return choices;
}

void ColourPage::setColourChoices(const ColourChoices& choices) {
    const QSignalBlocker quiet(this);
    if (!sameRange(document_.range, choices.range)) {
        document_.range = choices.range;
        // The grid and its fallback colour come back with the calculation step they belong to.
        if (document_.colornr >= document_.range.size()) document_.colornr = 0;
        showRange();
    }
    document_.pal = choices.pal;
    setTicks(std::span<const bool>(choices.ticks.data(),
                                   static_cast<std::size_t>(document_.range.size())));
    (choices.dithering ? ditheringRadio : nearestColourRadio)->setChecked(true);
    matchingOptions->setChoices(choices.matching);
    swatchGrid->repaint();
}

void ColourPage::showRange() {
    fillColourList();
    swatchGrid->fitToColours();
    swatchInfoLabel->clear();
    selectRangeInChoice();
    showChosenColours();
}

void ColourPage::selectRangeInChoice() {
    const auto known = std::find_if(ranges_.begin(), ranges_.end(), [this](const BeadRange& range) {
        return sameRange(range, document_.range);
    });
    if (known != ranges_.end()) {
        rangeBox->setCurrentIndex(static_cast<int>(known - ranges_.begin()));
        return;
    }
    // A range from a palette file or a project joins the choice, so the user can go back to it
    // after trying another.
    ranges_.push_back(document_.range);
    rangeBox->addItem(QString::fromStdString(document_.range.name));
    rangeBox->setCurrentIndex(rangeBox->count() - 1);
}

void ColourPage::selectNoColours() {
    setTicks({});
}

void ColourPage::selectAllColours() {
    setTicks(spanOf(QList<bool>(colourList->count(), true)));
}

void ColourPage::showSwatchInfo(int i) {
    const PalEntry& e = document_.pal.rgb0[i];
    const BeadColor& colour = document_.range.colors[static_cast<std::size_t>(i)];
    const QString text = document_.range.name == kStandardRangeName
                             ? tr("%1 Hama-Farbnummer: %2 ; R: %3 G:%4 B:%5")
                             : tr("%1 Farbnummer: %2 ; R: %3 G:%4 B:%5");
    swatchInfoLabel->setText(
        text.arg(QString::fromStdString(colour.name), QString::fromStdString(colour.number),
                 QString::number(e.peRed), QString::number(e.peGreen), QString::number(e.peBlue)));
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
    const ColorSettingsError error =
        writeColorSettingsFile(file, spanOf(rangeTicks()), document_.pal);
    if (error == ColorSettingsError::None) return;
    showSettingsError(tr("Farbeinstellungen speichern"),
                      tr("Die Farbeinstellungen konnten nicht in der Datei %1 "
                         "gespeichert werden.\n%2")
                          .arg(QDir::toNativeSeparators(file), colorSettingsErrorText(error)));
}

void ColourPage::openColourSettings(const QString& file) {
    QList<bool> ticks = rangeTicks();
    const ColorSettingsError error = readColorSettingsFile(
        file, std::span<bool>(ticks.data(), static_cast<std::size_t>(ticks.size())), document_.pal);
    if (error == ColorSettingsError::None) {
        setTicks(spanOf(ticks));
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

void ColourPage::chooseRange(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= ranges_.size()) return;
    const BeadRange& range = ranges_[static_cast<std::size_t>(index)];
    if (sameRange(range, document_.range)) return;  // choosing it again keeps ticks and palette
    installNewRange(range);
}

void ColourPage::installNewRange(BeadRange range) {
    installRange(document_, std::move(range));
    showRange();
    emit rangeChanged();
}

void ColourPage::openPalette(const QString& file) {
    PaletteRead read = readGimpPalette(file);
    if (!read.range) {
        showSettingsError(
            tr("Palette öffnen"),
            tr("Die Palette %1 konnte nicht geladen werden!\n%2")
                .arg(QDir::toNativeSeparators(file), paletteErrorText(read.error, read.line)));
        return;
    }
    installNewRange(std::move(*read.range));
}

void ColourPage::savePalette(const QString& file) {
    const QList<bool> ticks = rangeTicks();
    const PaletteError error =
        writeGimpPalette(file, document_.range, document_.pal, spanOf(ticks));
    if (error == PaletteError::None) return;
    showSettingsError(tr("Palette speichern"),
                      tr("Die Datei %1 konnte nicht geschrieben werden!\n%2")
                          .arg(QDir::toNativeSeparators(file), paletteErrorText(error)));
}

void ColourPage::onOpenPaletteClicked() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Palette öffnen"),
                                                      openSettingsFolder_, paletteFileFilter());
    if (!file.isEmpty()) openPalette(file);
}

void ColourPage::onSavePaletteClicked() {
    // The dialog asks before it replaces a file.
    QFileDialog dialog(this, tr("Palette speichern"), saveSettingsFolder_, paletteFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("gpl"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        savePalette(dialog.selectedFiles().constFirst());
}

void ColourPage::showChosenColours() {
    QStringList numbers;
    for (const int c : document_.chosenColors) {
        if (c >= 0 && c < document_.range.size())
            numbers << QString::fromStdString(
                document_.range.colors[static_cast<std::size_t>(c)].number);
    }
    matchingOptions->showChosenColours(numbers);
}

}  // namespace tessora
