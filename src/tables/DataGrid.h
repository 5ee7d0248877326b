#pragma once

#include <QTableView>

class TableCursor;
class TableGridModel;

// A grid bound to a cursor: choosing a row moves the cursor there, and every
// move of the cursor selects its row.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    // fields: the columns shown, by name.
    DataGrid(TableCursor& cursor, const QStringList& fields, QWidget* parent = nullptr);

    TableGridModel& gridModel() { return *model_; }
    void setReadOnly(bool readOnly);

signals:
    // A column title was clicked; the field shown in that column.
    void titleClicked(const QString& field);

private:
    void selectCursorRow();
    void moveCursorTo(int row);

    TableCursor& cursor_;
    TableGridModel* model_;
    bool following_ = false;
};
