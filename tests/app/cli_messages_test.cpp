// libtiff reports through handlers of its own, also when Qt's image plugin drives it: its
// English lines must not stand on stderr before (or instead of) our German ones.

#include <gtest/gtest.h>

#include <QByteArray>

#include "clirunner.h"
#include "tempdir.h"

using tessora::test::CliRun;
using tessora::test::runCli;
using tessora::test::TempDir;

TEST(CliMessages, LibtiffSaysNothingOnStderr) {
    // A 1 x 1 grey TIFF, little-endian: header, one directory of nine entries (the last an
    // unknown tag, 50000), the pixel.
    const QByteArray plain = QByteArray::fromHex(
        "49492a000800000009000001030001000000010000000101030001000000010000000201"
        "030001000000080000000301030001000000010000000601030001000000010000001101"
        "0400010000007a00000016010300010000000100000017010400010000000100000050c3"
        "030001000000070000000000000080");
    const QByteArray compression = QByteArray::fromHex("030103000100000001000000");
    TempDir dir;
    const struct {
        const char* name;
        QByteArray file;
        int exitCode;
    } cases[] = {
        {"unbekanntes-feld.tif", plain, 0},  // a warning, then the picture loads
        // Compression 7777, which no codec knows: an error.
        {"unbekannte-kompression.tif",
         QByteArray(plain).replace(compression, QByteArray::fromHex("0301030001000000611e0000")),
         1},
    };
    for (const auto& c : cases) {
        const QString file = dir.write(QString::fromLatin1(c.name), c.file);
        const CliRun run = runCli(
            {file, QStringLiteral("--width"), QStringLiteral("1"), QStringLiteral("--stats")});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("TIFF"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("Compression"))) << run.err.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.err.startsWith(QStringLiteral("Fehler:"))) << run.err.toStdString();
        }
    }
}
