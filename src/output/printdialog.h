#pragma once
// The print dialog "Bild drucken...": size and position of the chart on the page, a preview,
// and the printer set-up. The two size percentages are remembered per user.

#include <QDialog>
#include <functional>

#include "imagelib/dib.h"
#include "output/printgeometry.h"

class QCheckBox;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tessora {

class PaintArea;

class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    // `printer` stays the caller's; the dialog reads its page and lets the user set it up.
    PrintDialog(QWidget* owner, QPrinter* printer);
    ~PrintDialog() override;

    // Handlers.
    void onShown();
    void repaintPreview();
    void onCustomSizeClicked();
    void onWidthPercentChanged();
    void onHeightPercentChanged();
    void onPrinterSetupClicked();

    PrintOptions Options() const;
    // Printable page size in device pixels; tests may replace where it comes from.
    std::function<QSize()> pageSize;
    PreviewGeometry Preview() const;

    dib chart{};  // borrowed copy of the chart; never released here
    bool coupling = false;

    QWidget* previewBox = nullptr;
    QRadioButton* fullPageRadio = nullptr;
    QRadioButton* customSizeRadio = nullptr;
    QSpinBox* widthPercentSpin = nullptr;
    QSpinBox* heightPercentSpin = nullptr;
    QCheckBox* keepAspectCheck = nullptr;
    QCheckBox* centreCheck = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* printerSetupButton = nullptr;

    static constexpr int kPreviewBox = 190;

    // Where the percentages are remembered: group "TPrintForm" of the program's settings.
    void restorePercentages();
    void savePercentages();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    void paintPreview(QPainter& canvas);
    void coupleFromWidth(bool fromPaint);
    void updateOkButton();

    QPrinter* printer_;
    bool saved_ = false;
    bool painting_ = false;
};

}  // namespace tessora
