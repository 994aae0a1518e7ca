#include "output/printdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

#include "output/chartdrawing.h"
#include "output/printjob.h"

namespace tessora {

// The preview surface; its painting belongs to the dialog.
class PaintArea : public QWidget {
  public:
    std::function<void(QPainter&)> onPaint;
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (onPaint) onPaint(painter);
    }
};

namespace {

const QString kSettingsGroup = QStringLiteral("TPrintForm");
const QString kWidthKey = QStringLiteral("BreitEdit_Value");
const QString kHeightKey = QStringLiteral("HochEdit_Value");

QSpinBox* makePercentField(QWidget* parent, QRect geometry) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(1, 100);
    spin->setValue(50);
    spin->setGeometry(geometry);
    return spin;
}

// The per-user settings file of the program (~/.config/tessora.conf).
QSettings ProgramSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tessora"));
}

}  // namespace

PrintDialog::PrintDialog(QWidget* owner, QPrinter* printer) : QDialog(owner), printer_(printer) {
    setObjectName(QStringLiteral("printDialog"));
    setWindowTitle(tr("Bild drucken..."));
    setFixedSize(427, 328);
    // The fixed layout is measured in the window's font; a larger desktop font would clip it.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    pageSize = [this] { return PrintablePageSize(*printer_); };
    build();
}

PrintDialog::~PrintDialog() {
    if (!saved_) savePercentages();
}

void PrintDialog::build() {
    auto* label = new QLabel(tr("Vorschau:"), this);
    label->setGeometry(8, 8, 200, 16);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 26, kPreviewBox + 4, kPreviewBox + 4);
    auto* area = new PaintArea(panel);
    area->setObjectName(QStringLiteral("previewBox"));
    area->setGeometry(2, 2, kPreviewBox, kPreviewBox);
    area->onPaint = [this](QPainter& canvas) { paintPreview(canvas); };
    previewBox = area;

    auto* size = new QGroupBox(tr("Druckgröße"), this);
    size->setGeometry(212, 8, 207, 130);
    fullPageRadio = new QRadioButton(tr("Seite voll nutzen"), size);
    fullPageRadio->setGeometry(10, 22, 190, 20);
    fullPageRadio->setChecked(true);
    customSizeRadio = new QRadioButton(tr("Benutzerdefiniert"), size);
    customSizeRadio->setGeometry(10, 44, 190, 20);
    (new QLabel(tr("Breite in %:"), size))->setGeometry(26, 70, 90, 22);
    widthPercentSpin = makePercentField(size, QRect(120, 70, 70, 22));
    (new QLabel(tr("Höhe in %:"), size))->setGeometry(26, 98, 90, 22);
    heightPercentSpin = makePercentField(size, QRect(120, 98, 70, 22));

    auto* options = new QGroupBox(tr("Druckoptionen"), this);
    options->setGeometry(212, 144, 207, 74);
    keepAspectCheck = new QCheckBox(tr("Seitenverhältnis beibehalten"), options);
    keepAspectCheck->setGeometry(10, 22, 193, 20);
    keepAspectCheck->setChecked(true);
    centreCheck = new QCheckBox(tr("Zentrierte Ausgabe"), options);
    centreCheck->setGeometry(10, 46, 193, 20);
    centreCheck->setChecked(true);

    printerSetupButton = new QPushButton(tr("Drucker &einrichten..."), this);
    printerSetupButton->setGeometry(212, 226, 207, 27);
    okButton = new QPushButton(tr("&OK"), this);
    okButton->setGeometry(212, 292, 100, 28);
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("A&bbrechen"), this);
    cancelButton->setGeometry(319, 292, 100, 28);

    // The radio button "Seite voll nutzen" and both check boxes redraw the preview.
    connect(fullPageRadio, &QRadioButton::clicked, this, [this] { repaintPreview(); });
    connect(keepAspectCheck, &QCheckBox::clicked, this, [this] { repaintPreview(); });
    connect(centreCheck, &QCheckBox::clicked, this, [this] { repaintPreview(); });
    connect(customSizeRadio, &QRadioButton::clicked, this, [this] { onCustomSizeClicked(); });
    connect(widthPercentSpin, &QSpinBox::valueChanged, this, [this] { onWidthPercentChanged(); });
    connect(heightPercentSpin, &QSpinBox::valueChanged, this, [this] { onHeightPercentChanged(); });
    connect(printerSetupButton, &QPushButton::clicked, this, [this] { onPrinterSetupClicked(); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

PrintOptions PrintDialog::Options() const {
    return PrintOptions{fullPageRadio->isChecked(), keepAspectCheck->isChecked(),
                        centreCheck->isChecked(), widthPercentSpin->value(),
                        heightPercentSpin->value()};
}

PreviewGeometry PrintDialog::Preview() const {
    const QSize page = pageSize();
    return PreviewLayout(kPreviewBox, page.width(), page.height(), DibWidth(chart),
                         DibHeight(chart), Options());
}

void PrintDialog::showEvent(QShowEvent* event) {
    restorePercentages();
    onShown();
    QDialog::showEvent(event);
}

void PrintDialog::onShown() {
    updateOkButton();
    onWidthPercentChanged();
}

void PrintDialog::updateOkButton() {
    // An empty chart has no proportions to print by.
    okButton->setEnabled(DibWidth(chart) > 0 && DibHeight(chart) > 0);
}

void PrintDialog::repaintPreview() {
    previewBox->repaint();
}

void PrintDialog::paintPreview(QPainter& canvas) {
    const PreviewGeometry geometry = Preview();
    if (geometry.page.isEmpty()) return;
    canvas.fillRect(geometry.page, Qt::white);
    if (!geometry.chart.isEmpty()) DrawChartInPreview(canvas, geometry.chart, chart);
    painting_ = true;
    onWidthPercentChanged();
    painting_ = false;
}

void PrintDialog::onCustomSizeClicked() {
    onWidthPercentChanged();
    repaintPreview();
}

void PrintDialog::onWidthPercentChanged() {
    coupleFromWidth(painting_);
}

void PrintDialog::coupleFromWidth(bool fromPaint) {
    if (coupling) return;
    coupling = true;
    bool changed = false;
    const QSize page = pageSize();
    if (keepAspectCheck->isChecked() && DibWidth(chart) > 0 && DibHeight(chart) > 0 &&
        !page.isEmpty()) {
        const CoupledPercentages coupled =
            CoupleHeightToWidth(widthPercentSpin->value(), page.width(), page.height(),
                                DibWidth(chart), DibHeight(chart));
        changed |= heightPercentSpin->value() != coupled.height;
        heightPercentSpin->setValue(coupled.height);
        if (coupled.width) {
            changed |= widthPercentSpin->value() != *coupled.width;
            widthPercentSpin->setValue(*coupled.width);
        }
    }
    // Painting runs this coupling too; repainting from inside a paint would never end, so
    // only a change of the numbers asks for one more paint then.
    if (!fromPaint) {
        repaintPreview();
    } else if (changed) {
        previewBox->update();
    }
    coupling = false;
}

void PrintDialog::onHeightPercentChanged() {
    if (coupling) return;
    coupling = true;
    const QSize page = pageSize();
    if (keepAspectCheck->isChecked() && DibWidth(chart) > 0 && DibHeight(chart) > 0 &&
        !page.isEmpty()) {
        const CoupledWidth coupled =
            CoupleWidthToHeight(heightPercentSpin->value(), page.width(), page.height(),
                                DibWidth(chart), DibHeight(chart));
        widthPercentSpin->setValue(coupled.width);
        if (coupled.height) heightPercentSpin->setValue(*coupled.height);
    }
    repaintPreview();
    coupling = false;
}

void PrintDialog::onPrinterSetupClicked() {
    QPrintDialog setup(printer_, this);
    setup.setWindowTitle(tr("Drucker einrichten"));
    // The dialog only chooses the printer; printing starts from this dialog's OK.
    if (auto* buttons = setup.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(tr("OK"));
    }
    setup.exec();
    repaintPreview();
}

void PrintDialog::restorePercentages() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(kSettingsGroup);
    bool ok = false;
    const int width = settings.value(kWidthKey).toString().toInt(&ok);
    if (ok) widthPercentSpin->setValue(width);
    const int height = settings.value(kHeightKey).toString().toInt(&ok);
    if (ok) heightPercentSpin->setValue(height);
}

void PrintDialog::savePercentages() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kWidthKey, QString::number(widthPercentSpin->value()));
    settings.setValue(kHeightKey, QString::number(heightPercentSpin->value()));
    saved_ = true;
}

void PrintDialog::done(int result) {
    savePercentages();
    QDialog::done(result);
}

}  // namespace tessora
