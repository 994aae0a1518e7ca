#pragma once
// A device for tests: records every call with its arguments and a copy of the pixels it was
// given, and refuses whichever calls a test names.

#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "imagelib/device.h"

namespace tessora::test {

enum class Call {
    SetStretchMode,
    StretchDIBits,
    SetDIBitsToDevice,
    CreateCompatibleBitmap,
    CreateCompatibleDC,
    SetDIBits,
    SelectBitmap,
    StretchBlt,
    DeleteDC,
    DeleteBitmap,
};

struct RecordedCall {
    Call call;
    IntRect dest;    // StretchDIBits, SetDIBitsToDevice, StretchBlt; width/height for
                     // CreateCompatibleBitmap
    IntRect source;  // StretchDIBits, StretchBlt; x and y only for SetDIBitsToDevice
    int startScan = 0;
    int scanLines = 0;
    std::uint32_t rop = 0;
    StretchMode mode = StretchMode::BlackOnWhite;
    std::uintptr_t memory = 0;
    std::uintptr_t bitmap = 0;
    // The header handed over (width, height, bits) and a copy of its rows and colour table.
    int imageWidth = 0;
    int imageHeight = 0;
    int imageBits = 0;
    const std::uint8_t* bits = nullptr;
    std::vector<std::uint8_t> pixels;
    std::vector<RgbQuad> colorTable;
};

class FakeDevice final : public Device {
  public:
    DeviceTechnology technologyAnswer = DeviceTechnology::Display;
    bool takesUnscaled = true;
    IntRect clip{-(1 << 30), -(1 << 30), std::numeric_limits<int>::max(),
                 std::numeric_limits<int>::max()};
    std::set<Call> refused;
    // Overwrites every row handed to setDIBitsToDevice after recording it, so a later output of
    // the same buffer shows whether the caller filled it again.
    bool scribbleAfterOutput = false;
    std::vector<RecordedCall> calls;

    std::vector<RecordedCall> callsOf(Call call) const;
    std::vector<Call> sequence() const;

    DeviceTechnology technology() const override { return technologyAnswer; }
    bool takesUnscaledDib() const override { return takesUnscaled; }
    IntRect clipBox() const override { return clip; }
    StretchMode setStretchMode(StretchMode mode) override;
    int stretchDIBits(const IntRect& dest, const IntRect& source, const std::uint8_t* bits,
                      const BitmapInfoHeader* header, std::uint32_t rop) override;
    int setDIBitsToDevice(const IntRect& dest, int sourceX, int sourceY, int startScan,
                          int scanLines, const std::uint8_t* bits,
                          const BitmapInfoHeader* header) override;
    BitmapHandle createCompatibleBitmap(int width, int height) override;
    MemoryDeviceHandle createCompatibleDC() override;
    int setDIBits(MemoryDeviceHandle memory, BitmapHandle bitmap, int startScan, int scanLines,
                  const std::uint8_t* bits, const BitmapInfoHeader* header) override;
    BitmapHandle selectBitmap(MemoryDeviceHandle memory, BitmapHandle bitmap) override;
    bool stretchBlt(const IntRect& dest, MemoryDeviceHandle memory, const IntRect& source,
                    std::uint32_t rop) override;
    void deleteDC(MemoryDeviceHandle memory) override;
    void deleteBitmap(BitmapHandle bitmap) override;

  private:
    bool refuses(Call call) const { return refused.count(call) != 0; }
    RecordedCall& record(Call call);
    std::uintptr_t nextHandle_ = 100;
    std::uintptr_t selected_ = 0;
};

}  // namespace tessora::test
