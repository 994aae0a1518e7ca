#pragma once
// The choices of the template dialog, remembered per user: bead size, peg pitch, board size
// and paper. The statistics' per-board counts use the same board size.

#include "output/boardlayout.h"

namespace tessora {

// The bead sizes in the order the dialog offers them, the first three as in BeadSize; Free
// takes any pitch.
enum class BeadChoice { Midi, Mini, Maxi, Free };

struct BookChoices {
    BeadChoice bead = BeadChoice::Midi;
    BookOptions options;  // pitch, board and paper
};

// The remembered choices; anything missing or out of range falls back to Midi's defaults.
BookChoices loadBookChoices();
void saveBookChoices(const BookChoices& choices);

}  // namespace tessora
