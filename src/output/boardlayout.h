#pragma once
// Pegboards: bead sizes with their usual boards, the boards a pattern covers in reading order,
// and the pieces a board is cut into when it does not fit on one page.

#include <QString>
#include <vector>

namespace tessora {

enum class BeadSize { Midi, Mini, Maxi };
enum class Paper { A4, Letter };

struct BookOptions {
    double pitchMm = 5.0;  // distance of neighbouring pegs
    int boardWide = 29;    // pegs
    int boardHigh = 29;
    Paper paper = Paper::A4;
    bool landscape = false;
};

// Midi: 5 mm, 29 x 29 pegs; Mini: 2.5 mm, 48 x 48; Maxi: 10 mm, 28 x 28.
BookOptions bookOptionsFor(BeadSize size);

// "Midi (5 mm)" and so on when the pitch is one of the bead sizes, else the pitch itself.
QString beadSizeText(double pitchMm);

constexpr double kMinPitchMm = 1.0;
constexpr double kMaxPitchMm = 50.0;
constexpr int kMaxBoardPegs = 200;

// One board: where it lies in the board grid and which part of the pattern it carries.
// Columns and rows of the pattern count from 0 at the top left.
struct BoardTile {
    int boardRow;     // from the top
    int boardColumn;  // from the left
    int left;         // first pattern column on the board
    int top;          // first pattern row on the board
    int wide;         // pattern columns on the board, at most the board's width
    int high;
};

struct BoardGrid {
    int rows = 0;
    int columns = 0;
    std::vector<BoardTile> tiles;  // reading order: rows from the top, each from the left
};

// Boards laid from the pattern's top left corner; boards at the right and bottom edges may be
// only partly covered.
BoardGrid tileBoards(int patternWide, int patternHigh, int boardWide, int boardHigh);

// A span of pegs of a board on one page.
struct PegSpan {
    int first;
    int count;
};

// The spans that cover `pegs` pegs with at most `perPage` on a page, neighbours sharing at least
// `overlap` pegs; one span when all fit.
std::vector<PegSpan> splitPegs(int pegs, int perPage, int overlap);

}  // namespace tessora
