// What SaveDib promises around the writing itself: errors are reported, an existing file is
// never left half-written, names keep every character, progress runs 0 … 100 then 0.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>

#include "codectestsupport.h"
#include "imagelib/imagelib.h"
#include "tempdir.h"

using namespace tessora;
using namespace tessora::test;

namespace {

QString extensionOf(int format) {
    return QString::fromLatin1(SaveExtensions[format - kSaveBmp]);
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

TEST(SaveDib, FailuresAreReportedAndNothingIsCreated) {
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 7, 9);
    const QString aFile = dir.write(QStringLiteral("plain.txt"), "text");
    const dib noPixels{};
    dib wrongStride = chart.d;
    wrongStride.bytew = 4;  // the header says 7 pixels of 24 bits
    struct Case {
        const char* name;
        const dib* image;
        QString file;
        int format;
        ImageError error;
    };
    const Case cases[] = {
        {"missing folder", &chart.d, dir.path(QStringLiteral("nowhere/chart.bmp")), kSaveBmp,
         ImageError::CannotWrite},
        {"parent is a file", &chart.d, aFile + QStringLiteral("/chart.gif"), kSaveGif,
         ImageError::CannotWrite},
        {"empty name", &chart.d, QString(), kSavePcx, ImageError::CannotWrite},
        {"format code below the table", &chart.d, dir.path(QStringLiteral("a.bmp")), kSaveBmp - 1,
         ImageError::UnknownFormat},
        {"format code beyond the table", &chart.d, dir.path(QStringLiteral("a.bmp")), kSavePng + 1,
         ImageError::UnknownFormat},
        {"image without pixels", &noPixels, dir.path(QStringLiteral("a.bmp")), kSaveBmp,
         ImageError::Empty},
        {"header contradicting the rows", &wrongStride, dir.path(QStringLiteral("a.tga")), kSaveTga,
         ImageError::UnsupportedDepth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SaveDib(*c.image, c.file, c.format, nullptr), c.error);
        EXPECT_EQ(filesIn(dir.path(QString())), QStringList{QStringLiteral("plain.txt")})
            << "no file left behind";
    }
}

TEST(SaveDib, PictureTooWideForTheFormatIsRefusedAndTheOldFileStays) {
    TempDir dir;
    OwnedDib wide;
    newdib(&wide.d, 65536, 1, 24, nullptr, 0);
    ASSERT_NE(wide.d.poi, nullptr);
    const int formats[] = {kSaveGif, kSaveIff, kSaveJif, kSaveJpg, kSaveLbm, kSavePcx, kSaveTga};
    for (const int format : formats) {
        SCOPED_TRACE(extensionOf(format).toStdString());
        const QString file =
            dir.write(QStringLiteral("old") + extensionOf(format), "the old contents");
        EXPECT_EQ(SaveDib(wide.d, file, format, nullptr), ImageError::TooLargeForFormat);
        EXPECT_EQ(readAll(file), QByteArray("the old contents"));
    }
    EXPECT_EQ(filesIn(dir.path(QString())).size(), std::size(formats))
        << "no temporary file left behind";
}

TEST(SaveDib, UnwritableFolderLeavesTheOldFileUntouched) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 7, 9);
    const QString folder = dir.path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/chart.png");
    dir.write(QStringLiteral("locked/chart.png"), "the old contents");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const ImageError error = SaveDib(chart.d, file, kSavePng, nullptr);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(error, ImageError::CannotWrite);
    EXPECT_EQ(readAll(file), QByteArray("the old contents"));
}

TEST(SaveDib, ReplacesAnExistingFileWhole) {
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 7, 9);
    const QString file = dir.write(QStringLiteral("chart.pcx"), QByteArray(100000, 'x'));
    ASSERT_EQ(SaveDib(chart.d, file, kSavePcx, nullptr), ImageError::None);
    OwnedDib loaded;
    ASSERT_EQ(OpenDib(&loaded.d, file, 0, nullptr), ImageError::None);
    EXPECT_EQ(compare(pixelsOf(loaded.d), pixelsOf(chart.d)).largest, 0);
    EXPECT_LT(QFileInfo(file).size(), 2000) << "nothing of the old file remains";
}

TEST(SaveDib, FormatFollowsTheCodeNotTheExtension) {
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 7, 9);
    struct Case {
        const char* name;
        int format;
        const char* start;
    };
    const Case cases[] = {
        {"gif named .png", kSaveGif, "GIF8"},
        {"pcx without extension", kSavePcx, "\x0A\x05"},
        {"iff named .bmp", kSaveIff, "FORM"},
        {"rle named .jpg", kSaveRle, "BM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.path(QString::fromLatin1(c.name).replace(u' ', u'_'));
        ASSERT_EQ(SaveDib(chart.d, file, c.format, nullptr), ImageError::None);
        EXPECT_TRUE(readAll(file).startsWith(c.start));
    }
}

TEST(SaveDib, FileNamesKeepEveryCharacter) {
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 7, 9);
    const QString name = QStringLiteral("Grüße ☃ 猫 «Perlen».tga");
    ASSERT_EQ(SaveDib(chart.d, dir.path(name), kSaveTga, nullptr), ImageError::None);
    EXPECT_EQ(filesIn(dir.path(QString())), QStringList{name});
}

TEST(SaveDib, ProgressRisesToHundredThenEndsAtZero) {
    TempDir dir;
    OwnedDib chart;
    makeChart(chart, 13, 11);
    for (int format = kSaveBmp; format <= kSavePng; ++format) {
        SCOPED_TRACE(extensionOf(format).toStdString());
        std::vector<int> reports;
        ASSERT_EQ(SaveDib(chart.d, dir.path(QStringLiteral("p") + extensionOf(format)), format,
                          [&](int percent) { reports.push_back(percent); }),
                  ImageError::None);
        ASSERT_GE(reports.size(), 3u);
        EXPECT_EQ(reports.front(), 0);
        EXPECT_EQ(reports.back(), 0);
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end() - 1))
            << "no step backwards while writing";
        EXPECT_EQ(reports[reports.size() - 2], 100);
    }
}

TEST(SaveFilter, OneGermanEntryPerFormatInTheOrderOfTheExtensions) {
    const QStringList parts = GetDIBSaveFilter().split(u'|');
    ASSERT_EQ(parts.size(), 2 * kSaveFormatCount);
    QStringList descriptions;
    for (int i = 0; i < kSaveFormatCount; ++i) {
        const QString extension = QString::fromLatin1(SaveExtensions[i]);
        EXPECT_EQ(parts[2 * i + 1], QStringLiteral("*") + extension);
        EXPECT_TRUE(parts[2 * i].contains(QStringLiteral("*") + extension))
            << parts[2 * i].toStdString();
        EXPECT_EQ(SaveFormatForFileName(QStringLiteral("Muster") + extension), kSaveBmp + i)
            << "code = position + 2";
        descriptions << parts[2 * i];
    }
    descriptions.removeDuplicates();
    EXPECT_EQ(descriptions.size(), kSaveFormatCount);
}

TEST(SaveFilter, EverySavedTypeIsAlsoOfferedForOpening) {
    const QStringList open = GetDIBOpenFilter().split(u'|');
    ASSERT_GE(open.size(), 2);
    const QStringList all = open[1].split(u';');
    for (const char* extension : SaveExtensions) {
        EXPECT_TRUE(all.contains(QStringLiteral("*") + QString::fromLatin1(extension)))
            << extension;
    }
}

}  // namespace
