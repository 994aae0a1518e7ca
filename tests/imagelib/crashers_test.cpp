// Every input that once crashed a reader or broke a round trip, kept as a file in
// tests/data/crashers: each must now end in its clean answer, through the reader that crashed
// and through OpenDib; a picture that reads must also come back from our writer unchanged.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <set>
#include <string>

#include "codectestsupport.h"
#include "imagelib/codecs/pcx.h"

using namespace tessora;
using namespace tessora::test;

namespace {

const QString kCrashers = QStringLiteral(TESSORA_TEST_DATA "/crashers/");

using ReadFn = ImageError (*)(std::span<const std::uint8_t>, dib*, const ProgressFn&);
using WriteFn = ImageError (*)(const dib&, QIODevice&, const ProgressFn&);

struct Crasher {
    const char* file;
    ReadFn reader;             // the reader of ours that crashed, called directly
    ImageError fromReader;     // its answer now
    ImageError fromOpenDib;    // OpenDib's answer (which may choose another reader)
    WriteFn writer = nullptr;  // for a picture that reads: the writer whose output must read back
};

void PrintTo(const Crasher& c, std::ostream* out) {
    *out << c.file;
}

const Crasher kCrashersTable[] = {
    {"pcx-0bits-9planes.pcx", readPcx, ImageError::UnsupportedDepth, ImageError::UnknownFormat},
    {"pcx-4bits-33planes.pcx", readPcx, ImageError::UnsupportedDepth, ImageError::UnsupportedDepth},
    {"pcx-mono-510-wide-rewritten.pcx", readPcx, ImageError::None, ImageError::None, writePcx},
};

void expectCleanAnswer(ImageError error, ImageError expected, const dib& d) {
    EXPECT_EQ(error, expected) << ImageErrorText(error).toStdString();
    if (expected == ImageError::None) {
        EXPECT_NE(d.poi, nullptr);
        return;
    }
    EXPECT_EQ(d.poi, nullptr);
    EXPECT_EQ(d.poih, 0u);
}

void expectRoundTrip(const dib& read, ReadFn reader, WriteFn writer) {
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(writer(read, buffer, nullptr), ImageError::None);
    OwnedDib again;
    ASSERT_EQ(reader(bytesOf(written), &again.d, nullptr), ImageError::None);
    EXPECT_EQ(compare(pixelsOf(read), pixelsOf(again.d)).largest, 0);
}

class CrasherFile : public testing::TestWithParam<Crasher> {};

TEST_P(CrasherFile, EndsInItsCleanAnswer) {
    const Crasher& c = GetParam();
    const QString file = kCrashers + QString::fromLatin1(c.file);
    const QByteArray bytes = readAll(file);
    ASSERT_FALSE(bytes.isEmpty()) << c.file;
    OwnedDib direct;
    expectCleanAnswer(c.reader(bytesOf(bytes), &direct.d, nullptr), c.fromReader, direct.d);
    if (c.writer != nullptr && direct.d.poi != nullptr)
        expectRoundTrip(direct.d, c.reader, c.writer);
    OwnedDib opened;
    expectCleanAnswer(OpenDib(&opened.d, file, 0, nullptr), c.fromOpenDib, opened.d);
    if (c.fromOpenDib != ImageError::None) {
        EXPECT_EQ(DibErrorText(opened.d), ImageErrorText(c.fromOpenDib));
    }
}

INSTANTIATE_TEST_SUITE_P(Crashers, CrasherFile, testing::ValuesIn(kCrashersTable),
                         [](const testing::TestParamInfo<Crasher>& row) {
                             std::string name;
                             for (const char ch : std::string(row.param.file))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

// A crasher added to the folder without a row here would never be run.
TEST(Crashers, EveryFileInTheFolderHasARowAndALineInTheReadme) {
    const QString readme = QString::fromUtf8(readAll(kCrashers + QStringLiteral("README")));
    std::set<QString> known;
    for (const Crasher& c : kCrashersTable)
        known.insert(QString::fromLatin1(c.file));
    const QStringList files = QDir(kCrashers).entryList(QDir::Files);
    for (const QString& file : files) {
        if (file == QStringLiteral("README")) continue;
        EXPECT_TRUE(known.count(file) == 1) << file.toStdString() << " has no row";
        EXPECT_TRUE(readme.contains(u'\n' + file + u' ')) << file.toStdString() << " not in README";
    }
    EXPECT_EQ(known.size() + 1, static_cast<std::size_t>(files.size()));
}

}  // namespace
