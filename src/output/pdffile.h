#pragma once
// Writing a PDF file so that a failed write never costs the old file and never counts as done:
// the pages go into a temporary file beside the target, and the target is replaced only when
// painting ended well and the file is complete down to its closing cross-reference. Shared by
// every PDF the program writes (the print job's PDF output, tessora-cli --pdf).

#include <QString>
#include <functional>

class QPainter;
class QPrinter;

namespace tessora {

enum class PdfWriteResult {
    Written,
    CannotStart,       // the painter could not begin, or `paint` gave up
    CannotWrite,       // the file is incomplete (a full disk): the old file is as it was
    NotRegularTarget,  // the target exists and is not a regular file; it was left alone
};

// Paints on `printer` (PDF output to the file named by its outputFileName) with `paint`, which
// draws every page and returns false to give up. The printer's outputFileName is the same
// afterwards.
PdfWriteResult writePdfSafely(QPrinter& printer, const std::function<bool(QPainter&)>& paint);

}  // namespace tessora
