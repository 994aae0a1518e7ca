#pragma once
// Writing a file so that a failed or cancelled write never costs the file that was there; built
// on ReplacingFile, so a target that is no regular file is refused and names travel byte for byte.

#include <QString>
#include <functional>

class QIODevice;

namespace tessora {

enum class SafeSaveResult { Saved, CannotCreate, WriteFailed, Abandoned };

// `write` fills a temporary file beside `fileName`; it replaces `fileName` only when `write`
// returned true and every byte reached the disk. `write` returns false to abandon the file.
SafeSaveResult saveFileSafely(const QString& fileName,
                              const std::function<bool(QIODevice&)>& write);

}  // namespace tessora
