// guideshots: the screenshots of the user guide, taken from the real window. Run under a virtual
// X server (scripts/guide-screenshots.sh); the settings and the recovery files of this run live
// in a folder of their own, so the window starts as on a new user's first start.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <iostream>
#include <utility>

#include "app/language.h"
#include "engine/datapaths.h"
#include "guidetour.h"
#include "ui/mainwindow.h"

namespace {

struct Arguments {
    tessora::TourSettings tour;
    QString language = QStringLiteral("de");
};

const char* const kUsage =
    "Usage: guideshots OUTPUT-FOLDER [--lang de|en] [--motifs FOLDER] [--motif NAME] "
    "[--width BEADS]\n";

bool parseArguments(const QStringList& arguments, Arguments& parsed) {
    parsed.tour.motifFolder = tessora::motifDir();
    parsed.tour.motifName = QStringLiteral("fisch.png");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--lang") && hasValue) {
            parsed.language = arguments[++i];
        } else if (argument == QLatin1String("--motifs") && hasValue) {
            parsed.tour.motifFolder = arguments[++i];
        } else if (argument == QLatin1String("--motif") && hasValue) {
            parsed.tour.motifName = arguments[++i];
        } else if (argument == QLatin1String("--width") && hasValue) {
            parsed.tour.beadsWide = arguments[++i].toInt();
        } else if (!argument.startsWith(u'-') && parsed.tour.outputFolder.isEmpty()) {
            parsed.tour.outputFolder = argument;
        } else {
            return false;
        }
    }
    return !parsed.tour.outputFolder.isEmpty();
}

}  // namespace

int main(int argc, char* argv[]) {
    // A user who never started the program: no settings, no recovery files.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toUtf8());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessora"));
    Arguments arguments;
    if (!parseArguments(QApplication::arguments(), arguments)) {
        std::cerr << kUsage;
        return 2;
    }
    tessora::installLanguage(
        app, tessora::languageNamed(arguments.language).value_or(tessora::Language::German));
    if (!QDir().mkpath(arguments.tour.outputFolder)) {
        std::cerr << "guideshots: cannot make " << arguments.tour.outputFolder.toStdString()
                  << '\n';
        return 1;
    }
    tessora::MainWindow window;
    window.show();
    return tessora::runGuideTour(window, arguments.tour) ? 0 : 1;
}
