#include "imagelib/dib.h"

#include <QGuiApplication>
#include <QScreen>

#include "imagelib/memory.h"

namespace tessora {
namespace {
int g_screenBitsOverride = 0;
}

void FreeDib(dib& d) {
    if (d.poi == nullptr) return;  // a header without pixels stays as it is
    if (d.poih != d.pmih && d.poih != 0) GlobalFree(d.poih);
    if (d.pmih != 0) GlobalFree(d.pmih);
    d.pmih = 0;
    d.pmi = nullptr;
    d.poih = 0;
    d.poi = nullptr;
}

int DibWidth(const dib& d) {
    return d.pmi == nullptr ? 0 : d.pmi->biWidth;
}

int DibHeight(const dib& d) {
    return d.pmi == nullptr ? 0 : d.pmi->biHeight;
}

int DibBits(const dib& d) {
    return d.pmi == nullptr ? 0 : d.pmi->biBitCount;
}

int DibColorCount(const dib& d) {
    // Depths above 30 bits would overflow; callers only distinguish "up to 256" from "more".
    const int bits = DibBits(d);
    if (bits > 30) return 1 << 30;
    int count = 1;
    for (int i = 0; i < bits; ++i)
        count *= 2;
    return count;
}

int ScreenBitsPerPixel() {
    if (g_screenBitsOverride > 0) return g_screenBitsOverride;
    if (qGuiApp == nullptr) return 24;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 24 : screen->depth();
}

void SetScreenBitsPerPixelOverride(int bits) {
    g_screenBitsOverride = bits;
}

}  // namespace tessora
