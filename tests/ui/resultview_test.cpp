#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "engine/emptypegs.h"
#include "imagelib/imagelib.h"
#include "ui/beadviews.h"
#include "ui/calculatepage.h"
#include "ui/editview.h"
#include "ui/mainwindow.h"
#include "ui/resultpage.h"
#include "ui/resultview.h"
#include "ui/viewscrollbox.h"
#include "viewtestsupport.h"

using namespace tessora;
using namespace tessora::test;

namespace {

constexpr int kToEnd = -1;  // the largest scroll position

QImage viewportImage(ViewScrollBox* box) {
    return box->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A grid of 256 distinct colours, value (3x + 7y) mod 256 at bead (x, y).
dib patternGrid(int width, int height) {
    dib grid{};
    newdib(&grid, width, height, 8, nullptr, 0);
    for (int slot = 0; slot < 256; ++slot) {
        const auto red = static_cast<std::uint8_t>(slot);
        const auto green = static_cast<std::uint8_t>(255 - slot);
        const auto blue = static_cast<std::uint8_t>(slot * 37);
        grid.pal.rgb0[slot] = {red, green, blue, 0};
        DibColorTable(grid)[slot] = {blue, green, red, 0};
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setpixel(grid, x, y, static_cast<std::uint32_t>((3 * x + 7 * y) % 256));
    return grid;
}

struct GridOwner {
    dib image;
    ~GridOwner() { FreeDib(image); }
};

}  // namespace

struct ZoomCase {
    const char* name;
    int zoom;
    QSize view;
};

TEST(ResultView, SizeIsTheChartAtTheZoomTruncated) {
    const ZoomCase cases[] = {
        {"smallest zoom", 1, {5, 4}},
        {"largest zoom", 10000, {57000, 47000}},
        {"actual size", 100, {570, 470}},
        {"product truncated, not the scaled side", 410, {2337, 1927}},
    };
    MainWindow window;
    calculateGrid(window, 30, 30);
    ASSERT_EQ(DibWidth(window.document.rdi), 570);
    ASSERT_EQ(DibHeight(window.document.rdi), 470);
    for (const ZoomCase& c : cases) {
        window.resultPage->zoomSpin->setValue(c.zoom);
        EXPECT_EQ(window.resultPage->resultView->view()->size(), c.view) << c.name;
        EXPECT_EQ(window.resultPage->resultView->horzRange(), c.view.width()) << c.name;
        EXPECT_EQ(window.resultPage->resultView->vertRange(), c.view.height()) << c.name;
    }
    window.resultPage->zoomSpin->setValue(100);
    calculateGrid(window, 40, 30);
    EXPECT_EQ(window.resultPage->resultView->view()->size(), QSize(720, 620))
        << "a new chart resizes the view";
}

struct DragCase {
    const char* name;
    QPoint scrolled;
    std::vector<QPoint> travel;  // pointer positions relative to the press, on the screen
    QPoint expected;             // kToEnd: the largest position
};

TEST(DragScroll, ContentFollowsThePointerAndStopsAtBothEnds) {
    const DragCase cases[] = {
        {"forty to the right lowers by forty", {100, 100}, {{40, 0}}, {60, 100}},
        {"not below zero", {10, 100}, {{40, 0}}, {0, 100}},
        {"forty down", {100, 100}, {{0, 40}}, {100, 60}},
        {"far left stops at the end", {100, 100}, {{-5000, 0}}, {kToEnd, 100}},
        {"far up stops at the end", {100, 100}, {{0, -5000}}, {100, kToEnd}},
        {"each direction on its own", {10, 100}, {{40, -5000}}, {0, kToEnd}},
        {"start stays for the whole drag", {100, 100}, {{10, 0}, {25, 5}, {40, 0}}, {60, 100}},
    };
    MainWindow window;
    calculateGrid(window, 100, 100);
    window.resultPage->zoomSpin->setValue(200);
    window.show();
    QApplication::processEvents();
    ViewScrollBox* const editView = window.calculatePage->editView;
    ViewScrollBox* const resultView = window.resultPage->resultView;
    for (ViewScrollBox* box : {editView, resultView}) {
        window.pageTabs->setCurrentIndex(box == editView ? 3 : 4);
        QApplication::processEvents();
        const int maxH = box->horizontalScrollBar()->maximum();
        const int maxV = box->verticalScrollBar()->maximum();
        ASSERT_GT(maxH, 200);
        ASSERT_GT(maxV, 200);
        for (const DragCase& c : cases) {
            box->setHorzPosition(c.scrolled.x());
            box->setVertPosition(c.scrolled.y());
            const QPoint press(150, 120);
            std::vector<QPoint> moves;
            for (const QPoint& t : c.travel)
                moves.push_back(press + t);
            pressMoveRelease(box->viewport(), press, moves);
            const QPoint expected(c.expected.x() == kToEnd ? maxH : c.expected.x(),
                                  c.expected.y() == kToEnd ? maxV : c.expected.y());
            EXPECT_EQ(box->scrollOrigin(), expected)
                << box->objectName().toStdString() << ": " << c.name;
        }
    }
    EXPECT_FALSE(window.resultPage->resultView->isDragScrolling());
    EXPECT_FALSE(window.calculatePage->editView->isDragScrolling());
}

struct FrameCase {
    const char* name;
    int zoom;
    QPoint scrolled;
};

TEST(ResultView, FrameFarOutEqualsThePartOfTheChartAtActualSize) {
    const FrameCase cases[] = {
        {"zoom 1000", 1000, {3000, 2000}},
        {"zoom 10000 beyond the painter's coordinate range", 10000, {45000, 40000}},
    };
    MainWindow window;
    calculateGrid(window, 30, 30, true);
    window.show();
    window.pageTabs->setCurrentIndex(4);
    QImage reference(570, 470, QImage::Format_RGB32);
    {
        QPainter painter(&reference);
        paintResultView(painter, reference.rect(), QPoint(0, 0), window.document.rdi,
                        QSize(570, 470), Qt::gray);
    }
    for (const FrameCase& c : cases) {
        window.resultPage->zoomSpin->setValue(c.zoom);
        QApplication::processEvents();
        window.resultPage->resultView->setHorzPosition(c.scrolled.x());
        window.resultPage->resultView->setVertPosition(c.scrolled.y());
        ASSERT_EQ(window.resultPage->resultView->scrollOrigin(), c.scrolled) << c.name;
        const QImage frame = viewportImage(window.resultPage->resultView);
        const int scale = c.zoom / 100;
        int mismatches = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                mismatches += frame.pixel(x, y) != reference.pixel((c.scrolled.x() + x) / scale,
                                                                   (c.scrolled.y() + y) / scale);
        EXPECT_EQ(mismatches, 0) << c.name;
    }
}

TEST(EditView, FrameFarOutEqualsTheBeadsOfTheSmallImage) {
    const GridOwner grid{patternGrid(1000, 1000)};
    const EditViewLayout layout = makeEditViewLayout(grid.image, true, 1, 1);
    ASSERT_EQ(layout.viewSize(), QSize(30000, 31000));
    QImage reference(1000, 1000, QImage::Format_RGB32);
    {
        QPainter painter(&reference);
        paintEditView(painter, reference.rect(), QPoint(0, 0), grid.image, layout, Qt::gray);
    }
    const QPoint origin(29000 - 7, 30000 - 11);
    const QRect exposed(100, 50, 300, 200);
    QImage frame(800, 600, QImage::Format_RGB32);
    frame.fill(Qt::magenta);
    {
        QPainter painter(&frame);
        paintEditView(painter, exposed, origin, grid.image, layout, Qt::gray);
    }
    int mismatches = 0;
    int emptyPegRing = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QPoint view = QPoint(x, y) + origin;
            const QPoint bead(view.x() / 30, (view.y() - 1000) / 30);
            // Lines between the beads run on the first pixel of every bead but the first.
            const bool onLine = view.x() % 30 == 0 || (view.y() - 1000) % 30 == 0;
            // Value 1, an empty peg, is white in the small image and gets a grey ring enlarged.
            const bool ring = exposed.contains(x, y) && !onLine &&
                              getpixel(grid.image, bead.x(), bead.y()) == kEmptyPeg &&
                              frame.pixel(x, y) == qRgb(192, 192, 192);
            emptyPegRing += ring;
            const QRgb expected = !exposed.contains(x, y) ? QColor(Qt::magenta).rgb()
                                  : onLine                ? qRgb(128, 128, 128)
                                  : ring                  ? frame.pixel(x, y)
                                                          : reference.pixel(bead.x(), bead.y());
            mismatches += frame.pixel(x, y) != expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(emptyPegRing, 20) << "bead (975, 972) is an empty peg";
}

TEST(ResultView, ControlWheelZoomsInTheZoomFieldsSteps) {
    MainWindow window;
    window.show();
    window.pageTabs->setCurrentIndex(MainWindow::kResultPage);
    QApplication::processEvents();
    ResultView* view = window.resultPage->resultView;
    const auto turn = [&](int eighths, Qt::KeyboardModifiers modifiers) {
        const QPointF at(10, 10);
        QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, eighths),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        return window.resultPage->zoomSpin->value();
    };
    const struct {
        int eighths;
        Qt::KeyboardModifiers modifiers;
        int zoom;
    } turns[] = {{120, Qt::ControlModifier, 110},  {240, Qt::ControlModifier, 130},
                 {-120, Qt::ControlModifier, 120}, {60, Qt::ControlModifier, 120},
                 {60, Qt::ControlModifier, 130},   {120, Qt::NoModifier, 130}};
    for (const auto& t : turns)
        EXPECT_EQ(turn(t.eighths, t.modifiers), t.zoom) << t.eighths;
}

TEST(ResultView, ZoomFieldClampsTypedNumbers) {
    MainWindow window;
    QSpinBox* zoom = window.resultPage->zoomSpin;
    for (const auto& [typed, expected] : {std::pair{"0", 1}, std::pair{"99999", 10000}}) {
        zoom->selectAll();
        QTest::keyClicks(zoom, QString::fromLatin1(typed));
        QTest::keyClick(zoom, Qt::Key_Return);
        EXPECT_EQ(zoom->value(), expected) << typed;
    }
}
