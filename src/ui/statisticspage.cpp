// Page "Statistik": how many beads of each colour the pattern needs.

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/mainform.h"
#include "ui/pageframe.h"

namespace tessora {

QWidget* TMainForm::buildStatisticsPage() {
    const PageParts parts =
        MakePage(QStringLiteral("Statistik - Wie viele Perlen von welcher Sorte werden benötigt?"),
                 QString(), 0);
    auto* layout = new QVBoxLayout(parts.body);
    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    layout->addWidget(Memo1);
    return parts.page;
}

}  // namespace tessora
