#pragma once
// Why a command of the engine could not do all of its work. The window turns these into
// German messages; the engine itself shows nothing.

namespace tessora {

enum class EngineError {
    None,
    NoPicture,    // the source picture has no pixels
    OutOfMemory,  // an image could not be created
};

}  // namespace tessora
