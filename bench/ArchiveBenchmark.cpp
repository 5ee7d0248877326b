// The archive's bulk steps and its window at 100 000 and 1 000 000 rows
// (imports also into an empty archive), each beside its reference measured
// in the same run, interleaved, as medians and their ratio.
//
//   scripts/bench.sh [--benchmark_filter=...]
#include "ArchiveBenchmarks.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // The window is measured as it paints, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // A server's archive without rows would need a database for each step.
    if (!bench::benchServer()) {
        const bench::Dataset empty{0, {}, {}, {}};
        bench::addWindowBenchmarks(empty);
        bench::addImportBenchmarks(empty);
    }
    for (const bench::Dataset& data : bench::prepareDatasets()) {
        bench::addWindowBenchmarks(data);
        bench::addExportBenchmarks(data);
        bench::addImportBenchmarks(data);
        bench::addDueBenchmarks(data);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
