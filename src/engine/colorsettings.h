#pragma once
// The colour settings file (.frb): the ticks of the colour list and the palette colours. No
// header; integers are 32-bit little-endian:
//   n (signed), n tick bytes (1 ticked, 0 not), m (signed), m x (red, green, blue).
// The program writes n = 64 and m = 64, 264 bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <span>

#include "imagelib/dib.h"

namespace tessora {

// The file's bytes for these ticks and the first pal.num entries of `pal` (at most 256).
QByteArray colorSettingsBytes(std::span<const bool> ticks, const LPAL& pal);

// Applies a file's bytes: tick i for every flag byte with i below ticks.size(), palette entry i
// for every complete colour with i below 256. Whatever the file lacks stays as it is; counts
// of 0 or less read nothing; the entry count of `pal` never changes.
void applyColorSettings(QByteArrayView bytes, std::span<bool> ticks, LPAL& pal);

// Writes the file in one piece: a failed write leaves no partial file and an existing file as
// it was. False when it could not be written.
bool saveColorSettings(const QString& fileName, std::span<const bool> ticks, const LPAL& pal);

// Reads the file and applies it. False when it could not be opened; nothing is changed then.
bool openColorSettings(const QString& fileName, std::span<bool> ticks, LPAL& pal);

}  // namespace tessora
