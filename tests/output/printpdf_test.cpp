#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "imagelib/imagelib.h"
#include "imagelib/nativefilename.h"
#include "output/printjob.h"
#include "tempdir.h"

using namespace tessora;
using tessora::test::TempDir;

namespace {

// The bounding box of everything that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 200) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

TEST(PrintToPdf, PageHoldsTheChartAtTheComputedRectangle) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm missing";
    dib chart{};
    newdib(&chart, 570, 470, 24, nullptr, 0);  // black: zeroed pixels
    ASSERT_NE(chart.poi, nullptr);
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("Muster.pdf"));
    ASSERT_EQ(PrintChartToPdf(chart, pdf), PrintResult::Printed);
    FreeDib(chart);

    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, dir.path(QStringLiteral("page"))});
    ASSERT_TRUE(render.waitForFinished(30000));
    const QImage page(dir.path(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());

    // A4 portrait with 10 mm margins; the chart fills the printable width, centred vertically.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    const QSize printable = PrintablePageSize(printer);
    const QRect target =
        PrintedChartRect(printable.width(), printable.height(), 570, 470, PrintOptions{});
    const double scale = 50.0 / printer.resolution();
    const double margin = 10 / 25.4 * 50;
    const QRect expected(qRound(margin + target.x() * scale), qRound(margin + target.y() * scale),
                         qRound(target.width() * scale), qRound(target.height() * scale));
    const QRect found = inkBox(page);
    EXPECT_NEAR(found.left(), expected.left(), 2);
    EXPECT_NEAR(found.top(), expected.top(), 2);
    EXPECT_NEAR(found.width(), expected.width(), 2);
    EXPECT_NEAR(found.height(), expected.height(), 2);
}

TEST(PrintToPdf, UnwritableFileIsReportedNotPrinted) {
    dib chart{};
    newdib(&chart, 10, 10, 24, nullptr, 0);
    EXPECT_EQ(PrintChartToPdf(chart, QStringLiteral("/nonexistent-folder/x/Muster.pdf")),
              PrintResult::CannotStart);
    FreeDib(chart);
    EXPECT_EQ(PrintChartToPdf(dib{}, QStringLiteral("/tmp/leer.pdf")), PrintResult::EmptyChart);
}

// Linux names are bytes: a target whose folder or name is not UTF-8 gets the PDF under exactly
// its bytes, and nothing else is left in the folder.
TEST(PrintToPdf, NamesThatAreNotUtf8AreWrittenByteForByte) {
    dib chart{};
    newdib(&chart, 10, 10, 24, nullptr, 0);
    TempDir dir;
    const QByteArray base = QFile::encodeName(dir.path(QString()));
    for (const QByteArray& relative :
         {QByteArray("eins/latin1_\xe4.pdf"), QByteArray("zwei_\xfc/muster.pdf"),
          QByteArray("drei_\xfc/schnitt_\xc3.pdf")}) {
        const QByteArray native = base + relative;
        const QByteArray folder = native.left(native.lastIndexOf('/'));
        ::mkdir(folder.constData(), 0700);
        EXPECT_EQ(PrintChartToPdf(chart, fileNameFromNative(native)), PrintResult::Printed)
            << relative.toHex().toStdString();
        QFile written;
        ASSERT_TRUE(written.open(::open(native.constData(), O_RDONLY), QIODevice::ReadOnly,
                                 QFileDevice::AutoCloseHandle))
            << relative.toHex().toStdString();
        EXPECT_TRUE(written.read(5) == "%PDF-") << relative.toHex().toStdString();
        DIR* entries = ::opendir(folder.constData());
        ASSERT_NE(entries, nullptr);
        int count = 0;
        while (const dirent* entry = ::readdir(entries))
            count += entry->d_name[0] != '.' && entry->d_type == DT_REG ? 1 : 0;
        ::closedir(entries);
        EXPECT_EQ(count, 1) << "a temporary file stayed behind: " << relative.toHex().toStdString();
    }
    FreeDib(chart);
}
