#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <array>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "imagelib/qimageconvert.h"
#include "motive.h"

using namespace tessora;

namespace {

const QDir kCommitted(QStringLiteral(TESSORA_SOURCE_DIR "/data/motive"));

// The bead grid of `picture` at `width` x `height` beads, start-up colours, nearest colour, as
// the window's first calculation after loading the motif.
QImage beadsOf(const QImage& picture, int width, int height) {
    Document doc;
    doc.pal = StartPalette();
    dib source{};
    if (createStartImages(doc) != EngineError::None ||
        DibFromQImage(picture, 0, &source, nullptr) != ImageError::None) {
        FreeDocument(doc);
        return {};
    }
    replaceSourcePicture(doc, source);
    std::array<bool, kBeadColorCount> ticked;
    ticked.fill(true);
    QImage beads;
    if (calculatePattern(doc, {width, height, 0, ticked}, nullptr) == EngineError::None)
        beads = QImageFromDib(doc.di3).convertToFormat(QImage::Format_RGB888);
    FreeDocument(doc);
    return beads;
}

}  // namespace

TEST(Motive, CommittedFilesAreTheGeneratedPictures) {
    QStringList generated;
    for (const motive::Motif& motif : motive::allMotifs()) {
        generated << motif.fileName;
        ASSERT_FALSE(motif.picture.isNull()) << motif.fileName.toStdString();
        const QImage committed(kCommitted.filePath(motif.fileName));
        EXPECT_TRUE(committed.convertToFormat(QImage::Format_RGB888) == motif.picture)
            << motif.fileName.toStdString() << ": run tessora-motive data/motive";
    }
    generated.sort();
    EXPECT_EQ(kCommitted.entryList(QDir::Files, QDir::Name).join(u' ').toStdString(),
              generated.join(u' ').toStdString());
}

// Calculated at its art size, a pixel-art motif gives back one bead of its own colour per art
// pixel, which is what makes it a good first try.
TEST(Motive, PixelArtComesBackBeadForBead) {
    constexpr int kArtScale = 8;
    for (const motive::Motif& motif : motive::allMotifs()) {
        if (motif.fileName == QLatin1String("landschaft.png")) continue;
        const QImage& art = motif.picture;
        const QImage beads = beadsOf(art, art.width() / kArtScale, art.height() / kArtScale);
        ASSERT_FALSE(beads.isNull()) << motif.fileName.toStdString();
        for (int y = 0; y < beads.height(); ++y)
            for (int x = 0; x < beads.width(); ++x)
                ASSERT_EQ(beads.pixel(x, y), art.pixel(x * kArtScale, y * kArtScale))
                    << motif.fileName.toStdString() << " bead " << x << ", " << y;
    }
}
