// Memory running out while a picture is read, through every save format and so through every
// reader: OpenDib says so in German and hands out nothing.

#include <gtest/gtest.h>

#include "codectestsupport.h"
#include "imagelib/memory.h"
#include "tempdir.h"

using namespace tessora;
using namespace tessora::test;

namespace {

class MemoryShortage {
  public:
    explicit MemoryShortage(std::size_t fromBytes) { simulateOutOfMemory(fromBytes); }
    ~MemoryShortage() { simulateOutOfMemory(0); }
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;
};

}  // namespace

TEST(OpenDibOutOfMemory, EveryReaderReportsItAndHandsOutNothing) {
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 80, 60);
    for (int format = kSaveBmp; format < kSaveBmp + kSaveFormatCount; ++format) {
        const QString file = dir.path(QStringLiteral("chart") +
                                      QString::fromLatin1(SaveExtensions[format - kSaveBmp]));
        ASSERT_EQ(SaveDib(chart.d, file, format, nullptr), ImageError::None) << format;
        OwnedDib read;
        ImageError error;
        {
            // The picture's rows need far more; the header and colour table block fits.
            const MemoryShortage shortage(1100);
            error = OpenDib(&read.d, file, 0, nullptr);
        }
        EXPECT_EQ(error, ImageError::OutOfMemory) << file.toStdString();
        EXPECT_EQ(read.d.poi, nullptr);
        EXPECT_EQ(DibErrorText(read.d), ImageErrorText(ImageError::OutOfMemory));
        OwnedDib again;
        EXPECT_EQ(OpenDib(&again.d, file, 0, nullptr), ImageError::None) << "and later it loads";
    }
}
