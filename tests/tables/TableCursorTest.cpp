#include "TableFixture.h"

#include <QFile>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {

QStringList columnsOf(TableStore& store, const QString& table) {
    QSqlQuery query(store.database());
    query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    QStringList columns;
    while (query.next())
        columns << query.value(1).toString() + QLatin1Char(' ') + query.value(2).toString();
    return columns;
}

class TableCursorTest : public TableFixture {
protected:
    void SetUp() override {
        addCustomers({{4, "Zander"},
                      {1, "müller"},
                      {2, "Bär"},
                      {3, "Müller"},
                      {5, "apfel"},
                      {0, "Eigene Firma"}});
    }
};

} // namespace

TEST_F(TableCursorTest, MissingTablesAreCreatedWithTheirDefinition) {
    SKIP_ON_SERVER("SQLite's own column list");
    const QStringList zt = columnsOf(store, QStringLiteral("zt"));
    ASSERT_EQ(zt.size(), 44);
    EXPECT_EQ(zt[0], "Zaehler INTEGER");
    EXPECT_EQ(zt[2], "Auftraggeber TEXT");
    EXPECT_EQ(zt[34], "Termin TEXT");
    EXPECT_EQ(zt[40], "Kundennummer INTEGER");
    EXPECT_EQ(zt[43], "Niso INTEGER");
    EXPECT_EQ(columnsOf(store, QStringLiteral("kunden")),
              (QStringList{"Kundennummer INTEGER", "Auftraggeber TEXT", "AuftraggeberStrasse TEXT",
                           "AuftraggeberOrt TEXT", "Ansprechpartner TEXT", "Telefon TEXT",
                           "Fax TEXT", "Bemerkungen TEXT", "KopieAuftraggeber TEXT"}));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(TableCursorTest, NamedIndexesStayInTheDatabaseAndGiveTheOrder) {
    TableCursor kunden(store, QStringLiteral("kunden"));
    EXPECT_TRUE(kunden.indexNames().isEmpty());
    EXPECT_TRUE(kunden.addIndex(QStringLiteral("Kunde"), QStringLiteral("Auftraggeber")));
    EXPECT_TRUE(kunden.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer")));
    EXPECT_FALSE(kunden.addIndex(QStringLiteral("Kunde"), QStringLiteral("Fax")));
    EXPECT_FALSE(kunden.addIndex(QStringLiteral("X"), QStringLiteral("Auftraggeber;Farbe")));
    EXPECT_EQ(
        prompter.messages(),
        (QStringList{"Fehler|Der Index \"Kunde\" ist in der Tabelle \"kunden\" schon vorhanden.",
                     "Fehler|Das Feld \"Farbe\" gibt es in der Tabelle \"kunden\" nicht."}));

    ScriptedPrompter otherPrompter;
    TableStore reopened(test_database::location(dir.path()), otherPrompter);
    TableCursor again(reopened, QStringLiteral("kunden"));
    EXPECT_EQ(again.indexNames(), (QStringList{"Kunde", "Standard"}));
    ASSERT_TRUE(again.setIndexName(QStringLiteral("Kunde")));
    ASSERT_TRUE(again.open());
    // Equal names keep the order in which they were stored.
    EXPECT_EQ(column(again, QStringLiteral("Auftraggeber")),
              (QStringList{"apfel", "Bär", "Eigene Firma", "müller", "Müller", "Zander"}));
    again.setIndexName(QStringLiteral("Standard"));
    EXPECT_EQ(column(again, QStringLiteral("Kundennummer")),
              (QStringList{"0", "1", "2", "3", "4", "5"}));
    again.setIndexName(QString());
    EXPECT_EQ(column(again, QStringLiteral("Kundennummer")),
              (QStringList{"4", "1", "2", "3", "5", "0"}));
    EXPECT_FALSE(again.deleteIndex(QStringLiteral("Fehlt")));
    EXPECT_TRUE(again.deleteIndex(QStringLiteral("kunde")));
    EXPECT_EQ(again.indexNames(), QStringList{"Standard"});
    EXPECT_FALSE(again.setIndexName(QStringLiteral("Kunde")));
    EXPECT_EQ(again.indexName(), QString());
}

TEST_F(TableCursorTest, NavigationWithIndexAndFilterKeepsBofAndEof) {
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.addIndex(QStringLiteral("Kunde"), QStringLiteral("Auftraggeber"));
    kunden.setIndexName(QStringLiteral("Kunde"));
    kunden.setFilter(QStringLiteral("Kundennummer>1"));
    kunden.setFiltered(true);
    ASSERT_TRUE(kunden.open());
    EXPECT_TRUE(kunden.bof());
    EXPECT_FALSE(kunden.eof());
    EXPECT_EQ(kunden.text("Auftraggeber"), "apfel");
    EXPECT_FALSE(kunden.prior());
    EXPECT_TRUE(kunden.bof());
    EXPECT_EQ(kunden.text("Auftraggeber"), "apfel");
    EXPECT_TRUE(kunden.next());
    EXPECT_FALSE(kunden.bof());
    EXPECT_EQ(kunden.text("Auftraggeber"), "Bär");
    EXPECT_TRUE(kunden.last());
    EXPECT_TRUE(kunden.eof());
    EXPECT_EQ(kunden.text("Auftraggeber"), "Zander");
    EXPECT_FALSE(kunden.next());
    EXPECT_EQ(kunden.text("Auftraggeber"), "Zander");
    EXPECT_TRUE(kunden.prior());
    EXPECT_FALSE(kunden.eof());
    EXPECT_EQ(kunden.text("Auftraggeber"), "Müller");

    kunden.setFilter(QStringLiteral("Kundennummer>9"));
    EXPECT_TRUE(kunden.isEmpty());
    EXPECT_TRUE(kunden.bof());
    EXPECT_TRUE(kunden.eof());
    EXPECT_EQ(kunden.text("Auftraggeber"), "");
    EXPECT_EQ(kunden.integer("Kundennummer"), 0);

    EXPECT_FALSE(kunden.setFilter(QStringLiteral("Kundennummer>")));
    EXPECT_EQ(kunden.filter(), "Kundennummer>9");
    kunden.setFiltered(false);
    EXPECT_EQ(column(kunden, QStringLiteral("Kundennummer")),
              (QStringList{"5", "2", "0", "1", "3", "4"}));
}

TEST_F(TableCursorTest, LocateMovesToTheFirstMatchInIndexOrderOrStays) {
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.addIndex(QStringLiteral("Kunde"), QStringLiteral("Auftraggeber"));
    kunden.setIndexName(QStringLiteral("Kunde"));
    ASSERT_TRUE(kunden.open());
    kunden.next();
    ASSERT_EQ(kunden.text("Auftraggeber"), "Bär");

    struct Case {
        const char* value;
        LocateOptions options;
        int number; // -1: not found, the cursor stays on "Bär"
    };
    const Case cases[] = {
        {"Müller", {}, 3},
        {"müller", {}, 1},
        {"MÜLLER", {}, -1},
        {"MÜLLER", {false, true}, 1},
        {"Mül", {}, -1},
        {"Mül", {true, false}, 3},
        {"mül", {true, true}, 1},
        {"ZAN", {true, true}, 4},
        {"Zandera", {true, true}, -1},
        {"x", {true, true}, -1},
    };
    for (const Case& c : cases) {
        const bool found =
            kunden.locate(QStringLiteral("Auftraggeber"), {QString::fromUtf8(c.value)}, c.options);
        EXPECT_EQ(found, c.number >= 0) << c.value;
        EXPECT_EQ(kunden.integer("Kundennummer"), c.number >= 0 ? c.number : 2) << c.value;
        if (found)
            kunden.locate(QStringLiteral("Kundennummer"), {2});
    }
    EXPECT_TRUE(kunden.locate(QStringLiteral("Kundennummer;Auftraggeber"), {3, "Müller"}));
    EXPECT_FALSE(kunden.locate(QStringLiteral("Kundennummer;Auftraggeber"), {3, "müller"}));
    EXPECT_EQ(kunden.integer("Kundennummer"), 3);

    // Only rows that pass the filter are found.
    kunden.setFilter(QStringLiteral("Kundennummer>1"));
    kunden.setFiltered(true);
    EXPECT_TRUE(kunden.locate(QStringLiteral("Auftraggeber"), {"müller"}, {false, true}));
    EXPECT_EQ(kunden.integer("Kundennummer"), 3);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(TableCursorTest, WholeRowInsertRaisesItsEventsInOrder) {
    QStringList events; // outlives the cursor, which reports its closing
    TableCursor kunden(store, QStringLiteral("kunden"));
    ASSERT_TRUE(kunden.open());
    kunden.beforeInsert = [&](TableCursor& c) {
        events << "beforeInsert " + c.text("Auftraggeber");
    };
    kunden.afterInsert = [&](TableCursor& c) {
        events << "afterInsert '" + c.text("Auftraggeber") + "'";
    };
    kunden.beforePost = [&](TableCursor& c) {
        events << "beforePost " + c.text("Auftraggeber");
        c.setText("Bemerkungen", "vom Ereignis");
    };
    QObject::connect(&kunden, &TableCursor::stateChanged,
                     [&] { events << QStringLiteral("state %1").arg(int(kunden.state())); });
    ASSERT_TRUE(kunden.insertRecord({7, "Neu GmbH", "Weg 1"}));
    EXPECT_EQ(events, (QStringList{"beforeInsert Zander", "state 3", "afterInsert ''",
                                   "beforePost Neu GmbH", "state 1"}));
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
    EXPECT_EQ(kunden.integer("Kundennummer"), 7);
    EXPECT_EQ(kunden.text("AuftraggeberStrasse"), "Weg 1");
    EXPECT_EQ(kunden.text("Bemerkungen"), "vom Ereignis");
    EXPECT_EQ(kunden.text("Fax"), "");
}

TEST_F(TableCursorTest, FieldsTakeTextsAsTheirTypeDemands) {
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    ASSERT_TRUE(zt.insert());
    EXPECT_TRUE(zt.setText("Zaehler", "1"));
    EXPECT_TRUE(zt.setText("Auftraggeber", QString(40, QLatin1Char('x')) + "y"));
    EXPECT_TRUE(zt.setText("Termin", "1.1.11"));
    EXPECT_TRUE(zt.setText("Datum", "31.12.2011"));
    EXPECT_FALSE(zt.setText("Datum", "31.02.2011"));
    EXPECT_FALSE(zt.setText("Satz1", "vielleicht"));
    EXPECT_TRUE(zt.setText("Satz2", "j"));
    EXPECT_TRUE(zt.setText("Niso", "nein"));
    EXPECT_FALSE(zt.setText("Farbe", "rot"));
    ASSERT_TRUE(zt.post());
    EXPECT_EQ(zt.text("Auftraggeber"), QString(35, QLatin1Char('x')));
    EXPECT_EQ(zt.text("Termin"), "01.01.2011");
    EXPECT_EQ(zt.text("Datum"), "31.12.2011");
    EXPECT_EQ(zt.text("Satz1"), "nein");
    EXPECT_EQ(zt.text("Satz2"), "ja");
    EXPECT_TRUE(zt.boolean("Satz2"));
    // A row without customer has no number at all, which is not the contractor's 0.
    EXPECT_EQ(zt.text("Kundennummer"), "");
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Fehler|'31.02.2011' ist kein gültiges Datum",
                           "Fehler|'vielleicht' ist kein gültiger Wert: nur ja oder nein",
                           "Fehler|Feld 'Farbe' nicht gefunden"}));
    EXPECT_FALSE(zt.setText("Ort", "nicht im Bearbeitungsmodus"));
    EXPECT_EQ(prompter.messages().last(),
              "Fehler|Datensatz nicht im Bearbeitungs- oder Einfügemodus");

    // The same key twice is refused and the row stays in the editor.
    ASSERT_TRUE(zt.insertRecord({2}));
    ASSERT_TRUE(zt.edit());
    zt.setInteger("Zaehler", 1);
    EXPECT_FALSE(zt.post());
    EXPECT_EQ(zt.state(), TableCursor::State::Edit);
    EXPECT_TRUE(prompter.messages().last().startsWith(
        "Fehler|Schlüsselverletzung in der Tabelle \"zt\": "));
    zt.cancel();
    EXPECT_EQ(zt.integer("Zaehler"), 2);
}

TEST_F(TableCursorTest, CursorsOnOneTableMoveOnTheirOwn) {
    TableCursor a(store, QStringLiteral("kunden"));
    TableCursor b(store, QStringLiteral("kunden"));
    a.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer"));
    a.setIndexName(QStringLiteral("Standard"));
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    a.last();
    b.next();
    EXPECT_EQ(a.integer("Kundennummer"), 5);
    EXPECT_EQ(b.integer("Kundennummer"), 1);

    // A change through one cursor shows in the other after refresh.
    ASSERT_TRUE(a.edit());
    a.setText("Auftraggeber", "Apfelbaum");
    ASSERT_TRUE(a.post());
    ASSERT_TRUE(b.locate("Kundennummer", {5}));
    EXPECT_EQ(b.text("Auftraggeber"), "Apfelbaum");
}

TEST_F(TableCursorTest, DeleteMovesToTheNextRowOrTheLast) {
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer"));
    kunden.setIndexName(QStringLiteral("Standard"));
    ASSERT_TRUE(kunden.open());
    kunden.locate("Kundennummer", {2});
    ASSERT_TRUE(kunden.deleteRow());
    EXPECT_EQ(kunden.integer("Kundennummer"), 3);
    kunden.last();
    ASSERT_TRUE(kunden.deleteRow());
    EXPECT_EQ(kunden.integer("Kundennummer"), 4);
    EXPECT_EQ(column(kunden, "Kundennummer"), (QStringList{"0", "1", "3", "4"}));
    ASSERT_TRUE(kunden.emptyTable());
    EXPECT_TRUE(kunden.isEmpty());
    EXPECT_TRUE(kunden.bof() && kunden.eof());
    EXPECT_FALSE(kunden.first());
}

TEST_F(TableCursorTest, EditingTheSortKeyFollowsTheRow) {
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer"));
    kunden.setIndexName(QStringLiteral("Standard"));
    ASSERT_TRUE(kunden.open());
    kunden.locate("Kundennummer", {1});
    kunden.edit();
    kunden.setInteger("Kundennummer", 9);
    // Moving on posts the row first.
    EXPECT_FALSE(kunden.next());
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
    EXPECT_EQ(kunden.integer("Kundennummer"), 9);
    EXPECT_TRUE(kunden.prior());
    EXPECT_EQ(kunden.integer("Kundennummer"), 5);
}

TEST_F(TableCursorTest, FindFirstAndNextFollowTheFilterText) {
    addArchiveRows({{1, "Meier", 12, "01.06.2011"},
                    {2, "Meier", 12, "31.12.2011"},
                    {3, "Meier", 12, "01.01.2012"},
                    {4, "Schulz", 13, "15.03.2011"},
                    {5, "meier", 12, ""},
                    {6, "O'Brien", 14, "01.01.2011"}});
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    zt.setFilter(QStringLiteral("Auftraggeber='Meier' AND Termin<= 31.12.2011 "));
    EXPECT_TRUE(zt.findFirst());
    EXPECT_EQ(zt.integer("Zaehler"), 1);
    EXPECT_TRUE(zt.findNext());
    EXPECT_EQ(zt.integer("Zaehler"), 2);
    EXPECT_FALSE(zt.findNext());
    EXPECT_EQ(zt.integer("Zaehler"), 2);

    const std::pair<const char*, QStringList> filters[] = {
        {"Kundennummer = 12 AND  Termin >=01.01.2011 AND Termin<=31.12.2011", {"1", "2"}},
        {"Kundennummer='12'", {"1", "2", "3", "5"}},
        {"Termin<01.06.2011 OR Auftraggeber='O'Brien'", {"4", "6"}},
        {"Auftraggeber='Meier' OR Zaehler>4 AND Kundennummer=14", {"1", "2", "3", "5", "6"}},
        {"Auftraggeber='Meier'--'", {}},
        {"Auftraggeber='%'", {}},
    };
    zt.setFiltered(true);
    for (const auto& [text, rows] : filters) {
        ASSERT_TRUE(zt.setFilter(QString::fromUtf8(text))) << text;
        EXPECT_EQ(column(zt, "Zaehler"), rows) << text;
    }
    zt.setFiltered(false);
    EXPECT_EQ(column(zt, "Zaehler").size(), 6);
}

TEST_F(TableCursorTest, LockedOrUnreadableDatabaseGetsAGermanMessage) {
    SKIP_ON_SERVER("a file held or damaged on this PC");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store.databasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.setExclusive(true);
    EXPECT_FALSE(kunden.open());
    ASSERT_TRUE(kunden.setExclusive(false));
    ASSERT_TRUE(kunden.open());
    kunden.edit();
    kunden.setText("Fax", "123");
    EXPECT_FALSE(kunden.post());
    const QString locked = QStringLiteral(
        "Fehler|Die Tabelle \"kunden\" ist von einem anderen Programm gesperrt. Bitte schließen "
        "Sie das andere Programm und versuchen Sie es noch einmal.");
    EXPECT_EQ(prompter.messages(), (QStringList{locked, locked}));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(kunden.post());

    QTemporaryDir brokenDir;
    QFile broken(brokenDir.filePath(TableStore::fileName()));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, 'x'));
    broken.close();
    ScriptedPrompter brokenPrompter;
    // A folder that cannot be made: its parent is a file.
    const QString noFolder = broken.fileName() + QStringLiteral("/daten");
    TableStore nowhere(noFolder, brokenPrompter);
    EXPECT_FALSE(nowhere.open());
    EXPECT_EQ(
        brokenPrompter.messages(),
        QStringList{QStringLiteral("Fehler|Der Datenordner \"%1\" kann nicht angelegt werden.")
                        .arg(noFolder)});
    brokenPrompter = ScriptedPrompter();
    TableStore brokenStore(brokenDir.path(), brokenPrompter);
    TableCursor zt(brokenStore, QStringLiteral("zt"));
    EXPECT_FALSE(zt.open());
    EXPECT_EQ(brokenPrompter.messages(),
              QStringList{QStringLiteral("Fehler|Die Datenbank \"%1\" kann nicht gelesen werden: "
                                         "Sie ist beschädigt oder keine Datenbank dieses "
                                         "Programms.")
                              .arg(brokenStore.databasePath())});
}

TEST_F(TableCursorTest, RefreshShowsWhatOtherCursorsChanged) {
    TableCursor a(store, QStringLiteral("kunden"));
    TableCursor b(store, QStringLiteral("kunden"));
    a.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer"));
    a.setIndexName(QStringLiteral("Standard"));
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    ASSERT_TRUE(a.locate("Kundennummer", {3}));
    ASSERT_TRUE(b.locate("Kundennummer", {3}));
    b.edit();
    b.setText("Fax", "0815");
    ASSERT_TRUE(b.post());
    EXPECT_EQ(a.text("Fax"), "");
    ASSERT_TRUE(a.refresh());
    EXPECT_EQ(a.text("Fax"), "0815");

    // The row went away: the cursor moves on to the next in its order.
    ASSERT_TRUE(b.deleteRow());
    ASSERT_TRUE(a.refresh());
    EXPECT_EQ(a.integer("Kundennummer"), 4);
}

TEST_F(TableCursorTest, OneFieldIsWrittenInTheCurrentRowOrInEveryRowWithoutEvents) {
    addArchiveRows({{1, "Meier", 12, ""}, {2, "Schulz", 13, ""}, {3, "Meier", 12, ""}});
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    int posts = 0;
    zt.beforePost = [&](TableCursor&) { ++posts; };
    zt.setFilter(QStringLiteral("Auftraggeber='Meier'"));
    zt.setFiltered(true);
    zt.next();
    EXPECT_TRUE(zt.setValueInCurrentRow(QStringLiteral("Gefunden"), true));
    EXPECT_EQ(zt.integer("Zaehler"), 3);
    EXPECT_TRUE(zt.boolean("Gefunden"));
    zt.setFiltered(false);
    EXPECT_EQ(column(zt, "Gefunden"), (QStringList{"nein", "nein", "ja"}));

    zt.setFiltered(true);
    EXPECT_EQ(zt.setValueInAllRows(QStringLiteral("Gefunden"), true), 2);
    zt.setFiltered(false);
    EXPECT_EQ(column(zt, "Gefunden"), (QStringList{"ja", "ja", "ja"}));
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(zt.state(), TableCursor::State::Browse);

    // No row in view, no row written.
    zt.setFilter(QStringLiteral("Zaehler>5"));
    zt.setFiltered(true);
    EXPECT_FALSE(zt.setValueInCurrentRow(QStringLiteral("Gefunden"), false));
    zt.setFiltered(false);
    EXPECT_EQ(column(zt, "Gefunden"), (QStringList{"ja", "ja", "ja"}));
}

// An output's own order: made when missing, made anew when it orders
// otherwise; on a server an index that already gives the order is kept, so
// that other PCs are never locked out while it would be rebuilt.
TEST_F(TableCursorTest, RebuildingAnIndexGivesItsOrderAndKeepsAnIndexThatHasItOnAServer) {
    TableCursor kunden(store, QStringLiteral("kunden"));
    const auto indexId = [&] {
        QSqlQuery query(store.database());
        return query.exec(QStringLiteral("SELECT '\"kunden:Liste\"'::regclass::oid")) &&
                       query.next()
                   ? query.value(0).toLongLong()
                   : -1;
    };
    ASSERT_TRUE(kunden.addIndex(QStringLiteral("Liste"), QStringLiteral("Kundennummer")));

    ASSERT_TRUE(rebuildIndex(kunden, QStringLiteral("Liste"), QStringLiteral("Auftraggeber")));
    EXPECT_EQ(column(kunden, QStringLiteral("Auftraggeber")),
              (QStringList{"apfel", "Bär", "Eigene Firma", "müller", "Müller", "Zander"}));
    const qint64 byName = indexId();

    ASSERT_TRUE(rebuildIndex(kunden, QStringLiteral("Liste"), QStringLiteral("Auftraggeber")));
    EXPECT_EQ(kunden.indexName(), "Liste");
    EXPECT_EQ(column(kunden, QStringLiteral("Auftraggeber")),
              (QStringList{"apfel", "Bär", "Eigene Firma", "müller", "Müller", "Zander"}));
    if (test_database::onServer()) {
        EXPECT_EQ(indexId(), byName);
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
}

// Two PCs on one server: an edit of a row the other one changed or removed
// since it was read is refused with a German message, and the row shows what
// is stored now; an edit of an unchanged row goes through.
TEST_F(TableCursorTest, AnEditOfARowAnotherPcChangedIsRefusedAndTheRowReloaded) {
    if (!test_database::onServer())
        GTEST_SKIP() << "a server run only: one program works on the file";
    ScriptedPrompter otherPrompter;
    TableStore otherPc(test_database::location(dir.path()), otherPrompter);
    TableCursor mine(store, QStringLiteral("kunden"));
    TableCursor theirs(otherPc, QStringLiteral("kunden"));
    ASSERT_TRUE(mine.open());
    ASSERT_TRUE(theirs.open());
    ASSERT_TRUE(mine.locate(QStringLiteral("Kundennummer"), {4}));
    ASSERT_TRUE(theirs.locate(QStringLiteral("Kundennummer"), {4}));

    ASSERT_TRUE(theirs.edit());
    ASSERT_TRUE(theirs.setText(QStringLiteral("Telefon"), QStringLiteral("0711 1")));
    ASSERT_TRUE(theirs.post());
    ASSERT_TRUE(mine.edit());
    ASSERT_TRUE(mine.setText(QStringLiteral("Fax"), QStringLiteral("0711 2")));
    // A grid behind the message already shows what it speaks of.
    QString shownWithTheMessage;
    QObject::connect(&mine, &TableCursor::dataChanged, [&] {
        if (prompter.messages().isEmpty())
            shownWithTheMessage = mine.text(QStringLiteral("Telefon"));
    });
    EXPECT_FALSE(mine.post());
    EXPECT_EQ(shownWithTheMessage, "0711 1");
    EXPECT_EQ(prompter.messages(),
              QStringList{"Fehler|Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz "
                          "geändert. Ihre Änderung ist nicht gespeichert; der Datensatz zeigt "
                          "jetzt den neuen Stand."});
    EXPECT_EQ(mine.state(), TableCursor::State::Browse);
    EXPECT_EQ(mine.text(QStringLiteral("Telefon")), "0711 1");
    EXPECT_EQ(mine.text(QStringLiteral("Fax")), "");

    // Read anew, the row takes the edit.
    ASSERT_TRUE(mine.edit());
    ASSERT_TRUE(mine.setText(QStringLiteral("Fax"), QStringLiteral("0711 2")));
    EXPECT_TRUE(mine.post());
    theirs.refresh();
    EXPECT_EQ(theirs.text(QStringLiteral("Fax")), "0711 2");

    ASSERT_TRUE(theirs.deleteRow());
    ASSERT_TRUE(mine.edit());
    ASSERT_TRUE(mine.setText(QStringLiteral("Fax"), QStringLiteral("0711 3")));
    EXPECT_FALSE(mine.post());
    EXPECT_EQ(prompter.messages().last(),
              "Fehler|Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz gelöscht. "
              "Ihre Änderung ist nicht gespeichert.");
    EXPECT_EQ(mine.state(), TableCursor::State::Browse);
    EXPECT_TRUE(otherPrompter.messages().isEmpty());
}

// Two PCs add a row each with the number they saw free; the later post takes
// the next free one instead of storing a number twice or failing.
TEST_F(TableCursorTest, ANewRowsNumberAnotherPcTookMeanwhileBecomesTheNextFree) {
    struct Case {
        const char* table;
        const char* field;
        qint64 seenFree;
        qint64 stored;
    };
    const Case cases[] = {{"kunden", "Kundennummer", 6, 7}, {"zt", "Zaehler", 1, 2}};
    ScriptedPrompter otherPrompter;
    TableStore otherPc(test_database::location(dir.path()), otherPrompter);
    for (const Case& c : cases) {
        const QString field = QLatin1String(c.field);
        TableCursor mine(store, QLatin1String(c.table));
        TableCursor theirs(otherPc, QLatin1String(c.table));
        mine.keepNumbersUnique(field);
        ASSERT_TRUE(mine.open());
        ASSERT_TRUE(theirs.open());

        ASSERT_TRUE(mine.insert());
        ASSERT_TRUE(mine.setInteger(field, c.seenFree));
        ASSERT_TRUE(mine.setText(QStringLiteral("Auftraggeber"), QStringLiteral("hier")));
        ASSERT_TRUE(theirs.insertRecord({c.seenFree, QStringLiteral("dort")}));
        ASSERT_TRUE(mine.post()) << c.table;
        EXPECT_EQ(mine.integer(field), c.stored) << c.table;
        EXPECT_EQ(mine.text(QStringLiteral("Auftraggeber")), "hier") << c.table;

        // A number still free is kept.
        ASSERT_TRUE(mine.insertRecord({c.stored + 5, QStringLiteral("frei")}));
        EXPECT_EQ(mine.integer(field), c.stored + 5) << c.table;
    }
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
    EXPECT_TRUE(otherPrompter.messages().isEmpty());
}

// A write refused inside a larger transaction is told once; the rows stay
// readable until the whole is rolled back, and nothing of it is stored.
TEST_F(TableCursorTest, ARefusedWriteInsideATransactionLeavesItReadableAndRollsItBack) {
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    ASSERT_TRUE(zt.insertRecord({1, QStringLiteral("A-1"), QStringLiteral("Alt")}));

    ASSERT_TRUE(store.begin(QStringLiteral("zt")));
    ASSERT_TRUE(zt.insertRecord({2, QStringLiteral("A-2"), QStringLiteral("Neu")}));
    EXPECT_FALSE(zt.insertRecord({1, QStringLiteral("A-3"), QStringLiteral("Doppelt")}));
    EXPECT_EQ(zt.state(), TableCursor::State::Browse);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith("Fehler|Schlüsselverletzung in der Tabelle "
                                                  "\"zt\": "))
        << prompter.messages()[0].toStdString();
    EXPECT_FALSE(prompter.messages()[0].contains('\n'));
    EXPECT_EQ(column(zt, QStringLiteral("Auftraggeber")), (QStringList{"Alt", "Neu"}));
    EXPECT_FALSE(store.commit(QStringLiteral("zt")));

    EXPECT_EQ(column(zt, QStringLiteral("Auftraggeber")), QStringList{"Alt"});
    ASSERT_TRUE(zt.insertRecord({2, QStringLiteral("A-2"), QStringLiteral("Neu")}));
    EXPECT_EQ(prompter.messages().size(), 1);
}

// The server restarts, or the network drops: each step says so in German, a
// row being typed stays as typed, and nothing takes it for stored.
TEST_F(TableCursorTest, ALostServerConnectionIsToldAndTheTypedRowStays) {
    if (!test_database::onServer())
        GTEST_SKIP() << "a server run only";
    TableCursor mine(store, QStringLiteral("kunden"));
    ASSERT_TRUE(mine.open());
    QSqlQuery backend(store.database());
    ASSERT_TRUE(backend.exec(QStringLiteral("SELECT pg_backend_pid()")) && backend.next());
    const qint64 pid = backend.value(0).toLongLong();
    backend.finish();
    ScriptedPrompter otherPrompter;
    TableStore otherPc(test_database::location(dir.path()), otherPrompter);
    ASSERT_TRUE(otherPc.open());
    ASSERT_TRUE(QSqlQuery(otherPc.database())
                    .exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid)));

    ASSERT_TRUE(mine.edit());
    ASSERT_TRUE(mine.setText(QStringLiteral("Telefon"), QStringLiteral("0711 9")));
    EXPECT_FALSE(mine.post());
    EXPECT_EQ(mine.state(), TableCursor::State::Edit);
    EXPECT_EQ(mine.text(QStringLiteral("Telefon")), "0711 9");
    mine.cancel();
    EXPECT_FALSE(mine.next());
    ASSERT_EQ(prompter.messages().size(), 2);
    for (const QString& message : prompter.messages())
        EXPECT_TRUE(message.startsWith(
            QStringLiteral("Fehler|Der Datenbankserver \"%1\" ist nicht erreichbar (")
                .arg(store.server().url())))
            << message.toStdString();
}
