// Stand-ins for the picture information and the size coupling of the page "Größe" until the
// page's own implementation arrives.

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

#include "engine/resample.h"
#include "engine/sizecoupling.h"
#include "ui/mainform.h"

namespace tessora {

void TMainForm::ShowPictureInfo() {
    Breit->setText(QString::number(DibWidth(di)) + QStringLiteral(" Pixels"));
    Hoch->setText(QString::number(DibHeight(di)) + QStringLiteral(" Pixels"));
    tief->setText(QString::number(zweihoch(DibBits(di))));
}

void TMainForm::maschenedChange() {
    if (init || !sverhCheck->isChecked()) return;
    const auto height = coupledBeadCount(DibHeight(di), DibWidth(di), maschened->value());
    if (!height) return;
    init = true;
    reihened->setValue(*height);
    init = false;
}

}  // namespace tessora
