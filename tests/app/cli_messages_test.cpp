// libtiff reports through handlers of its own, also when Qt's image plugin drives it: its
// English lines must not stand on stderr before (or instead of) our German ones.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtEndian>

#include "clirunner.h"
#include "tempdir.h"

using tessora::test::CliRun;
using tessora::test::runCli;
using tessora::test::TempDir;

namespace {

// A 1 x 1 grey TIFF, little-endian, with its pixel right after the directory; `extra` is one
// more (tag, value) entry, `compression` the compression tag's value.
QByteArray oneGreyPixelTiff(quint16 compression, quint16 extraTag) {
    struct Entry {
        quint16 tag, type;
        quint32 value;
    };
    const quint32 pixelAt = 8 + 2 + 9 * 12 + 4;
    const Entry entries[] = {{256, 3, 1},           {257, 3, 1}, {258, 3, 8},
                             {259, 3, compression}, {262, 3, 1}, {273, 4, pixelAt},
                             {278, 3, 1},           {279, 4, 1}, {extraTag, 3, 7}};
    QByteArray file("II*\0\x08\0\0\0", 8);
    const auto put = [&file](auto value) {
        char bytes[sizeof value];
        qToLittleEndian(value, bytes);
        file.append(bytes, sizeof value);
    };
    put(quint16{9});
    for (const Entry& e : entries) {
        put(e.tag);
        put(e.type);
        put(quint32{1});
        put(e.value);
    }
    put(quint32{0});
    file.append('\x80');
    return file;
}

}  // namespace

TEST(CliMessages, LibtiffSaysNothingOnStderr) {
    TempDir dir;
    const struct {
        const char* name;
        QByteArray file;
        int exitCode;
    } cases[] = {
        {"unbekanntes-feld.tif", oneGreyPixelTiff(1, 50000), 0},           // a warning, then loads
        {"unbekannte-kompression.tif", oneGreyPixelTiff(7777, 50001), 1},  // an error
    };
    for (const auto& c : cases) {
        const CliRun run =
            runCli({dir.write(QString::fromLatin1(c.name), c.file), QStringLiteral("--width"),
                    QStringLiteral("1"), QStringLiteral("--stats")});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("TIFF"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("Compression"))) << run.err.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.err.startsWith(QStringLiteral("Fehler:"))) << run.err.toStdString();
        }
    }
}
