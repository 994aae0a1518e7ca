// Projects at their largest: a 1000 x 1000 bead grid and a 4000 x 3000 photograph. Saving to a
// file is what the window's autosave does after every change; opening is what recovery does.

#include <QFile>
#include <QTemporaryDir>

#include "benchcases.h"
#include "engine/project.h"

namespace tessora::bench {
namespace {

ProjectState largestProject() {
    static OwnedDib grid;
    if (!grid.hasPixels()) *grid.out() = beadGridOf(cachedPhoto(1000, 1000));
    ProjectState state;
    state.picture = cachedPhoto(4000, 3000);
    state.grid = grid.get();
    state.pal = StartPalette();
    state.ticks.fill(true);
    state.beadsWide = 1000;
    state.beadsHigh = 1000;
    return state;
}

QString projectFile() {
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("gross.tessora"));
}

void BM_Project_Save(benchmark::State& state) {
    const ProjectState project = largestProject();
    const QString file = projectFile();
    for (auto _ : state) {
        if (saveProject(project, file) != ProjectError::None) state.SkipWithError("not saved");
    }
    state.counters["file_MB"] = static_cast<double>(QFile(file).size()) / 1e6;
}
BENCHMARK(BM_Project_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the file: what the program itself spends, apart from the disk.
void BM_Project_Bytes(benchmark::State& state) {
    const ProjectState project = largestProject();
    for (auto _ : state) {
        QByteArray bytes;
        if (projectFileBytes(project, bytes) != ProjectError::None) state.SkipWithError("no bytes");
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_Project_Bytes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Project_Open(benchmark::State& state) {
    const QString file = projectFile();
    if (saveProject(largestProject(), file) != ProjectError::None) return;
    for (auto _ : state) {
        ProjectState opened;
        if (openProject(file, opened) != ProjectError::None) state.SkipWithError("not opened");
        FreeProjectImages(opened);
    }
}
BENCHMARK(BM_Project_Open)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessora::bench
