// What the archive window's menu items do.
#include "TFormArchiv.h"

#include "addresses/CustomerTable.h"
#include "archive_output/CollectiveReportCommand.h"
#include "archive_output/DeviceListCommand.h"
#include "archive_output/SingleReport.h"
#include "archive_output/TestLabelsCommand.h"
#include "archive_output/TextExport.h"
#include "common/Prompter.h"
#include "report/ReportSession.h"
#include "tables/DataGrid.h"
#include "tables/TableCursor.h"
#include "tables/TableGridModel.h"
#include "tester/TFormAuslesen.h"

#include <QFileInfo>

namespace {

const QString kName = QStringLiteral("Auftraggeber");
const QString kNumber = QStringLiteral("Kundennummer");
// Where the customer dialogs leave the user: the device kind.
constexpr int kColumnAfterCustomer = 4;

const Prompter::FileDialog kImportDialog{QStringLiteral("Protokoll auswählen"),
                                         QStringLiteral("Protokolldateien   *.pro|*.pro"),
                                         QStringLiteral("pro"),
                                         {}};

// The folder is chosen by its archive table; the customer table lies beside it.
const Prompter::FileDialog kLegacyDialog{
    QStringLiteral("Alte Datenbank: Archiv-Tabelle zt.DB auswählen"),
    QStringLiteral("Paradox-Tabellen (zt.DB)|*.DB *.db"),
    QStringLiteral("DB"),
    {}};

} // namespace

bool TFormArchiv::saveOrDropEdits() {
    if (Table1->state() != TableCursor::State::Edit)
        return true;
    const auto answer = prompter_.message(
        QStringLiteral("Sollen die Änderungen am aktuellen Datensatz gespeichert werden?"),
        QStringLiteral("Frage"), Prompter::Buttons::YesNo);
    if (answer == Prompter::Answer::Yes)
        return Table1->post();
    Table1->cancel();
    return true;
}

void TFormArchiv::deleteRowClick() {
    if (Table1->isEmpty())
        return;
    if (prompter_.message(QStringLiteral(" Datensatz löschen?"), QStringLiteral("Bestätigung"),
                          Prompter::Buttons::YesNo) == Prompter::Answer::Yes)
        Table1->deleteRow();
}

void TFormArchiv::deleteAllClick() {
    if (!saveOrDropEdits())
        return;
    if (prompter_.message(QStringLiteral("Sollen alle Datensätze unwiderruflich gelöscht werden?"),
                          QStringLiteral("Bestätigung"),
                          Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    Table1->close();
    Table1->emptyTable();
    Table1->open();
    Table1->first();
}

void TFormArchiv::importFilesClick() {
    if (!saveOrDropEdits())
        return;
    const auto paths = prompter_.openFiles(kImportDialog);
    if (!paths)
        return;
    transfers_->importFiles(*paths, filterActive_);
}

void TFormArchiv::importLegacyClick() {
    if (!saveOrDropEdits())
        return;
    const auto table = prompter_.openFile(kLegacyDialog);
    if (!table)
        return;
    transfers_->importLegacyTables(QFileInfo(*table).absolutePath(), filterActive_);
}

void TFormArchiv::importMemoryClick() {
    if (!saveOrDropEdits() || !dialogs_.memoryReadout || !dialogs_.portSettings)
        return;
    TesterLink& link = dialogs_.memoryReadout->link();
    const auto fail = [this](const QString& text) {
        prompter_.beep();
        prompter_.message(text, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
    };
    if (link.isOpen()) {
        fail(QStringLiteral("Schnittstelle ist bereits geöffnet!"));
    } else if (!link.open(*dialogs_.portSettings)) {
        const QString problem = link.openProblem(*dialogs_.portSettings);
        fail(QStringLiteral(" Schnittstelle konnte nicht geöffnet werden") +
             (problem.isEmpty() ? QString() : QStringLiteral("\n\n") + problem));
        // Back to the main window, where the port is chosen.
        close();
        return;
    } else {
        dialogs_.memoryReadout->exec();
        transfers_->importMemoryEntries(readoutHandover_, filterActive_);
    }
    if (link.isOpen() && !link.close())
        fail(QStringLiteral("Schnittstelle konnte nicht geschlossen werden!"));
}

void TFormArchiv::singleReportClick(OutputKind kind) {
    if (!saveOrDropEdits())
        return;
    single_report::print(state_, prompter_, *Table1, *Table3, {printers_, kind});
}

void TFormArchiv::deviceListClick(OutputKind kind) {
    if (!saveOrDropEdits() || !dialogs_.deviceListRequest || !dialogs_.deviceListFormat)
        return;
    device_list::run(prompter_, *Table1, *dialogs_.deviceListRequest, *dialogs_.deviceListFormat,
                     {printers_, kind});
}

void TFormArchiv::collectiveReportClick(OutputKind kind) {
    if (!saveOrDropEdits() || !dialogs_.collectiveFormat)
        return;
    collective_report::run(prompter_, *Table1, *Table3, *dialogs_.collectiveFormat,
                           {printers_, kind});
}

void TFormArchiv::testLabelsClick(OutputKind kind) {
    if (!saveOrDropEdits() || !dialogs_.labelChoice)
        return;
    test_labels::run(prompter_, *Table1, *dialogs_.labelChoice, {printers_, kind});
}

void TFormArchiv::exportClick(bool allRows) {
    if (!saveOrDropEdits())
        return;
    text_export::exportRows(state_.savePath, prompter_, *Table1, *Table3,
                            allRows ? text_export::Scope::AllRows : text_export::Scope::CurrentRow);
}

void TFormArchiv::openRowInWizardClick() {
    if (Table1->isEmpty())
        return;
    if (prompter_.message(QStringLiteral("Das Protokoll-Eingabefenster wird aktiviert."),
                          QStringLiteral("Hinweis"),
                          Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return;
    transfers_->openRowInWizard();
}

void TFormArchiv::done(int result) {
    if (!saveOrDropEdits())
        return;
    QDialog::done(result);
}

void TFormArchiv::customerColumnEntered() {
    if (!searchIdle_)
        return;
    const QString field = DBGrid1->gridModel().fieldName(DBGrid1->currentIndex().column());
    if (field == kName)
        customerLookup();
    else if (field == kNumber)
        customerNumberEntry();
}

void TFormArchiv::takeCustomer(const QString& name, qint64 number) {
    Table1->setText(kName, name);
    Table1->setInteger(kNumber, number);
}

void TFormArchiv::pickCustomer() {
    if (!dialogs_.customerLookup)
        return;
    if (const std::optional<CustomerChoice> choice = dialogs_.customerLookup())
        takeCustomer(choice->name, choice->number);
}

void TFormArchiv::leaveCustomerColumns() {
    const QModelIndex current = DBGrid1->currentIndex();
    DBGrid1->setCurrentIndex(current.siblingAtColumn(kColumnAfterCustomer));
}

void TFormArchiv::customerLookup() {
    pickCustomer();
    leaveCustomerColumns();
}

void TFormArchiv::customerNumberEntry() {
    if (dialogs_.customerNumberEntry) {
        if (const std::optional<qint32> entered = dialogs_.customerNumberEntry()) {
            // 0 is the contractor, never a customer of a row.
            const qint64 number = *entered == 0 ? -1 : *entered;
            const bool found = Table3->open() && customer_table::findByNumber(*Table3, number);
            const QString name = found ? Table3->text(kName) : QString();
            Table3->close();
            if (found)
                takeCustomer(name, number);
            else
                pickCustomer();
        }
    }
    leaveCustomerColumns();
}
