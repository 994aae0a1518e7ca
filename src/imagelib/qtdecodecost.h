#pragma once
// What reading a picture through Qt costs in memory, known from its header before anything is
// decoded: Qt's image, the record made from it, and for a progressive JPEG the decoder's
// coefficients. A picture whose cost exceeds the load budget is refused as too large for the
// memory available, so loading and then calculating stay within about 1 GB.

#include <QByteArray>
#include <QImageReader>
#include <cstdint>

namespace tessora {

// Bytes that loading one picture may take at its peak.
constexpr std::uint64_t kDefaultLoadMemoryBudget = std::uint64_t{900} << 20;

std::uint64_t LoadMemoryBudget();
void SetLoadMemoryBudget(std::uint64_t bytes);  // 0 restores the default

// How far into a JPEG file the frame header is looked for.
constexpr qint64 kJpegMarkerScanBytes = 64 * 1024;

// True when the JPEG's frame header, found among `head` (the file's first bytes), is
// progressive; libjpeg then holds every coefficient of the picture at once.
bool isProgressiveJpeg(const QByteArray& head);

// Peak bytes of reading the picture of `size` that `reader` is on.
std::uint64_t QtDecodeCost(QImageReader& reader, QSize size, const QByteArray& head);

}  // namespace tessora
