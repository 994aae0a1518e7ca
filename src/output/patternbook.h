#pragma once
// The pattern book: an overview page and every board at true size, in reading order, painted
// onto any paged device (a PDF file, or a printer and its preview).

#include <QString>
#include <functional>

#include "output/beadpattern.h"
#include "output/boardlayout.h"

class QPagedPaintDevice;

namespace tessora {

struct BookCallbacks {
    std::function<void(int boardsDone, int boardCount)> progress;  // after every board
    std::function<bool()> cancelled;                               // asked before every board
};

enum class BookResult { Written, Cancelled, EmptyPattern, CannotStart, WriteFailed };

// Paints the book onto `device`, whose page layout is already set (bookPageLayout for a file,
// the print dialog's for a printer). Boards are cut into sheets when a page is too small.
BookResult paintPatternBook(QPagedPaintDevice& device, const BeadPattern& pattern,
                            const BookOptions& options, const BookCallbacks& callbacks = {});

// The book as a vector PDF at 1200 dpi, replacing `fileName` only when it was written whole.
BookResult writePatternBookPdf(const QString& fileName, const BeadPattern& pattern,
                               const BookOptions& options, const BookCallbacks& callbacks = {});

// German text for a book that was not written.
QString bookResultText(BookResult result, const QString& fileName);

}  // namespace tessora
