#pragma once
// Opening files the program reads (pictures, colour settings): only regular files, found by
// their name's exact bytes. The check never blocks: a FIFO without a writer is refused at once
// instead of waiting in open() for ever.

#include <QFile>
#include <QString>
#include <cstdint>

namespace tessora {

enum class FileOpenError {
    None,
    NotFound,
    NotRegular,  // a folder, FIFO, device node or socket
    CannotOpen,  // no permission, or the system refused
};

// Opens `fileName` (see nativefilename.h for names that are not UTF-8) into `file` for reading.
FileOpenError openRegularFile(const QString& fileName, QFile& file);

// Reads up to `count` bytes at `offset` into `to`; the number of bytes read, -1 on error.
// Works on the file's descriptor, so the QFile's own position and buffer stay as they are.
std::int64_t readAt(QFile& file, std::uint64_t offset, void* to, std::size_t count);

}  // namespace tessora
