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

class TPrintForm : public QDialog {
    Q_OBJECT
  public:
    // `printer` stays the caller's; the dialog reads its page and lets the user set it up.
    TPrintForm(QWidget* owner, QPrinter* printer);
    ~TPrintForm() override;

    // Handlers.
    void FormShow();
    void PrintPaintBoxPaint();
    void UserdefCheckClick();
    void BreitEditChange();
    void HochEditChange();
    void PrintSetupBtnClick();

    PrintOptions Options() const;
    // Printable page size in device pixels; tests may replace where it comes from.
    std::function<QSize()> pageSize;
    PreviewGeometry Preview() const;

    dib di{};  // borrowed copy of the chart; never released here
    bool inedit = false;

    QWidget* PrintPaintBox = nullptr;
    QRadioButton* UseFullCheck = nullptr;
    QRadioButton* UserdefCheck = nullptr;
    QSpinBox* BreitEdit = nullptr;
    QSpinBox* HochEdit = nullptr;
    QCheckBox* SverhCheck = nullptr;
    QCheckBox* ZentrCheck = nullptr;
    QPushButton* OkBitBtn1 = nullptr;
    QPushButton* CancelBitBtn2 = nullptr;
    QPushButton* PrintSetupBtn = nullptr;

    static constexpr int kPreviewBox = 190;

    // Where the percentages are remembered: group "TPrintForm" of the program's settings.
    void RestoreSettings();
    void SaveSettings();

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
