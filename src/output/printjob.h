#pragma once
// Printing the chart on one page of a printer (or a PDF file).

#include <QSize>
#include <QString>

#include "imagelib/dib.h"
#include "output/printgeometry.h"

class QPrinter;

namespace tessora {

inline const QString kPrintJobTitle = QStringLiteral("Ondrel Bild");

// The printable area of the printer's page in device pixels.
QSize PrintablePageSize(const QPrinter& printer);

enum class PrintResult {
    Printed,
    EmptyChart,
    CannotStart,
    CannotWrite,       // PDF output incomplete (a full disk); an old file is as it was
    NotRegularTarget,  // PDF output onto a device node, FIFO or folder, refused
};

// Starts a job titled "Ondrel Bild", draws the chart where the options put it and ends the job.
// PDF output goes through writePdfSafely: the target changes only when the file is complete.
PrintResult PrintChart(QPrinter& printer, const dib& chart, const PrintOptions& options);

// A PDF file of the chart on an A4 portrait page with the print dialog's start settings.
PrintResult PrintChartToPdf(const dib& chart, const QString& fileName);

// German text for a failed print.
QString PrintResultText(PrintResult result);

}  // namespace tessora
