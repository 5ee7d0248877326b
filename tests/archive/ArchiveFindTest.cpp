#include "TableFixture.h"
#include "archive/ArchiveFilter.h"
#include "archive/ArchiveSearch.h"
#include "archive/ArchiveSort.h"
#include "report/ArchiveNumbering.h"
#include "tables/FilterExpression.h"

#include <QMap>

namespace {

using Fields = QMap<QString, QVariant>;

class ArchiveFindTest : public TableFixture {
protected:
    // Rows numbered from 1 in the order given, with the fields named.
    void addRows(const QList<Fields>& rows) {
        TableCursor zt(store, QStringLiteral("zt"));
        ASSERT_TRUE(zt.open());
        qint64 number = 0;
        for (const Fields& fields : rows) {
            ASSERT_TRUE(zt.insert());
            zt.setInteger("Zaehler", ++number);
            for (auto field = fields.begin(); field != fields.end(); ++field)
                ASSERT_TRUE(zt.setValue(field.key(), field.value())) << field.key().toStdString();
            ASSERT_TRUE(zt.post());
        }
    }
    // "Zaehler" of the rows a fresh cursor sees through the given filter text.
    QStringList numbersWhere(const QString& filter) {
        TableCursor zt(store, QStringLiteral("zt"));
        zt.open();
        zt.setFilter(filter);
        zt.setFiltered(true);
        return column(zt, "Zaehler");
    }

    TableCursor archive{store, QStringLiteral("zt")};
};

// Field positions of the filter's list.
enum FilterField {
    None = 0,
    Number = 1,
    Customer = 3,
    Name = 4,
    Maker = 6,
    TestKind = 12,
    Inspection2 = 16,
    Statement1 = 18,
    NextTest = 22,
    Date = 24
};

struct Condition {
    int field;
    int op;
    const char* value;
    int link = 0; // to the condition before
};

FilterConditions conditions(std::initializer_list<Condition> list) {
    FilterConditions c;
    c.rows = int(list.size());
    int k = 0;
    for (const Condition& condition : list) {
        c.field[k] = condition.field;
        c.op[k] = condition.op;
        c.value[k] = QString::fromUtf8(condition.value);
        if (k > 0)
            c.link[k - 1] = condition.link;
        ++k;
    }
    return c;
}

} // namespace

TEST(ArchiveFilter, ListsOfTheDialog) {
    const QStringList fields = archive_filter::fieldLabels();
    ASSERT_EQ(fields.size(), 25);
    EXPECT_EQ(fields[0], QString());
    EXPECT_EQ(fields[1], QStringLiteral("lfd. Nr."));
    EXPECT_EQ(fields[12], QStringLiteral("Prüfung nach 0701/0702"));
    EXPECT_EQ(fields[14], QStringLiteral("Messwerte"));
    EXPECT_EQ(fields[21], QStringLiteral("Satz 4"));
    EXPECT_EQ(fields[22], QStringLiteral("nächste Prüfung"));
    EXPECT_EQ(fields[24], QStringLiteral("Datum"));
    EXPECT_EQ(archive_filter::operators(), (QStringList{"=", "<", ">", "<>", ">=", "<="}));
    EXPECT_EQ(archive_filter::linkLabels(), (QStringList{"", "und", "oder"}));
}

TEST(ArchiveFilter, FilterTextsBuiltFromTheConditions) {
    const struct {
        FilterConditions conditions;
        const char* text;
    } cases[] = {
        {conditions({{Name, 0, "Meier"}, {NextTest, 5, "31.12.2011", 1}}),
         "Auftraggeber='Meier' AND Termin<= 31.12.2011 "},
        {conditions({{Customer, 0, "12"}}), "Kundennummer='12'"},
        {conditions({{Number, 2, "100"}}), "Zaehler> 100 "},
        {conditions({{Statement1, 0, "1"}}), "Satz1= 1 "},
        {conditions(
             {{TestKind, 3, "DIN VDE 0701"}, {Inspection2, 0, "0", 2}, {Date, 4, "1.1.11", 1}}),
         "Pruefung<>'DIN VDE 0701' OR Besichtigung2= 0  AND Datum>= 1.1.11 "},
        {conditions({{Maker, 1, "O'Brien"}}), "Hersteller<'O''Brien'"},
        {conditions({{Name, 0, "x' OR Auftraggeber<>'x"}, {Maker, 3, "'", 2}}),
         "Auftraggeber='x'' OR Auftraggeber<>''x' OR Hersteller<>''''"},
        {conditions({{None, 0, ""}}), ""},
    };
    for (const auto& c : cases) {
        const QString text = archive_filter::filterText(c.conditions);
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        // The table takes every text the dialog builds.
        const CompiledFilter compiled = compileFilter(text, archiveTableDefinition());
        EXPECT_TRUE(compiled.ok()) << compiled.error.toStdString();
    }
}

TEST(ArchiveFilter, ChecksInTheirOrderWithTheirTexts) {
    const struct {
        FilterConditions conditions;
        const char* outcome; // "valid|caption|message"
    } cases[] = {
        {conditions({{Name, 0, "Meier"}}), "1||"},
        {conditions({{None, 0, ""}}),
         "1|Hinweis|Es wurde kein Spaltenname für Bedingung Nr.1 ausgewählt. Es kann keine "
         "Filterung ausgeführt werden."},
        {conditions({{None, 0, ""}, {Name, 0, "x", 1}}),
         "0|Fehler|Es wurde kein Spaltenname für Bedingung Nr.1 ausgewählt."},
        // A missing field further down is named first.
        {conditions({{None, 0, ""}, {Name, 0, "x", 1}, {None, 0, "", 1}}),
         "0|Fehler|Es wurde kein Spaltenname für Bedingung Nr.3  ausgewählt."},
        {conditions({{Name, 0, "x"}, {Maker, 0, "", 1}}),
         "0|Fehler|Es wurde kein Text für Bedingung Nr.2  eingegeben."},
        {conditions({{Name, 0, "x"}, {Maker, 0, "y", 0}}),
         "0|Fehler|Die Auswahl der Verknüpfung zwischen Bedingung Nr. 1 und Nr. 2 fehlt"},
        {conditions({{Name, 0, "x"}, {Number, 0, "12a", 1}}),
         "0|Fehler|Im Text für Bedingung Nr. 2 sind nur Zahlen zulässig, keine Buchstaben und "
         "Sonderzeichen"},
        // Numbers are checked before dates, dates before yes/no, whatever the row.
        {conditions(
             {{Statement1, 0, "vielleicht"}, {Date, 0, "31.02.2011", 1}, {Customer, 0, "-1", 2}}),
         "0|Fehler|Im Text für Bedingung Nr. 3 sind nur Zahlen zulässig, keine Buchstaben und "
         "Sonderzeichen"},
        {conditions({{Statement1, 0, "vielleicht"}, {Date, 0, "31.02.2011", 1}}),
         "0|Fehler|Der Text für Bedingung Nr. 2 stellt kein gültiges Datum dar: tt.mm.jjjj"},
        {conditions({{NextTest, 0, "31.13.2011"}}),
         "0|Fehler|Der Text für Bedingung Nr. 1 stellt kein gültiges Datum dar: tt.mm.jjjj"},
        {conditions({{Statement1, 0, "JA"}}),
         "0|Fehler|Im Text für Bedingung Nr. 1 sind nur j, ja, n, nein zulässig"},
    };
    for (const auto& c : cases) {
        FilterConditions checked = c.conditions;
        const archive_filter::CheckResult result = archive_filter::check(checked);
        EXPECT_EQ(QString::number(result.valid) + '|' + result.caption + '|' + result.message,
                  QString::fromUtf8(c.outcome));
    }

    FilterConditions yesNo = conditions({{Statement1, 0, "Ja"},
                                         {Inspection2, 0, "n", 1},
                                         {Name, 0, "ja", 2},
                                         {Statement1, 0, "j", 1}});
    EXPECT_TRUE(archive_filter::check(yesNo).valid);
    EXPECT_EQ(yesNo.value, (std::array<QString, 5>{"1", "0", "ja", "1", ""}));
}

TEST_F(ArchiveFindTest, TheFilterShowsItsRowsAndTheCaptionSaysSo) {
    addRows({{{"Auftraggeber", "Meier"}, {"Termin", "1.6.2011"}},
             {{"Auftraggeber", "Meier"}, {"Termin", "1.1.2012"}},
             {{"Auftraggeber", "Schulz"}, {"Termin", "1.1.2011"}},
             {{"Auftraggeber", "Meier"}}});
    ASSERT_TRUE(archive.open());
    const QString text = archive_filter::filterText(
        conditions({{Name, 0, "Meier"}, {NextTest, 5, "31.12.2011", 1}}));
    ASSERT_TRUE(archive_filter::apply(archive, text));
    EXPECT_EQ(column(archive, "Zaehler"), QStringList{"1"});
    EXPECT_TRUE(archive_filter::isActive(text));
    EXPECT_EQ(archive_filter::archiveCaption(text), QStringLiteral("Archiv        (Filter aktiv)"));

    ASSERT_TRUE(archive_filter::apply(archive, {}));
    EXPECT_EQ(column(archive, "Zaehler").size(), 4);
    EXPECT_FALSE(archive_filter::isActive({}));
    EXPECT_FALSE(archive_filter::isActive(QStringLiteral(" ")));
    EXPECT_EQ(archive_filter::archiveCaption({}), QStringLiteral("Archiv "));
}

TEST_F(ArchiveFindTest, AFilterValueIsTakenLiterally) {
    addRows({{{"Auftraggeber", "O'Brien Elektro"}},
             {{"Auftraggeber", "x"}},
             {{"Auftraggeber", "Meier"}},
             {{"Auftraggeber", "' OR 1=1 --"}},
             {{"Auftraggeber", "O'Brien Elektro"}}});
    const struct {
        const char* value;
        QStringList rows;
    } cases[] = {
        {"O'Brien Elektro", {"1", "5"}},
        {"x' OR Auftraggeber<>'x", {}},
        {"' OR 1=1 --", {"4"}},
        {"Meier' AND Zaehler>'0", {}},
    };
    for (const auto& c : cases) {
        const QString text = archive_filter::filterText(conditions({{Name, 0, c.value}}));
        EXPECT_EQ(numbersWhere(text), c.rows) << c.value;
        EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
    }
}

TEST(ArchiveSearchValue, ChecksAndYesNoValues) {
    const struct {
        int entry;
        const char* typed;
        const char* outcome; // value, or the message
    } cases[] = {
        {3, "  Mei ", "Mei"},
        {3, " ", ""},
        {0, "12", "12"},
        {0, "12a",
         "Im Text für die Suchbedingung  sind nur Zahlen zulässig, keine Buchstaben und "
         "Sonderzeichen"},
        {2, " ",
         "Im Text für die Suchbedingung  sind nur Zahlen zulässig, keine Buchstaben und "
         "Sonderzeichen"},
        {18, "JA", "Im Text für die Suchbedingung sind nur j, ja, n, nein zulässig"},
        {18, "Ja", "1"},
        {14, "j", "1"},
        {20, "Nein", "0"},
        {17, "N", "0"},
        {23, "31.12.2010", "31.12.2010"},
        {23, "31.13.2010",
         "Der Text für die Suchbedingung stellt kein gültiges Datum dar: tt.mm.jjjj"},
        {21, "29.02.2011",
         "Der Text für die Suchbedingung stellt kein gültiges Datum dar: tt.mm.jjjj"},
        {21, "1.1.11", "1.1.11"},
        {-1, "egal", "egal"},
    };
    for (const auto& c : cases) {
        const archive_search::CheckedValue checked =
            archive_search::checkValue(c.entry, QString::fromUtf8(c.typed));
        EXPECT_EQ(checked.error.isEmpty() ? checked.value : checked.error,
                  QString::fromUtf8(c.outcome))
            << c.entry << " " << c.typed;
    }
}

namespace {

QStringList marked(TableStore& store) {
    TableCursor zt(store, QStringLiteral("zt"));
    zt.open();
    QStringList numbers;
    for (zt.first(); !zt.eof(); zt.next())
        if (zt.boolean("Gefunden"))
            numbers << zt.text("Zaehler");
    return numbers;
}

SearchRequest request(const char* field, const char* value) {
    return {QLatin1String(field), QString::fromUtf8(value), false};
}

} // namespace

TEST_F(ArchiveFindTest, SearchMarksEachFindAndGoesOnToTheNextUnmarkedOne) {
    addRows({{{"Auftraggeber", "Schulz"}},
             {{"Auftraggeber", "Meier"}, {"Diff", true}},
             {{"Auftraggeber", "meier"}},
             {{"Auftraggeber", "Meister"}, {"Ordnung", "egal"}},
             {{"Auftraggeber", "Meier"}, {"Hersteller", " AEG "}}});
    ASSERT_TRUE(archive.open());
    int posts = 0;
    archive.beforePost = [&](TableCursor&) { ++posts; };
    ArchiveSearch search(archive, prompter);

    ASSERT_TRUE(search.search(request("Auftraggeber", "Mei")));
    EXPECT_EQ(archive.integer("Zaehler"), 2);
    EXPECT_TRUE(search.continueSearch());
    EXPECT_EQ(archive.integer("Zaehler"), 4);
    EXPECT_TRUE(search.continueSearch());
    EXPECT_EQ(archive.integer("Zaehler"), 5);
    EXPECT_EQ(marked(store), (QStringList{"2", "4", "5"}));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(search.continueSearch());
    EXPECT_EQ(archive.integer("Zaehler"), 5);
    EXPECT_EQ(prompter.messages(), QStringList{"Ergebnis|Suche erfolglos"});

    // A mark is not an edit: the row keeps its values and nothing asks.
    EXPECT_EQ(posts, 0);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.open();
    EXPECT_EQ(column(zt, "Diff"), (QStringList{"nein", "ja", "nein", "nein", "nein"}));
    EXPECT_EQ(column(zt, "Ordnung")[3], QStringLiteral("egal"));
    EXPECT_EQ(column(zt, "Hersteller")[4], QStringLiteral(" AEG "));

    // A new search starts without marks, also on rows the filter hides.
    archive.setFilter(QStringLiteral("Zaehler>4"));
    archive.setFiltered(true);
    ASSERT_TRUE(search.clearMarks());
    EXPECT_TRUE(marked(store).isEmpty());
    ASSERT_TRUE(search.search(request("Auftraggeber", "Mei")));
    EXPECT_EQ(archive.integer("Zaehler"), 5);
    EXPECT_FALSE(search.continueSearch());
    archive.setFiltered(false);
    EXPECT_TRUE(search.continueSearch());
    EXPECT_EQ(archive.integer("Zaehler"), 2);
}

TEST_F(ArchiveFindTest, SearchFieldsOfEveryKind) {
    addRows(
        {{{"Satz2", false}, {"Datum", "30.12.2010"}, {"Kundennummer", 7}, {"Schutzklasse", "1 "}},
         {{"Satz2", true}, {"Datum", "31.12.2010"}, {"Kundennummer", 12}, {"Schutzklasse", "1e"}},
         {{"Satz2", true}, {"Datum", "31.12.2010"}, {"Kundennummer", 1}, {"Schutzklasse", "2"}}});
    ASSERT_TRUE(archive.open());
    ArchiveSearch search(archive, prompter);
    const struct {
        SearchRequest request;
        const char* found; // the rows visited, "-" when the first search fails
    } cases[] = {
        {request("Satz2", "1"), "2,3"},          {request("Satz2", "0"), "1"},
        {request("Datum", "31.12.2010"), "2,3"}, {request("Datum", "31.12.10"), "2,3"},
        {request("Kundennummer", "12"), "2"},    {request("Kundennummer", "1"), "3"},
        {request("Zaehler", "0003"), "3"},       {request("Zaehler", "99999999999"), "-"},
        {request("Schutzklasse", "1"), "1,2"},   {request("Schutzklasse", "1e"), "2"},
    };
    for (const auto& c : cases) {
        search.clearMarks();
        QStringList visited;
        for (bool found = search.search(c.request); found; found = search.continueSearch())
            visited << archive.text("Zaehler");
        EXPECT_EQ(visited.isEmpty() ? QStringLiteral("-") : visited.join(','),
                  QString::fromUtf8(c.found))
            << c.request.field.toStdString() << "=" << c.request.value.toStdString();
    }
}

TEST(ArchiveSort, FieldListsOfTheCriteria) {
    const struct {
        SortCriteria criteria;
        const char* fields;
        SortCriteria kept;
    } cases[] = {
        {{1, 0, 0}, "Zaehler", {1, 0, 0}},
        {{4, 0, 0}, "Auftraggeber;Zaehler", {4, 0, 0}},
        {{4, 1, 12}, "Auftraggeber;Zaehler;Datum", {4, 1, 12}},
        {{6, 6, 7}, "Hersteller;Typenbezeichnung;Zaehler", {6, 0, 7}},
        {{12, 0, 12}, "Datum;Zaehler", {12, 0, 0}},
        {{3, 9, 9}, "Kundennummer;Pruefung;Zaehler", {3, 9, 0}},
        {{11, 10, 2}, "Termin;Schutzklasse;AuftragNr;Zaehler", {11, 10, 2}},
        {{5, 8, 1}, "Geraeteart;Seriennummer;Zaehler", {5, 8, 1}},
        // No first criterion: the running number.
        {{0, 4, 0}, "Zaehler;Auftraggeber", {1, 4, 0}},
        {{0, 1, 0}, "Zaehler", {1, 0, 0}},
    };
    for (const auto& c : cases) {
        SortCriteria criteria = c.criteria;
        archive_sort::dropRepeats(criteria);
        EXPECT_EQ(archive_sort::fieldList(criteria), QString::fromUtf8(c.fields));
        EXPECT_EQ(criteria, c.kept) << c.fields;
    }
    EXPECT_EQ(archive_sort::labels().size(), 12);
    EXPECT_EQ(archive_sort::labels()[8], QStringLiteral("Prüfung nach 0701/0702"));
}

TEST_F(ArchiveFindTest, SortOrdersTheRowsByItsOwnIndexAndKeepsTheFilter) {
    addRows({{{"Auftraggeber", "meier"}, {"Datum", "2.1.2011"}},
             {{"Auftraggeber", "Bär"}, {"Datum", "1.1.2011"}},
             {{"Auftraggeber", "Meier"}, {"Datum", "1.1.2011"}},
             {{"Auftraggeber", "Zander"}},
             {{"Auftraggeber", "Baer"}, {"Datum", "3.1.2011"}}});
    ASSERT_TRUE(archive_table::ensureStandardIndex(archive));
    const struct {
        SortCriteria criteria;
        const char* order;
        const char* index;
    } cases[] = {
        {{4, 0, 0}, "5,2,1,3,4", "Aktuell"},
        {{12, 4, 0}, "4,2,3,1,5", "Aktuell"},
        {{12, 0, 12}, "4,2,3,1,5", "Aktuell"},
        {{1, 0, 0}, "1,2,3,4,5", "Standard"},
    };
    for (const auto& c : cases) {
        SortCriteria criteria = c.criteria;
        ASSERT_TRUE(archive_sort::apply(archive, criteria));
        EXPECT_EQ(column(archive, "Zaehler").join(','), QString::fromUtf8(c.order));
        EXPECT_EQ(archive.indexName(), QString::fromUtf8(c.index));
    }
    EXPECT_FALSE(archive.indexNames().contains(QStringLiteral("Aktuell")));

    archive.setFilter(QStringLiteral("Zaehler>2"));
    archive.setFiltered(true);
    SortCriteria byName{4, 0, 0};
    ASSERT_TRUE(archive_sort::apply(archive, byName));
    EXPECT_EQ(column(archive, "Zaehler").join(','), QStringLiteral("5,3,4"));
    EXPECT_EQ(archive.filter(), QStringLiteral("Zaehler>2"));
}
