#include "motive.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "engine/catalogue.h"
#include "imagelib/qimageconvert.h"
#include "photopicture.h"

namespace tessora::motive {
namespace {

// Each art pixel is a square of this many picture pixels, so the motif looks like a picture in
// the file browser and still comes back as one bead per art pixel.
constexpr int kArtScale = 8;

// One letter per art pixel; catalogue indices of the colours.
struct Ink {
    char letter;
    int bead;
};
constexpr Ink kInks[] = {
    {'.', 0},   // Weiß, the background
    {'W', 0},   // Weiß inside an outline
    {'C', 1},   // Creme
    {'Y', 2},   // Gelb
    {'O', 3},   // Orange
    {'R', 4},   // Rot
    {'P', 5},   // Hellrot
    {'B', 8},   // Hellblau
    {'D', 7},   // Blau
    {'K', 17},  // Schwarz
};

using Art = std::initializer_list<std::string_view>;

const Art kHeart = {
    "................",  //
    "...KKK....KKK...",  //
    "..KRRRK..KRRRK..",  //
    ".KRWWRRKKRRRRRK.",  //
    ".KRWRRRRRRRRRRK.",  //
    ".KRPRRRRRRRRRRK.",  //
    ".KRRRRRRRRRRRRK.",  //
    "..KRRRRRRRRRRK..",  //
    "...KRRRRRRRRK...",  //
    "....KRRRRRRK....",  //
    ".....KRRRRK.....",  //
    "......KRRK......",  //
    ".......KK.......",  //
    "................",  //
};

const Art kStar = {
    ".................",  //
    "........K........",  //
    ".......KYK.......",  //
    ".......KYK.......",  //
    "......KYWYK......",  //
    "KKKKKKKYWYKKKKKKK",  //
    ".KYYYYYYYYYYYYOK.",  //
    "..KYYYYYYYYYYOK..",  //
    "...KYYYYYYYYOK...",  //
    "....KYYYYYYYOK...",  //
    "...KYYYYYYYYYOK..",  //
    "...KYYYYKYYYYOK..",  //
    "..KYYYYK.KYYYYOK.",  //
    "..KYYYK...KYYYOK.",  //
    ".KYYK.......KYOK.",  //
    ".KKK.........KKK.",  //
    ".................",  //
};

const Art kMushroom = {
    "................",  //
    ".....KKKKKK.....",  //
    "...KKRRRRWWKK...",  //
    "..KWWRRRRWWWRK..",  //
    ".KWWWWRRRRWWRRK.",  //
    ".KRWWRRRRRRRRRK.",  //
    "KRRRRRWWWRRRRRRK",  //
    "KRRRRWWWWWRRWWRK",  //
    "KWWRRWWWWWRWWWWK",  //
    "KWWWRRWWWRRWWWWK",  //
    ".KKKKKKKKKKKKKK.",  //
    "....KCCCCCCK....",  //
    "....KCKCCKCK....",  //
    "....KCKCCKCK....",  //
    "....KCCCCCCK....",  //
    ".....KKKKKK.....",  //
    "................",  //
};

const Art kFish = {
    "....................",  //
    "........KKKK........",  //
    "......KKOOOOK.......",  //
    "....KKBBBBBBBKK...KK",  //
    "...KBBBBDBBBBBBK.KOK",  //
    "..KBBWKBBDBBBBBBKOOK",  //
    ".KBBBKKBBDBBBBBBBOOK",  //
    ".KBBBBBBBDBBBBBBBOOK",  //
    "..KBBBBBBDBBBBBBKOOK",  //
    "...KBBBBDBBBBBBK.KOK",  //
    "....KKBBBBBBBKK...KK",  //
    "......KKOOOKK.......",  //
    "........KKK.........",  //
    "....................",  //
};

QRgb inkColor(char letter, bool* known) {
    const auto* ink = std::find_if(std::begin(kInks), std::end(kInks),
                                   [letter](const Ink& i) { return i.letter == letter; });
    *known = ink != std::end(kInks);
    if (!*known) return 0;
    const BeadRgb& c = BeadStartColors[static_cast<std::size_t>(ink->bead)];
    return qRgb(c.red, c.green, c.blue);
}

// A null image when rows differ in length or a letter has no colour, so a typo in the art
// cannot slip into the shipped files.
QImage paintArt(const Art& art) {
    const int columns = static_cast<int>(art.begin()->size());
    QImage picture(columns * kArtScale, static_cast<int>(art.size()) * kArtScale,
                   QImage::Format_RGB888);
    int y = 0;
    for (std::string_view row : art) {
        if (static_cast<int>(row.size()) != columns) return {};
        for (int x = 0; x < columns; ++x) {
            bool known = false;
            const QRgb color = inkColor(row[static_cast<std::size_t>(x)], &known);
            if (!known) return {};
            for (int dy = 0; dy < kArtScale; ++dy)
                for (int dx = 0; dx < kArtScale; ++dx)
                    picture.setPixel(x * kArtScale + dx, y * kArtScale + dy, color);
        }
        ++y;
    }
    return picture;
}

QImage landscape() {
    dib photo = test::photoPicture(200, 150, test::Grain::Smooth, 7);
    QImage picture = QImageFromDib(photo);
    FreeDib(photo);
    return picture;
}

}  // namespace

std::vector<Motif> allMotifs() {
    return {
        {QStringLiteral("herz.png"), paintArt(kHeart)},
        {QStringLiteral("stern.png"), paintArt(kStar)},
        {QStringLiteral("pilz.png"), paintArt(kMushroom)},
        {QStringLiteral("fisch.png"), paintArt(kFish)},
        {QStringLiteral("landschaft.png"), landscape()},
    };
}

}  // namespace tessora::motive
