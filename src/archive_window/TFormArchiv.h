#pragma once

#include "addresses/CustomerChoice.h"

#include "archive/ArchiveSort.h"
#include "archive/ArchiveTransfers.h"
#include "print/PrintOutput.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

#include <functional>
#include <memory>
#include <optional>

struct ReportSession;
class DataGrid;
class PrintTarget;
class Prompter;
class ArchiveSearch;
class QAction;
class QMenu;
class QMenuBar;
class TableCursor;
class TableStore;
class TFormFilter;
class TFormSortier;
class TFormSuchen;
class TFormAuslesen;
struct PortSettings;
namespace collective_report {
class FormatQuestion;
}
namespace device_list {
class FormatQuestion;
class RequestQuestion;
} // namespace device_list
namespace test_labels {
class ChoiceQuestion;
}

// The archive: every tested device in a grid, and the home of imports,
// printouts and exports of the rows.
class TFormArchiv : public QDialog {
    Q_OBJECT
public:
    // Windows created after the archive; handed over once they exist.
    struct Dialogs {
        QDialog* wizard = nullptr;
        QDialog* savePrint = nullptr;
        std::function<QString(const DateQuestion&)> askDate;
        CustomerLookup customerLookup;
        CustomerNumberEntry customerNumberEntry;
        device_list::RequestQuestion* deviceListRequest = nullptr;
        device_list::FormatQuestion* deviceListFormat = nullptr;
        TFormSortier* sort = nullptr;
        TFormFilter* filter = nullptr;
        TFormSuchen* search = nullptr;
        collective_report::FormatQuestion* collectiveFormat = nullptr;
        test_labels::ChoiceQuestion* labelChoice = nullptr;
        TFormAuslesen* memoryReadout = nullptr;
        const PortSettings* portSettings = nullptr;
        QDialog* memoryVersion = nullptr;
        // "Fällige Prüfungen"; the archive number of the device chosen there.
        std::function<std::optional<qint64>()> dueDevices;
    };

    // The archive reads the report for single reports and its transfers, and
    // takes over the memory entries the readout window kept.
    TFormArchiv(ReportSession& state, QList<QByteArray>& readoutHandover, Prompter& prompter,
                TableStore& tables, PrinterSource printers, QWidget* parent = nullptr);
    ~TFormArchiv() override;
    void setDialogs(const Dialogs& dialogs);

    TableCursor& archive() { return *Table1; }

    // Before anything that leaves the row: keep or drop the edits of the row.
    // False when the edits should have been kept but the table refused them.
    bool saveOrDropEdits();

    void deleteRowClick();
    void deleteAllClick();
    void importFilesClick();
    void importMemoryClick();
    void importLegacyClick();
    void singleReportClick(OutputKind kind);
    void deviceListClick(OutputKind kind);
    void collectiveReportClick(OutputKind kind);
    void testLabelsClick(OutputKind kind);
    void exportClick(bool allRows);
    void openRowInWizardClick();
    void newSearchClick();
    void continueSearchClick();
    void filterClick();
    void sortClick();
    void dueDevicesClick();
    // Shows the row with this number, without the filter if it hides the row;
    // a window not shown yet shows it when it opens.
    void goToRow(qint64 number);
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenu();
    // The single report, collective report and list items of one output;
    // their object names start with `prefix`.
    void addPrintItems(QMenu* menu, const char* prefix, OutputKind kind, const QString& ellipsis);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut, const std::function<void()>& action);
    void createGrid();
    void updateMoveItems();
    void updateEditItems();
    void customerColumnEntered();
    void customerLookup();
    // The lookup; a customer taken there goes into the row.
    void pickCustomer();
    void leaveCustomerColumns();
    void customerNumberEntry();
    void takeCustomer(const QString& name, qint64 number);

    ReportSession& state_;
    QList<QByteArray>& readoutHandover_;
    Prompter& prompter_;
    PrinterSource printers_;
    std::unique_ptr<TableCursor> Table1;
    std::unique_ptr<TableCursor> Table3;
    std::unique_ptr<ArchiveTransfers> transfers_;
    std::unique_ptr<ArchiveSearch> search_;
    SortCriteria sortCriteria_;
    Dialogs dialogs_;
    QMenuBar* MainMenu1;
    DataGrid* DBGrid1;
    QAction* firstItem_ = nullptr;
    QAction* priorItem_ = nullptr;
    QAction* nextItem_ = nullptr;
    QAction* lastItem_ = nullptr;
    QAction* editItem_ = nullptr;
    QAction* postItem_ = nullptr;
    QAction* cancelItem_ = nullptr;
    QAction* newSearchItem_ = nullptr;
    QAction* continueSearchItem_ = nullptr;
    QAction* filterItem_ = nullptr;
    QAction* sortItem_ = nullptr;
    // The filter of the archive is set by the filter dialog; it tells imports
    // that their rows may not show.
    bool filterActive_ = false;
    // Cleared while a search marks its finds, so that editing does not open
    // the customer dialogs.
    bool searchIdle_ = true;
    std::optional<qint64> rowOnOpening_;
};
