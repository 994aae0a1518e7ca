#include "app/clirun.h"

#include <algorithm>
#include <array>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/colorsettings.h"
#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"
#include "output/printjob.h"

namespace tessora {
namespace {

constexpr int kStartBeadsWide = 30;

// The choices the window keeps in its controls.
struct Choices {
    int maschened = kStartBeadsWide;
    int reihened = kStartBeadsWide;
    bool dithering = false;
    std::array<bool, kBeadColorCount> selection = allTicked();

    static std::array<bool, kBeadColorCount> allTicked() {
        std::array<bool, kBeadColorCount> ticks{};
        ticks.fill(true);
        return ticks;
    }
};

class CliSession {
  public:
    CliSession(QTextStream& out, QTextStream& err, bool showProgress)
        : out_(out), err_(err), showProgress_(showProgress) {}
    ~CliSession() { FreeDocument(doc_); }
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    int run(const CliOptions& options) {
        if (!start() || !loadPicture(options.picture)) return kExitFailure;
        applySizes(options);
        choices_.dithering = options.dither;
        if (!options.colorsFile.isEmpty() && !loadColors(options.colorsFile)) return kExitFailure;
        if (!options.saveColorsFile.isEmpty() && !saveColors(options.saveColorsFile))
            return kExitFailure;
        if (!calculate()) return kExitFailure;
        if (!options.chartFile.isEmpty() && !saveChart(options.chartFile)) return kExitFailure;
        if (!options.pdfFile.isEmpty() && !printPdf(options.pdfFile)) return kExitFailure;
        if (options.printGrid) printGrid();
        if (options.printStats) printStatistics();
        return kExitOk;
    }

  private:
    bool fail(const QString& message) {
        endProgress();
        err_ << message << '\n';
        err_.flush();
        return false;
    }

    ProgressFn progress() {
        if (!showProgress_) return {};
        return [this](int percent) { drawProgress(percent); };
    }

    void drawProgress(int percent) {
        constexpr int kBarWidth = 40;
        const int done = kBarWidth * std::clamp(percent, 0, 100) / 100;
        err_ << '\r' << '[' << QString(done, u'#') << QString(kBarWidth - done, u' ') << "] "
             << qSetFieldWidth(3) << percent << qSetFieldWidth(0) << " %";
        err_.flush();
        progressShown_ = true;
    }

    void endProgress() {
        if (!progressShown_) return;
        err_ << '\r' << QString(48, u' ') << '\r';
        err_.flush();
        progressShown_ = false;
    }

    // The start-up document: white start images, the size coupling, the bead palette.
    bool start() {
        if (createStartImages(doc_) != EngineError::None) {
            return fail(
                QStringLiteral("Fehler: Nicht genügend Arbeitsspeicher für die Startbilder."));
        }
        coupleHeightToWidth();
        doc_.pal = StartPalette();
        return true;
    }

    void coupleHeightToWidth() {
        if (const auto height =
                coupledBeadCount(DibHeight(doc_.di), DibWidth(doc_.di), choices_.maschened)) {
            choices_.reihened = *height;
        }
    }

    void coupleWidthToHeight() {
        if (const auto width =
                coupledBeadCount(DibWidth(doc_.di), DibHeight(doc_.di), choices_.reihened)) {
            choices_.maschened = *width;
        }
    }

    bool loadPicture(const QString& fileName) {
        dib picture{};
        OpenDib(&picture, fileName, 0, progress());
        endProgress();
        if (picture.poi == nullptr) {
            QString message =
                QStringLiteral("Fehler: Die Datei %1 konnte nicht geladen werden!").arg(fileName);
            const QString reason = DibErrorText(picture);
            if (!reason.isEmpty()) message += u'\n' + reason;
            return fail(message);
        }
        replaceSourcePicture(doc_, picture);
        coupleHeightToWidth();
        return true;
    }

    // As typed with the aspect lock on: the other count follows, unless both are given.
    void applySizes(const CliOptions& options) {
        if (options.width) {
            choices_.maschened = *options.width;
            coupleHeightToWidth();
        }
        if (options.height) {
            choices_.reihened = *options.height;
            if (!options.width) coupleWidthToHeight();
        }
    }

    bool loadColors(const QString& fileName) {
        const ColorSettingsError error =
            readColorSettingsFile(fileName, choices_.selection, doc_.pal);
        if (error == ColorSettingsError::None) return true;
        return fail(
            QStringLiteral("Fehler: Die Farbeinstellungen %1 konnten nicht geöffnet werden.\n%2")
                .arg(fileName, colorSettingsErrorText(error)));
    }

    bool saveColors(const QString& fileName) {
        const ColorSettingsError error =
            writeColorSettingsFile(fileName, choices_.selection, doc_.pal);
        if (error == ColorSettingsError::None) return true;
        return fail(QStringLiteral("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, colorSettingsErrorText(error)));
    }

    bool calculate() {
        const CalculateInputs inputs{choices_.maschened, choices_.reihened,
                                     choices_.dithering ? 1 : 0, choices_.selection};
        const EngineError error = calculatePattern(doc_, inputs, progress());
        endProgress();
        if (error != EngineError::None) {
            return fail(
                QStringLiteral("Fehler: Nicht genügend Arbeitsspeicher für das Perlenmuster."));
        }
        chartError_ = drawChart(doc_.di3, choices_.maschened, choices_.reihened, doc_.notfoundis,
                                doc_.rdi, counts_);
        return true;
    }

    bool saveChart(const QString& fileName) {
        if (chartError_ != EngineError::None) {
            return fail(
                QStringLiteral("Fehler: Nicht genügend Arbeitsspeicher für die Perlenvorlage."));
        }
        const int format = SaveFormatForFileName(fileName);
        const ImageError error = format == 0 ? ImageError::UnknownFormat
                                             : SaveDib(doc_.rdi, fileName, format, progress());
        endProgress();
        if (error == ImageError::None) return true;
        return fail(QStringLiteral("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, ImageErrorText(error)));
    }

    // As the print command does with the print dialog's start settings, on an A4 page.
    bool printPdf(const QString& fileName) {
        if (chartError_ != EngineError::None) {
            return fail(
                QStringLiteral("Fehler: Nicht genügend Arbeitsspeicher für die Perlenvorlage."));
        }
        const PrintResult result = PrintChartToPdf(doc_.rdi, fileName);
        if (result == PrintResult::Printed) return true;
        return fail(QStringLiteral("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, PrintResultText(result)));
    }

    void printGrid() {
        const int width = DibWidth(doc_.di3);
        const int height = DibHeight(doc_.di3);
        for (int y = 0; y < height; ++y) {
            QString line;
            for (int x = 0; x < width; ++x) {
                if (x > 0) line += u' ';
                line += QString::number(getpixel(doc_.di3, x, y));
            }
            out_ << line << '\n';
        }
        out_.flush();
    }

    void printStatistics() {
        for (const QString& line : statisticsLines(counts_))
            out_ << line << '\n';
        out_.flush();
    }

    QTextStream& out_;
    QTextStream& err_;
    bool showProgress_;
    bool progressShown_ = false;
    Document doc_;
    Choices choices_;
    BeadCounts counts_{};
    EngineError chartError_ = EngineError::None;
};

}  // namespace

int runCli(const CliOptions& options, QTextStream& out, QTextStream& err, bool showProgress) {
    CliSession session(out, err, showProgress);
    return session.run(options);
}

}  // namespace tessora
