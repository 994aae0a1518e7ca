// The save command: the save dialog, the default extension and the library's writer.

#include "ui/savecommand.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "imagelib/imagelib.h"
#include "ui/mainform.h"

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

void TMainForm::SaveAsBtnClick() {
    if (SaveDialog1 == nullptr) {
        SaveDialog1 = new QFileDialog(this, QStringLiteral("Bild speichern unter"), progpath);
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
        SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    }
    const QStringList filters = DialogNameFilters(GetDIBSaveFilter());
    const QString previousFilter = SaveDialog1->selectedNameFilter();
    SaveDialog1->setNameFilters(filters);
    if (filters.contains(previousFilter)) SaveDialog1->selectNameFilter(previousFilter);
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;

    const int position = static_cast<int>(filters.indexOf(SaveDialog1->selectedNameFilter())) + 1;
    const QString file = CompleteSaveName(SaveDialog1->selectedFiles().constFirst(), position);
    const ImageError error =
        SaveDib(rdi, file, position + 2, [this](int percent) { WMUser(percent); });
    if (error != ImageError::None) {
        QMessageBox::warning(this, QStringLiteral("Bild speichern"),
                             QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\n%2")
                                 .arg(QDir::toNativeSeparators(file), ImageErrorText(error)));
    }
}

}  // namespace tessora
