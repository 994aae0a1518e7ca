#include "output/pdffile.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "imagelib/regularfile.h"
#include "imagelib/replacingfile.h"

namespace tessora {
namespace {

constexpr qint64 kTailBytes = 1024;

// The offset that "startxref" names in a PDF's last bytes, -1 when there is none.
qint64 startXref(const QByteArray& tail) {
    const qsizetype keyword = tail.lastIndexOf("startxref");
    if (keyword < 0 || !tail.trimmed().endsWith("%%EOF")) return -1;
    const QByteArray number =
        tail.mid(keyword + 9, tail.indexOf("%%EOF", keyword) - keyword - 9).trimmed();
    bool ok = false;
    const qint64 offset = number.toLongLong(&ok);
    return ok ? offset : -1;
}

// Whether the file written by the printer is a whole PDF: its tail and the cross-reference the
// tail points to are there, which a write lost anywhere before them would have moved.
bool isCompletePdf(const QString& fileName) {
    QFile file;
    if (openRegularFile(fileName, file) != FileOpenError::None) return false;
    const qint64 size = file.size();
    const qint64 tailAt = std::max<qint64>(0, size - kTailBytes);
    QByteArray tail(static_cast<qsizetype>(size - tailAt), Qt::Uninitialized);
    if (readAt(file, static_cast<std::uint64_t>(tailAt), tail.data(),
               static_cast<std::size_t>(tail.size())) != tail.size()) {
        return false;
    }
    const qint64 xref = startXref(tail);
    if (xref < 0 || xref >= size) return false;
    QByteArray atXref(4, Qt::Uninitialized);
    if (readAt(file, static_cast<std::uint64_t>(xref), atXref.data(), 4) != 4) return false;
    return atXref == "xref";
}

// Restores the printer's target name on every way out.
class RedirectedOutput {
  public:
    RedirectedOutput(QPrinter& printer, const QString& temporary)
        : printer_(printer), target_(printer.outputFileName()) {
        printer_.setOutputFileName(temporary);
    }
    ~RedirectedOutput() { printer_.setOutputFileName(target_); }
    RedirectedOutput(const RedirectedOutput&) = delete;
    RedirectedOutput& operator=(const RedirectedOutput&) = delete;

  private:
    QPrinter& printer_;
    QString target_;
};

PdfWriteResult paintInto(QPrinter& printer, const QString& temporary,
                         const std::function<bool(QPainter&)>& paint) {
    const RedirectedOutput redirected(printer, temporary);
    QPainter painter;
    if (!painter.begin(&printer)) return PdfWriteResult::CannotStart;
    const bool painted = paint(painter);
    const bool ended = painter.end();
    if (!painted) return PdfWriteResult::CannotStart;
    return ended && isCompletePdf(temporary) ? PdfWriteResult::Written
                                             : PdfWriteResult::CannotWrite;
}

}  // namespace

PdfWriteResult writePdfSafely(QPrinter& printer, const std::function<bool(QPainter&)>& paint) {
    ReplacingFile file(printer.outputFileName());
    switch (file.open()) {
        case ReplaceError::None:
            break;
        case ReplaceError::NotRegularTarget:
            return PdfWriteResult::NotRegularTarget;
        default:
            return PdfWriteResult::CannotStart;
    }
    const PdfWriteResult painted = paintInto(printer, file.temporaryFileName(), paint);
    if (painted != PdfWriteResult::Written) return painted;
    return file.commit() == ReplaceError::None ? PdfWriteResult::Written
                                               : PdfWriteResult::CannotWrite;
}

}  // namespace tessora
