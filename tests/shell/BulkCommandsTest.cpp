#include "FileWriting.h"
#include "Printers.h"
#include "RunZtd.h"
#include "SampleReport.h"
#include "ScriptedPrompter.h"
#include "archive_output/TextExport.h"
#include "report/ProtocolFile.h"
#include "tables/RowStream.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class BulkCommandsTest : public ::testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& bytes) {
        return ::writeFile(files.path(), name, bytes);
    }

    QString writeReport(const QString& name, const Protokoll& report) {
        return writeFile(name, protocol_file::buildProtocolImage(report));
    }

    // "N-1.pro" … : reports that differ in their order number.
    QStringList numberedReports(const QString& prefix, int count) {
        QStringList paths;
        Protokoll report = sampleReport();
        for (int i = 1; i <= count; ++i) {
            report.AuftragNr = u"%1-%2"_s.arg(prefix).arg(i);
            paths << writeReport(report.AuftragNr + u".pro"_s, report);
        }
        return paths;
    }

    // One line per archive row in number order, as "Zaehler|AuftragNr|Dateiname".
    QStringList archiveRows() {
        ScriptedPrompter quiet;
        TableStore store(data.path(), quiet);
        RowStream rows(store, u"SELECT Zaehler, AuftragNr, Dateiname FROM zt ORDER BY Zaehler"_s);
        QStringList lines;
        while (rows.next())
            lines << u"%1|%2|%3"_s.arg(rows.integer(0))
                         .arg(QString::fromUtf8(rows.text(1)), QString::fromUtf8(rows.text(2)));
        EXPECT_EQ(rows.error(), QString());
        return lines;
    }

    QString query(const QString& sql) {
        ScriptedPrompter quiet;
        TableStore store(data.path(), quiet);
        RowStream rows(store, sql);
        return rows.next() ? QString::fromUtf8(rows.text(0)) : rows.error();
    }

    QStringList importArguments(const QStringList& paths) {
        return QStringList{u"--data"_s, data.path(), u"--import"_s} + paths;
    }

    QTemporaryDir files;
    QTemporaryDir data;
};

TEST_F(BulkCommandsTest, ImportNamesNewCustomersAndLeftOutFilesAndExportMatchesTheWindow) {
    Protokoll longName = sampleReport();
    longName.Kunde1 = u"Elektro-Großhandel Südwest Zweigstelle Nord"_s;
    Protokoll noCustomer = sampleReport();
    noCustomer.Kunde1.clear();
    Protokoll impossibleDate = sampleReport();
    impossibleDate.Termin = u"31.02.2027"_s;
    const QString good = writeReport(u"gut.pro"_s, sampleReport());
    const QString shortFile = writeFile(u"kurz.pro"_s, "zu kurz");
    const QString dated = writeReport(u"datum.pro"_s, impossibleDate);
    const QString longer = writeReport(u"lang.pro"_s, longName);
    const QString nameless = writeReport(u"ohne.pro"_s, noCustomer);

    const ZtdOutcome first = runZtd(importArguments({good, shortFile, dated, longer, nameless}));
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_EQ(first.err,
              u"Neuer Kunde Nr. 1: Bäckerei Müller\n"
              "Neuer Kunde Nr. 2: Elektro-Großhandel Südwest Zweigste\n"
              "Nicht übernommen: Die Datei \"%1\" ist keine Protokolldatei: Sie ist nur 7 Bytes "
              "lang, eine Protokolldatei hat 1148 Bytes.\n"
              "Nicht übernommen: Die Datei \"%2\" enthält das Datum \"31.02.2027\", das es nicht "
              "gibt.\n"
              "Übernommen: 3 von 5 Dateien.\n"_s.arg(shortFile, dated));

    // The long name is found again as the table keeps it: no second customer.
    const ZtdOutcome again = runZtd(importArguments({longer}));
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.err, u"Übernommen: 1 von 1 Dateien.\n"_s);
    EXPECT_EQ(query(u"SELECT count(*) FROM kunden"_s), u"2"_s);
    EXPECT_EQ(archiveRows().size(), 4);

    const QString viaCommandLine = files.filePath(u"befehl.txt"_s);
    const ZtdOutcome exported = runZtd({u"--data"_s, data.path(), u"--export"_s, viaCommandLine});
    EXPECT_EQ(exported.exitCode, 0);
    EXPECT_EQ(exported.err,
              u"Hinweis: Der Auftragnehmer ist in der Datenbank nicht enthalten.\n"_s);

    ScriptedPrompter prompter;
    TableStore store(data.path(), prompter);
    TableCursor zt(store, u"zt"_s);
    TableCursor kunden(store, u"kunden"_s);
    ASSERT_TRUE(zt.open());
    const QString viaWindow = files.filePath(u"fenster.txt"_s);
    prompter.chooseFile(viaWindow);
    QString savePath;
    ASSERT_TRUE(
        text_export::exportRows(savePath, prompter, zt, kunden, text_export::Scope::AllRows));
    QFile a(viaCommandLine), b(viaWindow);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    EXPECT_EQ(bytes, b.readAll());
    EXPECT_EQ(bytes.count("\r\n"), 5);
}

TEST_F(BulkCommandsTest, AnImportKilledHalfWayLeavesWholeRowsInFileOrder) {
    const QStringList paths = numberedReports(u"K"_s, 6000);
    QProcess process;
    process.start(QStringLiteral(ZTD_BINARY), importArguments(paths));
    ASSERT_TRUE(process.waitForStarted());
    // Killed as soon as the first rows are in, as by a power cut.
    for (int tries = 0; tries < 2000 && process.state() == QProcess::Running; ++tries) {
        if (QFile::exists(data.filePath(u"ztd.sqlite"_s)) &&
            query(u"SELECT count(*) FROM zt"_s).toInt() > 0)
            break;
        QThread::msleep(2);
    }
    process.kill();
    process.waitForFinished();

    EXPECT_EQ(query(u"PRAGMA integrity_check"_s), u"ok"_s);
    const QStringList rows = archiveRows();
    ASSERT_GT(rows.size(), 0);
    EXPECT_LT(rows.size(), paths.size()) << "the import ended before it was killed";
    for (int i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].startsWith(u"%1|K-%1|%2   "_s.arg(i + 1).arg(paths[i])))
            << rows[i].toStdString();
}

TEST_F(BulkCommandsTest, TwoImportsAtOnceTakeEveryFileOnceWithUniqueNumbers) {
    const QStringList left = numberedReports(u"L"_s, 1500);
    const QStringList right = numberedReports(u"R"_s, 1500);
    QProcess one, other;
    one.start(QStringLiteral(ZTD_BINARY), importArguments(left));
    other.start(QStringLiteral(ZTD_BINARY), importArguments(right));
    ASSERT_TRUE(one.waitForFinished(120000) && other.waitForFinished(120000));
    EXPECT_EQ(one.exitCode(), 0) << one.readAllStandardError().toStdString();
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();

    const QStringList rows = archiveRows();
    ASSERT_EQ(rows.size(), 3000);
    QStringList orders;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList fields = rows[i].split(u'|');
        EXPECT_EQ(fields[0], QString::number(i + 1));
        orders << fields[1];
    }
    orders.sort();
    orders.removeDuplicates();
    EXPECT_EQ(orders.size(), 3000);
    EXPECT_EQ(query(u"SELECT count(*) || '|' || min(Kundennummer) FROM kunden "
                    "WHERE Auftraggeber = 'Bäckerei Müller' COLLATE BINARY"_s),
              u"1|1"_s);
}

} // namespace
