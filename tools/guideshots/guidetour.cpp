#include "guidetour.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <iostream>

#include "ui/calculatepage.h"
#include "ui/loadpage.h"
#include "ui/mainwindow.h"
#include "ui/resultpage.h"
#include "ui/sizepage.h"

namespace tessora {
namespace {

// Lets the window lay out and paint (and the file list fill in the background).
void settle(int ms = 300) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        settle(50);
    }
    return true;
}

bool fail(const QString& why) {
    std::cerr << "guideshots: " << why.toStdString() << '\n';
    return false;
}

bool saveGrab(QWidget& widget, const QString& folder, const QString& name) {
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(file, "PNG")) return fail(QStringLiteral("cannot write ") + file);
    std::cout << file.toStdString() << '\n';
    return true;
}

bool showPage(MainWindow& window, int index, const QString& folder, const QString& name) {
    window.pageTabs->setCurrentIndex(index);
    settle();
    return saveGrab(window, folder, name);
}

// Selects the motif in the file list and opens it, as a double-click does.
bool loadMotif(MainWindow& window, const TourSettings& settings) {
    LoadPage& page = *window.loadPage;
    page.selectFolder(settings.motifFolder);
    const QString path = QDir(settings.motifFolder).filePath(settings.motifName);
    const auto entry = [&] { return page.fileModel->index(path); };
    if (!waitUntil([&] { return entry().isValid(); }))
        return fail(QStringLiteral("no motif ") + path);
    page.fileList->setCurrentIndex(entry());
    page.openCurrentEntry();
    return true;
}

// The pattern book's dialog is modal: it is grabbed and closed from inside its own loop.
bool grabTemplateDialog(MainWindow& window, const QString& folder) {
    bool saved = false;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        poll.stop();
        settle();
        saved = saveGrab(*dialog, folder, QStringLiteral("vorlage"));
        dialog->reject();
    });
    poll.start();
    window.resultPage->templateButton->click();
    return saved;
}

}  // namespace

bool runGuideTour(MainWindow& window, const TourSettings& settings) {
    const QString& out = settings.outputFolder;
    settle();
    if (!loadMotif(window, settings)) return false;
    if (!showPage(window, 0, out, QStringLiteral("motiv-laden"))) return false;
    if (settings.beadsWide > 0) window.sizePage->beadsWideSpin->setValue(settings.beadsWide);
    if (!showPage(window, 1, out, QStringLiteral("groesse"))) return false;
    if (!showPage(window, 2, out, QStringLiteral("farben"))) return false;
    window.pageTabs->setCurrentIndex(MainWindow::kCalculatePage);
    window.calculatePage->calculateButton->click();
    if (!showPage(window, MainWindow::kCalculatePage, out, QStringLiteral("berechnen")))
        return false;
    window.calculatePage->editModeCheck->setChecked(true);
    if (!showPage(window, MainWindow::kCalculatePage, out, QStringLiteral("nachbearbeiten")))
        return false;
    window.calculatePage->editModeCheck->setChecked(false);
    if (!showPage(window, MainWindow::kResultPage, out, QStringLiteral("ergebnis"))) return false;
    if (!grabTemplateDialog(window, out)) return fail(QStringLiteral("no pattern book dialog"));
    return showPage(window, 5, out, QStringLiteral("statistik"));
}

}  // namespace tessora
