#include "engine/project.h"

#include <QCoreApplication>

#include <utility>

namespace tessora {
namespace {

QString saveFailureText(const QString& fileName, const QString& reason) {
    return QCoreApplication::translate(
               "Project",
               "Das Projekt %1 konnte nicht gespeichert werden.\n%2\nEine vorhandene Datei "
               "dieses Namens ist unverändert geblieben.")
        .arg(fileName, reason);
}

}  // namespace

QString projectFileFilter() {
    return QCoreApplication::translate("Project", "Tessora-Projekt (*.tessora)");
}

QString projectErrorText(ProjectError error, const QString& fileName) {
    switch (error) {
        case ProjectError::None:
            return {};
        case ProjectError::CannotOpen:
            return QCoreApplication::translate("Project",
                                               "Die Datei %1 konnte nicht geöffnet werden.")
                .arg(fileName);
        case ProjectError::NotAProject:
            return QCoreApplication::translate("Project", "Die Datei %1 ist kein Tessora-Projekt.")
                .arg(fileName);
        case ProjectError::NewerVersion:
            return QCoreApplication::translate(
                       "Project",
                       "Das Projekt %1 stammt von einer neueren Version von Tessora und kann "
                       "mit dieser Version nicht geöffnet werden.")
                .arg(fileName);
        case ProjectError::Damaged:
            return QCoreApplication::translate(
                       "Project", "Das Projekt %1 ist beschädigt und kann nicht geöffnet werden.")
                .arg(fileName);
        case ProjectError::PictureTooLarge:
            return QCoreApplication::translate(
                       "Project",
                       "Das Bild im Projekt %1 ist zu groß und kann nicht geöffnet werden.")
                .arg(fileName);
        case ProjectError::OutOfMemory:
            return QCoreApplication::translate(
                       "Project", "Für das Projekt %1 reicht der Arbeitsspeicher nicht.")
                .arg(fileName);
        case ProjectError::NoPicture:
            return saveFailureText(
                fileName, QCoreApplication::translate("Project", "Es ist kein Bild geladen."));
        case ProjectError::FolderNotWritable:
            return saveFailureText(fileName,
                                   QCoreApplication::translate(
                                       "Project", "Der Ordner fehlt oder ist nicht beschreibbar."));
        case ProjectError::DiskFull:
            return saveFailureText(fileName,
                                   QCoreApplication::translate(
                                       "Project", "Auf dem Datenträger ist nicht genug Platz."));
        case ProjectError::CannotWrite:
            return saveFailureText(fileName,
                                   QCoreApplication::translate(
                                       "Project", "Die Datei konnte nicht geschrieben werden."));
    }
    return {};
}

void FreeProjectImages(ProjectState& state) {
    FreeDib(state.picture);
    FreeDib(state.grid);
}

ProjectState projectStateOf(const Document& doc) {
    ProjectState state;
    state.picture = doc.di;
    state.grid = doc.di3;
    state.pal = doc.pal;
    state.range = doc.range;
    state.notfoundis = doc.notfoundis;
    state.colornr = doc.colornr;
    return state;
}

void installProject(Document& doc, ProjectState& state) {
    FreeDib(doc.di);
    doc.di = std::exchange(state.picture, dib{});
    FreeDib(doc.di3);
    doc.di3 = std::exchange(state.grid, dib{});
    doc.pal = state.pal;
    doc.range = std::move(state.range);
    state.range = standardRange();
    doc.chosenColors.clear();
    doc.notfoundis = state.notfoundis;
    doc.colornr = state.colornr;
}

}  // namespace tessora
