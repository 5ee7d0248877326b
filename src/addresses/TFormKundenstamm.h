#pragma once

#include <QDialog>

#include <memory>

class DataGrid;
class Prompter;
class QKeyEvent;
class TableCursor;
class TableStore;

// The customers' address book: a grid over every customer (never the
// contractor) in which they are inserted, edited, deleted and sorted.
class TFormKundenstamm : public QDialog {
    Q_OBJECT
public:
    TFormKundenstamm(TableStore& tables, Prompter& prompter, QWidget* parent = nullptr);
    ~TFormKundenstamm() override;

    void Button1Click();
    void Button2Click();
    void DBGrid4TitleClick(const QString& field);
    // Every way out asks about a row still being edited; a post the table
    // refuses keeps the window open, so nothing typed is lost.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was one of the grid's function keys.
    bool DBGrid4KeyDown(const QKeyEvent& key);

    Prompter& prompter_;
    std::unique_ptr<TableCursor> Table4;
    DataGrid* DBGrid4;
    // Found before the row is inserted, written into it right after.
    qint64 newNumber_ = 0;
};
