#pragma once
// The tables of a project file, shared by its writer and reader. Settings are key/value rows,
// so later options (colour distance, empty pegs, pattern book) add keys, not columns; the
// bead colours and the images have tables of their own. Unknown keys and tables are ignored.

#include <cstdint>

#include "engine/colourdistance.h"

namespace tessora::projectschema {

// "TSSR": SQLite's application id marks the file as ours (the file tool shows it too).
constexpr std::int64_t kApplicationId = 0x54535352;

inline constexpr const char* kCreateTables[] = {
    "CREATE TABLE settings (key TEXT PRIMARY KEY NOT NULL, value NOT NULL)",
    "CREATE TABLE bead_colours (position INTEGER PRIMARY KEY, red INTEGER NOT NULL, "
    "green INTEGER NOT NULL, blue INTEGER NOT NULL, ticked INTEGER NOT NULL)",
    "CREATE TABLE images (role TEXT PRIMARY KEY NOT NULL, width INTEGER NOT NULL, "
    "height INTEGER NOT NULL, bits INTEGER NOT NULL, x_pels_per_meter INTEGER NOT NULL, "
    "y_pels_per_meter INTEGER NOT NULL, colours_used INTEGER NOT NULL, "
    "colours_important INTEGER NOT NULL, colour_table BLOB, palette BLOB, "
    "encoding TEXT NOT NULL, pixels BLOB NOT NULL)",
    // The bead range: its name in one row, and the number, name and start colour of each of
    // its colours. A file without them was made with the standard range.
    "CREATE TABLE bead_range (name TEXT NOT NULL)",
    "CREATE TABLE range_colours (position INTEGER PRIMARY KEY, number TEXT NOT NULL, "
    "name TEXT NOT NULL, red INTEGER NOT NULL, green INTEGER NOT NULL, blue INTEGER NOT NULL)",
};

inline constexpr char kInsertSetting[] = "INSERT INTO settings (key, value) VALUES (?, ?)";
inline constexpr char kInsertColour[] =
    "INSERT INTO bead_colours (position, red, green, blue, ticked) VALUES (?, ?, ?, ?, ?)";
inline constexpr char kInsertImage[] =
    "INSERT INTO images (role, width, height, bits, x_pels_per_meter, y_pels_per_meter, "
    "colours_used, colours_important, colour_table, palette, encoding, pixels) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

inline constexpr char kInsertRangeName[] = "INSERT INTO bead_range (name) VALUES (?)";
inline constexpr char kInsertRangeColour[] =
    "INSERT INTO range_colours (position, number, name, red, green, blue) "
    "VALUES (?, ?, ?, ?, ?, ?)";

inline constexpr char kSelectSettings[] = "SELECT key, value FROM settings";
inline constexpr char kSelectColours[] =
    "SELECT position, red, green, blue, ticked FROM bead_colours";
inline constexpr char kHasRangeTable[] =
    "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'bead_range'";
inline constexpr char kSelectRangeName[] = "SELECT name FROM bead_range";
inline constexpr char kSelectRangeColours[] =
    "SELECT position, number, name, red, green, blue FROM range_colours";
inline constexpr char kSelectImage[] =
    "SELECT width, height, bits, x_pels_per_meter, y_pels_per_meter, colours_used, "
    "colours_important, colour_table, palette, encoding, pixels FROM images WHERE role = ?";

inline constexpr char kPictureRole[] = "picture";
inline constexpr char kGridRole[] = "grid";
// Added with empty pegs: the picture's opacity, present only for a picture with alpha.
inline constexpr char kAlphaRole[] = "alpha";
inline constexpr char kPixelEncoding[] = "zstd";

// Settings of format 1.
inline constexpr char kBeadsWide[] = "beads_wide";
inline constexpr char kBeadsHigh[] = "beads_high";
inline constexpr char kAspectLock[] = "aspect_lock";
inline constexpr char kMethod[] = "method";  // 0 nearest colour, 1 error diffusion
inline constexpr char kNotFoundIs[] = "notfoundis";
inline constexpr char kColorNr[] = "colornr";
inline constexpr char kZoom[] = "zoom";
inline constexpr char kPage[] = "page";
// Added with bead ranges; absent means off.
inline constexpr char kMaxColors[] = "max_colors";  // "Höchstens N Farben", 0 off
// Added with perceptual matching and empty pegs; absent means the defaults.
inline constexpr char kColourDistance[] = "colour_distance";  // index into kColourDistances
inline constexpr char kKeepTransparentEmpty[] = "keep_transparent_empty";  // 1 on (absent), 0 off
inline constexpr char kRemoveBackground[] = "remove_background";  // tolerance 0..100, -1 off

// The stored number of a colour distance is its position here, whatever the enum's order.
inline constexpr ColourDistance kColourDistances[] = {
    ColourDistance::Rgb, ColourDistance::Ciede2000, ColourDistance::Oklab};
constexpr int kBackgroundKept = -1;

}  // namespace tessora::projectschema
