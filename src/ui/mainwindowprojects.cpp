// The main window's project commands, its title, the recovery file and the colour steps of the
// undo stack.

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "ui/colourpage.h"
#include "ui/loadpage.h"
#include "ui/mainwindow.h"
#include "ui/recentprojects.h"
#include "ui/recoveryfile.h"
#include "ui/resultpage.h"
#include "ui/sizepage.h"

namespace tessora {
namespace {

const QString kCaption = QStringLiteral("Kelvara Tessora 1.0");

// The matching options and the picture's opacity in a project.
void storeMatching(ProjectState& state, const MatchingChoices& matching, const AlphaPlane& alpha) {
    state.maxColors = matching.maxColors;
    state.distance = matching.distance;
    state.keepTransparentEmpty = matching.keepTransparentEmpty;
    state.removeBackground = matching.removeBackground;
    state.alpha = alpha;
}

MatchingChoices matchingOf(const ProjectState& state) {
    return {state.distance, state.maxColors, state.keepTransparentEmpty, state.removeBackground};
}

}  // namespace

ProjectState MainWindow::currentProjectState() const {
    ProjectState state = projectStateOf(document);
    const ColourChoices colours = colourPage->colourChoices();
    state.ticks = colours.ticks;
    storeMatching(state, colours.matching, pictureAlpha);
    state.beadsWide = sizePage->beadsWide();
    state.beadsHigh = sizePage->beadsHigh();
    state.aspectLock = sizePage->keepAspectCheck->isChecked();
    state.rolmod = colourPage->ditheringChosen() ? 1 : 0;
    state.zoom = resultPage->zoomSpin->value();
    state.page = pageTabs->currentIndex();
    return state;
}

void MainWindow::applyProjectState(ProjectState& state) {
    installProject(document, state);
    pictureAlpha = std::move(state.alpha);
    applyingColours_ = true;
    colourPage->showRange();
    colourPage->setColourChoices(
        {document.range, state.ticks, state.rolmod == 1, document.pal, matchingOf(state)});
    applyingColours_ = false;
    // The lock goes on only after both counts, or the second would move the first.
    sizePage->keepAspectCheck->setChecked(false);
    sizePage->beadsWideSpin->setValue(state.beadsWide);
    sizePage->beadsHighSpin->setValue(state.beadsHigh);
    sizePage->keepAspectCheck->setChecked(state.aspectLock);
    sizePage->showPictureInfo();
    loadPage->update();
    resultPage->zoomSpin->setValue(state.zoom);
    showRestoredGrid();
    pageTabs->setCurrentIndex(state.page);
    undoStack->clear();
    lastColours_ = currentColourChoices();
}

bool MainWindow::openProjectFile(const QString& fileName) {
    recordColourChange();
    if (!undoStack->isClean() && !confirmCloseWithChanges(tr("Projekt öffnen"))) return false;
    releaseHiddenChart();
    ProjectState state;
    const ProjectError error = openProject(fileName, state);
    if (error != ProjectError::None) {
        showProjectError(error, fileName);
        return false;
    }
    applyProjectState(state);
    adoptProjectFile(fileName);
    return true;
}

// The document now is what the file holds: no unsaved changes, nothing left to recover.
void MainWindow::adoptProjectFile(const QString& fileName) {
    projectFile_ = QFileInfo(fileName).absoluteFilePath();
    rememberProject(projectFile_);
    undoStack->setClean();
    autosaveTimer.stop();
    recovery_->discard();
    updateTitle();
}

bool MainWindow::saveProjectTo(const QString& fileName) {
    recordColourChange();
    const ProjectError error = saveProject(currentProjectState(), fileName);
    if (error != ProjectError::None) {
        showProjectError(error, fileName);
        return false;
    }
    adoptProjectFile(fileName);
    return true;
}

bool MainWindow::saveProjectFile() {
    return projectFile_.isEmpty() ? saveProjectAs() : saveProjectTo(projectFile_);
}

bool MainWindow::saveProjectAs() {
    QFileDialog dialog(this, tr("Projekt speichern unter"),
                       projectFile_.isEmpty() ? document.progpath : projectFile_,
                       projectFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QLatin1String(kProjectSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return saveProjectTo(dialog.selectedFiles().constFirst());
}

void MainWindow::chooseProjectToOpen() {
    const QString folder =
        projectFile_.isEmpty() ? document.progpath : QFileInfo(projectFile_).absolutePath();
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Projekt öffnen"), folder, projectFileFilter());
    if (!file.isEmpty()) openProjectFile(file);
}

void MainWindow::showProjectError(ProjectError error, const QString& fileName) {
    QMessageBox::warning(this, tr("Fehler"), projectErrorText(error, fileName));
}

void MainWindow::updateTitle() {
    if (projectFile_.isEmpty()) {
        setWindowTitle(kCaption);
        return;
    }
    const QString modified = undoStack->isClean() ? QString() : QStringLiteral("*");
    setWindowTitle(QFileInfo(projectFile_).completeBaseName() + modified + QStringLiteral(" - ") +
                   kCaption);
}

void MainWindow::onUndoStackChanged() {
    updateTitle();
    // Started once, not restarted, so a steady stream of edits is saved every few seconds.
    if (!autosaveTimer.isActive()) autosaveTimer.start();
}

void MainWindow::autosave() {
    recordColourChange();
    if (undoStack->isClean()) {
        recovery_->discard();
        return;
    }
    recovery_->write(currentProjectState());
}

void MainWindow::setRecoveryFolder(const QString& folder) {
    recovery_->discard();
    recovery_ = std::make_unique<RecoveryFile>(folder);
}

bool MainWindow::offerRecovery() {
    const QStringList orphans = recovery_->takeOrphans();
    if (orphans.isEmpty()) return false;
    QMessageBox box(QMessageBox::Question, tr("Wiederherstellen"),
                    tr("Letzte Sitzung wiederherstellen?"), QMessageBox::Yes | QMessageBox::No,
                    this);
    bool restored = false;
    if (box.exec() == QMessageBox::Yes) {
        ProjectState state;
        const ProjectError error = openProject(orphans.constFirst(), state);
        if (error == ProjectError::None) {
            applyProjectState(state);
            // The work is back but saved nowhere yet.
            undoStack->resetClean();
            updateTitle();
            restored = true;
        } else {
            showProjectError(error, orphans.constFirst());
        }
    }
    for (const QString& orphan : orphans)
        RecoveryFile::removeOrphan(orphan);
    return restored;
}

ColourChoices MainWindow::currentColourChoices() const {
    return colourPage->colourChoices();
}

void MainWindow::applyColourChoices(const ColourChoices& choices) {
    const bool otherRange = !sameRange(document.range, choices.range);
    applyingColours_ = true;
    colourPage->setColourChoices(choices);
    applyingColours_ = false;
    lastColours_ = choices;
    // The chart and the counts name their colours from the range.
    if (otherRange) showRestoredGrid();
}

void MainWindow::onColoursChanged() {
    if (applyingColours_ || colourChangePending_) return;
    // "Alles auswählen" ticks 64 items: they become one step once the clicks are done.
    colourChangePending_ = true;
    QTimer::singleShot(0, this, &MainWindow::recordColourChange);
}

void MainWindow::recordColourChange() {
    colourChangePending_ = false;
    const ColourChoices now = currentColourChoices();
    if (now == lastColours_) return;
    undoStack->push(new ColourChangeCommand(
        lastColours_, now, [this](const ColourChoices& choices) { applyColourChoices(choices); }));
    lastColours_ = now;
}

}  // namespace tessora
