#include "output/safesave.h"

#include "imagelib/replacingfile.h"

namespace tessora {

SafeSaveResult saveFileSafely(const QString& fileName,
                              const std::function<bool(QIODevice&)>& write) {
    ReplacingFile file(fileName);
    if (file.open() != ReplaceError::None) return SafeSaveResult::CannotCreate;
    if (!write(file.device())) {
        return file.device().error() != QFileDevice::NoError ? SafeSaveResult::WriteFailed
                                                             : SafeSaveResult::Abandoned;
    }
    if (file.device().error() != QFileDevice::NoError) return SafeSaveResult::WriteFailed;
    return file.commit() == ReplaceError::None ? SafeSaveResult::Saved
                                               : SafeSaveResult::WriteFailed;
}

}  // namespace tessora
