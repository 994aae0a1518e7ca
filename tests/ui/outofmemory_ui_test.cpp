// The window when memory runs out for real (the allocator refuses): a German message, and the
// document keeps what it had, or at least stays usable.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "imagelib/imagelib.h"
#include "imagelib/memory.h"
#include "modal.h"
#include "tempdir.h"
#include "ui/loadpage.h"
#include "ui/mainwindow.h"
#include "ui/sizepage.h"
#include "ui/statisticspage.h"

using namespace tessora;
using namespace tessora::test;

namespace {

class MemoryShortage {
  public:
    MemoryShortage(std::size_t fromBytes, int grantedFirst = 0) {
        simulateOutOfMemory(fromBytes, grantedFirst);
    }
    ~MemoryShortage() { simulateOutOfMemory(0); }
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;
};

const QString kOutOfMemory = QStringLiteral("Nicht genügend Arbeitsspeicher");

void showEveryPage(MainWindow& window) {
    window.show();
    for (int page = 0; page < window.pageTabs->count(); ++page) {
        window.pageTabs->setCurrentIndex(page);
        window.repaint();
        QApplication::processEvents();
    }
}

}  // namespace

// Start-up drew a chart of 30 x 19 beads; one of 40 x 25 needs a new block of about 1.3 MB,
// while the grid and its temporaries need less than 10 kB.
TEST(OutOfMemoryInWindow, ChartThatCannotBeDrawnIsReportedAndTheWindowStaysUsable) {
    MainWindow window;
    window.sizePage->beadsWideSpin->setValue(40);
    window.sizePage->beadsHighSpin->setValue(25);
    const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    {
        const MemoryShortage shortage(500 * 1000);
        window.calculate();
    }
    ASSERT_TRUE(seen->seen);
    EXPECT_TRUE(seen->text.contains(kOutOfMemory)) << seen->text.toStdString();
    EXPECT_EQ(DibWidth(window.document.di3), 40) << "the grid was calculated";
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 1000")) << "and counted";
    EXPECT_EQ(window.document.rdi.poi, nullptr) << "only the chart is missing";
    showEveryPage(window);
    window.calculate();
    EXPECT_EQ(DibWidth(window.document.rdi), 40 * 15 + 120)
        << "with memory back, the chart is drawn";
}

TEST(OutOfMemoryInWindow, CalculateKeepsTheGridAndSaysSo) {
    MainWindow window;
    const dib oldGrid = window.document.di3;
    window.sizePage->beadsWideSpin->setValue(100);
    window.sizePage->beadsHighSpin->setValue(80);
    const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    {
        const MemoryShortage shortage(1000);  // the 100 x 80 grid needs 8000 bytes
        window.calculate();
    }
    ASSERT_TRUE(seen->seen);
    EXPECT_TRUE(seen->text.contains(kOutOfMemory)) << seen->text.toStdString();
    EXPECT_EQ(window.document.di3.poi, oldGrid.poi);
    showEveryPage(window);
}

TEST(OutOfMemoryInWindow, LoadingKeepsThePictureAndNamesTheFile) {
    TempDir dir;
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(qRgb(200, 10, 10));
    const QString file = dir.path(QStringLiteral("groß.png"));
    ASSERT_TRUE(image.save(file));
    MainWindow window;
    const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    {
        const MemoryShortage shortage(50 * 1000);  // 200 x 100 at 24 bits is 60000 bytes
        window.loadPage->openPicture(file);
    }
    ASSERT_TRUE(seen->seen);
    EXPECT_TRUE(seen->title.contains(file));
    EXPECT_EQ(seen->text, ImageErrorText(ImageError::OutOfMemory));
    EXPECT_EQ(DibWidth(window.document.di), 320) << "the document keeps its picture";
    showEveryPage(window);
}
