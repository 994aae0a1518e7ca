#include "app/clirun.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <array>
#include <span>

#include "app/clitext.h"
#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/colorsettings.h"
#include "engine/emptypegs.h"
#include "engine/gplpalette.h"
#include "engine/project.h"
#include "engine/rangelibrary.h"
#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"
#include "output/beadpattern.h"
#include "output/boardcounts.h"
#include "output/patternbook.h"
#include "output/printjob.h"

namespace tessora {
namespace {

constexpr int kStartBeadsWide = 30;

// The choices the window keeps in its controls.
struct Choices {
    int maschened = kStartBeadsWide;
    int reihened = kStartBeadsWide;
    bool dithering = false;
    int maxColors = 0;
    std::array<bool, kMaxRangeColors> ticks = allTicked();
    int colorCount = kBeadColorCount;  // the size of the range: the list has that many items
    bool aspectLock = true;
    int zoom = 100;  // kept for the project; the command line shows nothing
    int page = 0;
    ColourDistance distance = ColourDistance::Rgb;
    bool keepTransparentEmpty = true;
    std::optional<int> removeBackground;

    std::span<bool> selection() { return std::span<bool>(ticks).first(colorCount); }

    static std::array<bool, kMaxRangeColors> allTicked() {
        std::array<bool, kMaxRangeColors> all{};
        all.fill(true);
        return all;
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
        if (options.listRanges) listRanges();
        const bool ready =
            options.projectFile.isEmpty() ? preparePicture(options) : prepareProject(options);
        if (!ready) return kExitFailure;
        if (!options.saveColorsFile.isEmpty() && !saveColors(options.saveColorsFile))
            return kExitFailure;
        if (!options.exportPaletteFile.isEmpty() && !exportPalette(options.exportPaletteFile))
            return kExitFailure;
        if (options.picture.isEmpty() && options.projectFile.isEmpty()) return kExitOk;
        if ((options.projectFile.isEmpty() || options.calculates()) && !calculate())
            return kExitFailure;
        // The project is the last thing that needs the picture: it is written first, so the
        // picture can make room for the chart.
        if (!options.saveProjectFile.isEmpty() && !saveProjectFile(options.saveProjectFile))
            return kExitFailure;
        releasePicture();
        drawStoredGrid();
        if (!options.chartFile.isEmpty() && !saveChart(options.chartFile)) return kExitFailure;
        if (!options.pdfFile.isEmpty() && !printPdf(options.pdfFile)) return kExitFailure;
        if (options.printGrid) printGrid();
        if (!options.templatePdfFile.isEmpty() && !writeTemplate(options)) return kExitFailure;
        if (options.printStats) printStatistics();
        if (options.printBoardStats) printBoardStatistics(options);
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

    bool preparePicture(const CliOptions& options) {
        if (!start() || !chooseRange(options)) return false;
        if (!options.picture.isEmpty() && !loadPicture(options.picture)) return false;
        // Both counts typed by hand need the lock off, or the second would move the first.
        choices_.aspectLock = !(options.width && options.height);
        applySizes(options);
        choices_.dithering = options.dither;
        choices_.maxColors = options.maxColors;
        applyMatching(options);
        if (!options.colorsFile.isEmpty() && !loadColors(options.colorsFile)) return false;
        return true;
    }

    // Options given override the choices; the rest stay (a project's own or the defaults).
    void applyMatching(const CliOptions& options) {
        if (options.distance) choices_.distance = *options.distance;
        if (options.keepTransparentEmpty)
            choices_.keepTransparentEmpty = *options.keepTransparentEmpty;
        if (options.removeBackground) choices_.removeBackground = options.removeBackground;
    }

    // The project's document and choices; calculation options then change them as the
    // window's controls would.
    bool prepareProject(const CliOptions& options) {
        ProjectState state;
        const ProjectError error = openProject(options.projectFile, state);
        if (error != ProjectError::None)
            return fail(CliText::tr("Fehler: ") + projectErrorText(error, options.projectFile));
        takeProject(state);
        if (!chooseRange(options)) return false;
        if (options.maxColors > 0) choices_.maxColors = options.maxColors;
        applyMatching(options);
        if (choices_.aspectLock) {
            applySizes(options);
        } else {
            if (options.width) choices_.maschened = *options.width;
            if (options.height) choices_.reihened = *options.height;
        }
        choices_.dithering = choices_.dithering || options.dither;
        if (!options.colorsFile.isEmpty() && !loadColors(options.colorsFile)) return false;
        return true;
    }

    void takeProject(ProjectState& state) {
        installProject(doc_, state);
        choices_.maschened = state.beadsWide;
        choices_.reihened = state.beadsHigh;
        choices_.aspectLock = state.aspectLock;
        choices_.dithering = state.rolmod == 1;
        choices_.colorCount = doc_.range.size();
        choices_.maxColors = state.maxColors;
        std::copy(state.ticks.begin(), state.ticks.end(), choices_.ticks.begin());
        choices_.zoom = state.zoom;
        choices_.page = state.page;
        choices_.distance = state.distance;
        choices_.keepTransparentEmpty = state.keepTransparentEmpty;
        choices_.removeBackground = state.removeBackground;
        alpha_ = std::move(state.alpha);
    }

    bool saveProjectFile(const QString& fileName) {
        ProjectState state = projectStateOf(doc_);
        std::copy_n(choices_.ticks.begin(), state.ticks.size(), state.ticks.begin());
        state.beadsWide = choices_.maschened;
        state.beadsHigh = choices_.reihened;
        state.aspectLock = choices_.aspectLock;
        state.rolmod = choices_.dithering ? 1 : 0;
        state.maxColors = choices_.maxColors;
        state.zoom = choices_.zoom;
        state.page = choices_.page;
        state.distance = choices_.distance;
        state.keepTransparentEmpty = choices_.keepTransparentEmpty;
        state.removeBackground = choices_.removeBackground;
        state.alpha = alpha_;
        const ProjectError error = saveProject(state, fileName);
        if (error == ProjectError::None) return true;
        return fail(CliText::tr("Fehler: ") + projectErrorText(error, fileName));
    }

    // The start-up document: white start images, the size coupling, the bead palette.
    bool start() {
        if (createStartImages(doc_) != EngineError::None) {
            return fail(CliText::tr("Fehler: Nicht genügend Arbeitsspeicher für die Startbilder."));
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

    static QString programFolder() {
        return QDir::cleanPath(QCoreApplication::applicationDirPath()) + u'/';
    }

    void listRanges() {
        for (const BeadRange& range : availableRanges(programFolder()))
            out_ << QString::fromStdString(range.name) << '\n';
        out_.flush();
    }

    // The range replaces the standard one before anything else reads colours or ticks.
    bool chooseRange(const CliOptions& options) {
        if (!options.rangeName.isEmpty()) {
            auto range = findRange(options.rangeName, programFolder());
            if (!range) {
                return fail(CliText::tr("Fehler: Das Perlensortiment \"%1\" gibt es nicht "
                                        "(--list-ranges zeigt alle).")
                                .arg(options.rangeName));
            }
            useRange(std::move(*range));
        } else if (!options.paletteFile.isEmpty()) {
            PaletteRead read = readGimpPalette(options.paletteFile);
            if (!read.range) {
                return fail(CliText::tr("Fehler: Die Palette %1 konnte nicht geladen werden!\n%2")
                                .arg(options.paletteFile, paletteErrorText(read.error, read.line)));
            }
            useRange(std::move(*read.range));
        }
        return true;
    }

    void useRange(BeadRange range) {
        choices_.colorCount = range.size();
        choices_.ticks = Choices::allTicked();
        installRange(doc_, std::move(range));
    }

    bool exportPalette(const QString& fileName) {
        const PaletteError error =
            writeGimpPalette(fileName, doc_.range, doc_.pal, choices_.selection());
        if (error == PaletteError::None) return true;
        return fail(CliText::tr("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, paletteErrorText(error)));
    }

    bool loadPicture(const QString& fileName) {
        dib picture{};
        AlphaPlane alpha;
        OpenDibWithAlpha(&picture, &alpha, fileName, progress());
        endProgress();
        if (picture.poi == nullptr) {
            QString message =
                CliText::tr("Fehler: Die Datei %1 konnte nicht geladen werden!").arg(fileName);
            const QString reason = DibErrorText(picture);
            if (!reason.isEmpty()) message += u'\n' + reason;
            return fail(message);
        }
        replaceSourcePicture(doc_, picture);
        alpha_ = std::move(alpha);
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
            readColorSettingsFile(fileName, choices_.selection(), doc_.pal);
        if (error == ColorSettingsError::None) return true;
        return fail(
            CliText::tr("Fehler: Die Farbeinstellungen %1 konnten nicht geöffnet werden.\n%2")
                .arg(fileName, colorSettingsErrorText(error)));
    }

    bool saveColors(const QString& fileName) {
        const ColorSettingsError error =
            writeColorSettingsFile(fileName, choices_.selection(), doc_.pal);
        if (error == ColorSettingsError::None) return true;
        return fail(CliText::tr("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, colorSettingsErrorText(error)));
    }

    bool calculate() {
        CalculateInputs inputs{choices_.maschened, choices_.reihened, choices_.dithering ? 1 : 0,
                               choices_.selection(), choices_.maxColors};
        inputs.distance = choices_.distance;
        inputs.keepTransparentEmpty = choices_.keepTransparentEmpty;
        inputs.removeBackground = choices_.removeBackground;
        inputs.alpha = &alpha_;
        const EngineError error = calculatePattern(doc_, inputs, progress());
        endProgress();
        if (error != EngineError::None) {
            return fail(
                CliText::tr("Fehler: Nicht genügend Arbeitsspeicher für das Perlenmuster."));
        }
        if (choices_.maxColors > 0) noteChosenColors();
        return true;
    }

    // A picture of 256 M pixels and the largest chart do not fit in 1 GB together.
    void releasePicture() {
        FreeDib(doc_.di);
        alpha_ = AlphaPlane{};
    }

    // As entering the page "Ergebnis verarbeiten" does, from the grid as it stands.
    void drawStoredGrid() {
        chartError_ = drawChart(doc_.di3, choices_.maschened, choices_.reihened, doc_.notfoundis,
                                doc_.rdi, counts_, doc_.range);
    }

    // Which colours the limit kept, on the message channel so the outputs stay as they are.
    void noteChosenColors() {
        if (doc_.chosenColors.empty()) return;
        QStringList numbers;
        for (const int c : doc_.chosenColors)
            numbers << QString::fromStdString(
                doc_.range.colors[static_cast<std::size_t>(c)].number);
        err_ << CliText::tr("Höchstens %1 Farben: %2")
                    .arg(choices_.maxColors)
                    .arg(numbers.join(u' '))
             << '\n';
        err_.flush();
    }

    bool saveChart(const QString& fileName) {
        if (chartError_ != EngineError::None) {
            return fail(
                CliText::tr("Fehler: Nicht genügend Arbeitsspeicher für die Perlenvorlage."));
        }
        const int format = SaveFormatForFileName(fileName);
        const ImageError error = format == 0 ? ImageError::UnknownFormat
                                             : SaveDib(doc_.rdi, fileName, format, progress());
        endProgress();
        if (error == ImageError::None) return true;
        return fail(CliText::tr("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, ImageErrorText(error)));
    }

    // As the print command does with the print dialog's start settings, on an A4 page.
    bool printPdf(const QString& fileName) {
        if (chartError_ != EngineError::None) {
            return fail(
                CliText::tr("Fehler: Nicht genügend Arbeitsspeicher für die Perlenvorlage."));
        }
        const PrintResult result = PrintChartToPdf(doc_.rdi, fileName);
        if (result == PrintResult::Printed) return true;
        return fail(CliText::tr("Fehler: Die Datei %1 konnte nicht geschrieben werden!\n%2")
                        .arg(fileName, PrintResultText(result)));
    }

    // The pattern as the chart shows it, at the size of the size fields.
    BeadPattern pattern() const {
        return beadPatternOf(doc_.di3, choices_.maschened, choices_.reihened, doc_.notfoundis,
                             doc_.range);
    }

    static BookOptions bookOptions(const CliOptions& options) {
        const BeadSize size = options.bead == QLatin1String("mini")   ? BeadSize::Mini
                              : options.bead == QLatin1String("maxi") ? BeadSize::Maxi
                                                                      : BeadSize::Midi;
        BookOptions book = bookOptionsFor(size);
        if (options.pitchMm) book.pitchMm = *options.pitchMm;
        if (options.boardWide) book.boardWide = *options.boardWide;
        if (options.boardHigh) book.boardHigh = *options.boardHigh;
        book.paper = options.paper == QLatin1String("letter") ? Paper::Letter : Paper::A4;
        return book;
    }

    bool writeTemplate(const CliOptions& options) {
        BookCallbacks callbacks;
        if (showProgress_) {
            callbacks.progress = [this](int done, int total) { drawProgress(100 * done / total); };
        }
        const BookResult result = writePatternBookPdf(options.templatePdfFile, pattern(),
                                                      bookOptions(options), callbacks);
        endProgress();
        if (result == BookResult::Written) return true;
        return fail(CliText::tr("Fehler: %1").arg(bookResultText(result, options.templatePdfFile)));
    }

    void printBoardStatistics(const CliOptions& options) {
        const BookOptions book = bookOptions(options);
        const BeadPattern beads = pattern();
        for (const QString& line : boardStatisticsLines(
                 beads, tileBoards(beads.wide, beads.high, book.boardWide, book.boardHigh)))
            out_ << line << '\n';
        out_.flush();
    }

    void printGrid() {
        const int width = DibWidth(doc_.di3);
        const int height = DibHeight(doc_.di3);
        for (int y = 0; y < height; ++y) {
            QString line;
            for (int x = 0; x < width; ++x) {
                if (x > 0) line += u' ';
                const std::uint32_t value = getpixel(doc_.di3, x, y);
                line += value == kEmptyPeg ? QStringLiteral("--") : QString::number(value);
            }
            out_ << line << '\n';
        }
        out_.flush();
    }

    void printStatistics() {
        for (const QString& line : statisticsLines(counts_, doc_.range))
            out_ << line << '\n';
        out_.flush();
    }

    QTextStream& out_;
    QTextStream& err_;
    bool showProgress_;
    bool progressShown_ = false;
    Document doc_;
    AlphaPlane alpha_;  // the picture's opacity; empty for a picture without alpha
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
