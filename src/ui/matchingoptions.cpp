#include "ui/matchingoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/beadrange.h"

namespace tessora {
namespace {

constexpr int kDefaultColourLimit = 12;
constexpr int kDefaultTolerance = 10;

QSpinBox* makeSpin(int minimum, int maximum, int value) {
    auto* spin = new QSpinBox;
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setEnabled(false);  // until its check box is ticked
    return spin;
}

}  // namespace

MatchingOptions::MatchingOptions(QWidget* parent) : QGroupBox(tr("Umrechnung"), parent) {
    setObjectName(QStringLiteral("matchingOptions"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildDistanceRow());
    layout->addLayout(buildEmptyPegRow());
    connect(distanceBox, &QComboBox::currentIndexChanged, this, &MatchingOptions::changed);
    for (QCheckBox* check : {colourLimitCheck, transparentCheck, removeBackgroundCheck})
        connect(check, &QCheckBox::toggled, this, &MatchingOptions::changed);
    for (QSpinBox* spin : {colourLimitSpin, toleranceSpin})
        connect(spin, &QSpinBox::valueChanged, this, &MatchingOptions::changed);
}

QLayout* MatchingOptions::buildDistanceRow() {
    auto* row = new QHBoxLayout;
    distanceBox = new QComboBox;
    distanceBox->setObjectName(QStringLiteral("distanceBox"));
    // Item order is the order of ColourDistance.
    distanceBox->addItems(
        {QStringLiteral("RGB"), QStringLiteral("CIEDE2000"), QStringLiteral("OKLab")});
    colourLimitCheck = new QCheckBox(tr("Höchstens"));
    colourLimitCheck->setObjectName(QStringLiteral("colourLimitCheck"));
    colourLimitSpin = makeSpin(1, kMaxRangeColors, kDefaultColourLimit);
    colourLimitSpin->setObjectName(QStringLiteral("colourLimitSpin"));
    connect(colourLimitCheck, &QCheckBox::toggled, colourLimitSpin, &QWidget::setEnabled);
    chosenColoursLabel = new QLabel;
    chosenColoursLabel->setObjectName(QStringLiteral("chosenColoursLabel"));
    chosenColoursLabel->setWordWrap(true);
    row->addWidget(new QLabel(tr("Farbabstand:")));
    row->addWidget(distanceBox);
    row->addSpacing(16);
    row->addWidget(colourLimitCheck);
    row->addWidget(colourLimitSpin);
    row->addWidget(new QLabel(tr("Farben")));
    row->addWidget(chosenColoursLabel, 1);
    return row;
}

QLayout* MatchingOptions::buildEmptyPegRow() {
    auto* row = new QHBoxLayout;
    transparentCheck = new QCheckBox(tr("Transparente Stellen frei lassen"));
    transparentCheck->setObjectName(QStringLiteral("transparentCheck"));
    transparentCheck->setChecked(true);
    removeBackgroundCheck = new QCheckBox(tr("Hintergrund entfernen"));
    removeBackgroundCheck->setObjectName(QStringLiteral("removeBackgroundCheck"));
    toleranceSpin = makeSpin(0, 100, kDefaultTolerance);
    toleranceSpin->setObjectName(QStringLiteral("toleranceSpin"));
    connect(removeBackgroundCheck, &QCheckBox::toggled, toleranceSpin, &QWidget::setEnabled);
    row->addWidget(transparentCheck);
    row->addSpacing(16);
    row->addWidget(removeBackgroundCheck);
    row->addWidget(new QLabel(tr("Toleranz:")));
    row->addWidget(toleranceSpin);
    row->addStretch(1);
    return row;
}

void MatchingOptions::applyTo(CalculateInputs& inputs) const {
    applyMatchingChoices(choices(), inputs);
}

MatchingChoices MatchingOptions::choices() const {
    MatchingChoices choices;
    choices.distance = static_cast<ColourDistance>(distanceBox->currentIndex());
    choices.maxColors = colourLimitCheck->isChecked() ? colourLimitSpin->value() : 0;
    choices.keepTransparentEmpty = transparentCheck->isChecked();
    choices.removeBackground = removeBackgroundCheck->isChecked()
                                   ? std::optional<int>(toleranceSpin->value())
                                   : std::nullopt;
    return choices;
}

void MatchingOptions::setChoices(const MatchingChoices& choices) {
    const QSignalBlocker quiet(this);
    distanceBox->setCurrentIndex(static_cast<int>(choices.distance));
    // An option that is off keeps its number in the field for when it is ticked again.
    colourLimitCheck->setChecked(choices.maxColors > 0);
    if (choices.maxColors > 0) colourLimitSpin->setValue(choices.maxColors);
    transparentCheck->setChecked(choices.keepTransparentEmpty);
    removeBackgroundCheck->setChecked(choices.removeBackground.has_value());
    if (choices.removeBackground) toleranceSpin->setValue(*choices.removeBackground);
}

void MatchingOptions::showChosenColours(const QStringList& numbers) {
    chosenColoursLabel->setText(
        numbers.isEmpty() ? QString() : tr("Gewählt: ") + numbers.join(QStringLiteral(", ")));
}

}  // namespace tessora
