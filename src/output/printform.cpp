#include "output/printform.h"

#include <QCheckBox>
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

TPrintForm::TPrintForm(QWidget* owner, QPrinter* printer) : QDialog(owner), printer_(printer) {
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Bild drucken..."));
    setFixedSize(427, 328);
    pageSize = [this] { return PrintablePageSize(*printer_); };
    build();
}

TPrintForm::~TPrintForm() {
    if (!saved_) SaveSettings();
}

void TPrintForm::build() {
    auto* label = new QLabel(QStringLiteral("Vorschau:"), this);
    label->setGeometry(8, 8, 200, 16);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 26, kPreviewBox + 4, kPreviewBox + 4);
    auto* area = new PaintArea(panel);
    area->setObjectName(QStringLiteral("PrintPaintBox"));
    area->setGeometry(2, 2, kPreviewBox, kPreviewBox);
    area->onPaint = [this](QPainter& canvas) { paintPreview(canvas); };
    PrintPaintBox = area;

    auto* size = new QGroupBox(QStringLiteral("Druckgröße"), this);
    size->setGeometry(212, 8, 207, 130);
    UseFullCheck = new QRadioButton(QStringLiteral("Seite voll nutzen"), size);
    UseFullCheck->setGeometry(10, 22, 190, 20);
    UseFullCheck->setChecked(true);
    UserdefCheck = new QRadioButton(QStringLiteral("Benutzerdefiniert"), size);
    UserdefCheck->setGeometry(10, 44, 190, 20);
    (new QLabel(QStringLiteral("Breite in %:"), size))->setGeometry(26, 70, 90, 22);
    BreitEdit = makePercentField(size, QRect(120, 70, 70, 22));
    (new QLabel(QStringLiteral("Höhe in %:"), size))->setGeometry(26, 98, 90, 22);
    HochEdit = makePercentField(size, QRect(120, 98, 70, 22));

    auto* options = new QGroupBox(QStringLiteral("Druckoptionen"), this);
    options->setGeometry(212, 144, 207, 74);
    SverhCheck = new QCheckBox(QStringLiteral("Seitenverhältnis beibehalten"), options);
    SverhCheck->setGeometry(10, 22, 190, 20);
    SverhCheck->setChecked(true);
    ZentrCheck = new QCheckBox(QStringLiteral("Zentrierte Ausgabe"), options);
    ZentrCheck->setGeometry(10, 46, 190, 20);
    ZentrCheck->setChecked(true);

    PrintSetupBtn = new QPushButton(QStringLiteral("Drucker &einrichten..."), this);
    PrintSetupBtn->setGeometry(212, 226, 207, 27);
    OkBitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
    OkBitBtn1->setGeometry(212, 292, 100, 28);
    OkBitBtn1->setDefault(true);
    CancelBitBtn2 = new QPushButton(QStringLiteral("A&bbrechen"), this);
    CancelBitBtn2->setGeometry(319, 292, 100, 28);

    // The radio button "Seite voll nutzen" and both check boxes redraw the preview.
    connect(UseFullCheck, &QRadioButton::clicked, this, [this] { PrintPaintBoxPaint(); });
    connect(SverhCheck, &QCheckBox::clicked, this, [this] { PrintPaintBoxPaint(); });
    connect(ZentrCheck, &QCheckBox::clicked, this, [this] { PrintPaintBoxPaint(); });
    connect(UserdefCheck, &QRadioButton::clicked, this, [this] { UserdefCheckClick(); });
    connect(BreitEdit, &QSpinBox::valueChanged, this, [this] { BreitEditChange(); });
    connect(HochEdit, &QSpinBox::valueChanged, this, [this] { HochEditChange(); });
    connect(PrintSetupBtn, &QPushButton::clicked, this, [this] { PrintSetupBtnClick(); });
    connect(OkBitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

PrintOptions TPrintForm::Options() const {
    return PrintOptions{UseFullCheck->isChecked(), SverhCheck->isChecked(), ZentrCheck->isChecked(),
                        BreitEdit->value(), HochEdit->value()};
}

PreviewGeometry TPrintForm::Preview() const {
    const QSize page = pageSize();
    return PreviewLayout(kPreviewBox, page.width(), page.height(), DibWidth(di), DibHeight(di),
                         Options());
}

void TPrintForm::showEvent(QShowEvent* event) {
    RestoreSettings();
    FormShow();
    QDialog::showEvent(event);
}

void TPrintForm::FormShow() {
    updateOkButton();
    BreitEditChange();
}

void TPrintForm::updateOkButton() {
    // An empty chart has no proportions to print by.
    OkBitBtn1->setEnabled(DibWidth(di) > 0 && DibHeight(di) > 0);
}

void TPrintForm::PrintPaintBoxPaint() {
    PrintPaintBox->repaint();
}

void TPrintForm::paintPreview(QPainter& canvas) {
    const PreviewGeometry geometry = Preview();
    if (geometry.page.isEmpty()) return;
    canvas.fillRect(geometry.page, Qt::white);
    if (!geometry.chart.isEmpty()) DrawChartInPreview(canvas, geometry.chart, di);
    painting_ = true;
    BreitEditChange();
    painting_ = false;
}

void TPrintForm::UserdefCheckClick() {
    BreitEditChange();
    PrintPaintBoxPaint();
}

void TPrintForm::BreitEditChange() {
    coupleFromWidth(painting_);
}

void TPrintForm::coupleFromWidth(bool fromPaint) {
    if (inedit) return;
    inedit = true;
    bool changed = false;
    const QSize page = pageSize();
    if (SverhCheck->isChecked() && DibWidth(di) > 0 && DibHeight(di) > 0 && !page.isEmpty()) {
        const CoupledPercentages coupled = CoupleHeightToWidth(
            BreitEdit->value(), page.width(), page.height(), DibWidth(di), DibHeight(di));
        changed |= HochEdit->value() != coupled.height;
        HochEdit->setValue(coupled.height);
        if (coupled.width) {
            changed |= BreitEdit->value() != *coupled.width;
            BreitEdit->setValue(*coupled.width);
        }
    }
    // Painting runs this coupling too; repainting from inside a paint would never end, so
    // only a change of the numbers asks for one more paint then.
    if (!fromPaint) {
        PrintPaintBoxPaint();
    } else if (changed) {
        PrintPaintBox->update();
    }
    inedit = false;
}

void TPrintForm::HochEditChange() {
    if (inedit) return;
    inedit = true;
    const QSize page = pageSize();
    if (SverhCheck->isChecked() && DibWidth(di) > 0 && DibHeight(di) > 0 && !page.isEmpty()) {
        const CoupledWidth coupled = CoupleWidthToHeight(
            HochEdit->value(), page.width(), page.height(), DibWidth(di), DibHeight(di));
        BreitEdit->setValue(coupled.width);
        if (coupled.height) HochEdit->setValue(*coupled.height);
    }
    PrintPaintBoxPaint();
    inedit = false;
}

void TPrintForm::PrintSetupBtnClick() {
    QPrintDialog setup(printer_, this);
    setup.setWindowTitle(QStringLiteral("Drucker einrichten"));
    setup.exec();
    PrintPaintBoxPaint();
}

void TPrintForm::RestoreSettings() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(kSettingsGroup);
    bool ok = false;
    const int width = settings.value(kWidthKey).toString().toInt(&ok);
    if (ok) BreitEdit->setValue(width);
    const int height = settings.value(kHeightKey).toString().toInt(&ok);
    if (ok) HochEdit->setValue(height);
}

void TPrintForm::SaveSettings() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(kSettingsGroup);
    settings.setValue(kWidthKey, QString::number(BreitEdit->value()));
    settings.setValue(kHeightKey, QString::number(HochEdit->value()));
    saved_ = true;
}

void TPrintForm::done(int result) {
    SaveSettings();
    QDialog::done(result);
}

}  // namespace tessora
