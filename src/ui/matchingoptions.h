#pragma once
// The group "Umrechnung" of the page "Farben": the colour distance, the colour limit with the
// colours it kept at the last calculation, empty pegs for transparent parts and the background
// removal. All off or RGB by default, which gives the results of a plain calculation.

#include <QGroupBox>
#include <QStringList>

#include "engine/calculate.h"
#include "ui/matchingchoices.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace tessora {

class MatchingOptions : public QGroupBox {
    Q_OBJECT
  public:
    explicit MatchingOptions(QWidget* parent = nullptr);

    // Sets the choices of this group in `inputs`, leaving the rest as it is.
    void applyTo(CalculateInputs& inputs) const;
    MatchingChoices choices() const;
    // Shows `choices` without emitting `changed`.
    void setChoices(const MatchingChoices& choices);
    // The numbers of the colours the limit kept; none clears the line.
    void showChosenColours(const QStringList& numbers);

    QComboBox* distanceBox = nullptr;
    QCheckBox* colourLimitCheck = nullptr;
    QSpinBox* colourLimitSpin = nullptr;
    QLabel* chosenColoursLabel = nullptr;
    QCheckBox* transparentCheck = nullptr;
    QCheckBox* removeBackgroundCheck = nullptr;
    QSpinBox* toleranceSpin = nullptr;

  signals:
    // The user changed one of the controls.
    void changed();

  private:
    QLayout* buildDistanceRow();
    QLayout* buildEmptyPegRow();
};

}  // namespace tessora
