#pragma once

#include "CustomerChoice.h"

#include <QDialog>

class DataGrid;
class QLineEdit;
class TableCursor;
class TableStore;

// Lets another window pick a customer: a read-only list of the customers with
// the highlighted one's address beside it. The contractor is never offered.
class TFormEingabeHilfe : public QDialog {
    Q_OBJECT
public:
    explicit TFormEingabeHilfe(TableStore& tables, QWidget* parent = nullptr);
    ~TFormEingabeHilfe() override;

    // Shows the lookup modally: the customer taken, nothing after "&Abbruch".
    std::optional<CustomerChoice> choose();

    void ButtonWeiterClick();
    void ButtonAbbruchClick();
    void DBGrid2TitleClick(const QString& field);
    // Any way out but the two buttons counts as "&Abbruch".
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCustomer();

    std::optional<CustomerChoice> chosen_;
    std::unique_ptr<TableCursor> Table2;
    DataGrid* DBGrid2;
    QList<std::pair<QString, QLineEdit*>> fieldEdits_;
};
