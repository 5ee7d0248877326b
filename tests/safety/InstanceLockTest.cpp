#include "safety/InstanceLock.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString refusal(const QTemporaryDir& folder) {
    return QStringLiteral("Das Archiv in %1 ist bereits in einem anderen ztd-Fenster geöffnet.")
        .arg(folder.path());
}
} // namespace

TEST(InstanceLock, ASecondProgramOnTheFolderIsRefusedUntilTheFirstEnds) {
    QTemporaryDir folder;
    auto first = std::make_unique<InstanceLock>(folder.path());
    EXPECT_EQ(first->acquire(), std::nullopt);
    InstanceLock second(folder.path());
    EXPECT_EQ(second.acquire(), refusal(folder));
    first.reset();
    EXPECT_EQ(second.acquire(), std::nullopt);
}

TEST(InstanceLock, TheLockOfAKilledProgramIsTakenOver) {
    QTemporaryDir folder;
    QProcess holder;
    holder.start(QStringLiteral(LOCK_HOLDER), {folder.path()});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_EQ(holder.readAll(), QByteArray("gesperrt\n"));
    InstanceLock lock(folder.path());
    EXPECT_EQ(lock.acquire(), refusal(folder));

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(QFile::exists(folder.filePath(InstanceLock::fileName())));
    EXPECT_EQ(lock.acquire(), std::nullopt);
}
