#pragma once
// The colour settings file (.frb): the ticks of the colour list and the palette colours. No
// header; integers are 32-bit little-endian:
//   n (signed), n tick bytes (1 ticked, 0 not), m (signed), m x (red, green, blue).
// The program writes n = 64 and m = 64, 264 bytes. A file is well formed when n >= 0, m >= 0
// and its length is exactly 4 + n + 4 + 3 m; anything else is no colour settings file.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <span>

#include "imagelib/dib.h"

namespace tessora {

enum class ColorSettingsError {
    None,
    NotFound,
    NotRegularFile,    // a folder, FIFO or device; never opened, so never waited for
    CannotOpen,        // no permission
    NotColorSettings,  // not well formed by its own counts; nothing was changed
    CannotWrite,       // the old file, if any, is as it was
    NotRegularTarget,  // the target exists and is not a regular file; it was left alone
};

// German text for the window and tessora-cli; empty for None.
QString colorSettingsErrorText(ColorSettingsError error);

// The file's bytes for these ticks and the first pal.num entries of `pal` (at most 256).
QByteArray colorSettingsBytes(std::span<const bool> ticks, const LPAL& pal);

// Applies a well-formed file's bytes: tick i for every flag byte with i below ticks.size(),
// palette entry i for every colour with i below 256; the entry count of `pal` never changes.
// False, and nothing changed, for bytes that are not well formed.
bool applyColorSettings(QByteArrayView bytes, std::span<bool> ticks, LPAL& pal);

// Writes the file in one piece: every write, the flush, the sync and the close are checked, and
// only a complete file replaces an existing one.
ColorSettingsError writeColorSettingsFile(const QString& fileName, std::span<const bool> ticks,
                                          const LPAL& pal);

// Reads the file and applies it; on any error nothing is changed. Only the counts, the ticks
// that exist and at most 256 colours are read, whatever the file's size.
ColorSettingsError readColorSettingsFile(const QString& fileName, std::span<bool> ticks, LPAL& pal);

// The same, reduced to whether it worked.
bool saveColorSettings(const QString& fileName, std::span<const bool> ticks, const LPAL& pal);
bool openColorSettings(const QString& fileName, std::span<bool> ticks, LPAL& pal);

}  // namespace tessora
