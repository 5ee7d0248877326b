#include "StartBackup.h"

#include "BackupSteps.h"

#include <QCoreApplication>

#include <sys/resource.h>
#include <unistd.h>

namespace {
constexpr int kNiceness = 10;
} // namespace

StartBackup::StartBackup(Prompter& prompter, const QString& dataFolder, const QDateTime& now)
    : prompter_(prompter) {
    std::optional<backup_steps::StartCopy> copy =
        backup_steps::StartCopy::pin(prompter, dataFolder, now);
    if (!copy)
        return;
    // Without the write-ahead log the program could not write before the
    // copy is done, so nothing is gained by waiting elsewhere.
    if (!copy->writersGoOn()) {
        if (const auto failure = copy->finish())
            backup_steps::showError(prompter, *failure);
        return;
    }
    worker_ = std::thread([this, pinned = std::move(*copy)]() mutable {
        // The windows coming up go first; the copy takes what is left.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kNiceness);
        if (const auto failure = pinned.finish())
            QMetaObject::invokeMethod(
                &receiver_, [this, text = *failure] { backup_steps::showError(prompter_, text); },
                Qt::QueuedConnection);
    });
}

StartBackup::~StartBackup() {
    wait();
    // A failure found after the event loop ended is still told.
    QCoreApplication::sendPostedEvents(&receiver_, QEvent::MetaCall);
}

void StartBackup::wait() {
    if (worker_.joinable())
        worker_.join();
}
