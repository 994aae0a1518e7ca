#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <numeric>

#include "output/boardcounts.h"
#include "output/boardpage.h"
#include "output/bookgeometry.h"
#include "output/patternbook.h"
#include "tempdir.h"

using namespace tessora;
using tessora::test::TempDir;

namespace {

constexpr int kRed = 4;  // catalogue index of "Rot"
constexpr QRgb kRedFill = qRgb(200, 0, 0);

// A pattern of one colour; `other` puts catalogue colour 0 into the last column.
BeadPattern plainPattern(int wide, int high, bool other = false) {
    BeadPattern pattern;
    pattern.wide = wide;
    pattern.high = high;
    pattern.values.assign(static_cast<std::size_t>(wide) * high, 10 + kRed);
    if (other) {
        for (int row = 0; row < high; ++row)
            pattern.values[static_cast<std::size_t>(row) * wide + wide - 1] = 10;
    }
    pattern.palette.fill(qRgb(255, 255, 255));
    pattern.palette[10 + kRed] = kRedFill;
    return pattern;
}

int sum(const BeadCounts& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(u'\n', 0, 0).trimmed().toInt();
}

QImage renderPage(const TempDir& dir, const QString& pdf, int page) {
    const QString stem = dir.path(QStringLiteral("seite"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

bool isRed(QRgb pixel) {
    return qRed(pixel) > 150 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}
bool isDark(QRgb pixel) {
    return qRed(pixel) < 110 && qGreen(pixel) < 110 && qBlue(pixel) < 110;
}

// Centres of the dark lines crossed along `count` pixels from `start` in steps of `step`,
// between the first and last red pixel (with a few pixels for the frame line's outer half).
std::vector<double> lineCentres(const QImage& page, QPoint start, QPoint step, int count) {
    int firstRed = -1, lastRed = -1;
    for (int k = 0; k < count; ++k) {
        if (!isRed(page.pixel(start + k * step))) continue;
        if (firstRed < 0) firstRed = k;
        lastRed = k;
    }
    std::vector<double> centres;
    int runStart = -1;
    for (int k = std::max(0, firstRed - 8); k <= std::min(count - 1, lastRed + 8); ++k) {
        const bool dark = isDark(page.pixel(start + k * step));
        if (dark && runStart < 0) runStart = k;
        if (!dark && runStart >= 0) {
            centres.push_back((runStart + k - 1) / 2.0);
            runStart = -1;
        }
    }
    return centres;
}

// The red cells' grid on a rendered board page: line centres across and down in pixels.
void measureBoard(const QImage& page, std::vector<double>& across, std::vector<double>& down) {
    int bestRow = 0, bestRed = 0;
    for (int y = 0; y < page.height(); y += 4) {
        int red = 0;
        for (int x = 0; x < page.width(); x += 2)
            red += isRed(page.pixel(x, y)) ? 1 : 0;
        if (red > bestRed) bestRed = red, bestRow = y;
    }
    across = lineCentres(page, QPoint(0, bestRow), QPoint(1, 0), page.width());
    ASSERT_GE(across.size(), 2u);
    const int column = static_cast<int>((across[0] + across[1]) / 2);
    down = lineCentres(page, QPoint(column, 0), QPoint(0, 1), page.height());
}

}  // namespace

TEST(PatternBookLayout, BoardsInReadingOrderAndSheetsOfABoard) {
    const BoardGrid grid = tileBoards(30, 40, 29, 29);
    ASSERT_EQ(grid.tiles.size(), 4u);
    const BoardTile last = grid.tiles.back();
    EXPECT_EQ(std::tie(last.boardRow, last.boardColumn, last.left, last.top, last.wide, last.high),
              std::make_tuple(1, 1, 29, 29, 1, 11));
    EXPECT_EQ(grid.tiles[1].boardColumn, 1);  // reading order: along the top row first

    struct Case {
        const char* name;
        int pegs, perPage, overlap;
        std::vector<int> firsts;
        int size;
    } cases[] = {
        {"fits", 29, 35, 2, {0}, 29},
        {"maxi board on A4", 28, 17, 2, {0, 13}, 15},
        {"many sheets", 100, 17, 2, {0, 14, 28, 42, 56, 70, 84}, 16},
        {"overlap wider than the page", 10, 3, 5, {0, 1, 2, 3, 4, 5, 6, 7}, 3},
    };
    for (const Case& c : cases) {
        std::vector<int> firsts;
        for (const PegSpan& span : splitPegs(c.pegs, c.perPage, c.overlap)) {
            firsts.push_back(span.first);
            EXPECT_EQ(span.count, c.size) << c.name;
        }
        EXPECT_EQ(firsts, c.firsts) << c.name;
    }
}

TEST(PatternBookLayout, BeadSizesOnPaper) {
    struct Case {
        BeadSize bead;
        Paper paper;
        bool landscape;
        bool split;
    } cases[] = {{BeadSize::Midi, Paper::A4, false, false},
                 {BeadSize::Midi, Paper::Letter, true, false},
                 {BeadSize::Mini, Paper::A4, false, false},
                 {BeadSize::Maxi, Paper::A4, false, true},
                 {BeadSize::Maxi, Paper::Letter, true, true}};
    for (const Case& c : cases) {
        BookOptions options = bookOptionsFor(c.bead);
        options.paper = c.paper;
        options.landscape = c.landscape;
        const QSizeF content = bookPageLayout(options).paintRect(QPageLayout::Millimeter).size();
        const SheetCapacity capacity = pegsPerPage(content, options.pitchMm);
        const bool split =
            capacity.columns < options.boardWide || capacity.rows < options.boardHigh;
        EXPECT_EQ(split, c.split) << beadSizeText(options.pitchMm).toStdString();
    }
}

TEST(PatternBookCounts, BoardsAddUpAndEmptyPegsAreNotCounted) {
    BeadPattern pattern = plainPattern(30, 20, true);
    pattern.values[0] = 3;  // no catalogue slot: counts as `notfoundis`, here colour 0
    const BoardGrid grid = tileBoards(30, 20, 29, 29);
    const std::vector<BeadCounts> counts = boardCounts(pattern, grid);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(sum(counts[0]), 29 * 20);
    EXPECT_EQ(counts[0][0], 1);
    EXPECT_EQ(counts[1][0], 20);  // the one-column board: the rest of it holds no beads
    EXPECT_EQ(sum(counts[1]), 20);
    EXPECT_EQ(boardStatisticsLines(pattern, grid),
              QStringList({"Platte 1/1", "01: 1", "05: 579", "Platte 1/2", "01: 20"}));
    EXPECT_EQ(boardTitle(pattern, grid.tiles[1], 2, 2),
              QStringLiteral("Platte 2 von 2 – Reihen 1–20, Spalten 30–30"));
}

TEST(PatternBookPdf, CellsMeasureThePegPitchAcrossAWholeBoard) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    struct Case {
        BeadSize bead;
        int boardPegs;
        double pitchMm;
    } cases[] = {{BeadSize::Midi, 29, 5.0}, {BeadSize::Mini, 48, 2.5}};
    for (const Case& c : cases) {
        TempDir dir;
        const QString pdf = dir.path(QStringLiteral("vorlage.pdf"));
        ASSERT_EQ(writePatternBookPdf(pdf, plainPattern(58, 58), bookOptionsFor(c.bead)),
                  BookResult::Written);
        EXPECT_EQ(pdfPages(pdf), 5);
        std::vector<double> across, down;
        measureBoard(renderPage(dir, pdf, 2), across, down);
        const double board = c.boardPegs * c.pitchMm / 25.4 * 300;
        for (const std::vector<double>* lines : {&across, &down}) {
            ASSERT_EQ(lines->size(), static_cast<std::size_t>(c.boardPegs + 1)) << c.pitchMm;
            EXPECT_NEAR(lines->back() - lines->front(), board, board * 0.005) << c.pitchMm;
        }
    }
}

TEST(PatternBookPdf, TablesCarryTheCountsAsSearchableText) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("vorlage.pdf"));
    ASSERT_EQ(writePatternBookPdf(pdf, plainPattern(58, 40, true), bookOptionsFor(BeadSize::Midi)),
              BookResult::Written);
    const auto text = [&](int page) {
        return run(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                    QString::number(page), pdf, QStringLiteral("-")});
    };
    EXPECT_TRUE(text(1).contains(QStringLiteral("Perlen insgesamt: 2320")));
    const QString lastBoard = text(5);
    EXPECT_TRUE(lastBoard.contains(QStringLiteral("Platte 4 von 4 – Reihen 1–11, Spalten 30–58")));
    EXPECT_TRUE(lastBoard.contains(QStringLiteral("308")));  // 28 x 11 red
    EXPECT_TRUE(lastBoard.contains(QStringLiteral("Weiß")));
}

TEST(PatternBookPdf, AFailedOrCancelledBookLeavesTheOldFile) {
    TempDir dir;
    const QString pdf = dir.write(QStringLiteral("alt.pdf"), "old");
    BookCallbacks cancelAfterOne;
    int boards = 0;
    cancelAfterOne.progress = [&](int done, int) { boards = done; };
    cancelAfterOne.cancelled = [&] { return boards >= 1; };
    EXPECT_EQ(writePatternBookPdf(pdf, plainPattern(58, 58), bookOptionsFor(BeadSize::Midi),
                                  cancelAfterOne),
              BookResult::Cancelled);
    EXPECT_EQ(boards, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(QFileInfo(pdf).path()).entryList(QDir::Files), QStringList{"alt.pdf"});
    EXPECT_EQ(writePatternBookPdf(QStringLiteral("/nonexistent-folder/v.pdf"), plainPattern(5, 5),
                                  bookOptionsFor(BeadSize::Midi)),
              BookResult::CannotStart);
    // A FIFO in the target's place stays a FIFO; the book is refused before anything is written.
    const QString fifo = dir.path(QStringLiteral("fifo.pdf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(writePatternBookPdf(fifo, plainPattern(5, 5), bookOptionsFor(BeadSize::Midi)),
              BookResult::CannotStart);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}
