// How long the window's event loop is held up while the find pane scans: the longest single
// step of the event loop (between two turns of a zero-length timer) during a scan of a large
// folder, with the file list filling and painting, in the main window on Qt's offscreen
// platform. Each step is measured on the wall clock and in the window thread's own processor
// time: on a busy machine the first also holds the turns other programs had.
//   build/bench/bench_find_pane [--files=N]
// Two folders of N PE modules (3000 by default) made like bench_scan's: spread over five
// subfolders (scanned with subfolders) and all in one folder.
#include "app/gui/FindPane.h"
#include "app/gui/MainWindow.h"
#include "bench/ScanBenchFolder.h"
#include "platform/ProcessStats.h"
#include "scan/qt/FolderTree.h"
#include "tests/support/qt/GuiTestSupport.h"
#include "widgets/SearchListBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using namespace glyphora;

struct Figures {
    double scanMs = 0;
    double longestStepMs = 0;    // wall clock, other programs' turns included
    double longestStepCpuMs = 0; // the window thread's own processor time
    int steps = 0;
    int listed = 0;
};

Figures MeasureScan(MainWindow& window, const std::filesystem::path& folder, bool recurse)
{
    FindPane* pane = window.findPane();
    // Read the tree down to the folder's parent first (reading branches is not the scan), and
    // let the scan of the parent end.
    {
        const QSignalBlocker quiet(pane->subfoldersCheck());
        pane->subfoldersCheck()->setChecked(false);
    }
    pane->tree()->setFolder(folder.parent_path());
    while (pane->tree()->folder() != folder.parent_path() || pane->isScanning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    {
        const QSignalBlocker quiet(pane->subfoldersCheck());
        pane->subfoldersCheck()->setChecked(recurse);
    }

    Figures figures;
    QElapsedTimer clock;
    qint64 last = 0;
    double lastCpu = ThreadCpuSeconds();
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = ThreadCpuSeconds();
        figures.longestStepMs = std::max(figures.longestStepMs, static_cast<double>(now - last) / 1e6);
        figures.longestStepCpuMs = std::max(figures.longestStepCpuMs, (cpu - lastCpu) * 1e3);
        last = now;
        lastCpu = cpu;
        ++figures.steps;
    });
    QEventLoop done;
    QObject::connect(pane, &FindPane::scanFinished, &done, &QEventLoop::quit);
    clock.start();
    lastCpu = ThreadCpuSeconds();
    ticker.start();
    pane->tree()->setFolder(folder);
    done.exec();
    figures.scanMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    // The list repaints once the scan has ended; that step counts too.
    QEventLoop paint;
    QTimer::singleShot(100, &paint, &QEventLoop::quit);
    paint.exec();
    ticker.stop();
    figures.listed = pane->fileList()->count();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int count = 3000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--files=", 0) == 0)
            count = std::max(1, std::atoi(arg.c_str() + 8));
        else {
            std::cerr << "usage: bench_find_pane [--files=N]\n";
            return 2;
        }
    }

    const bench::Folder spread = bench::MakeFolder(count, "glyphora-bench-pane");
    const bench::Folder flat = bench::MakeFolder(count, "glyphora-bench-pane-flat", count);
    // Questions are answered without a human; the language packs are the build's.
    test::ScriptedDialogs dialogs;
    MainWindow window({}, &dialogs, nullptr, GLYPHORA_BENCH_BUILD_DIR);
    window.resize(800, 600);
    window.show();
    window.findPane()->toggle();

    const Figures a = MeasureScan(window, spread.root, true);
    const Figures b = MeasureScan(window, flat.root / "set0", false);
    std::printf("%-34s %7s %7s %9s %17s %17s\n", "folder", "listed", "steps", "scan ms", "longest step ms",
                "its own cpu ms");
    const auto row = [](const std::string& what, const Figures& f) {
        std::printf("%-34s %7d %7d %9.1f %17.2f %17.2f\n", what.c_str(), f.listed, f.steps, f.scanMs, f.longestStepMs,
                    f.longestStepCpuMs);
    };
    row(std::to_string(count) + " modules, 6 folders, recursive", a);
    row(std::to_string(count) + " modules in one folder", b);
    std::filesystem::remove_all(spread.root);
    std::filesystem::remove_all(flat.root);
    return 0;
}
