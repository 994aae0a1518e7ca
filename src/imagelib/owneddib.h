#pragma once
// A temporary image owned by one scope and released on every way out of it, exceptions included.

#include <utility>

#include "imagelib/imagelib.h"

namespace tessora {

class OwnedDib {
  public:
    OwnedDib() = default;
    ~OwnedDib() { deldib(image_); }
    OwnedDib(const OwnedDib&) = delete;
    OwnedDib& operator=(const OwnedDib&) = delete;

    dib* out() { return &image_; }  // for the library calls that fill a record
    const dib& get() const { return image_; }
    bool hasPixels() const { return image_.poi != nullptr; }

    // Hands the image to the caller, who then owns it.
    dib release() { return std::exchange(image_, dib{}); }

  private:
    dib image_{};
};

}  // namespace tessora
