#pragma once

#include "TableFixture.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sqlite3.h>

// A data folder with three archive rows and one customer, and ways to read
// any database file as it stands.
class SafetyFixture : public TableFixture {
protected:
    void SetUp() override {
        addArchiveRows({{1, QStringLiteral("Meier"), 1, QStringLiteral("01.02.2026")},
                        {2, QStringLiteral("Meier"), 1, QStringLiteral("02.02.2026")},
                        {3, QStringLiteral("Meier"), 1, QStringLiteral("03.02.2026")}});
        addCustomers({{1, QStringLiteral("Meier")}});
    }

    QString filePath(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // The first column of every row the statement gives, joined by ",";
    // the engine's message when it fails.
    static QString read(const QString& path, const char* sql) {
        sqlite3* db = nullptr;
        QString result;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY,
                            nullptr) == SQLITE_OK) {
            QStringList values;
            sqlite3_stmt* statement = nullptr;
            const int prepared = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
            if (prepared == SQLITE_OK) {
                while (sqlite3_step(statement) == SQLITE_ROW)
                    values << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            }
            const int code = prepared == SQLITE_OK ? sqlite3_finalize(statement) : prepared;
            result = code == SQLITE_OK ? values.join(QLatin1Char(',')) : sqlite3_errmsg(db);
        }
        sqlite3_close(db);
        return result;
    }

    // Pages of random bytes in a table of their own, so a copy takes a while.
    void addBallast(int pages) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(store.databasePath().toUtf8().constData(), &db), SQLITE_OK);
        const QByteArray sql = QStringLiteral("CREATE TABLE ballast (b); WITH RECURSIVE n(i) AS "
                                              "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                                              "%1) INSERT INTO ballast SELECT randomblob(4000) "
                                              "FROM n; PRAGMA wal_checkpoint(TRUNCATE);")
                                   .arg(pages)
                                   .toUtf8();
        ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    static QString archiveNumbers(const QString& path) {
        return read(path, "SELECT Zaehler FROM zt ORDER BY Zaehler");
    }
    static QString customerNames(const QString& path) {
        return read(path, "SELECT Auftraggeber FROM kunden ORDER BY Kundennummer");
    }

    static void writeBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QByteArray bytesOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
