#pragma once
// Pattern projects (.tessora): everything needed to go on working where the user stopped, in
// one SQLite database file. The window and tessora-cli fill a ProjectState from what they
// hold and take one back; this layer knows nothing of either.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/beadrange.h"
#include "engine/catalogue.h"
#include "engine/colourdistance.h"
#include "engine/document.h"
#include "imagelib/alphaplane.h"

namespace tessora {

// The file layout this program writes. A file with a higher number is refused; new settings
// and new tables that older programs may ignore do not raise it.
constexpr std::int64_t kProjectFormatVersion = 1;

inline constexpr char kProjectSuffix[] = "tessora";
QString projectFileFilter();  // "Tessora-Projekt (*.tessora)"

struct ProjectState {
    dib picture{};  // the source picture `di`, exactly as loaded
    dib grid{};     // the bead grid `di3`, hand edits included
    LPAL pal{};     // the bead palette as edited, one entry per colour of `range`
    BeadRange range = standardRange();
    std::array<bool, kMaxRangeColors> ticks{};  // the first range.size() count
    int maxColors = 0;                          // "Höchstens N Farben", 0 is off
    std::int32_t notfoundis = 0;
    std::int32_t colornr = 0;  // the colour picked for bead editing
    int beadsWide = 30;        // the size fields, as they stand (1..1000)
    int beadsHigh = 19;
    bool aspectLock = true;
    int rolmod = 0;  // 1: error diffusion ("Dithering"), 0: nearest colour
    int zoom = 100;  // the result view's zoom in percent (1..10000)
    int page = 0;    // the page shown, 0 "Motiv laden" … 5 "Statistik"
    ColourDistance distance = ColourDistance::Rgb;  // "Farbabstand:"
    bool keepTransparentEmpty = true;               // "Transparente Stellen frei lassen"
    std::optional<int> removeBackground;            // "Hintergrund entfernen": tolerance 0..100
    // The picture's opacity; kept only when it has one byte per pixel of `picture`.
    AlphaPlane alpha;
};

constexpr int kProjectPageCount = 6;
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 10000;

enum class ProjectError {
    None,
    CannotOpen,       // missing or unreadable
    NotAProject,      // not an SQLite database of ours
    NewerVersion,     // written by a newer program
    Damaged,          // ours, but something in it is missing, lies or is broken
    PictureTooLarge,  // the embedded picture is beyond the pixel budget
    OutOfMemory,
    NoPicture,  // the state to save has no picture or grid
    FolderNotWritable,
    DiskFull,
    CannotWrite,
};

// The German sentence for the user, naming the file. Save errors add that an existing file of
// that name was left as it was.
QString projectErrorText(ProjectError error, const QString& fileName);

// Writes the project as a new file beside the target and renames it over the target only once
// it is complete, so a failed save never costs the old file. Any path will do, which is what
// the window's recovery file needs.
ProjectError saveProject(const ProjectState& state, const QString& fileName);

// The bytes saveProject would write.
ProjectError projectFileBytes(const ProjectState& state, QByteArray& bytes);

// Opens a project. On success `out` owns its two images (FreeProjectImages); on failure `out`
// is left as it was. Regular files only: a FIFO or device is refused without being opened.
ProjectError openProject(const QString& fileName, ProjectState& out);

// The same from the bytes of a project file; the reader meets hostile bytes here.
ProjectError openProjectFromBytes(std::span<const std::uint8_t> bytes, ProjectState& out);

void FreeProjectImages(ProjectState& state);

// The document's part of a state: its two images borrowed, palette, range and numbers copied. The
// caller adds what lives in its controls.
ProjectState projectStateOf(const Document& doc);

// Hands the state's images to the document, releasing the document's old ones, and takes the
// palette and numbers. The state keeps no images afterwards; the chart is the caller's to draw.
void installProject(Document& doc, ProjectState& state);

}  // namespace tessora
