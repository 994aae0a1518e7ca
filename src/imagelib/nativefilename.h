#pragma once
// File names as Linux keeps them: bytes, which need not be UTF-8. A QString carries a byte that
// is no part of valid UTF-8 as a lone low surrogate U+DC80 … U+DCFF, which no real name
// contains, so every name survives the trip QString → bytes → QString unchanged.

#include <QByteArray>
#include <QString>

namespace tessora {

// The name's bytes as the system spells them.
QByteArray nativeFileName(const QString& fileName);

// The name for the given bytes: plain UTF-8 decoding where the bytes are valid.
QString fileNameFromNative(const QByteArray& nativeName);

}  // namespace tessora
