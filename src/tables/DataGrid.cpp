#include "DataGrid.h"

#include "TableCursor.h"
#include "TableGridModel.h"

#include <QHeaderView>

DataGrid::DataGrid(TableCursor& cursor, const QStringList& fields, QWidget* parent)
    : QTableView(parent)
    , cursor_(cursor)
    , model_(new TableGridModel(cursor, fields, this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { emit titleClicked(model_->fieldName(column)); });
    connect(model_, &TableGridModel::currentRowChanged, this, &DataGrid::selectCursorRow);
    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::selectCursorRow);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { moveCursorTo(current.row()); });
}

void DataGrid::setReadOnly(bool readOnly) {
    model_->setReadOnly(readOnly);
    setEditTriggers(readOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
}

void DataGrid::selectCursorRow() {
    if (following_)
        return;
    const int row = model_->currentRow();
    following_ = true;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        selectionModel()->setCurrentIndex(model_->index(row, column),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
        scrollTo(model_->index(row, column));
    }
    following_ = false;
}

void DataGrid::moveCursorTo(int row) {
    if (following_ || row < 0)
        return;
    following_ = true;
    if (const auto rowId = model_->rowIdAt(row))
        cursor_.gotoRowId(*rowId);
    following_ = false;
}
