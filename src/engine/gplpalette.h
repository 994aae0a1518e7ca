#pragma once
// Palette files in the exchange format that paint programs share (.gpl): a first line
// "GIMP Palette", optional "Name:" and "Columns:" lines, comments after '#', then one colour per
// line: red, green and blue 0 to 255 and a name field. The name field holds "NUMBER NAME"
// ("H01 Weiß"); a field whose first word has no digit is a name alone, and the colour's
// position in the file (1, 2, ...) becomes its number.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <span>

#include "engine/beadrange.h"

namespace tessora {

constexpr qint64 kMaxPaletteFileBytes = qint64{1} << 20;
constexpr int kMaxPaletteLineBytes = 1024;

enum class PaletteError {
    None,
    CannotOpen,
    CannotWrite,
    TooLarge,       // more than kMaxPaletteFileBytes
    NotAPalette,    // no "GIMP Palette" line first
    BadLine,        // a line that is neither a colour, a comment nor a known header
    TooManyColors,  // more than a range can hold
    NoColors,
};

struct PaletteRead {
    std::optional<BeadRange> range;  // set exactly when error is None
    PaletteError error = PaletteError::None;
    int line = 0;  // the line of a BadLine, counted from 1
};

// `fallbackName` names the range when the file has no "Name:" line.
PaletteRead parseGimpPalette(QByteArrayView bytes, const QString& fallbackName);

// Reads a file; the range is named after the file when it names itself nowhere.
PaletteRead readGimpPalette(const QString& fileName);

// The ticked colours of `range`, with the colours of `pal` as edited.
QByteArray gimpPaletteBytes(const BeadRange& range, const LPAL& pal, std::span<const bool> ticks);

// Writes the file in one piece; a failed write leaves an existing file as it was.
PaletteError writeGimpPalette(const QString& fileName, const BeadRange& range, const LPAL& pal,
                              std::span<const bool> ticks);

// A German sentence for the user.
QString paletteErrorText(PaletteError error, int line = 0);

}  // namespace tessora
