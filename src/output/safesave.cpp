#include "output/safesave.h"

#include <QSaveFile>

namespace tessora {

SafeSaveResult saveFileSafely(const QString& fileName,
                              const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return SafeSaveResult::CannotCreate;
    if (!write(file)) {
        const bool failed = file.error() != QFileDevice::NoError;
        file.cancelWriting();
        return failed ? SafeSaveResult::WriteFailed : SafeSaveResult::Abandoned;
    }
    return file.commit() ? SafeSaveResult::Saved : SafeSaveResult::WriteFailed;
}

}  // namespace tessora
