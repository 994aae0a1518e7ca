// Any bytes as a project file. A project that opens must hold two whole images within the
// pixel budget and a bead grid of 8 bits; whatever does not open must hand out nothing.

#include "engine/project.h"
#include "fuzzsupport.h"

using namespace tessora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool initialised = (fuzz::initialiseFuzzer(false), true);
    (void)initialised;
    ProjectState state;
    const ProjectError error = openProjectFromBytes(fuzz::bytesOf(data, size), state);
    if (error != ProjectError::None) {
        fuzz::require(state.picture.poi == nullptr && state.grid.poi == nullptr,
                      "a project that did not open hands out no images");
        return 0;
    }
    fuzz::checkReadResult(ImageError::None, state.picture);
    fuzz::checkReadResult(ImageError::None, state.grid);
    fuzz::require(DibBits(state.grid) == 8, "the bead grid has 8 bits");
    FreeProjectImages(state);
    return 0;
}
