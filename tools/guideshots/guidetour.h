#pragma once
// Drives the real window through the work of a crafter, page by page, and grabs each step into a
// PNG file for the user guide.

#include <QString>

namespace tessora {

class MainWindow;

struct TourSettings {
    QString outputFolder;  // the PNG files go here
    QString motifFolder;   // the folder shown on "Motiv laden"
    QString motifName;     // the picture loaded from it
    int beadsWide = 0;     // 0: as the window starts
};

// Runs the tour on `window`, which must be shown; false when a step could not be done (the
// reason is printed on standard error).
bool runGuideTour(MainWindow& window, const TourSettings& settings);

}  // namespace tessora
