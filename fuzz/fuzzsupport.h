#pragma once
// What every fuzz target shares: a small pixel budget so that no input can make a target
// allocate hundreds of megabytes, an offscreen application for Qt's readers and fonts, and the
// checks that turn a wrong but quiet answer into a crash the fuzzer reports.

#include <QIODevice>
#include <cstddef>
#include <cstdint>
#include <span>

#include "imagelib/imagelib.h"

namespace tessora::fuzz {

// Pictures above this many pixels are TooLarge inside the fuzzers.
constexpr std::uint64_t kFuzzPixelBudget = std::uint64_t{1} << 20;

// Sets the budget; with `withApplication` also creates the offscreen application once.
void initialiseFuzzer(bool withApplication);

std::span<const std::uint8_t> bytesOf(const std::uint8_t* data, std::size_t size);

// Aborts (the fuzzer then saves the input) when `condition` is false.
void require(bool condition, const char* what);

// A read either failed cleanly (no pixels, a text saying why) or gave a whole picture within
// the budget; every pixel byte is read so that a short allocation shows.
void checkReadResult(ImageError error, const dib& d);

using ReadFn = ImageError (*)(std::span<const std::uint8_t>, dib*, const ProgressFn&);
using WriteFn = ImageError (*)(const dib&, QIODevice&, const ProgressFn&);

// Reads the bytes; a picture that was read is written with `write` and read again, and must
// come back with the same colours in every pixel.
void fuzzDecoder(std::span<const std::uint8_t> bytes, ReadFn read, WriteFn write);

}  // namespace tessora::fuzz
