#include "engine/nearestcell.h"

#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessora {
namespace {

// Squared offsets of the four colours of the cell along one axis from a candidate; a colour's
// distance is the sum of its three axis terms, so the cell needs 12 squares, not 64.
struct AxisSquares {
    std::array<int, kCellSide> red, green, blue;
};

AxisSquares axisSquares(const CellCorner& corner, const CandidateColour& candidate) {
    AxisSquares s{};
    for (int i = 0; i < kCellSide; ++i) {
        const int dr = corner.red + i - candidate.red;
        const int dg = corner.green + i - candidate.green;
        const int db = corner.blue + i - candidate.blue;
        s.red[i] = dr * dr;
        s.green[i] = dg * dg;
        s.blue[i] = db * db;
    }
    return s;
}

// Running best distance and index of every colour of the cell, 16-byte aligned rows of four.
struct CellBest {
    alignas(16) std::array<int, kCellColours> distance;
    alignas(16) std::array<int, kCellColours> index;
};

// Where the candidate is strictly nearer than the best so far, it becomes the best.
void takeNearer(const AxisSquares& s, int index, CellBest& best) {
#if defined(__SSE2__)
    const __m128i blue = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.blue.data()));
    const __m128i candidate = _mm_set1_epi32(index);
    for (int rg = 0; rg < kCellSide * kCellSide; ++rg) {
        auto* distance = reinterpret_cast<__m128i*>(best.distance.data() + 4 * rg);
        auto* bestIndex = reinterpret_cast<__m128i*>(best.index.data() + 4 * rg);
        const __m128i d =
            _mm_add_epi32(_mm_set1_epi32(s.red[rg / kCellSide] + s.green[rg % kCellSide]), blue);
        const __m128i old = _mm_load_si128(distance);
        const __m128i nearer = _mm_cmplt_epi32(d, old);
        _mm_store_si128(distance,
                        _mm_or_si128(_mm_and_si128(nearer, d), _mm_andnot_si128(nearer, old)));
        _mm_store_si128(bestIndex,
                        _mm_or_si128(_mm_and_si128(nearer, candidate),
                                     _mm_andnot_si128(nearer, _mm_load_si128(bestIndex))));
    }
#else
    for (int c = 0; c < kCellColours; ++c) {
        const int d = s.red[c / 16] + s.green[c / 4 % 4] + s.blue[c % 4];
        if (d < best.distance[c]) {
            best.distance[c] = d;
            best.index[c] = index;
        }
    }
#endif
}

// The indices (0 to 255) narrowed to bytes.
void storeIndices(const CellBest& best, std::array<std::uint8_t, kCellColours>& answers) {
#if defined(__SSE2__)
    for (int c = 0; c < kCellColours; c += 16) {
        const auto* from = reinterpret_cast<const __m128i*>(best.index.data() + c);
        const __m128i low = _mm_packs_epi32(_mm_load_si128(from), _mm_load_si128(from + 1));
        const __m128i high = _mm_packs_epi32(_mm_load_si128(from + 2), _mm_load_si128(from + 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(answers.data() + c),
                         _mm_packus_epi16(low, high));
    }
#else
    for (int c = 0; c < kCellColours; ++c)
        answers[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(best.index[c]);
#endif
}

}  // namespace

void nearestInCell(const CellCorner& corner, std::span<const CandidateColour> candidates,
                   std::array<std::uint8_t, kCellColours>& answers) {
    static_assert(kCellSide == 4, "four colours of a row fill one 128-bit register");
    CellBest best;
    best.distance.fill(std::numeric_limits<int>::max());
    best.index.fill(0);
    for (const CandidateColour& candidate : candidates)
        takeNearer(axisSquares(corner, candidate), candidate.index, best);
    storeIndices(best, answers);
}

}  // namespace tessora
