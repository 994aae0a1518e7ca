// The largest chart, 1000 x 1000 beads (15120 x 15020 pixels), drawn by tessora-cli from a
// 1000 x 1000 picture of many colours: the whole run stays within 800 MB, saving included.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <cstdio>
#include <vector>

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

namespace {

struct MeasuredRun {
    int exitCode = -1;
    long peakKb = 0;
};

// One run of tessora-cli with its own peak, not the largest of every child so far.
MeasuredRun runMeasured(const QList<QByteArray>& arguments) {
    const QByteArray program = TESSORA_BINARY_DIR "/tessora-cli";
    std::vector<char*> argv{const_cast<char*>(program.constData())};
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        execv(program.constData(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    MeasuredRun run;
    if (child > 0 && wait4(child, &status, 0, &usage) == child && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
        run.peakKb = usage.ru_maxrss;
    }
    return run;
}

}  // namespace

// Files of a few bytes that announce huge pictures, and a small picture with gigabytes of
// anything behind it: each is refused or loaded within 1 GB, and quickly.
TEST(CliMemory, SmallBombsStayWithinOneGigabyte) {
#ifdef TESSORA_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer's shadow memory and quarantine are not the program's";
#endif
    tessora::test::TempDir dir;
    // 16 x 16 PCX of three uncoded 8-bit planes (no closing palette), then a sparse tail.
    QByteArray header(128, '\0');
    header[0] = 10, header[1] = 5, header[3] = 8, header[8] = 15, header[10] = 15;
    header[65] = 3, header[66] = 16;
    const QString pcx = dir.write(QStringLiteral("schwanz.pcx"), header + QByteArray(768, '\x40'));
    ASSERT_EQ(::truncate(QFile::encodeName(pcx).constData(), off_t{2500} << 20), 0);
    const QByteArray bombs = TESSORA_TEST_DATA "/bombs/";
    const QByteArray jpeg = bombs + "jpeg-16000-frame-little-data.jpg";
    const QByteArray chart = QFile::encodeName(dir.path(QStringLiteral("gross.png")));
    const struct {
        QList<QByteArray> arguments;
        int exitCode;
    } cases[] = {
        {{jpeg, "--stats"}, 0},  // decoded row by row, as Qt would
        // The largest chart is drawn once the picture has made room for it.
        {{jpeg, "--width", "1000", "--height", "1000", "--chart", chart}, 0},
        {{bombs + "jpeg-progressive-16000.jpg", "--stats"}, 1},
        {{bombs + "gif-16000-screen-small-frame.gif", "--stats"}, 1},
        {{bombs + "png-rgba-16000-cut.png", "--stats"}, 1},
        {{bombs + "rle8-16000.rle", "--stats"}, 0},
        {{QFile::encodeName(pcx), "--stats"}, 0},
    };
    for (const auto& c : cases) {
        const std::string name = c.arguments.join(' ').toStdString();
        const MeasuredRun run = runMeasured(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << name;
        EXPECT_LE(run.peakKb, 1000 * 1000) << name;
    }
}
