#include "output/patternbook.h"

#include <QCoreApplication>

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "output/boardcounts.h"
#include "output/boardpage.h"
#include "output/bookgeometry.h"
#include "output/colourtable.h"
#include "output/overviewpage.h"
#include "output/safesave.h"

namespace tessora {
namespace {

constexpr int kPdfDotsPerInch = 1200;
constexpr double kTableGapMm = 4.0;
constexpr double kTableHeadingMm = 6.0;

class BookPainter {
  public:
    BookPainter(QPagedPaintDevice& device, QPainter& painter)
        : device_(device), painter_(painter), page_(painter) {}

    const PageMetrics& page() const { return page_; }
    bool failed() const { return failed_; }

    void newPage() {
        if (!device_.newPage()) failed_ = true;
    }

    // The table under a heading in `area`, continued on pages of their own under `title`.
    void flowTable(QRectF area, const QString& heading, const QString& title,
                   const std::vector<TableEntry>& entries) {
        std::size_t next = 0;
        while (next < entries.size() && !failed_) {
            if (tableCapacity(page_, area.adjusted(0, page_.dots(kTableHeadingMm), 0, 0)) == 0) {
                newPage();
                drawTitle(title +
                          QCoreApplication::translate("PatternBook", " – Farben (Fortsetzung)"));
                area = QRectF(0, page_.dots(kHeaderMm), page_.width(),
                              page_.height() - page_.dots(kHeaderMm));
            }
            painter_.setPen(Qt::black);
            painter_.setFont(page_.font(3.4, true));
            painter_.drawText(
                QRectF(area.left(), area.top(), area.width(), page_.dots(kTableHeadingMm)),
                Qt::AlignLeft | Qt::AlignVCenter, heading);
            const QRectF rows = area.adjusted(0, page_.dots(kTableHeadingMm), 0, 0);
            next = drawColourTable(painter_, page_, rows, entries, next);
            area = QRectF();  // the rest goes on fresh pages
        }
    }

    void drawTitle(const QString& title) {
        painter_.setPen(Qt::black);
        painter_.setFont(page_.font(4.2, true));
        painter_.drawText(QRectF(0, 0, page_.width(), page_.dots(6)),
                          Qt::AlignLeft | Qt::AlignVCenter, title);
    }

    // The larger of the areas below and beside the board.
    QRectF tableAreaBeside(const QRectF& board) const {
        const double gap = page_.dots(kTableGapMm);
        const QRectF below(0, board.bottom() + gap, page_.width(),
                           page_.height() - board.bottom() - gap);
        const QRectF right(board.right() + gap, board.top(), page_.width() - board.right() - gap,
                           page_.height() - board.top());
        return tableCapacity(page_, right) > tableCapacity(page_, below) ? right : below;
    }

  private:
    QPagedPaintDevice& device_;
    QPainter& painter_;
    PageMetrics page_;
    bool failed_ = false;
};

void paintBoard(BookPainter& book, QPainter& painter, const BoardSheet& base,
                const std::vector<TableEntry>& entries) {
    QRectF lastBoard;
    for (std::size_t rowPiece = 0; rowPiece < base.rowSpans.size(); ++rowPiece) {
        for (std::size_t columnPiece = 0; columnPiece < base.columnSpans.size(); ++columnPiece) {
            BoardSheet sheet = base;
            sheet.rowPiece = rowPiece;
            sheet.columnPiece = columnPiece;
            book.newPage();
            lastBoard = drawBoardSheet(painter, book.page(), sheet);
        }
    }
    book.flowTable(book.tableAreaBeside(lastBoard),
                   QCoreApplication::translate("PatternBook", "Farben dieser Platte"),
                   boardTitle(base.pattern, base.tile, base.boardNumber, base.boardCount), entries);
}

}  // namespace

BookResult paintPatternBook(QPagedPaintDevice& device, const BeadPattern& pattern,
                            const BookOptions& options, const BookCallbacks& callbacks) {
    if (pattern.wide <= 0 || pattern.high <= 0 || options.boardWide <= 0 ||
        options.boardHigh <= 0 || options.pitchMm <= 0) {
        return BookResult::EmptyPattern;
    }
    QPainter painter;
    if (!painter.begin(&device)) return BookResult::CannotStart;
    BookPainter book(device, painter);
    const BoardGrid boards =
        tileBoards(pattern.wide, pattern.high, options.boardWide, options.boardHigh);
    const BeadCounts totals = countBeadsIn(pattern, 0, 0, pattern.wide, pattern.high);
    int totalBeads = 0;
    for (const int count : totals)
        totalBeads += count;

    const QRectF tableArea =
        drawOverview(painter, book.page(), pattern, boards, options, totalBeads);
    book.flowTable(tableArea, QCoreApplication::translate("PatternBook", "Alle Farben"),
                   QCoreApplication::translate("PatternBook", "Übersicht"),
                   tableEntries(totals, pattern));

    const SheetCapacity capacity = pegsPerPage(book.page().sizeMm(), options.pitchMm);
    const std::vector<PegSpan> columnSpans =
        splitPegs(options.boardWide, capacity.columns, kSplitOverlapPegs);
    const std::vector<PegSpan> rowSpans =
        splitPegs(options.boardHigh, capacity.rows, kSplitOverlapPegs);
    const std::vector<BeadCounts> counts = boardCounts(pattern, boards);
    const int boardCount = static_cast<int>(boards.tiles.size());
    for (int k = 0; k < boardCount && !book.failed(); ++k) {
        if (callbacks.cancelled && callbacks.cancelled()) {
            painter.end();
            return BookResult::Cancelled;
        }
        const BoardSheet sheet{pattern,  options,    boards.tiles[static_cast<std::size_t>(k)],
                               k + 1,    boardCount, columnSpans,
                               rowSpans, 0,          0};
        paintBoard(book, painter, sheet,
                   tableEntries(counts[static_cast<std::size_t>(k)], pattern));
        if (callbacks.progress) callbacks.progress(k + 1, boardCount);
    }
    const bool ended = painter.end();
    return ended && !book.failed() ? BookResult::Written : BookResult::WriteFailed;
}

BookResult writePatternBookPdf(const QString& fileName, const BeadPattern& pattern,
                               const BookOptions& options, const BookCallbacks& callbacks) {
    BookResult painted = BookResult::CannotStart;
    const SafeSaveResult saved = saveFileSafely(fileName, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDotsPerInch);
        writer.setPageLayout(bookPageLayout(options));
        writer.setCreator(QStringLiteral("Tessora"));
        writer.setTitle(QCoreApplication::translate("PatternBook", "Vorlage in Originalgröße"));
        painted = paintPatternBook(writer, pattern, options, callbacks);
        return painted == BookResult::Written;
    });
    switch (saved) {
        case SafeSaveResult::Saved:
            return BookResult::Written;
        case SafeSaveResult::CannotCreate:
            return BookResult::CannotStart;
        case SafeSaveResult::WriteFailed:
            return BookResult::WriteFailed;
        case SafeSaveResult::Abandoned:
            return painted;
    }
    return BookResult::WriteFailed;
}

QString bookResultText(BookResult result, const QString& fileName) {
    switch (result) {
        case BookResult::Written:
            return QString();
        case BookResult::Cancelled:
            return QCoreApplication::translate("PatternBook",
                                               "Die Vorlage wurde nicht gespeichert: abgebrochen.");
        case BookResult::EmptyPattern:
            return QCoreApplication::translate("PatternBook",
                                               "Es gibt kein Perlenmuster für die Vorlage.");
        case BookResult::CannotStart:
            return QCoreApplication::translate("PatternBook",
                                               "Die Datei %1 konnte nicht angelegt werden.")
                .arg(fileName);
        case BookResult::WriteFailed:
            return QCoreApplication::translate(
                       "PatternBook",
                       "Die Datei %1 konnte nicht vollständig geschrieben werden; "
                       "eine vorhandene Datei dieses Namens bleibt unverändert.")
                .arg(fileName);
    }
    return QString();
}

}  // namespace tessora
