#include "TableFixture.h"

#include "addresses/CustomerTable.h"
#include "report/ReportState.h"

using namespace customer_table;

namespace {

const QString kRenameNotice = QStringLiteral(
    "Hinweis|Die Namensänderung des Auftraggebers  wird in der Protokoll-Datenbank "
    "berücksichtigt. Je nach Größe der Datenbank kann dies etwas Zeit in Anspruch nehmen.");

class CustomerTableTest : public TableFixture {
protected:
    CustomerTableTest()
        : kunden(store, QStringLiteral("kunden")) {
        kunden.beforePost = [this](TableCursor& c) { customer_table::beforePost(c, prompter); };
    }

    // The customer window's view: customers only, in number order.
    void openCustomerView() {
        ASSERT_TRUE(ensureIndexes(kunden, true));
        kunden.setFilter(QStringLiteral("Kundennummer>0"));
        kunden.setFiltered(true);
    }

    qint64 insertCustomer(const QString& name) {
        const qint64 number = newCustomerNumber(kunden);
        kunden.insert();
        kunden.setInteger("Kundennummer", number);
        kunden.setText("Auftraggeber", name);
        EXPECT_TRUE(kunden.post());
        return number;
    }

    QStringList archiveNames() {
        TableCursor zt(store, QStringLiteral("zt"));
        zt.open();
        QStringList names;
        for (zt.first(); !zt.eof(); zt.next())
            names << zt.text("Zaehler") + ":" + zt.text("Auftraggeber");
        return names;
    }

    // The archive's update fails halfway through a rename: row 2 refuses it.
    bool refuseUpdatesOfRow2() {
        QSqlQuery query(store.database());
        if (!test_database::onServer())
            return query.exec("CREATE TRIGGER stop BEFORE UPDATE ON zt WHEN old.Zaehler = 2 "
                              "BEGIN SELECT RAISE(ABORT, 'gesperrt'); END");
        return query.exec("CREATE FUNCTION stop() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                          "IF OLD.\"Zaehler\" = 2 THEN RAISE unique_violation USING MESSAGE = "
                          "'gesperrt'; END IF; RETURN NEW; END $$") &&
               query.exec("CREATE TRIGGER stop BEFORE UPDATE ON zt FOR EACH ROW EXECUTE "
                          "FUNCTION stop()");
    }
    bool allowUpdates() {
        return QSqlQuery(store.database())
            .exec(test_database::onServer() ? "DROP TRIGGER stop ON zt" : "DROP TRIGGER stop");
    }

    TableCursor kunden;
};

} // namespace

TEST_F(CustomerTableTest, NumbersStartAtOneAndSkipTheContractor) {
    openCustomerView();
    EXPECT_EQ(kunden.indexNames(), (QStringList{"Standard", "Kunde"}));
    ASSERT_TRUE(writeContractor(kunden, {"Eigene Firma", "Werkstraße 1", "12345 Ort"}));
    EXPECT_TRUE(kunden.isEmpty()); // the contractor is no customer
    EXPECT_EQ(insertCustomer("Erster"), 1);
    EXPECT_EQ(insertCustomer("Zweiter"), 2);
    kunden.locate("Kundennummer", {2});
    kunden.edit();
    kunden.setInteger("Kundennummer", 5);
    kunden.post();
    EXPECT_EQ(insertCustomer("Dritter"), 6);
    ASSERT_TRUE(findByNumber(kunden, 6));
    ASSERT_TRUE(deleteCustomer(kunden, prompter));
    EXPECT_EQ(insertCustomer("Vierter"), 6);
    ASSERT_TRUE(findByNumber(kunden, 5));
    ASSERT_TRUE(deleteCustomer(kunden, prompter));
    EXPECT_EQ(newCustomerNumber(kunden), 7);
    ASSERT_TRUE(findByNumber(kunden, 6));
    ASSERT_TRUE(deleteCustomer(kunden, prompter));
    EXPECT_EQ(newCustomerNumber(kunden), 2);

    kunden.setFiltered(false);
    EXPECT_EQ(readContractor(kunden),
              (ContractorAddress{"Eigene Firma", "Werkstraße 1", "12345 Ort"}));
}

TEST_F(CustomerTableTest, RenameRewritesExactlyThatCustomersArchiveRows) {
    addCustomers({{1, "Meier"}, {2, "Schulz"}});
    addArchiveRows({{1, "Meier", 1, ""},
                    {2, "Schulz", 2, ""},
                    {3, "Meier", 1, ""},
                    {4, "Meier", 0, ""},
                    {5, "Meier", 3, ""}});
    openCustomerView();
    // Rows from the import carry no copy of the name: the first edit counts as a rename.
    ASSERT_TRUE(findByNumber(kunden, 1));
    kunden.edit();
    kunden.setText("AuftraggeberStrasse", "  Hauptstraße 1 ");
    ASSERT_TRUE(kunden.post());
    EXPECT_EQ(prompter.messages(), QStringList{kRenameNotice});
    EXPECT_EQ(kunden.text("KopieAuftraggeber"), "Meier");
    EXPECT_EQ(kunden.text("AuftraggeberStrasse"), "Hauptstraße 1");

    // A change of letter case alone is a rename.
    kunden.edit();
    kunden.setText("Auftraggeber", " MEIER ");
    ASSERT_TRUE(kunden.post());
    EXPECT_EQ(prompter.messages(), (QStringList{kRenameNotice, kRenameNotice}));
    EXPECT_EQ(archiveNames(),
              (QStringList{"1:MEIER", "2:Schulz", "3:MEIER", "4:Meier", "5:Meier"}));

    // Another field only: no notice, the archive untouched.
    kunden.edit();
    kunden.setText("Telefon", "0123");
    ASSERT_TRUE(kunden.post());
    EXPECT_EQ(prompter.messages().size(), 2);

    // A new customer keeps its name as the copy.
    insertCustomer(QStringLiteral(" Neu "));
    EXPECT_EQ(kunden.text("Auftraggeber"), "Neu");
    EXPECT_EQ(kunden.text("KopieAuftraggeber"), "Neu");
    EXPECT_EQ(prompter.messages().size(), 2);
}

TEST_F(CustomerTableTest, RenameIsAllOrNothing) {
    addCustomers({{1, "Meier"}});
    addArchiveRows({{1, "Meier", 1, ""}, {2, "Meier", 1, ""}});
    openCustomerView();
    ASSERT_TRUE(findByNumber(kunden, 1));
    kunden.edit();
    kunden.setText("KopieAuftraggeber", "Meier");
    ASSERT_TRUE(kunden.post());

    // Another program holds the database while the rename runs.
    kunden.beforePost = [&](TableCursor& c) {
        refuseUpdatesOfRow2();
        customer_table::beforePost(c, prompter);
    };
    kunden.edit();
    kunden.setText("Auftraggeber", "Meier & Sohn");
    EXPECT_FALSE(kunden.post());
    EXPECT_EQ(prompter.messages().last(),
              "Fehler|Schlüsselverletzung in der Tabelle \"zt\": gesperrt")
        << prompter.messages().join('\n').toStdString();
    EXPECT_EQ(archiveNames(), (QStringList{"1:Meier", "2:Meier"}));
    kunden.cancel();
    EXPECT_EQ(kunden.text("Auftraggeber"), "Meier");
}

// The copy of the name must not claim a rename that was rolled back.
TEST_F(CustomerTableTest, ARenameThatFailedIsCarriedOverByTheNextPost) {
    addCustomers({{1, "Meier"}});
    addArchiveRows({{1, "Meier", 1, ""}, {2, "Meier", 1, ""}});
    openCustomerView();
    ASSERT_TRUE(findByNumber(kunden, 1));
    kunden.edit();
    kunden.setText("KopieAuftraggeber", "Meier");
    ASSERT_TRUE(kunden.post());

    ASSERT_TRUE(refuseUpdatesOfRow2());
    kunden.edit();
    kunden.setText("Auftraggeber", " Meier & Sohn");
    EXPECT_FALSE(kunden.post());
    EXPECT_EQ(kunden.state(), TableCursor::State::Edit);
    EXPECT_EQ(kunden.text("Auftraggeber"), " Meier & Sohn");
    EXPECT_EQ(kunden.text("KopieAuftraggeber"), "Meier");

    ASSERT_TRUE(allowUpdates());
    ASSERT_TRUE(kunden.post());
    EXPECT_EQ(
        prompter.messages(),
        (QStringList{kRenameNotice, "Fehler|Schlüsselverletzung in der Tabelle \"zt\": gesperrt",
                     kRenameNotice}));
    EXPECT_EQ(archiveNames(), (QStringList{"1:Meier & Sohn", "2:Meier & Sohn"}));
    EXPECT_EQ(kunden.text("KopieAuftraggeber"), "Meier & Sohn");
}

TEST_F(CustomerTableTest, DeleteIsRefusedWhileTheArchiveUsesTheCustomer) {
    addCustomers({{1, "Meier"}, {2, "Schulz"}});
    addArchiveRows({{1, "Meier", 1, ""}});
    openCustomerView();
    ASSERT_TRUE(findByNumber(kunden, 1));
    EXPECT_FALSE(deleteCustomer(kunden, prompter));
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Der Auftraggeber wird noch im Archiv verwendet und kann nicht "
                          "gelöscht werden."});

    ASSERT_TRUE(findByNumber(kunden, 2));
    prompter.answer(Prompter::Answer::No);
    EXPECT_FALSE(deleteCustomer(kunden, prompter));
    EXPECT_EQ(prompter.calls().back().caption, "Sicherheitsabfrage");
    EXPECT_EQ(prompter.calls().back().text, "Aktuellen Kunden wirklich löschen ?");
    EXPECT_EQ(prompter.calls().back().buttons, Prompter::Buttons::YesNo);
    EXPECT_TRUE(findByNumber(kunden, 2));

    TableCursor zt(store, QStringLiteral("zt"));
    zt.open();
    zt.deleteRow();
    ASSERT_TRUE(findByNumber(kunden, 1));
    prompter.answer(Prompter::Answer::Yes);
    EXPECT_TRUE(deleteCustomer(kunden, prompter));
    EXPECT_FALSE(findByNumber(kunden, 1));
}

TEST_F(CustomerTableTest, FindByNameIsExact) {
    addCustomers({{1, "Müller"}, {2, "müller"}, {3, "Müller GmbH"}});
    openCustomerView();
    EXPECT_TRUE(findByName(kunden, "müller"));
    EXPECT_EQ(kunden.integer("Kundennummer"), 2);
    EXPECT_FALSE(findByName(kunden, "Müll"));
    EXPECT_FALSE(findByName(kunden, "MÜLLER"));
    EXPECT_EQ(kunden.integer("Kundennummer"), 2);
    EXPECT_TRUE(findByName(kunden, "Müller GmbH"));
    EXPECT_EQ(kunden.integer("Kundennummer"), 3);
    EXPECT_FALSE(findByNumber(kunden, 9));
}

TEST_F(CustomerTableTest, StartUpReadsCutsAndWritesBackTheContractor) {
    const QString longName = QStringLiteral("Elektro Meisterbetrieb Müller & S"); // 33
    addCustomers({{3, "Kunde"}});
    {
        TableCursor c(store, QStringLiteral("kunden"));
        c.open();
        c.insertRecord({0, longName, "Straße 1", QString(35, QLatin1Char('o'))});
    }
    ReportState report;
    ASSERT_TRUE(loadContractorLines(store, report));
    EXPECT_EQ(report.contractorLine1, longName.left(30));
    EXPECT_EQ(report.contractorLine2, "Straße 1");
    EXPECT_EQ(report.contractorLine3, QString(30, QLatin1Char('o')));
    TableCursor check(store, QStringLiteral("kunden"));
    EXPECT_EQ(check.indexNames(), QStringList{"Standard"});
    ASSERT_TRUE(loadContractorLines(store, report));
    EXPECT_EQ(check.indexNames(), QStringList{"Standard"});
    check.open();
    ASSERT_TRUE(check.locate("Kundennummer", {0}));
    EXPECT_EQ(check.text("Auftraggeber"), longName.left(30));
    EXPECT_EQ(check.text("AuftraggeberOrt"), QString(30, QLatin1Char('o')));
    EXPECT_TRUE(prompter.messages().isEmpty());
}
