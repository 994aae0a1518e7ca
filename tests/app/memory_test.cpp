// The largest chart, 1000 x 1000 beads (15120 x 15020 pixels), drawn by tessora-cli from a
// 1000 x 1000 picture of many colours: the whole run stays within 800 MB, saving included.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImage>
#include <QProcess>

#include "tempdir.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSORA_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TESSORA_UNDER_ASAN 1
#endif

namespace {

constexpr long kMemoryTargetKb = 800 * 1000;

QString writePhotoLikePicture(const tessora::test::TempDir& dir) {
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 999, y * 255 / 999, (x * y / 37) % 256));
    }
    const QString file = dir.path(QStringLiteral("foto.png"));
    EXPECT_TRUE(image.save(file));
    return file;
}

}  // namespace

TEST(CliMemory, LargestChartStaysWithinTheMemoryTarget) {
#ifdef TESSORA_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer's shadow memory and quarantine are not the program's";
#endif
    tessora::test::TempDir dir;
    const QString picture = writePhotoLikePicture(dir);
    // The formats that once copied the whole chart before writing it.
    const QStringList extras[] = {{},
                                  {QStringLiteral("--dither")},
                                  {QStringLiteral("--chart"), dir.path(QStringLiteral("c.png"))},
                                  {QStringLiteral("--chart"), dir.path(QStringLiteral("c.tif"))},
                                  {QStringLiteral("--chart"), dir.path(QStringLiteral("c.jpg"))}};
    for (const QStringList& extra : extras) {
        SCOPED_TRACE(extra.join(u' ').toStdString());
        QProcess process;
        const QStringList arguments = QStringList{picture,
                                                  QStringLiteral("--width"),
                                                  QStringLiteral("1000"),
                                                  QStringLiteral("--height"),
                                                  QStringLiteral("1000"),
                                                  QStringLiteral("--stats")} +
                                      extra;
        process.start(QStringLiteral(TESSORA_BINARY_DIR "/tessora-cli"), arguments);
        ASSERT_TRUE(process.waitForFinished(120000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_FALSE(process.readAllStandardOutput().isEmpty());
        rusage usage{};
        ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
        EXPECT_LE(usage.ru_maxrss, kMemoryTargetKb) << "peak of the largest run, in kB";
    }
}
