// Page "Größe": information about the loaded picture and the motif size in beads.

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/resample.h"
#include "engine/sizecoupling.h"
#include "ui/artwork.h"
#include "ui/mainform.h"
#include "ui/pageframe.h"

namespace tessora {
namespace {

QLineEdit* makeInfoField(const QString& name, const QString& hint) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setToolTip(hint);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, HeaderStripColor());
    field->setPalette(palette);
    return field;
}

QSpinBox* makeBeadSpin(const QString& name, int value) {
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setRange(1, 1000);
    spin->setValue(value);
    return spin;
}

}  // namespace

QWidget* TMainForm::buildSizePage() {
    const PageParts parts = MakePage(
        QStringLiteral("Größe - Stellen Sie die Garneigenschaften und die gewünschte Größe ein"),
        QStringLiteral("Größe festlegen..."), 1);
    auto* layout = new QVBoxLayout(parts.body);

    auto* info = new QGroupBox(QStringLiteral("Informationen über das geladene Bild"));
    auto* infoLayout = new QFormLayout(info);
    Breit = makeInfoField(QStringLiteral("Breit"),
                          QStringLiteral("Zeigt die Breite des gewählten Bildes in Pixeln"));
    Hoch = makeInfoField(QStringLiteral("Hoch"),
                         QStringLiteral("Zeigt die Höhe des gewählten Bildes in Pixeln"));
    tief = makeInfoField(QStringLiteral("tief"),
                         QStringLiteral("Zeigt die Anzahl der Farben des gewählten Bildes"));
    infoLayout->addRow(QStringLiteral("Breite:"), Breit);
    infoLayout->addRow(QStringLiteral("Höhe:"), Hoch);
    infoLayout->addRow(QStringLiteral("Farben:"), tief);

    auto* size = new QGroupBox(QStringLiteral("Gewünschte Größe des Motivs"));
    auto* sizeLayout = new QFormLayout(size);
    maschened = makeBeadSpin(QStringLiteral("maschened"), 30);
    reihened = makeBeadSpin(QStringLiteral("reihened"), 30);
    sverhCheck = new QCheckBox(QStringLiteral("Seitenverhältnis beibehalten"));
    sverhCheck->setObjectName(QStringLiteral("sverhCheck"));
    sverhCheck->setChecked(true);
    sizeLayout->addRow(QStringLiteral("Breite in Perlen:"), maschened);
    sizeLayout->addRow(QStringLiteral("Höhe in Perlen:"), reihened);
    sizeLayout->addRow(sverhCheck);
    connect(maschened, &QSpinBox::valueChanged, this, [this] { maschenedChange(); });
    connect(reihened, &QSpinBox::valueChanged, this, [this] { reihenedChange(); });

    layout->addWidget(info);
    layout->addWidget(size);
    layout->addStretch(1);
    return parts.page;
}

}  // namespace tessora

namespace tessora {

void TMainForm::ShowPictureInfo() {
    Breit->setText(QString::number(DibWidth(di)) + QStringLiteral(" Pixels"));
    Hoch->setText(QString::number(DibHeight(di)) + QStringLiteral(" Pixels"));
    tief->setText(QString::number(zweihoch(DibBits(di))));
}

void TMainForm::maschenedChange() {
    if (init || !sverhCheck->isChecked()) return;
    const std::optional<int> height =
        coupledBeadCount(DibHeight(di), DibWidth(di), maschened->value());
    if (!height) return;
    init = true;
    reihened->setValue(*height);
    init = false;
}

void TMainForm::reihenedChange() {
    if (init || !sverhCheck->isChecked()) return;
    const std::optional<int> width =
        coupledBeadCount(DibWidth(di), DibHeight(di), reihened->value());
    if (!width) return;
    init = true;
    maschened->setValue(*width);
    init = false;
}

}  // namespace tessora
