#include "archive/LegacyImport.h"
#include "ParadoxWriter.h"
#include "TableFixture.h"
#include "archive/ArchiveTransfers.h"
#include "legacy/ParadoxTable.h"
#include "report/ReportSession.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <map>

namespace {

using paradox_writer::Column;
using paradox_writer::Kind;

// A row given by field name; fields not named are empty.
using NamedRow = std::map<QString, QVariant>;

QList<QVariantList> rowsFor(const QList<Column>& columns, const QList<NamedRow>& rows) {
    QList<QVariantList> values;
    for (const NamedRow& row : rows) {
        QVariantList line;
        for (const Column& column : columns)
            line << (row.count(column.name) ? row.at(column.name) : QVariant());
        values << line;
    }
    return values;
}

const QString kLongName = QStringLiteral("Müller & Söhne Straßenbau GmbH Köln"); // 35 characters

// The older program's tables: zt.DB without "Niso" and with a field of its
// own, kunden.DB with the contractor and two customers.
class LegacyImportTest : public TableFixture {
protected:
    LegacyImportTest() {
        EXPECT_TRUE(store.open());
        archiveColumns = paradox_writer::columnsOf(archiveTableDefinition());
        archiveColumns.removeIf([](const Column& column) { return column.name == "Niso"; });
        archiveColumns.append({QStringLiteral("Extra"), Kind::Alpha, 10});
        customerColumns = paradox_writer::columnsOf(customerTableDefinition());
    }

    void writeOldTables() {
        const QList<NamedRow> archive = {
            {{"Zaehler", 7},
             {"AuftragNr", "A-1"},
             {"Auftraggeber", kLongName},
             {"Geraeteart", "Bohrmaschine"},
             {"Schutzklasse", "1"},
             {"Pruefung", "DIN VDE 0701-0702(1)"},
             {"Besichtigung1", true},
             {"Besichtigung2", false},
             {"Wert1", "0.12"},
             {"Einheit1", "Ohm"},
             {"Termin", QDate(2027, 12, 11)},
             {"Datum", QDate(2026, 12, 11)},
             {"Kundennummer", 5},
             {"Ordnung", "j"},
             {"Diff", true},
             {"Extra", "x"}},
            {{"Zaehler", 9},
             {"Auftraggeber", "Neu AG"},
             {"Datum", QDate(1066, 10, 14)},
             {"Kundennummer", 7},
             {"Ordnung", "n"}},
        };
        const QList<NamedRow> customers = {
            {{"Kundennummer", 0},
             {"Auftraggeber", "Elektro Alt"},
             {"AuftraggeberStrasse", "Altweg 1"},
             {"AuftraggeberOrt", "11111 Altstadt"}},
            {{"Kundennummer", 5},
             {"Auftraggeber", kLongName},
             {"AuftraggeberOrt", "50667 Köln"},
             {"Telefon", "0221 12345"}},
            {{"Kundennummer", 7}, {"Auftraggeber", "Neu AG"}, {"Bemerkungen", "Großkunde"}},
        };
        ASSERT_TRUE(paradox_writer::write(old.filePath("zt.DB"), archiveColumns,
                                          rowsFor(archiveColumns, archive)));
        ASSERT_TRUE(paradox_writer::write(old.filePath("kunden.DB"), customerColumns,
                                          rowsFor(customerColumns, customers)));
    }

    std::unique_ptr<LegacyImport> prepare() {
        auto prepared = LegacyImport::prepare(store, old.path());
        if (const auto* error = std::get_if<QString>(&prepared)) {
            ADD_FAILURE() << error->toStdString();
            return nullptr;
        }
        return std::move(std::get<std::unique_ptr<LegacyImport>>(prepared));
    }

    QStringList select(const QString& sql) {
        QSqlQuery query(store.database());
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        QStringList rows;
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << query.value(i).toString();
            rows << fields.join(QLatin1Char('|'));
        }
        return rows;
    }

    QTemporaryDir old;
    QList<Column> archiveColumns;
    QList<Column> customerColumns;
};

const QString kArchiveRows = QStringLiteral(
    "SELECT Zaehler, AuftragNr, Auftraggeber, Geraeteart, Pruefung, Besichtigung1, "
    "Besichtigung2, Besichtigung3, Wert1, Einheit1, Termin, Datum, Kundennummer, Ordnung, Diff, "
    "Niso FROM zt ORDER BY Zaehler");
const QString kCustomerRows = QStringLiteral(
    "SELECT Kundennummer, Auftraggeber, AuftraggeberStrasse, AuftraggeberOrt, Telefon, "
    "Bemerkungen FROM kunden ORDER BY Kundennummer");

} // namespace

TEST_F(LegacyImportTest, IntoAnEmptyArchiveEveryFieldArrivesWithItsNumbers) {
    writeOldTables();
    const auto import = prepare();
    ASSERT_TRUE(import);
    EXPECT_EQ(import->summary(),
              QStringLiteral("2 Archiv-Datensätze, 2 Kunden werden übernommen.\n"
                             "Die Archiv-Datensätze behalten ihre Nummern.\n"
                             "Die Kunden behalten ihre Nummern.\n"
                             "Der Auftragnehmer wird übernommen.\n"
                             "1 Datensatz mit ungültigem Datum: das Datum bleibt leer.\n"
                             "Nicht übernommen werden die unbekannten Felder zt.DB: Extra.\n"
                             "Leer bleiben die fehlenden Felder zt.DB: Niso."));
    // Nothing is written before the user agrees.
    EXPECT_EQ(select("SELECT count(*) FROM zt"), QStringList{"0"});

    const ArchiveImport::Outcome outcome = import->run(prompter);
    EXPECT_EQ(outcome.stored, (QStringList{"Datensatz 7", "Datensatz 9"}));
    EXPECT_TRUE(outcome.skipped.isEmpty());
    EXPECT_EQ(import->customersWritten(), 2);
    EXPECT_TRUE(import->contractorWritten());
    EXPECT_EQ(select(kArchiveRows),
              (QStringList{"7|A-1|" + kLongName +
                               "|Bohrmaschine|DIN VDE 0701-0702(1)|1|0|0|0.12|Ohm|2027-12-11|"
                               "2026-12-11|5|j|1|0",
                           "9||Neu AG|||0|0|0|||||7|n|0|0"}));
    EXPECT_EQ(select(kCustomerRows), (QStringList{"0|Elektro Alt|Altweg 1|11111 Altstadt||",
                                                  "5|" + kLongName + "||50667 Köln|0221 12345|",
                                                  "7|Neu AG||||Großkunde"}));
    EXPECT_EQ(prompter.progressTexts().last(),
              QStringLiteral("Datenübernahme|Import: 2 von 2 Datensätzen"));
}

TEST_F(LegacyImportTest, IntoAFilledArchiveRowsAreNumberedOnAndCustomersMatchedByName) {
    writeOldTables();
    addArchiveRows(
        {{1, QStringLiteral("Meier"), 1, QString()}, {2, QStringLiteral("Meier"), 1, QString()}});
    addCustomers({{0, QStringLiteral("Eigene Firma")}, {1, kLongName}});
    const auto import = prepare();
    ASSERT_TRUE(import);
    EXPECT_EQ(import->summary(),
              QStringLiteral("2 Archiv-Datensätze, 2 Kunden werden übernommen.\n"
                             "Das Archiv enthält schon Datensätze: die übernommenen bekommen die "
                             "Nummern ab 3.\n"
                             "Die Kunden werden nach dem Namen zugeordnet (schon vorhanden: 1, "
                             "neu: 1); die Datensätze bekommen ihre neuen Kundennummern.\n"
                             "Der Auftragnehmer bleibt, wie er ist.\n"
                             "1 Datensatz mit ungültigem Datum: das Datum bleibt leer.\n"
                             "Nicht übernommen werden die unbekannten Felder zt.DB: Extra.\n"
                             "Leer bleiben die fehlenden Felder zt.DB: Niso."));
    const ArchiveImport::Outcome outcome = import->run(prompter);
    EXPECT_EQ(outcome.stored.size(), 2);
    EXPECT_EQ(select("SELECT Zaehler, Auftraggeber, Kundennummer FROM zt ORDER BY Zaehler"),
              (QStringList{"1|Meier|1", "2|Meier|1", "3|" + kLongName + "|1", "4|Neu AG|2"}));
    EXPECT_EQ(select("SELECT Kundennummer, Auftraggeber, Bemerkungen FROM kunden ORDER BY "
                     "Kundennummer"),
              (QStringList{"0|Eigene Firma|", "1|" + kLongName + "|", "2|Neu AG|Großkunde"}));
}

TEST_F(LegacyImportTest, AStoppedImportKeepsWhatCameInAndNamesTheRest) {
    writeOldTables();
    const auto import = prepare();
    ASSERT_TRUE(import);
    prompter.stopProgressAt(1);
    const ArchiveImport::Outcome outcome = import->run(prompter);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(select("SELECT Zaehler FROM zt ORDER BY Zaehler"), QStringList{"7"});
    EXPECT_EQ(import_account::unfinishedText(outcome),
              QStringLiteral("Die Datenübernahme wurde abgebrochen.\n\nÜbernommen: 1 von 2 "
                             "Datensätzen.\nNicht übernommen:\nDatensatz 9"));
}

TEST_F(LegacyImportTest, TablesThatCannotBeUsedAreToldAndNothingIsWritten) {
    writeOldTables();
    const QString zt = old.filePath("zt.DB");
    const auto patch = [&](qint64 offset, const QByteArray& bytes) {
        QFile file(zt);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(offset);
        file.write(bytes);
    };
    const auto rewrite = [&](const QList<Column>& columns) {
        ASSERT_TRUE(paradox_writer::write(zt, columns, {}));
    };
    QList<Column> withoutNumber = archiveColumns;
    withoutNumber.removeFirst();
    QList<Column> dateAsText = archiveColumns;
    dateAsText[34] = {QStringLiteral("Termin"), Kind::Alpha, 10};
    // what is done to the old tables | message
    const std::vector<std::pair<std::function<void()>, QString>> cases = {
        {[&] { QFile::remove(old.filePath("kunden.DB")); },
         "Im Ordner \"" + QDir::toNativeSeparators(old.path()) +
             "\" fehlt die Tabelle \"kunden.DB\"."},
        {[&] {
             QFile file(zt);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("Dies ist keine Tabelle, nur ein Text.\n");
         },
         "Die Datei \"zt.DB\" ist keine Paradox-Tabelle."},
        {[&] { patch(0x00, QByteArray(2, '\0')); },
         "Die Datei \"zt.DB\" ist keine lesbare Paradox-Tabelle (Kopf beschädigt)."},
        {[&] { QFile(zt).resize(QFile(zt).size() - 1024); },
         "Die Datei \"zt.DB\" ist keine lesbare Paradox-Tabelle (Kopf beschädigt)."},
        {[&] { patch(0x5C, QByteArray("\x11\x22\x33\x44", 4)); },
         "Die Tabelle \"zt.DB\" ist mit einem Kennwort geschützt. Entfernen Sie das Kennwort mit "
         "dem Programm, das sie angelegt hat, und versuchen Sie es noch einmal."},
        {[&] { rewrite(withoutNumber); },
         "Die Tabelle \"zt.DB\" hat nicht die erwarteten Felder: das Feld \"Zaehler\" fehlt."},
        {[&] { rewrite(dateAsText); },
         "Die Tabelle \"zt.DB\" hat nicht die erwarteten Felder: das Feld \"Termin\" hat eine "
         "andere Art."},
    };
    for (const auto& [damage, message] : cases) {
        writeOldTables();
        damage();
        auto prepared = LegacyImport::prepare(store, old.path());
        const auto* error = std::get_if<QString>(&prepared);
        ASSERT_NE(error, nullptr) << message.toStdString();
        EXPECT_EQ(*error, message);
    }
    EXPECT_EQ(select("SELECT count(*) FROM zt"), QStringList{"0"});
    EXPECT_EQ(select("SELECT count(*) FROM kunden"), QStringList{"0"});
}

TEST(ParadoxTable, ReadsEveryKindOfFieldAndEmptyOnes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.DB");
    const QList<Column> columns = {{"Name", Kind::Alpha, 5},
                                   {"Tag", Kind::Date},
                                   {"Kurz", Kind::Short},
                                   {"Lang", Kind::Long},
                                   {"Ja", Kind::Logical}};
    ASSERT_TRUE(
        paradox_writer::write(path, columns,
                              {{QStringLiteral("Straße"), QDate(2026, 2, 28), -5, 123456, false},
                               {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
                               {QStringLiteral("ß"), QDate(1899, 12, 31), 0, 0, true}}));
    auto opened = ParadoxTable::open(path);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<ParadoxTable>>(opened));
    ParadoxTable& table = *std::get<std::unique_ptr<ParadoxTable>>(opened);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.fields()[0].kind, ParadoxField::Kind::Text);
    EXPECT_EQ(table.fields()[0].size, 5);
    EXPECT_EQ(table.indexOf("lang"), 3);
    EXPECT_EQ(*table.row(0), (QVariantList{QStringLiteral("Straß"), QDate(2026, 2, 28), qint64(-5),
                                           qint64(123456), false}));
    EXPECT_EQ(*table.row(1),
              (QVariantList{QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}));
    // A day before the archive's time reads as an impossible date.
    EXPECT_EQ(*table.row(2),
              (QVariantList{QStringLiteral("ß"), QDate(), qint64(0), qint64(0), true}));
    EXPECT_EQ(table.row(3), std::nullopt);
}

TEST_F(LegacyImportTest, FromTheCommandLineTheSummaryComesFirst) {
    writeOldTables();
    QTemporaryDir data;
    const auto run = [&](const QString& folder) {
        QProcess process;
        process.start(QStringLiteral(ZTD_BINARY),
                      {"--data", data.path(), "--import-paradox", folder});
        EXPECT_TRUE(process.waitForFinished(60000));
        return std::tuple{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                          QString::fromUtf8(process.readAllStandardError())};
    };
    const auto [code, out, err] = run(old.path());
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.startsWith("2 Archiv-Datensätze, 2 Kunden werden übernommen.\n"
                               "Die Archiv-Datensätze behalten ihre Nummern.\n"))
        << out.toStdString();
    EXPECT_EQ(err, QStringLiteral("Übernommen: 2 von 2 Archiv-Datensätzen, 2 Kunden und der "
                                  "Auftragnehmer.\n"));

    QTemporaryDir empty;
    const auto [failedCode, failedOut, failedErr] = run(empty.path());
    EXPECT_EQ(failedCode, 1);
    EXPECT_EQ(failedOut, QString());
    EXPECT_EQ(failedErr, "Im Ordner \"" + empty.path() + "\" fehlt die Tabelle \"zt.DB\".\n");
}

TEST_F(LegacyImportTest, TheArchiveWindowAsksFirstAndTellsWhatCameIn) {
    writeOldTables();
    ReportSession session;
    TableCursor zt(store, QStringLiteral("zt"));
    TableCursor kunden(store, QStringLiteral("kunden"));
    ASSERT_TRUE(zt.open());
    ArchiveTransfers transfers(session, prompter, zt, kunden);
    prompter.answer(Prompter::Answer::No);
    EXPECT_EQ(transfers.importLegacyTables(old.path(), false), 0);
    EXPECT_EQ(select("SELECT count(*) FROM zt"), QStringList{"0"});

    prompter.answer(Prompter::Answer::Yes);
    EXPECT_EQ(transfers.importLegacyTables(old.path(), false), 2);
    const QStringList messages = prompter.messages();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("Frage|2 Archiv-Datensätze, 2 Kunden werden übernommen."));
    EXPECT_TRUE(messages[0].endsWith("\n\nSollen die Daten jetzt übernommen werden?"));
    EXPECT_EQ(messages[1], messages[0]);
    EXPECT_EQ(messages[2],
              QStringLiteral("Hinweis|Übernommen: 2 Archiv-Datensätze, 2 Kunden und der "
                             "Auftragnehmer."));
    // The grid learns of the new rows.
    zt.first();
    EXPECT_EQ(zt.text("Zaehler"), QStringLiteral("7"));

    // Missing tables are told, nothing is asked.
    QTemporaryDir empty;
    EXPECT_EQ(transfers.importLegacyTables(empty.path(), false), 0);
    EXPECT_EQ(prompter.messages().last(),
              "Fehler|Im Ordner \"" + empty.path() + "\" fehlt die Tabelle \"zt.DB\".");
}

TEST_F(LegacyImportTest, EveryFieldOfARowArrivesAsItsTypeSays) {
    const TableDefinition& definition = archiveTableDefinition();
    const QList<Column> columns = paradox_writer::columnsOf(definition);
    // A value of its own for every field: texts as long as the field with
    // umlauts, days, numbers and flags that differ from field to field.
    QVariantList row;
    QStringList expected;
    for (int i = 0; i < columns.size(); ++i) {
        const FieldDefinition& field = definition.fields[i];
        switch (field.type) {
        case FieldType::Text: {
            const QString text = QStringLiteral("%1ÄöüßÉ").arg(i).repeated(60).left(field.size);
            row << text;
            expected << (field.name == "Ordnung" ? QStringLiteral("n") : text.trimmed());
            break;
        }
        case FieldType::Integer:
            row << 1000 + i;
            expected << QString::number(1000 + i);
            break;
        case FieldType::Boolean:
            row << (i % 2 == 0);
            expected << (i % 2 == 0 ? QStringLiteral("ja") : QStringLiteral("nein"));
            break;
        case FieldType::Date:
            row << QDate(2026, 1, 1).addDays(i);
            expected << QDate(2026, 1, 1).addDays(i).toString("dd.MM.yyyy");
            break;
        }
    }
    ASSERT_TRUE(paradox_writer::write(old.filePath("zt.DB"), columns, {row}));
    ASSERT_TRUE(paradox_writer::write(old.filePath("kunden.DB"), customerColumns, {}));
    const auto import = prepare();
    ASSERT_TRUE(import);
    EXPECT_EQ(import->run(prompter).stored.size(), 1);

    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    zt.first();
    for (int i = 0; i < columns.size(); ++i)
        EXPECT_EQ(zt.text(definition.fields[i].name), expected[i])
            << definition.fields[i].name.toStdString();
}
