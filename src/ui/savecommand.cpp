#include "ui/savecommand.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "imagelib/imagelib.h"

namespace tessora {

QString CompleteSaveName(const QString& name, int position) {
    const QString last = name.section(u'/', -1);
    if (last.contains(u'.') || position < 1 || position > kSaveFormatCount) return name;
    return name + QLatin1String(SaveExtensions[position - 1]);
}

QStringList DialogNameFilters(const QString& filterText) {
    const QStringList parts = filterText.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        filters << (parts[i].contains(u'(') ? parts[i]
                                            : parts[i] + QStringLiteral(" (") + patterns + u')');
    }
    return filters;
}

void SaveCommand::run(QWidget* owner, const dib& chart, const QString& startFolder,
                      const std::function<void(int)>& progress) {
    if (dialog_ == nullptr) {
        dialog_ = new QFileDialog(owner, QStringLiteral("Bild speichern unter"), startFolder);
        dialog_->setAcceptMode(QFileDialog::AcceptSave);
        dialog_->setOption(QFileDialog::DontConfirmOverwrite);
        dialog_->setOption(QFileDialog::DontUseNativeDialog);
    }
    const QStringList filters = DialogNameFilters(GetDIBSaveFilter());
    const QString previousFilter = dialog_->selectedNameFilter();
    dialog_->setNameFilters(filters);
    if (filters.contains(previousFilter)) dialog_->selectNameFilter(previousFilter);
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty()) return;

    const int position = static_cast<int>(filters.indexOf(dialog_->selectedNameFilter())) + 1;
    const QString file = CompleteSaveName(dialog_->selectedFiles().constFirst(), position);
    const ImageError error = SaveDib(chart, file, position + 2, progress);
    if (error != ImageError::None) {
        QMessageBox::warning(owner, QStringLiteral("Bild speichern"),
                             QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\n%2")
                                 .arg(QDir::toNativeSeparators(file), ImageErrorText(error)));
    }
}

}  // namespace tessora
