#pragma once

#include <QHash>
#include <QPointer>
#include <QTableView>

class TableCursor;
class TableGridModel;

// A grid bound to a cursor: choosing a row moves the cursor there, and every
// move of the cursor selects its row. A cell editor takes no more characters
// than its field holds, hands its text over before the cursor posts, and is
// dropped when the cursor cancels.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    // fields: the columns shown, by name.
    DataGrid(TableCursor& cursor, const QStringList& fields, QWidget* parent = nullptr);

    TableGridModel& gridModel() { return *model_; }
    void setReadOnly(bool readOnly);
    // Where a column's title and its cells sit; titles are centred and cells
    // left-aligned unless set here.
    void setAlignment(const QString& field, Qt::Alignment title, Qt::Alignment cells);
    // The cell editor open now, if any.
    QWidget* cellEditor() const { return state() == EditingState ? editor_.data() : nullptr; }

signals:
    // A column title was clicked; the field shown in that column.
    void titleClicked(const QString& field);

private:
    friend class FieldEditorDelegate;
    friend class GridTitles;
    void selectCursorRow();
    void moveCursorTo(int row);
    void commitCellEditor();
    void dropCellEditor();

    TableCursor& cursor_;
    TableGridModel* model_;
    QPointer<QWidget> editor_;
    QHash<int, Qt::Alignment> titleAlignments_;
    QHash<int, Qt::Alignment> cellAlignments_;
    bool following_ = false;
};
