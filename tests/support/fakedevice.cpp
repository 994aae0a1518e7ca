#include "fakedevice.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace tessora::test {
namespace {

std::size_t storedRowBytes(const BitmapInfoHeader& header) {
    return static_cast<std::size_t>((std::int64_t{header.biWidth} * header.biBitCount + 31) / 32 *
                                    4);
}

void copyImage(RecordedCall& r, const std::uint8_t* bits, const BitmapInfoHeader* header,
               int rows) {
    r.bits = bits;
    if (header == nullptr) return;
    r.imageWidth = header->biWidth;
    r.imageHeight = header->biHeight;
    r.imageBits = header->biBitCount;
    if (header->biBitCount <= 8) {
        const auto* table = reinterpret_cast<const RgbQuad*>(header + 1);
        r.colorTable.assign(table, table + (1 << header->biBitCount));
    }
    if (bits != nullptr && rows > 0)
        r.pixels.assign(bits, bits + storedRowBytes(*header) * static_cast<std::size_t>(rows));
}

}  // namespace

std::vector<RecordedCall> FakeDevice::callsOf(Call call) const {
    std::vector<RecordedCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [call](const RecordedCall& r) { return r.call == call; });
    return found;
}

std::vector<Call> FakeDevice::sequence() const {
    std::vector<Call> order;
    for (const RecordedCall& r : calls)
        order.push_back(r.call);
    return order;
}

RecordedCall& FakeDevice::record(Call call) {
    RecordedCall recorded{};
    recorded.call = call;
    calls.push_back(std::move(recorded));
    return calls.back();
}

StretchMode FakeDevice::setStretchMode(StretchMode mode) {
    record(Call::SetStretchMode).mode = mode;
    return StretchMode::BlackOnWhite;
}

int FakeDevice::stretchDIBits(const IntRect& dest, const IntRect& source, const std::uint8_t* bits,
                              const BitmapInfoHeader* header, std::uint32_t rop) {
    RecordedCall& r = record(Call::StretchDIBits);
    r.dest = dest;
    r.source = source;
    r.rop = rop;
    copyImage(r, bits, header, header == nullptr ? 0 : header->biHeight);
    return refuses(Call::StretchDIBits) ? kGdiError : source.height;
}

int FakeDevice::setDIBitsToDevice(const IntRect& dest, int sourceX, int sourceY, int startScan,
                                  int scanLines, const std::uint8_t* bits,
                                  const BitmapInfoHeader* header) {
    RecordedCall& r = record(Call::SetDIBitsToDevice);
    r.dest = dest;
    r.source = IntRect{sourceX, sourceY, 0, 0};
    r.startScan = startScan;
    r.scanLines = scanLines;
    copyImage(r, bits, header, scanLines);
    if (scribbleAfterOutput && bits != nullptr && header != nullptr) {
        // The caller handed over its buffer; scribbling on it shows whether it is filled again.
        std::memset(const_cast<std::uint8_t*>(bits), 0xEE,
                    storedRowBytes(*header) * static_cast<std::size_t>(scanLines));
    }
    return refuses(Call::SetDIBitsToDevice) ? 0 : scanLines;
}

BitmapHandle FakeDevice::createCompatibleBitmap(int width, int height) {
    RecordedCall& r = record(Call::CreateCompatibleBitmap);
    r.dest = IntRect{0, 0, width, height};
    r.bitmap = refuses(Call::CreateCompatibleBitmap) ? 0 : nextHandle_++;
    return r.bitmap;
}

MemoryDeviceHandle FakeDevice::createCompatibleDC() {
    RecordedCall& r = record(Call::CreateCompatibleDC);
    r.memory = refuses(Call::CreateCompatibleDC) ? 0 : nextHandle_++;
    return r.memory;
}

int FakeDevice::setDIBits(MemoryDeviceHandle memory, BitmapHandle bitmap, int startScan,
                          int scanLines, const std::uint8_t* bits, const BitmapInfoHeader* header) {
    RecordedCall& r = record(Call::SetDIBits);
    r.memory = memory;
    r.bitmap = bitmap;
    r.startScan = startScan;
    r.scanLines = scanLines;
    copyImage(r, bits, header, scanLines);
    return refuses(Call::SetDIBits) ? 0 : scanLines;
}

BitmapHandle FakeDevice::selectBitmap(MemoryDeviceHandle memory, BitmapHandle bitmap) {
    RecordedCall& r = record(Call::SelectBitmap);
    r.memory = memory;
    r.bitmap = bitmap;
    if (refuses(Call::SelectBitmap)) return 0;
    return std::exchange(selected_, bitmap);
}

bool FakeDevice::stretchBlt(const IntRect& dest, MemoryDeviceHandle memory, const IntRect& source,
                            std::uint32_t rop) {
    RecordedCall& r = record(Call::StretchBlt);
    r.dest = dest;
    r.memory = memory;
    r.source = source;
    r.rop = rop;
    r.bitmap = selected_;
    return !refuses(Call::StretchBlt);
}

void FakeDevice::deleteDC(MemoryDeviceHandle memory) {
    record(Call::DeleteDC).memory = memory;
}

void FakeDevice::deleteBitmap(BitmapHandle bitmap) {
    record(Call::DeleteBitmap).bitmap = bitmap;
}

}  // namespace tessora::test
