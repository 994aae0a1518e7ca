#pragma once
// Warnings of Qt and of the image libraries it drives ("QPainter::begin(): Returned false",
// libpng's and libtiff's complaints) are kept here instead of going to stderr, where they would
// stand in English before our own German message. The last one stays available for a caller
// that can add it as the reason. With TESSORA_LIBRARY_MESSAGES=1 in the environment they go to
// stderr as well, for debugging.

#include <QString>

namespace tessora {

// Installs the handler; calling it again does nothing. Fatal messages still end the program.
void RouteLibraryMessages();

// The last message since the previous call (empty when there was none), then forgets it.
QString TakeLibraryMessage();

// Records a message from a library that reports through a callback of its own.
void NoteLibraryMessage(const QString& text);

}  // namespace tessora
