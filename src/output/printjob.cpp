#include "output/printjob.h"

#include <QCoreApplication>

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include "output/chartdrawing.h"
#include "output/pdffile.h"

namespace tessora {

QSize PrintablePageSize(const QPrinter& printer) {
    return printer.pageLayout().paintRectPixels(printer.resolution()).size();
}

namespace {

PrintResult printResultFor(PdfWriteResult result) {
    switch (result) {
        case PdfWriteResult::Written:
            return PrintResult::Printed;
        case PdfWriteResult::CannotStart:
            return PrintResult::CannotStart;
        case PdfWriteResult::CannotWrite:
            return PrintResult::CannotWrite;
        case PdfWriteResult::NotRegularTarget:
            break;
    }
    return PrintResult::NotRegularTarget;
}

}  // namespace

PrintResult PrintChart(QPrinter& printer, const dib& chart, const PrintOptions& options) {
    const QSize page = PrintablePageSize(printer);
    const QRect target =
        PrintedChartRect(page.width(), page.height(), DibWidth(chart), DibHeight(chart), options);
    if (target.isEmpty()) return PrintResult::EmptyChart;
    printer.setDocName(kPrintJobTitle);
    const auto draw = [&](QPainter& painter) {
        DrawChartOnPrinter(painter, target, chart);
        return true;
    };
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return printResultFor(writePdfSafely(printer, draw));
    QPainter painter;
    if (!painter.begin(&printer)) return PrintResult::CannotStart;
    draw(painter);
    painter.end();
    return PrintResult::Printed;
}

PrintResult PrintChartToPdf(const dib& chart, const QString& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    return PrintChart(printer, chart, PrintOptions{});
}

QString PrintResultText(PrintResult result) {
    switch (result) {
        case PrintResult::Printed:
            return QString();
        case PrintResult::EmptyChart:
            return QCoreApplication::translate("PrintJob", "Es gibt kein Bild zum Drucken.");
        case PrintResult::CannotStart:
            return QCoreApplication::translate(
                "PrintJob",
                "Der Druckauftrag konnte nicht gestartet werden. "
                "Bitte prüfen Sie den Drucker oder den Namen der Ausgabedatei.");
        case PrintResult::CannotWrite:
            return QCoreApplication::translate(
                "PrintJob",
                "Die PDF-Datei konnte nicht vollständig geschrieben werden (Datenträger voll?). "
                "Eine vorhandene Datei bleibt unverändert.");
        case PrintResult::NotRegularTarget:
            return QCoreApplication::translate(
                "PrintJob", "Das Ziel ist keine gewöhnliche Datei und wird nicht überschrieben.");
    }
    return QString();
}

}  // namespace tessora
