#pragma once
// A number field that takes any typed number and, when the typing ends (Enter or leaving the
// field), clamps it into its range: 0 becomes the minimum, 99999 the maximum. A plain QSpinBox
// instead refuses the last digit or falls back to the old value.

#include <QSpinBox>

namespace tessora {

class ClampingSpinBox : public QSpinBox {
    Q_OBJECT
  public:
    using QSpinBox::QSpinBox;

  protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& input) const override;
};

}  // namespace tessora
