#include "ui/savecommand.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "imagelib/imagelib.h"
#include "ui/busycursor.h"

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

bool ConfirmOverwrite(QWidget* owner, const QString& file) {
    if (!QFileInfo::exists(file)) return true;
    QMessageBox box(QMessageBox::Question, SaveCommand::tr("Bild speichern unter"),
                    SaveCommand::tr("Die Datei %1 ist schon vorhanden.\nMöchten Sie sie ersetzen?")
                        .arg(QDir::toNativeSeparators(file)),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {

// Paints what waits to be painted (the place the dialog left, the growing bar) without taking
// any input.
void paintPendingWindows() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

ImageError SaveCommand::write(const dib& chart, const QString& file, int format,
                              const std::function<void(int)>& progress) {
    const BusyCursor busy;
    if (onTask) onTask(tr("Speichere …"));
    paintPendingWindows();
    int shownPercent = -1;
    const ImageError error = SaveDib(chart, file, format, [&](int percent) {
        progress(percent);
        // Rows come far more often than the bar can change.
        if (percent == shownPercent) return;
        shownPercent = percent;
        paintPendingWindows();
    });
    if (onTask) onTask(QString());
    return error;
}

void SaveCommand::run(QWidget* owner, const dib& chart, const QString& startFolder,
                      const std::function<void(int)>& progress) {
    if (dialog_ == nullptr) {
        dialog_ = new QFileDialog(owner, tr("Bild speichern unter"), startFolder);
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
    if (!ConfirmOverwrite(owner, file)) return;
    const ImageError error = write(chart, file, position + 2, progress);
    if (error != ImageError::None) {
        QMessageBox::warning(owner, tr("Bild speichern"),
                             tr("Die Datei %1 konnte nicht gespeichert werden.\n%2")
                                 .arg(QDir::toNativeSeparators(file), ImageErrorText(error)));
    }
}

}  // namespace tessora
