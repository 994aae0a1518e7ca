#include "engine/gplpalette.h"

#include <QCoreApplication>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>

namespace tessora {
namespace {

constexpr int kMaxNameCharacters = 100;
constexpr int kMaxNumberCharacters = 32;
const QByteArray kMagic = QByteArrayLiteral("GIMP Palette");

// At most `count` characters, never half a surrogate pair, without spaces at either end.
QString clipped(const QString& text, int count) {
    QString clip = text.left(count);
    if (!clip.isEmpty() && clip.back().isHighSurrogate()) clip.chop(1);
    return clip.trimmed();
}

// Control characters would break the line structure when the palette is written again.
QString cleanText(const QString& text) {
    QString clean = text;
    for (QChar& c : clean)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
    return clean.simplified();
}

bool hasDigit(const QString& word) {
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

std::optional<int> channel(const QString& word) {
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < 0 || value > 255) return std::nullopt;
    return value;
}

// "NUMBER NAME", or a name alone that takes the colour's position as its number.
// A first word too long for a number belongs to the name. Only the name is clipped, after the
// split, so that a written palette reads back the same.
void splitNameField(const QString& field, int position, BeadColor& color) {
    const QString text = cleanText(field);
    const qsizetype space = text.indexOf(u' ');
    const QString first = space < 0 ? text : text.left(space);
    if (hasDigit(first) && first.size() <= kMaxNumberCharacters) {
        color.number = first.toStdString();
        color.name = space < 0 ? std::string()
                               : clipped(text.mid(space + 1), kMaxNameCharacters).toStdString();
    } else {
        color.number = std::to_string(position);
        color.name = clipped(text, kMaxNameCharacters).toStdString();
    }
}

std::optional<BeadColor> colorLine(const QString& line, int position) {
    static const QRegularExpression kColor(
        QStringLiteral(R"(^\s*(\S+)\s+(\S+)\s+(\S+)(?:\s+(.*))?$)"));
    const QRegularExpressionMatch match = kColor.match(line);
    if (!match.hasMatch()) return std::nullopt;
    const auto red = channel(match.captured(1));
    const auto green = channel(match.captured(2));
    const auto blue = channel(match.captured(3));
    if (!red || !green || !blue) return std::nullopt;
    BeadColor color{{},
                    {},
                    {static_cast<std::uint8_t>(*red), static_cast<std::uint8_t>(*green),
                     static_cast<std::uint8_t>(*blue)}};
    splitNameField(match.captured(4), position, color);
    return color;
}

bool isHeader(const QString& line, QLatin1StringView key) {
    return line.startsWith(key, Qt::CaseInsensitive);
}

PaletteRead failure(PaletteError error, int line = 0) {
    return {std::nullopt, error, line};
}

}  // namespace

PaletteRead parseGimpPalette(QByteArrayView bytes, const QString& fallbackName) {
    if (bytes.size() > kMaxPaletteFileBytes) return failure(PaletteError::TooLarge);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    BeadRange range{clipped(cleanText(fallbackName), kMaxNameCharacters).toStdString(), {}};
    int lineNumber = 0;
    while (!bytes.isEmpty()) {
        ++lineNumber;
        const qsizetype end = bytes.indexOf('\n');
        QByteArrayView raw = end < 0 ? bytes : bytes.first(end);
        bytes = end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
        if (raw.endsWith('\r')) raw.chop(1);
        if (lineNumber == 1) {
            if (raw.trimmed() != kMagic) return failure(PaletteError::NotAPalette);
            continue;
        }
        if (raw.size() > kMaxPaletteLineBytes) return failure(PaletteError::BadLine, lineNumber);
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        if (isHeader(line, QLatin1StringView("Name:"))) {
            const QString name = clipped(cleanText(line.mid(5)), kMaxNameCharacters);
            if (!name.isEmpty()) range.name = name.toStdString();
            continue;
        }
        if (isHeader(line, QLatin1StringView("Columns:"))) continue;
        if (range.size() == kMaxRangeColors) return failure(PaletteError::TooManyColors);
        auto color = colorLine(line, range.size() + 1);
        if (!color) return failure(PaletteError::BadLine, lineNumber);
        range.colors.push_back(std::move(*color));
    }
    if (lineNumber == 0) return failure(PaletteError::NotAPalette);
    if (range.colors.empty()) return failure(PaletteError::NoColors);
    return {std::move(range), PaletteError::None, 0};
}

PaletteRead readGimpPalette(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return failure(PaletteError::CannotOpen);
    // One byte beyond the limit tells a file that is too large from one that just fits.
    const QByteArray bytes = file.read(kMaxPaletteFileBytes + 1);
    return parseGimpPalette(bytes, QFileInfo(fileName).completeBaseName());
}

QByteArray gimpPaletteBytes(const BeadRange& range, const LPAL& pal, std::span<const bool> ticks) {
    QByteArray bytes =
        kMagic + "\nName: " + QByteArray::fromStdString(range.name) + "\nColumns: 8\n#\n";
    const int entries =
        std::min({range.size(), static_cast<int>(pal.num), static_cast<int>(ticks.size())});
    for (int i = 0; i < entries; ++i) {
        if (!ticks[static_cast<std::size_t>(i)]) continue;
        const BeadColor& color = range.colors[static_cast<std::size_t>(i)];
        const PalEntry& entry = pal.rgb0[i];
        bytes += QStringLiteral("%1 %2 %3\t")
                     .arg(entry.peRed, 3)
                     .arg(entry.peGreen, 3)
                     .arg(entry.peBlue, 3)
                     .toLatin1();
        bytes += QByteArray::fromStdString(color.number);
        if (!color.name.empty()) bytes += ' ' + QByteArray::fromStdString(color.name);
        bytes += '\n';
    }
    return bytes;
}

PaletteError writeGimpPalette(const QString& fileName, const BeadRange& range, const LPAL& pal,
                              std::span<const bool> ticks) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return PaletteError::CannotWrite;
    const QByteArray bytes = gimpPaletteBytes(range, pal, ticks);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return PaletteError::CannotWrite;
    }
    return file.commit() ? PaletteError::None : PaletteError::CannotWrite;
}

QString paletteErrorText(PaletteError error, int line) {
    switch (error) {
        case PaletteError::None:
            return {};
        case PaletteError::CannotOpen:
            return QCoreApplication::translate("Palette",
                                               "Die Palette konnte nicht geöffnet werden.");
        case PaletteError::CannotWrite:
            return QCoreApplication::translate("Palette",
                                               "Die Palette konnte nicht geschrieben werden.");
        case PaletteError::TooLarge:
            return QCoreApplication::translate("Palette",
                                               "Die Palettendatei ist größer als 1 MiB.");
        case PaletteError::NotAPalette:
            return QCoreApplication::translate("Palette",
                                               "Die Datei ist keine GIMP-Palette (.gpl).");
        case PaletteError::BadLine:
            return QCoreApplication::translate("Palette", "Zeile %1 der Palette ist keine Farbe.")
                .arg(line);
        case PaletteError::TooManyColors:
            return QCoreApplication::translate("Palette", "Die Palette hat mehr als %1 Farben.")
                .arg(kMaxRangeColors);
        case PaletteError::NoColors:
            return QCoreApplication::translate("Palette", "Die Palette enthält keine Farbe.");
    }
    return {};
}

}  // namespace tessora
