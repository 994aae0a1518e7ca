#pragma once
// The dialog "Vorlage in Originalgröße": bead size, peg pitch and board size of the pattern
// book, the paper through Qt's own dialogs, a preview, saving as PDF and printing. Its choices
// are remembered per user when it closes.

#include <QDialog>
#include <functional>

#include "output/beadpattern.h"
#include "output/bookchoices.h"
#include "output/patternbook.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace tessora {

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    // `printer` stays the caller's; its page follows the remembered paper.
    TemplateDialog(QWidget* owner, QPrinter* printer, BeadPattern pattern);

    BookChoices choices() const;

    // Handlers.
    void onBeadSizeChosen(int index);
    void onPaperSetupClicked();
    void onPreviewClicked();
    void onSavePdfClicked();
    void onPrintClicked();

    // Writes the book to `fileName` with a cancellable progress dialog.
    BookResult savePdf(const QString& fileName);

    void done(int result) override;

    QComboBox* beadSizeBox = nullptr;
    QDoubleSpinBox* pitchSpin = nullptr;
    QSpinBox* boardWideSpin = nullptr;
    QSpinBox* boardHighSpin = nullptr;
    QLabel* boardCountLabel = nullptr;
    QLabel* paperLabel = nullptr;
    QPushButton* paperSetupButton = nullptr;
    QPushButton* previewButton = nullptr;
    QPushButton* savePdfButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* closeButton = nullptr;

  private:
    void build();
    void showChoices(const BookChoices& choices);
    void takePaperFromPrinter();
    void updateBoardCount();
    BookResult makeBook(const std::function<BookResult(const BookCallbacks&)>& paint);
    void reportFailure(BookResult result, const QString& fileName);

    QPrinter* printer_;
    BeadPattern pattern_;
    Paper paper_ = Paper::A4;
    bool landscape_ = false;
    QString lastPdfFile_;
};

}  // namespace tessora
