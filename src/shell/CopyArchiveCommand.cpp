#include "CopyArchiveCommand.h"

#include "ConsolePrompter.h"
#include "archive/ArchiveCopy.h"
#include "common/Progress.h"
#include "tables/TableStore.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace copy_archive_command {
namespace {

// Every tenth of the way as a line: a long copy shows it is alive.
class ConsoleProgress : public Progress {
public:
    explicit ConsoleProgress(const ProgressTask& task)
        : task_(task) {}
    bool update(qint64 done) override {
        const qint64 tenth = task_.total > 0 ? done * 10 / task_.total : 10;
        if (tenth > shown_) {
            shown_ = tenth;
            say(progressText(task_, done));
        }
        return true;
    }

private:
    ProgressTask task_;
    qint64 shown_ = 0;
};

class CopyPrompter : public ConsolePrompter {
public:
    std::unique_ptr<Progress> progress(const ProgressTask& task) override {
        return std::make_unique<ConsoleProgress>(task);
    }
};

// Where not to copy from: a folder without an archive would be made one.
std::optional<DatabaseLocation> location(const QString& text, bool mustExist) {
    if (!text.startsWith(QLatin1String("postgres"))) {
        if (mustExist && !QFileInfo::exists(QDir(text).filePath(TableStore::fileName()))) {
            say(QStringLiteral("Im Ordner \"%1\" gibt es kein Archiv (%2).")
                    .arg(QDir::toNativeSeparators(text), TableStore::fileName()));
            return std::nullopt;
        }
        return DatabaseLocation(text);
    }
    QString error;
    const auto server = ServerAddress::parse(text, &error);
    if (!server) {
        say(error);
        return std::nullopt;
    }
    return DatabaseLocation(QString(), *server);
}
} // namespace

int run(const QString& from, const QString& to) {
    const auto source = location(from, true);
    const auto target = location(to, false);
    if (!source || !target)
        return 1;
    CopyPrompter prompter;
    TableStore sourceStore(*source, prompter);
    TableStore targetStore(*target, prompter);
    if (!sourceStore.open() || !targetStore.open())
        return 1;
    const archive_copy::Outcome outcome = archive_copy::copy(sourceStore, targetStore, prompter);
    say(archive_copy::report(outcome, sourceStore.databasePath(), targetStore.databasePath()));
    return outcome.ok() ? 0 : 1;
}

} // namespace copy_archive_command
