#include "imagelib/nativefilename.h"

#include <QUtf8StringView>

namespace tessora {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isEscapedByte(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

// Length of the valid UTF-8 sequence starting at `at`, 0 when the bytes there are not one.
qsizetype validSequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) return 1;
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > bytes.size()) return 0;
    return QUtf8StringView(bytes.constData() + at, length).isValidUtf8() ? length : 0;
}

}  // namespace

QByteArray nativeFileName(const QString& fileName) {
    QByteArray bytes;
    bytes.reserve(fileName.size());
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < fileName.size(); ++i) {
        const char16_t unit = fileName[i].unicode();
        const bool afterHighSurrogate = i > 0 && QChar::isHighSurrogate(fileName[i - 1].unicode());
        if (!isEscapedByte(unit) || afterHighSurrogate) continue;
        bytes += QStringView(fileName).mid(plainFrom, i - plainFrom).toUtf8();
        bytes += static_cast<char>(unit - kEscapeBase);
        plainFrom = i + 1;
    }
    bytes += QStringView(fileName).mid(plainFrom).toUtf8();
    return bytes;
}

QString fileNameFromNative(const QByteArray& nativeName) {
    if (QUtf8StringView(nativeName).isValidUtf8()) return QString::fromUtf8(nativeName);
    QString name;
    name.reserve(nativeName.size());
    for (qsizetype at = 0; at < nativeName.size();) {
        const qsizetype length = validSequenceLength(nativeName, at);
        if (length == 0) {
            name += QChar(
                static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(nativeName[at])));
            ++at;
            continue;
        }
        name += QString::fromUtf8(nativeName.constData() + at, length);
        at += length;
    }
    return name;
}

}  // namespace tessora
