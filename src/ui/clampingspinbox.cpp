#include "ui/clampingspinbox.h"

#include <algorithm>

namespace tessora {
namespace {

// Nine digits always fit an int, so the clamping never overflows.
constexpr int kMaxDigits = 9;

bool isDigitsOnly(const QString& text) {
    return !text.isEmpty() && text.size() <= kMaxDigits &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

}  // namespace

QValidator::State ClampingSpinBox::validate(QString& text, int&) const {
    const QString digits = text.trimmed();
    if (digits.isEmpty()) return QValidator::Intermediate;
    if (!isDigitsOnly(digits)) return QValidator::Invalid;
    const int value = digits.toInt();
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void ClampingSpinBox::fixup(QString& input) const {
    const QString digits = input.trimmed();
    if (!isDigitsOnly(digits)) return;  // an empty field falls back to the value it had
    input = QString::number(std::clamp(digits.toInt(), minimum(), maximum()));
}

}  // namespace tessora
