#include "ui/sizepage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/resample.h"
#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"
#include "ui/artwork.h"
#include "ui/clampingspinbox.h"
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
    auto* spin = new ClampingSpinBox;
    spin->setObjectName(name);
    spin->setRange(1, 1000);
    spin->setValue(value);
    return spin;
}

}  // namespace

SizePage::SizePage(const Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    QWidget* body = MakePageFrame(
        this, tr("Größe - Stellen Sie die Garneigenschaften und die gewünschte Größe ein"),
        tr("Größe festlegen..."), 1);
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(buildPictureInfo());
    layout->addWidget(buildMotifSize());
    layout->addStretch(1);
}

QWidget* SizePage::buildPictureInfo() {
    auto* info = new QGroupBox(tr("Informationen über das geladene Bild"));
    auto* infoLayout = new QFormLayout(info);
    pictureWidthField = makeInfoField(QStringLiteral("pictureWidthField"),
                                      tr("Zeigt die Breite des gewählten Bildes in Pixeln"));
    pictureHeightField = makeInfoField(QStringLiteral("pictureHeightField"),
                                       tr("Zeigt die Höhe des gewählten Bildes in Pixeln"));
    pictureColoursField = makeInfoField(QStringLiteral("pictureColoursField"),
                                        tr("Zeigt die Anzahl der Farben des gewählten Bildes"));
    infoLayout->addRow(tr("Breite:"), pictureWidthField);
    infoLayout->addRow(tr("Höhe:"), pictureHeightField);
    infoLayout->addRow(tr("Farben:"), pictureColoursField);
    return info;
}

QWidget* SizePage::buildMotifSize() {
    auto* size = new QGroupBox(tr("Gewünschte Größe des Motivs"));
    auto* sizeLayout = new QFormLayout(size);
    beadsWideSpin = makeBeadSpin(QStringLiteral("beadsWideSpin"), 30);
    beadsHighSpin = makeBeadSpin(QStringLiteral("beadsHighSpin"), 30);
    keepAspectCheck = new QCheckBox(tr("Seitenverhältnis beibehalten"));
    keepAspectCheck->setObjectName(QStringLiteral("keepAspectCheck"));
    keepAspectCheck->setChecked(true);
    sizeLayout->addRow(tr("Breite in Perlen:"), beadsWideSpin);
    sizeLayout->addRow(tr("Höhe in Perlen:"), beadsHighSpin);
    sizeLayout->addRow(keepAspectCheck);
    connect(beadsWideSpin, &QSpinBox::valueChanged, this, &SizePage::onBeadsWideChanged);
    connect(beadsHighSpin, &QSpinBox::valueChanged, this, &SizePage::onBeadsHighChanged);
    for (QSpinBox* spin : {beadsWideSpin, beadsHighSpin}) {
        connect(spin, &QSpinBox::valueChanged, this,
                [this] { emit beadCountsChanged(beadsWide(), beadsHigh()); });
    }
    return size;
}

int SizePage::beadsWide() const {
    return beadsWideSpin->value();
}

int SizePage::beadsHigh() const {
    return beadsHighSpin->value();
}

void SizePage::onPictureChanged() {
    showPictureInfo();
    onBeadsWideChanged();
}

void SizePage::showPictureInfo() {
    const dib& picture = document_.di;
    pictureWidthField->setText(QString::number(DibWidth(picture)) + tr(" Pixels"));
    pictureHeightField->setText(QString::number(DibHeight(picture)) + tr(" Pixels"));
    pictureColoursField->setText(QString::number(zweihoch(DibBits(picture))));
}

void SizePage::onBeadsWideChanged() {
    if (coupling_ || !keepAspectCheck->isChecked()) return;
    const std::optional<int> height =
        coupledBeadCount(DibHeight(document_.di), DibWidth(document_.di), beadsWide());
    if (!height) return;
    coupling_ = true;
    beadsHighSpin->setValue(*height);
    coupling_ = false;
}

void SizePage::onBeadsHighChanged() {
    if (coupling_ || !keepAspectCheck->isChecked()) return;
    const std::optional<int> width =
        coupledBeadCount(DibWidth(document_.di), DibHeight(document_.di), beadsHigh());
    if (!width) return;
    coupling_ = true;
    beadsWideSpin->setValue(*width);
    coupling_ = false;
}

}  // namespace tessora
