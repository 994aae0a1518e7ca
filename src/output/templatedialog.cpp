#include "output/templatedialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "output/bookgeometry.h"

namespace tessora {
namespace {

QString titleText() {
    return TemplateDialog::tr("Vorlage in Originalgröße");
}

QSpinBox* makePegSpin(const QString& objectName) {
    auto* spin = new QSpinBox;
    spin->setObjectName(objectName);
    spin->setRange(1, kMaxBoardPegs);
    return spin;
}

QPushButton* makeButton(const QString& text, const QString& objectName) {
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QString paperText(Paper paper, bool landscape) {
    return QStringLiteral("%1, %2").arg(
        paper == Paper::Letter ? QStringLiteral("Letter") : QStringLiteral("A4"),
        landscape ? TemplateDialog::tr("Querformat") : TemplateDialog::tr("Hochformat"));
}

}  // namespace

TemplateDialog::TemplateDialog(QWidget* owner, QPrinter* printer, BeadPattern pattern)
    : QDialog(owner), printer_(printer), pattern_(std::move(pattern)) {
    setObjectName(QStringLiteral("templateDialog"));
    setWindowTitle(titleText());
    build();
    const BookChoices remembered = loadBookChoices();
    printer_->setPageLayout(bookPageLayout(remembered.options));
    showChoices(remembered);
}

void TemplateDialog::build() {
    beadSizeBox = new QComboBox;
    beadSizeBox->setObjectName(QStringLiteral("beadSizeBox"));
    beadSizeBox->addItems(
        {tr("Midi (5 mm)"), tr("Mini (2,5 mm)"), tr("Maxi (10 mm)"), tr("Freier Abstand")});
    pitchSpin = new QDoubleSpinBox;
    pitchSpin->setObjectName(QStringLiteral("pitchSpin"));
    pitchSpin->setRange(kMinPitchMm, kMaxPitchMm);
    pitchSpin->setDecimals(2);
    pitchSpin->setSingleStep(0.1);
    pitchSpin->setSuffix(QStringLiteral(" mm"));
    boardWideSpin = makePegSpin(QStringLiteral("boardWideSpin"));
    boardHighSpin = makePegSpin(QStringLiteral("boardHighSpin"));
    boardCountLabel = new QLabel;
    boardCountLabel->setObjectName(QStringLiteral("boardCountLabel"));
    paperLabel = new QLabel;
    paperLabel->setObjectName(QStringLiteral("paperLabel"));
    paperSetupButton = makeButton(tr("Papier einrichten..."), QStringLiteral("paperSetupButton"));
    previewButton = makeButton(tr("Vorschau..."), QStringLiteral("previewButton"));
    savePdfButton = makeButton(tr("Als PDF speichern…"), QStringLiteral("savePdfButton"));
    printButton = makeButton(tr("Drucken..."), QStringLiteral("printButton"));
    closeButton = makeButton(tr("Schließen"), QStringLiteral("closeButton"));

    auto* board = new QHBoxLayout;
    board->addWidget(boardWideSpin);
    board->addWidget(new QLabel(QStringLiteral("×")));
    board->addWidget(boardHighSpin);
    board->addStretch(1);
    auto* paper = new QHBoxLayout;
    paper->addWidget(paperLabel, 1);
    paper->addWidget(paperSetupButton);
    auto* form = new QFormLayout;
    form->addRow(tr("Perlengröße:"), beadSizeBox);
    form->addRow(tr("Abstand der Stifte:"), pitchSpin);
    form->addRow(tr("Plattengröße in Stiften:"), board);
    form->addRow(QString(), boardCountLabel);
    form->addRow(tr("Papier:"), paper);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {previewButton, savePdfButton, printButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(beadSizeBox, &QComboBox::activated, this, &TemplateDialog::onBeadSizeChosen);
    connect(boardWideSpin, &QSpinBox::valueChanged, this, &TemplateDialog::updateBoardCount);
    connect(boardHighSpin, &QSpinBox::valueChanged, this, &TemplateDialog::updateBoardCount);
    connect(paperSetupButton, &QPushButton::clicked, this, &TemplateDialog::onPaperSetupClicked);
    connect(previewButton, &QPushButton::clicked, this, &TemplateDialog::onPreviewClicked);
    connect(savePdfButton, &QPushButton::clicked, this, &TemplateDialog::onSavePdfClicked);
    connect(printButton, &QPushButton::clicked, this, &TemplateDialog::onPrintClicked);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TemplateDialog::showChoices(const BookChoices& choices) {
    beadSizeBox->setCurrentIndex(static_cast<int>(choices.bead));
    pitchSpin->setValue(choices.options.pitchMm);
    pitchSpin->setEnabled(choices.bead == BeadChoice::Free);
    boardWideSpin->setValue(choices.options.boardWide);
    boardHighSpin->setValue(choices.options.boardHigh);
    paper_ = choices.options.paper;
    landscape_ = choices.options.landscape;
    paperLabel->setText(paperText(paper_, landscape_));
    updateBoardCount();
}

BookChoices TemplateDialog::choices() const {
    BookChoices choices;
    choices.bead = static_cast<BeadChoice>(beadSizeBox->currentIndex());
    choices.options.pitchMm = pitchSpin->value();
    choices.options.boardWide = boardWideSpin->value();
    choices.options.boardHigh = boardHighSpin->value();
    choices.options.paper = paper_;
    choices.options.landscape = landscape_;
    return choices;
}

// A named bead size brings its pitch and its usual board; a free pitch keeps the board.
void TemplateDialog::onBeadSizeChosen(int index) {
    BookChoices chosen = choices();
    chosen.bead = static_cast<BeadChoice>(index);
    if (chosen.bead != BeadChoice::Free) {
        const BookOptions defaults = bookOptionsFor(static_cast<BeadSize>(index));
        chosen.options.pitchMm = defaults.pitchMm;
        chosen.options.boardWide = defaults.boardWide;
        chosen.options.boardHigh = defaults.boardHigh;
    }
    showChoices(chosen);
}

void TemplateDialog::updateBoardCount() {
    const BoardGrid boards =
        tileBoards(pattern_.wide, pattern_.high, boardWideSpin->value(), boardHighSpin->value());
    if (boards.tiles.size() == 1) {
        boardCountLabel->setText(
            tr("%1 × %2 Perlen auf einer Platte").arg(pattern_.wide).arg(pattern_.high));
        return;
    }
    boardCountLabel->setText(tr("%1 × %2 Perlen auf %3 Platten (%4 × %5)")
                                 .arg(pattern_.wide)
                                 .arg(pattern_.high)
                                 .arg(boards.tiles.size())
                                 .arg(boards.columns)
                                 .arg(boards.rows));
}

void TemplateDialog::takePaperFromPrinter() {
    const QPageLayout layout = printer_->pageLayout();
    paper_ = layout.pageSize().id() == QPageSize::Letter ? Paper::Letter : Paper::A4;
    landscape_ = layout.orientation() == QPageLayout::Landscape;
    paperLabel->setText(paperText(paper_, landscape_));
}

void TemplateDialog::onPaperSetupClicked() {
    QPageSetupDialog setup(printer_, this);
    setup.setWindowTitle(tr("Papier einrichten"));
    if (setup.exec() == QDialog::Accepted) takePaperFromPrinter();
}

BookResult TemplateDialog::makeBook(const std::function<BookResult(const BookCallbacks&)>& paint) {
    QProgressDialog progress(tr("Die Vorlage wird erstellt..."), tr("Abbrechen"), 0, 1, this);
    progress.setWindowTitle(titleText());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    BookCallbacks callbacks;
    // A modal progress dialog handles pending events in setValue, so the window keeps painting.
    callbacks.progress = [&progress](int done, int count) {
        progress.setMaximum(count);
        progress.setValue(done);
    };
    callbacks.cancelled = [&progress] { return progress.wasCanceled(); };
    return paint(callbacks);
}

void TemplateDialog::reportFailure(BookResult result, const QString& fileName) {
    if (result == BookResult::Written || result == BookResult::Cancelled) return;
    QMessageBox::warning(this, titleText(), bookResultText(result, fileName));
}

BookResult TemplateDialog::savePdf(const QString& fileName) {
    const BookOptions options = choices().options;
    return makeBook([&](const BookCallbacks& callbacks) {
        return writePatternBookPdf(fileName, pattern_, options, callbacks);
    });
}

void TemplateDialog::onSavePdfClicked() {
    QString file = QFileDialog::getSaveFileName(this, tr("Als PDF speichern"), lastPdfFile_,
                                                tr("PDF-Dateien (*.pdf)"));
    if (file.isEmpty()) return;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        // The file dialog asked about the name without the extension; ask about the real one.
        file += QStringLiteral(".pdf");
        if (QFileInfo::exists(file) &&
            QMessageBox::question(
                this, titleText(),
                tr("Die Datei %1 gibt es schon. Ersetzen?").arg(QFileInfo(file).fileName())) !=
                QMessageBox::Yes) {
            return;
        }
    }
    lastPdfFile_ = file;
    reportFailure(savePdf(file), file);
}

void TemplateDialog::onPreviewClicked() {
    QPrintPreviewDialog preview(printer_, this);
    preview.setWindowTitle(tr("Vorschau – %1").arg(titleText()));
    const BookOptions options = choices().options;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* printer) {
        makeBook([&](const BookCallbacks& callbacks) {
            return paintPatternBook(*printer, pattern_, options, callbacks);
        });
    });
    preview.exec();
    takePaperFromPrinter();
}

void TemplateDialog::onPrintClicked() {
    QPrintDialog dialog(printer_, this);
    dialog.setWindowTitle(tr("Vorlage drucken"));
    if (dialog.exec() != QDialog::Accepted) return;
    takePaperFromPrinter();
    const BookOptions options = choices().options;
    const BookResult result = makeBook([&](const BookCallbacks& callbacks) {
        BookCallbacks printing = callbacks;
        printing.cancelled = [&] {
            if (!callbacks.cancelled()) return false;
            printer_->abort();  // the boards painted so far never reach the printer
            return true;
        };
        return paintPatternBook(*printer_, pattern_, options, printing);
    });
    if (printer_->outputFileName().isEmpty() && result != BookResult::Written &&
        result != BookResult::Cancelled && result != BookResult::EmptyPattern) {
        QMessageBox::warning(this, titleText(), tr("Die Vorlage konnte nicht gedruckt werden."));
        return;
    }
    reportFailure(result, printer_->outputFileName());
}

void TemplateDialog::done(int result) {
    saveBookChoices(choices());
    QDialog::done(result);
}

}  // namespace tessora
