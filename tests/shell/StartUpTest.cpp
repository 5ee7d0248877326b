#include "TableFixture.h"
#include "TableHolder.h"
#include "print/PrinterSystem.h"
#include "report/ReportSession.h"
#include "shell/HelpViewer.h"
#include "shell/TForm1.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"
#include "tester/TesterState.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct NoPrinters : PrinterSystem {
    bool hasPrinter() const override { return false; }
};

// The main window's creation prepares "kunden" and takes the contractor's
// address from its row 0.
class StartUpTest : public TableFixture {
protected:
    std::unique_ptr<TForm1> start() {
        return std::make_unique<TForm1>(state, testerState, prompter, printers, help, store);
    }

    void addCustomerRows(const QList<QVariantList>& rows) {
        TableCursor kunden(store, QStringLiteral("kunden"));
        ASSERT_TRUE(kunden.open());
        for (const QVariantList& row : rows)
            ASSERT_TRUE(kunden.insertRecord(row));
    }

    ReportSession state;

    TesterState testerState;
    NoPrinters printers;
    HelpViewer help;
};

} // namespace

TEST_F(StartUpTest, ContractorLinesAreLoadedCutAndWrittenBack) {
    const QString name35 = QStringLiteral("Elektro-Meisterbetrieb Müller GmbH"); // 34
    addCustomerRows({{7, "Kunde Sieben"},
                     {0, name35 + "X", "Werkstraße 12", "12345 Großstadt an der Elbe Ost"},
                     {2, "Kunde Zwei"}});
    const auto window = start();
    EXPECT_EQ(state.report.contractorLine1, "Elektro-Meisterbetrieb Müller "); // 30
    EXPECT_EQ(state.report.contractorLine2, "Werkstraße 12");
    EXPECT_EQ(state.report.contractorLine3, "12345 Großstadt an der Elbe Os");
    EXPECT_EQ(customerRows(),
              (QStringList{"7|Kunde Sieben||",
                           "0|Elektro-Meisterbetrieb Müller |Werkstraße 12|12345 Großstadt an der "
                           "Elbe Os",
                           "2|Kunde Zwei||"}));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(StartUpTest, WithoutContractorRowTheLinesStayEmptyAndTheTableUntouched) {
    addCustomerRows({{3, "Kunde Drei mit einem Namen von 35 Z", "Weg"}, {5, "Fünf"}});
    const QStringList before = customerRows();
    const auto window = start();
    EXPECT_EQ(state.report.contractorLine1, "");
    EXPECT_EQ(state.report.contractorLine2, "");
    EXPECT_EQ(state.report.contractorLine3, "");
    EXPECT_EQ(customerRows(), before);
}

TEST_F(StartUpTest, IndexStandardIsAddedOnce) {
    addCustomerRows({{0, "Firma"}});
    start();
    start();
    TableCursor kunden(store, QStringLiteral("kunden"));
    EXPECT_EQ(kunden.indexNames(), QStringList{"Standard"});
    EXPECT_EQ(state.report.contractorLine1, "Firma");
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(StartUpTest, MissingTablesAreCreated) {
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("neu/daten"));
    TableStore fresh(test_database::location(folder), prompter);
    TForm1 window(state, testerState, prompter, printers, help, fresh);
    EXPECT_EQ(QFile::exists(folder + QStringLiteral("/ztd.sqlite")), !test_database::onServer());
    TableCursor kunden(fresh, QStringLiteral("kunden"));
    ASSERT_TRUE(kunden.open());
    EXPECT_TRUE(kunden.isEmpty());
    EXPECT_EQ(kunden.indexNames(), QStringList{"Standard"});
    EXPECT_EQ(state.report.contractorLine1, "");
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(StartUpTest, ATableLockedByAnotherProgramIsReported) {
    addCustomerRows({{0, "Firma"}});
    TableHolder holder(dir.path(), QStringLiteral("kunden"));
    ASSERT_TRUE(holder.hold());
    store.setBusyTimeout(20);
    const auto window = start();
    EXPECT_EQ(prompter.messages(), QStringList{holder.message()});
    EXPECT_EQ(state.report.contractorLine1, "");
    holder.release();
    start();
    EXPECT_EQ(state.report.contractorLine1, "Firma");
}

TEST_F(StartUpTest, AnUnreadableDatabaseIsReportedAndTheWindowStillComes) {
    SKIP_ON_SERVER("a damaged file");
    QFile junk(store.databasePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(2048, '\x5a'));
    junk.close();
    const auto window = start();
    EXPECT_EQ(window->windowTitle(), "Veltrax Gerätetester 0701/0702");
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0],
              QStringLiteral("Fehler|Die Datenbank \"%1\" kann nicht gelesen werden: Sie ist "
                             "beschädigt oder keine Datenbank dieses Programms.")
                  .arg(store.databasePath()));
    EXPECT_EQ(state.report.contractorLine1, "");
}
