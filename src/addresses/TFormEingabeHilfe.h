#pragma once

#include <QDialog>

struct AppState;
class DataGrid;
class QLineEdit;
class TableCursor;
class TableStore;

// Lets another window pick a customer: a read-only list of the customers with
// the highlighted one's address beside it. The contractor is never offered.
class TFormEingabeHilfe : public QDialog {
    Q_OBJECT
public:
    TFormEingabeHilfe(AppState& state, TableStore& tables, QWidget* parent = nullptr);
    ~TFormEingabeHilfe() override;

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

    AppState& state_;
    std::unique_ptr<TableCursor> Table2;
    DataGrid* DBGrid2;
    QList<std::pair<QString, QLineEdit*>> fieldEdits_;
};
