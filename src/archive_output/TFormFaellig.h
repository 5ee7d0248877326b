#pragma once

#include "DueDevices.h"
#include "print/PrintOutput.h"

#include <QDialog>

#include <functional>
#include <optional>

class Prompter;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TableStore;

// "Fällige Prüfungen": the devices overdue or due within some days across all
// customers, grouped by customer; more rows are read as the list scrolls.
class TFormFaellig : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRowsPerRead = 200;

    TFormFaellig(Prompter& prompter, TableStore& tables, PrinterSource printers,
                 QWidget* parent = nullptr);
    // The day the window counts from; today unless a test says otherwise.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    // Shows the window; the archive number of the device double-clicked,
    // nothing when it was closed.
    std::optional<qint64> chooseRow();

    void reload();
    void printClick(OutputKind kind);

private:
    void readMore();
    void addGroup(const due_devices::Group& group);

    Prompter& prompter_;
    TableStore& tables_;
    PrinterSource printers_;
    std::function<QDate()> today_;
    QSpinBox* Tage;
    QTreeWidget* Liste;
    due_devices::Query query_;
    std::optional<due_devices::Position> next_;
    std::optional<qint64> chosen_;
};
