#include "output/bookchoices.h"

#include <QSettings>

namespace tessora {
namespace {

const QString kGroup = QStringLiteral("TemplateBook");
const QString kBeadKey = QStringLiteral("Bead");
const QString kPitchKey = QStringLiteral("PitchMm");
const QString kBoardWideKey = QStringLiteral("BoardWide");
const QString kBoardHighKey = QStringLiteral("BoardHigh");
const QString kPaperKey = QStringLiteral("Paper");
const QString kLandscapeKey = QStringLiteral("Landscape");

// The per-user settings file of the program, shared with the print dialog.
QSettings programSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tessora"));
}

int boardPegs(const QSettings& settings, const QString& key, int fallback) {
    bool ok = false;
    const int pegs = settings.value(key).toInt(&ok);
    return ok && pegs >= 1 && pegs <= kMaxBoardPegs ? pegs : fallback;
}

}  // namespace

BookChoices loadBookChoices() {
    QSettings settings = programSettings();
    settings.beginGroup(kGroup);
    BookChoices choices;
    bool ok = false;
    const int bead = settings.value(kBeadKey).toInt(&ok);
    if (ok && bead >= static_cast<int>(BeadChoice::Midi) &&
        bead <= static_cast<int>(BeadChoice::Free)) {
        choices.bead = static_cast<BeadChoice>(bead);
    }
    if (choices.bead != BeadChoice::Free) {
        choices.options = bookOptionsFor(static_cast<BeadSize>(choices.bead));
    } else {
        const double pitch = settings.value(kPitchKey).toDouble(&ok);
        if (ok && pitch >= kMinPitchMm && pitch <= kMaxPitchMm) choices.options.pitchMm = pitch;
    }
    choices.options.boardWide = boardPegs(settings, kBoardWideKey, choices.options.boardWide);
    choices.options.boardHigh = boardPegs(settings, kBoardHighKey, choices.options.boardHigh);
    choices.options.paper =
        settings.value(kPaperKey).toString() == QLatin1String("letter") ? Paper::Letter : Paper::A4;
    choices.options.landscape = settings.value(kLandscapeKey).toBool();
    return choices;
}

void saveBookChoices(const BookChoices& choices) {
    QSettings settings = programSettings();
    settings.beginGroup(kGroup);
    settings.setValue(kBeadKey, static_cast<int>(choices.bead));
    settings.setValue(kPitchKey, choices.options.pitchMm);
    settings.setValue(kBoardWideKey, choices.options.boardWide);
    settings.setValue(kBoardHighKey, choices.options.boardHigh);
    settings.setValue(kPaperKey, choices.options.paper == Paper::Letter ? QStringLiteral("letter")
                                                                        : QStringLiteral("a4"));
    settings.setValue(kLandscapeKey, choices.options.landscape);
}

}  // namespace tessora
