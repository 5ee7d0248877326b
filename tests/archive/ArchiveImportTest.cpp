#include "Printers.h"
#include "SampleReport.h"
#include "TableFixture.h"
#include "archive/ArchiveTransfers.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "tables/RowStream.h"

#include <QFile>
#include <QSqlQuery>

#include <functional>

namespace {

// Notes, for every message, whether the archive was locked for writing then
// and how many rows had come in.
class WatchingPrompter : public ScriptedPrompter {
public:
    Answer message(const QString& text, const QString& caption, Buttons buttons) override {
        if (watch)
            watch();
        return ScriptedPrompter::message(text, caption, buttons);
    }
    std::function<void()> watch;
};

class ArchiveImportTest : public TableFixture {
protected:
    ArchiveImportTest() {
        prompter.watch = [this] {
            lockedDuringMessage = lockedDuringMessage || store.inTransaction();
            rowsAtMessage << rowCount();
        };
        EXPECT_TRUE(zt.open());
    }

    // Reports "N-1.pro" …; every file from `otherCustomerFrom` on names another customer.
    QStringList reports(int count, int otherCustomerFrom = 0) {
        QStringList paths;
        Protokoll report = sampleReport();
        for (int i = 1; i <= count; ++i) {
            report.AuftragNr = QStringLiteral("N-%1").arg(i);
            if (i == otherCustomerFrom)
                report.Kunde1 = QStringLiteral("Zander KG");
            const QString path = dir.filePath(report.AuftragNr + QStringLiteral(".pro"));
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(protocol_file::buildProtocolImage(report));
            paths << path;
        }
        return paths;
    }

    int rowCount() {
        RowStream rows(store, QStringLiteral("SELECT count(*) FROM zt"));
        return rows.next() ? int(rows.integer(0)) : -1;
    }

    // "Zaehler|AuftragNr" of every row in number order.
    QStringList numbersAndOrders() {
        RowStream rows(
            store,
            QStringLiteral("SELECT \"Zaehler\", \"AuftragNr\" FROM zt ORDER BY \"Zaehler\""));
        QStringList lines;
        while (rows.next())
            lines << QStringLiteral("%1|%2")
                         .arg(rows.integer(0))
                         .arg(QString::fromUtf8(rows.text(1)));
        return lines;
    }

    static QStringList expectedRows(int count) {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("%1|N-%1").arg(i);
        return lines;
    }

    WatchingPrompter prompter;
    bool lockedDuringMessage = false;
    QList<int> rowsAtMessage;
    ReportSession state;
    TableCursor zt{store, QStringLiteral("zt")};
    TableCursor kunden{store, QStringLiteral("kunden")};
    ArchiveTransfers transfers{state, prompter, zt, kunden, [] { return QDate(2026, 12, 31); }};
};

} // namespace

TEST_F(ArchiveImportTest, ManyFilesComeInBatchesAndAQuestionWaitsForNoLock) {
    addCustomers({{1, QStringLiteral("Bäckerei Müller")}});
    const QStringList paths = reports(1203, 701);
    EXPECT_EQ(transfers.importFiles(paths, false), 1203);
    EXPECT_EQ(numbersAndOrders(), expectedRows(1203));
    // The new customer's notice came after the rows before it were written.
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Hinweis|") +
                          QString::fromUtf8(record_transfer::kNewCustomerNotice)});
    EXPECT_EQ(rowsAtMessage, QList<int>{700});
    EXPECT_FALSE(lockedDuringMessage);
    const QStringList progress = prompter.progressTexts();
    ASSERT_EQ(progress.size(), 1205);
    EXPECT_EQ(progress.first(), "Datenübernahme|Import: 0 von 1 203 Dateien");
    EXPECT_EQ(progress[701], "Datenübernahme|Import: 700 von 1 203 Dateien");
    EXPECT_EQ(progress.last(), "Datenübernahme|Import: 1 203 von 1 203 Dateien");
    // The window shows the first row of all.
    EXPECT_EQ(zt.text("Zaehler"), "1");
    EXPECT_EQ(zt.text("Kundennummer"), "1");
}

TEST_F(ArchiveImportTest, AStoppedImportKeepsWhatCameInAndNamesTheRest) {
    const QStringList paths = reports(5);
    prompter.stopProgressAt(3);
    EXPECT_EQ(transfers.importFiles(paths, false), 3);
    EXPECT_EQ(numbersAndOrders(), expectedRows(3));
    EXPECT_EQ(prompter.messages().last(),
              QStringLiteral("Hinweis|Die Datenübernahme wurde abgebrochen.\n\nÜbernommen: 3 von 5 "
                             "Dateien.\nNicht übernommen:\n%1\n%2")
                  .arg(paths[3], paths[4]));
    EXPECT_FALSE(lockedDuringMessage);
}

TEST_F(ArchiveImportTest, AFullDiskEndsTheImportAtTheFailedBatchAndShowsWhatCameIn) {
    SKIP_ON_SERVER("the full disk is made by SQLite's page limit");
    addCustomers({{1, QStringLiteral("Bäckerei Müller")}});
    const QStringList paths = reports(1500);
    // Room for the first batch of 500 rows, not for the second.
    RowStream pages(store, QStringLiteral("PRAGMA page_count"));
    ASSERT_TRUE(pages.next());
    const qint64 used = pages.integer(0);
    QSqlQuery(store.database()).exec(QStringLiteral("PRAGMA max_page_count = %1").arg(used + 110));
    EXPECT_EQ(transfers.importFiles(paths, false), 500);
    EXPECT_EQ(numbersAndOrders(), expectedRows(500));
    const QString message = prompter.messages().last();
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Fehler|Die Datenübernahme wurde wegen eines Fehlers beendet:\nDer "
                       "Datenträger ist voll: In die Datenbank \"%1\" kann nichts mehr "
                       "geschrieben werden (")
            .arg(store.databasePath())))
        << message.toStdString();
    EXPECT_TRUE(
        message.endsWith(QStringLiteral("\n\nÜbernommen: 500 von 1 500 Dateien.\nNicht "
                                        "übernommen:\n%1\n%2\n%3\n%4\n%5\n%6\n%7\n%8\n%"
                                        "9\n%10\n… und 990 weitere")
                             .arg(paths[500], paths[501], paths[502], paths[503], paths[504],
                                  paths[505], paths[506], paths[507], paths[508], paths[509])))
        << message.toStdString();
    EXPECT_EQ(prompter.messages().size(), 1);
    EXPECT_FALSE(lockedDuringMessage);
    EXPECT_EQ(zt.text("Zaehler"), "1");
}

TEST_F(ArchiveImportTest, LeftOutFilesAreToldOnceAtTheEnd) {
    const QStringList paths = reports(3);
    const QString missing = dir.filePath(QStringLiteral("fehlt.pro"));
    const QString shortFile = dir.filePath(QStringLiteral("kurz.pro"));
    QFile file(shortFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("zu kurz");
    file.close();
    addCustomers({{1, QStringLiteral("Bäckerei Müller")}});
    EXPECT_EQ(transfers.importFiles({paths[0], missing, paths[1], shortFile, paths[2]}, false), 3);
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|2 Dateien wurden nicht übernommen:\n%1\n%2")
                              .arg(protocol_file::readProtocolFile(missing).error,
                                   protocol_file::readProtocolFile(shortFile).error)});
    EXPECT_EQ(numbersAndOrders(), expectedRows(3));
}

TEST_F(ArchiveImportTest, MemoryEntriesComeInAsOneBatchWithProgress) {
    QList<QByteArray> entries;
    for (int i = 1; i <= 1200; ++i)
        entries << QByteArray::number(i).rightJustified(4, ' ') + "1 1 0.12  25.0  0.21 OO  " +
                       QByteArray(7, ' ');
    EXPECT_EQ(transfers.importMemoryEntries(entries, false), 1200);
    EXPECT_EQ(rowCount(), 1200);
    EXPECT_EQ(prompter.progressTexts().last(),
              "Datenübernahme|Übernahme: 1 200 von 1 200 Einträgen");
    EXPECT_TRUE(prompter.messages().isEmpty());
    zt.last();
    EXPECT_EQ(zt.text("Zaehler"), "1200");
    EXPECT_EQ(zt.text("Dateiname"), "MW-Speicher Nr.1200   31.12.2026");
    EXPECT_EQ(zt.text("Kundennummer"), "");
}

TEST_F(ArchiveImportTest, AStoppedMemoryTakeOverNamesTheEntriesLeft) {
    QList<QByteArray> entries;
    for (int i = 1; i <= 3; ++i)
        entries << QByteArray::number(i).rightJustified(4, ' ') + "1 1 0.12  25.0  0.21 OO  " +
                       QByteArray(7, ' ');
    prompter.stopProgressAt(2);
    EXPECT_EQ(transfers.importMemoryEntries(entries, false), 2);
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Die Datenübernahme wurde abgebrochen.\n\nÜbernommen: 2 von 3 "
                          "Einträgen.\nNicht übernommen:\nMW-Speicher Nr. 3"});
    EXPECT_EQ(rowCount(), 2);
}
