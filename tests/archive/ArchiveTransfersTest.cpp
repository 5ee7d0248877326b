#include "archive/ArchiveTransfers.h"
#include "Printers.h"
#include "SampleReport.h"
#include "TableFixture.h"
#include "addresses/CustomerTable.h"
#include "archive/ArchiveTable.h"
#include "report/ArchiveNumbering.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"

#include <QDate>
#include <QFile>

#include <functional>

namespace {

// Stands in for a report window: counts its showings and runs its action.
struct ScriptedWindow {
    std::function<void()> action;
    int shown = 0;

    std::function<void()> show() {
        return [this] {
            ++shown;
            if (action)
                action();
        };
    }
};

class ArchiveTransfersTest : public TableFixture {
protected:
    ArchiveTransfersTest() {
        archive_table::ensureStandardIndex(zt);
        customer_table::ensureIndexes(kunden, false);
        kunden.close();
        // The archive window's before-post rules.
        zt.beforePost = [this](TableCursor& cursor) {
            archive_table::normaliseBeforePost(cursor, prompter, transfers.diffOfWriteBack());
        };
        transfers.setWindows({wizard.show(), savePrint.show(), [this](const DateQuestion& q) {
                                  askedDates.push_back(q);
                                  return typedDate;
                              }});
    }

    QString writeFile(const QString& name, const Protokoll& report) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(protocol_file::buildProtocolImage(report));
        return path;
    }

    // "Zaehler|Auftraggeber|Kundennummer|Dateiname" of every row in number order.
    QStringList archiveRows() {
        QStringList rows;
        for (zt.first(); !zt.eof(); zt.next())
            rows << QStringList{zt.text("Zaehler"), zt.text("Auftraggeber"),
                                zt.text("Kundennummer"), zt.text("Dateiname")}
                        .join('|');
        return rows;
    }

    ReportSession state;
    TableCursor zt{store, QStringLiteral("zt")};
    TableCursor kunden{store, QStringLiteral("kunden")};
    ScriptedWindow wizard;
    ScriptedWindow savePrint;
    std::vector<DateQuestion> askedDates;
    QString typedDate;
    ArchiveTransfers transfers{state, prompter, zt, kunden, [] { return QDate(2026, 3, 8); }};
};

} // namespace

TEST_F(ArchiveTransfersTest, FilesBecomeConsecutiveRowsAndANewCustomerIsCreatedOnce) {
    addCustomers({{0, QStringLiteral("Elektro Schulze")}});
    Protokoll inOrder = sampleReport();
    inOrder.Ordnung = QStringLiteral("j");
    const QString a = writeFile("a.pro", inOrder);
    const QString b = writeFile("b.pro", inOrder);
    EXPECT_EQ(transfers.importFiles({b, a, b}, false), 3);
    const QString suffix = QStringLiteral("   8.3.2026");
    EXPECT_EQ(archiveRows(),
              (QStringList{"1|Bäckerei Müller|1|" + b + suffix, "2|Bäckerei Müller|1|" + a + suffix,
                           "3|Bäckerei Müller|1|" + b + suffix}));
    EXPECT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(customerRows(QStringLiteral("Standard")),
              (QStringList{"0|Elektro Schulze||", "1|Bäckerei Müller|Hauptstraße 12|12345 "
                                                  "Musterstadt"}));
    zt.first();
    EXPECT_EQ(zt.text("Alles"), QStringLiteral("Schutzleiterwiderstand =  0.1 2 Ohm  "
                                               "Isolationswiderstand >20.0 MOhm  "
                                               "Ersatzableitstrom =   0.25 mA"));
    EXPECT_EQ(zt.text("Termin"), QStringLiteral("15.12.2027"));
    EXPECT_EQ(zt.text("Besichtigung1"), QStringLiteral("ja"));
    EXPECT_EQ(zt.text("Einheit2"), QStringLiteral("MOhm"));
    EXPECT_EQ(zt.text("Ordnung"), QStringLiteral("j"));
}

TEST_F(ArchiveTransfersTest, DiffComesFromTheFileAndBrokenFilesAreSkippedWithAMessage) {
    addCustomers({{1, QStringLiteral("Bäckerei Müller")}});
    Protokoll withDiff = sampleReport();
    withDiff.Diff = 1;
    const QString good = writeFile("diff.pro", withDiff);
    const QString shortFile = dir.filePath("kurz.pro");
    QFile file(shortFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("zu kurz");
    file.close();
    state.report.diff = 0;
    EXPECT_EQ(transfers.importFiles({shortFile, good}, false), 1);
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Die Datei \"%1\" ist keine Protokolldatei: Sie "
                                         "ist nur 7 Bytes lang, eine Protokolldatei hat 1148 "
                                         "Bytes.")
                              .arg(shortFile)});
    zt.first();
    EXPECT_EQ(zt.text("Diff"), QStringLiteral("ja"));
    EXPECT_EQ(zt.text("Zaehler"), QStringLiteral("1"));
}

TEST_F(ArchiveTransfersTest, AnImpossibleDateIsAskedForNamingTheFile) {
    Protokoll report = sampleReport();
    report.Termin = QStringLiteral("31.02.2027");
    const QString path = writeFile("datum.pro", report);
    typedDate = QStringLiteral("28.02.2027");
    transfers.importFiles({path}, false);
    ASSERT_EQ(askedDates.size(), 1u);
    EXPECT_EQ(askedDates[0].fileName, path);
    EXPECT_EQ(askedDates[0].rejected, QStringLiteral("31.02.2027"));
    EXPECT_EQ(askedDates[0].kind, DateKind::NextTest);
    zt.first();
    EXPECT_EQ(zt.text("Termin"), QStringLiteral("28.02.2027"));
}

TEST_F(ArchiveTransfersTest, AFilterGetsOneNoticeAfterTheLastFile) {
    addCustomers({{1, QStringLiteral("Bäckerei Müller")}});
    const QString a = writeFile("a.pro", sampleReport());
    for (const auto& [files, notice] :
         {std::pair{QStringList{a}, QStringLiteral("Hinweis|Der von Ihnen definierte Filter ist "
                                                   "aktiv. Möglicherweise wird Ihre Datei deshalb "
                                                   "nicht angezeigt.")},
          std::pair{QStringList{a, a}, QStringLiteral("Hinweis|Der von Ihnen definierte Filter "
                                                      "ist aktiv. Möglicherweise werden Ihre "
                                                      "Dateien deshalb nicht angezeigt.")}}) {
        ScriptedPrompter fresh;
        ArchiveTransfers filtered(state, fresh, zt, kunden);
        filtered.importFiles(files, true);
        EXPECT_EQ(fresh.messages(), QStringList{notice});
    }
}

class OpenRowTest : public ArchiveTransfersTest {
protected:
    OpenRowTest() {
        addCustomers(
            {{0, QStringLiteral("Elektro Schulze")}, {1, QStringLiteral("Bäckerei Müller")}});
        {
            TableCursor k(store, QStringLiteral("kunden"));
            k.open();
            customer_table::findByNumber(k, 1);
            k.edit();
            k.setText("AuftraggeberStrasse", QStringLiteral("Hauptstraße 12"));
            k.setText("AuftraggeberOrt", QStringLiteral("12345 Musterstadt"));
            k.post();
        }
        Protokoll report = sampleReport();
        report.Pruefung = QStringLiteral("DIN VDE 0702");
        report.Satz2 = 0;
        transfers.importFiles({writeFile("a.pro", report)}, false);
        prompter = ScriptedPrompter();
        zt.first();
    }
};

TEST_F(OpenRowTest, TheRowFillsTheRecordAndTheEditsComeBack) {
    Protokoll seen;
    wizard.action = [&] {
        seen = state.record;
        state.record.Geraeteart = QStringLiteral("Toaster");
        state.record.Satz2 = 1;
        state.record.Termin = QStringLiteral("1.1.28");
    };
    prompter.answer(Prompter::Answer::Ok);
    transfers.openRowInWizard();
    EXPECT_EQ(state.report.testKind, 2);
    EXPECT_EQ(state.report.oldNorm, 1);
    EXPECT_EQ(state.report.newReport, 0);
    EXPECT_EQ(seen.Kunde1, QStringLiteral("Bäckerei Müller"));
    EXPECT_EQ(seen.Kunde2, QStringLiteral("Hauptstraße 12"));
    EXPECT_EQ(seen.Nehmer1, QStringLiteral("Elektro Schulze"));
    EXPECT_EQ(seen.Geraeteart, QStringLiteral("Brotschneidemaschine"));
    EXPECT_EQ(seen.Satz2, 0);
    EXPECT_EQ(savePrint.shown, 1);
    EXPECT_EQ(prompter.messages(), QStringList{"Hinweis|Die Daten werden jetzt übernommen"});
    zt.first();
    EXPECT_EQ(zt.text("Geraeteart"), QStringLiteral("Toaster"));
    EXPECT_EQ(zt.text("Satz2"), QStringLiteral("ja"));
    EXPECT_EQ(zt.text("Termin"), QStringLiteral("01.01.2028"));
    EXPECT_EQ(zt.text("Kundennummer"), QStringLiteral("1"));
    EXPECT_EQ(zt.state(), TableCursor::State::Browse);
}

TEST_F(OpenRowTest, DecliningLeavesTheRowAsItWas) {
    zt.first();
    const QVariantList before = zt.currentRow();
    wizard.action = [&] { state.record.Geraeteart = QStringLiteral("Toaster"); };
    prompter.answer(Prompter::Answer::Cancel);
    transfers.openRowInWizard();
    zt.first();
    EXPECT_EQ(zt.currentRow(), before);
}

TEST_F(OpenRowTest, MissingCustomerAndContractorAreReported) {
    {
        TableCursor k(store, QStringLiteral("kunden"));
        k.open();
        k.emptyTable();
    }
    prompter.answer(Prompter::Answer::Ok);
    prompter.answer(Prompter::Answer::Ok);
    prompter.answer(Prompter::Answer::Cancel);
    Protokoll seen;
    wizard.action = [&] { seen = state.record; };
    transfers.openRowInWizard();
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Hinweis|Die Kundennummer ist nicht in der Kunden-Datenbank enthalten.",
                           "Hinweis|Der Auftragnehmer ist in der Datenbank nicht enthalten.",
                           "Hinweis|Die Daten werden jetzt übernommen"}));
    EXPECT_EQ(seen.Kunde2, QString());
    EXPECT_EQ(seen.Nehmer1, QString());
}

// A row from the tester's memory has no customer: taking it through the
// wizard creates none with an empty name, and the row keeps no number.
TEST_F(ArchiveTransfersTest, ARowWithoutCustomerNameStaysWithoutCustomer) {
    addCustomers({{0, QStringLiteral("Elektro Schulze")}});
    transfers.importMemoryEntries({QByteArray("   71 1 0.12  25.0  0.21 OO       ")}, false);
    zt.first();
    prompter = ScriptedPrompter();
    prompter.answer(Prompter::Answer::Ok);
    transfers.openRowInWizard();
    EXPECT_EQ(prompter.messages(), QStringList{"Hinweis|Die Daten werden jetzt übernommen"});
    EXPECT_EQ(customerRows(), QStringList{"0|Elektro Schulze||"});
    zt.first();
    EXPECT_EQ(zt.text("Kundennummer"), QString());
    EXPECT_EQ(zt.text("Auftraggeber"), QString());
}
