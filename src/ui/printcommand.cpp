#include "ui/printcommand.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "output/printdialog.h"
#include "output/printjob.h"

namespace tessora {
namespace {

// Without any printer the job goes to a PDF file; the user is told and picks its name.
bool routeToPdfWhenNoPrinter(QWidget* owner, QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) return true;
    QMessageBox::information(
        owner, PrintCommand::tr("Bild drucken"),
        PrintCommand::tr("Es ist kein Drucker eingerichtet. Das Bild wird stattdessen als "
                         "PDF-Datei gespeichert."));
    const QString file =
        QFileDialog::getSaveFileName(owner, PrintCommand::tr("Als PDF-Datei drucken"), QString(),
                                     PrintCommand::tr("PDF-Dateien (*.pdf)"));
    if (file.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                                  ? file
                                  : file + QStringLiteral(".pdf"));
    return true;
}

}  // namespace

PrintCommand::PrintCommand() = default;
PrintCommand::~PrintCommand() = default;

void PrintCommand::run(QWidget* owner, const dib& chart) {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrintDialog dialog(owner, printer_.get());
    dialog.chart = chart;
    if (dialog.exec() != QDialog::Accepted) return;
    if (!routeToPdfWhenNoPrinter(owner, *printer_)) return;
    const PrintResult result = PrintChart(*printer_, chart, dialog.Options());
    if (result != PrintResult::Printed) {
        QMessageBox::warning(owner, tr("Bild drucken"), PrintResultText(result));
    }
}

}  // namespace tessora
