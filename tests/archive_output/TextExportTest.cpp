#include "archive_output/TextExport.h"
#include "Golden.h"
#include "Printers.h"
#include "TableFixture.h"
#include "common/Cp1252.h"

#include <QDir>
#include <QFile>

using namespace text_export;

namespace {

class TextExportTest : public TableFixture {
protected:
    TextExportTest() {
        addAddressBook();
        addArchiveRows({{1, QStringLiteral("Müller"), 3, QStringLiteral("1.2.2027")},
                        {2, QStringLiteral("Zander"), 9, QString()},
                        {3, QStringLiteral("Ohne"), 0, QString()}});
        EXPECT_TRUE(zt.open());
        zt.first();
    }

    QByteArray exported(Scope scope) {
        const QString path = dir.filePath(QStringLiteral("export.txt"));
        prompter.chooseFile(path);
        exportRows(savePath, prompter, zt, kunden, scope);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(keine Datei)");
    }

    QString savePath;
    TableCursor zt{store, QStringLiteral("zt")};
    TableCursor kunden{store, QStringLiteral("kunden")};
};

} // namespace

TEST_F(TextExportTest, HeaderIsWindows1252WithFortyFiveFields) {
    const QByteArray header = cp1252::fromUnicode(headerLine());
    EXPECT_TRUE(header.startsWith("lfd. Nr.\xa7"
                                  "Auftrag Nr.\xa7Kundennummer\xa7"
                                  "Auftraggeber\xa7\xa7\xa7"
                                  "Auftragnehmer\xa7\xa7\xa7Ger\xe4teart\xa7"));
    EXPECT_TRUE(header.endsWith("Ort\xa7"
                                "Datum\xa7Quelle Datensatz\xa7"));
    EXPECT_EQ(header.count('\xa7'), kColumns);
}

// The rows as written, with a paragraph sign and a check mark in the first.
TEST_F(TextExportTest, EveryShownRowWithItsAddressesAndTheMissingCustomerTold) {
    zt.edit();
    zt.setText("FehlerZeile1", QStringLiteral("Prüfung nach § 5"));
    ASSERT_TRUE(zt.setText("Besichtigung2", QStringLiteral("ja")));
    ASSERT_TRUE(zt.post());
    expectGolden("text-export.txt", exported(Scope::AllRows));
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."});
    EXPECT_EQ(savePath, dir.filePath(QStringLiteral("export.txt")));
    // The view is left where the user was.
    EXPECT_EQ(zt.text("Zaehler"), QStringLiteral("1"));
}

TEST_F(TextExportTest, TheCurrentRowAloneAndAFilterLimitsTheRows) {
    zt.next();
    zt.next();
    const QList<QByteArray> allRows = goldenFile("text-export.txt").split('\n');
    EXPECT_EQ(exported(Scope::CurrentRow), allRows[0] + '\n' + allRows[3] + '\n');
    zt.setFilter(QStringLiteral("Kundennummer>2"));
    zt.setFiltered(true);
    const QByteArray filtered = exported(Scope::AllRows);
    EXPECT_EQ(filtered.count("\r\n"), 3);
    EXPECT_FALSE(filtered.contains("Ohne"));
}

TEST_F(TextExportTest, CancelNoRowsNoContractorAndAFileThatCannotBeWritten) {
    prompter.cancelDialog();
    EXPECT_FALSE(exportRows(savePath, prompter, zt, kunden, Scope::AllRows));
    EXPECT_EQ(prompter.messages(), QStringList{"Hinweis|Datei wurde nicht gespeichert! "});

    ScriptedPrompter asked;
    zt.setFilter(QStringLiteral("Kundennummer>100"));
    zt.setFiltered(true);
    const QString empty = dir.filePath(QStringLiteral("leer.txt"));
    asked.chooseFile(empty);
    EXPECT_TRUE(exportRows(savePath, asked, zt, kunden, Scope::AllRows));
    EXPECT_EQ(asked.messages(), QStringList{"Hinweis|Sie haben keinen Datensatz ausgewählt."});
    EXPECT_EQ(QFile(empty).size(), 0);

    ScriptedPrompter failing;
    const QString nowhere = dir.filePath(QStringLiteral("fehlt/x.txt"));
    failing.chooseFile(nowhere);
    EXPECT_FALSE(exportRows(savePath, failing, zt, kunden, Scope::CurrentRow));
    ASSERT_EQ(failing.messages().size(), 1);
    EXPECT_TRUE(failing.messages()[0].startsWith(
        QStringLiteral("Fehler|Die Datei \"%1\" konnte nicht geschrieben werden: ").arg(nowhere)));
}

TEST_F(TextExportTest, ParagraphSignsAndControlCharactersKeepColumnsAndLinesInPlace) {
    zt.edit();
    zt.setText("FehlerZeile1", QStringLiteral("Prüfung nach § 5"));
    zt.setText("FehlerZeile2", QString::fromUtf8("Zeile\r\nweiter\x0e\tEnde"));
    ASSERT_TRUE(zt.post());
    const QByteArray file = exported(Scope::CurrentRow);
    const QByteArray row = file.mid(file.indexOf("\r\n") + 2);
    EXPECT_EQ(row.count('\xa7'), kColumns);
    EXPECT_EQ(row.count("\r\n"), 1);
    EXPECT_TRUE(row.endsWith("\xa7\r\n"));
    EXPECT_TRUE(row.contains("\xa7Pr\xfc"
                             "fung nach Par. 5\xa7Zeile  weiter  Ende\xa7"));
}

// The rows of a filtered view sorted by name, then a long export with its
// progress, stopped: no file is left behind.
class TextExportOfManyRowsTest : public TextExportTest {
protected:
    TextExportOfManyRowsTest() {
        QList<std::tuple<int, QString, int, QString>> rows;
        const QStringList names{"Zander", "Öztürk", "Albers", "Müller", "bäcker"};
        for (int i = 4; i <= 2503; ++i)
            rows.append({i, names[i % 5], i % 5 == 3 ? 3 : 0, QString()});
        addArchiveRows(rows);
    }
};

TEST_F(TextExportOfManyRowsTest, FollowsTheViewsFilterAndOrderAndShowsItsProgress) {
    zt.addIndex(QStringLiteral("Aktuell"), QStringLiteral("Auftraggeber;Zaehler"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.setFilter(QStringLiteral("Zaehler<= 12 AND Auftraggeber<>'Zander'"));
    zt.setFiltered(true);
    const QByteArray file = exported(Scope::AllRows);
    QList<QByteArray> numbersAndNames;
    for (const QByteArray& line : file.split('\n').mid(1, 9))
        numbersAndNames << line.split('\xa7')[0] + ' ' + line.split('\xa7')[3];
    EXPECT_EQ(numbersAndNames, (QList<QByteArray>{"7 Albers", "12 Albers",
                                                  "4 b\xe4"
                                                  "cker",
                                                  "9 b\xe4"
                                                  "cker",
                                                  "1 M\xfcller", "8 M\xfcller", "3 Ohne",
                                                  "6 \xd6zt\xfcrk", "11 \xd6zt\xfcrk"}));
    EXPECT_EQ(file.count("\r\n"), 10);
    EXPECT_EQ(prompter.progressTexts(), QStringList{"Daten-Export|Export: 0 von 9 Datensätzen"});

    zt.setFiltered(false);
    exported(Scope::AllRows);
    EXPECT_EQ(prompter.progressTexts().mid(1),
              (QStringList{"Daten-Export|Export: 0 von 2 503 Datensätzen",
                           "Daten-Export|Export: 1 000 von 2 503 Datensätzen",
                           "Daten-Export|Export: 2 000 von 2 503 Datensätzen"}));
}

TEST_F(TextExportOfManyRowsTest, AStoppedExportLeavesNoFileAndKeepsAnOldOne) {
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alter Inhalt");
    old.close();
    prompter.stopProgressAt(2000);
    EXPECT_EQ(exported(Scope::AllRows), QByteArray("alter Inhalt"));
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Hinweis|Der Export wurde abgebrochen. Die Datei \"%1\" "
                                         "wurde nicht geschrieben.")
                              .arg(path)});
    EXPECT_EQ(QDir(dir.path()).entryList({"export*"}), QStringList{"export.txt"});

    QFile::remove(path);
    prompter.stopProgressAt(1000);
    EXPECT_EQ(exported(Scope::AllRows), QByteArray("(keine Datei)"));
}
