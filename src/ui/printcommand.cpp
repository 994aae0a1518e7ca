// The print command: the print dialog, then one page with the chart.

#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "output/printform.h"
#include "output/printjob.h"
#include "ui/mainform.h"

namespace tessora {
namespace {

// Without any printer the job goes to a PDF file; the user is told and picks its name.
bool routeToPdfWhenNoPrinter(QWidget* owner, QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) return true;
    QMessageBox::information(
        owner, QStringLiteral("Bild drucken"),
        QStringLiteral("Es ist kein Drucker eingerichtet. Das Bild wird stattdessen als "
                       "PDF-Datei gespeichert."));
    const QString file =
        QFileDialog::getSaveFileName(owner, QStringLiteral("Als PDF-Datei drucken"), QString(),
                                     QStringLiteral("PDF-Dateien (*.pdf)"));
    if (file.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                                  ? file
                                  : file + QStringLiteral(".pdf"));
    return true;
}

}  // namespace

void TMainForm::PrintBtnClick() {
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    TPrintForm PrintForm(this, printer.get());
    PrintForm.di = rdi;
    if (PrintForm.exec() != QDialog::Accepted) return;
    if (!routeToPdfWhenNoPrinter(this, *printer)) return;
    const PrintResult result = PrintChart(*printer, rdi, PrintForm.Options());
    if (result != PrintResult::Printed) {
        QMessageBox::warning(this, QStringLiteral("Bild drucken"), PrintResultText(result));
    }
}

}  // namespace tessora
