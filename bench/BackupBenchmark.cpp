// Speed of the automatic backup at start at 100 000 and 1 000 000 archive
// rows, beside SQLite's online backup of the same file into a new file
// (without the check, the rename and the rotation the program adds).
//
//   scripts/bench.sh --benchmark_filter=AutomaticBackup
#include "BenchSupport.h"
#include "safety/BackupRotation.h"
#include "safety/BackupSteps.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

namespace {

using namespace bench;

QuietPrompter prompter;

void automaticBackup(benchmark::State& state, const Dataset& data) {
    QDateTime clock(QDate(2026, 12, 11), QTime(8, 0));
    QDir backups(QDir(data.folder()).filePath(backup_rotation::folderName()));
    const QString rawCopy = QDir(data.folder()).filePath(QStringLiteral("roh.sqlite"));
    compare(state,
            Step(
                [&] {
                    clock = clock.addSecs(1);
                    backup_steps::atStart(prompter, data.folder(), clock);
                },
                [&] { backups.removeRecursively(); }),
            Step(
                [&] {
                    sqlite3* from = nullptr;
                    sqlite3* to = nullptr;
                    sqlite3_open(data.path.toUtf8().constData(), &from);
                    sqlite3_open(rawCopy.toUtf8().constData(), &to);
                    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
                    sqlite3_backup_step(backup, -1);
                    sqlite3_backup_finish(backup);
                    sqlite3_close(to);
                    sqlite3_close(from);
                },
                [&] { QFile::remove(rawCopy); }));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (const int rows : kSizes)
        add("AutomaticBackup", prepareDataset(rows), automaticBackup)->Iterations(5);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
