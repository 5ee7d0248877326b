#include "DataGrid.h"

#include "TableCursor.h"
#include "TableGridModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

class FieldEditorDelegate : public QStyledItemDelegate {
public:
    FieldEditorDelegate(DataGrid& grid, TableCursor& cursor)
        : QStyledItemDelegate(&grid)
        , grid_(grid)
        , cursor_(cursor) {}

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const auto set = grid_.cellAlignments_.find(index.column());
            set != grid_.cellAlignments_.end())
            option->displayAlignment = *set;
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const TableDefinition& def = cursor_.definition();
        const int field = def.indexOf(grid_.model_->fieldName(index.column()));
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && field >= 0)
            if (const int size = def.fields[field].size; size > 0)
                line->setMaxLength(size);
        grid_.editor_ = editor;
        return editor;
    }

private:
    DataGrid& grid_;
    TableCursor& cursor_;
};

// Column titles, each placed as its grid asks.
class GridTitles : public QHeaderView {
public:
    explicit GridTitles(DataGrid& grid)
        : QHeaderView(Qt::Horizontal, &grid)
        , grid_(grid) {}

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int section) const override {
        QHeaderView::initStyleOptionForIndex(option, section);
        if (const auto set = grid_.titleAlignments_.find(section);
            set != grid_.titleAlignments_.end())
            option->textAlignment = *set;
    }

private:
    DataGrid& grid_;
};

DataGrid::DataGrid(TableCursor& cursor, const QStringList& fields, QWidget* parent)
    : QTableView(parent)
    , cursor_(cursor)
    , model_(new TableGridModel(cursor, fields, this)) {
    setHorizontalHeader(new GridTitles(*this));
    setModel(model_);
    setItemDelegate(new FieldEditorDelegate(*this, cursor_));
    setReadOnly(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    // Whole rows are selected; bold titles over every column would say nothing.
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { emit titleClicked(model_->fieldName(column)); });
    connect(model_, &TableGridModel::currentRowChanged, this, &DataGrid::selectCursorRow);
    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::selectCursorRow);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { moveCursorTo(current.row()); });
    connect(&cursor_, &TableCursor::updatingRecord, this, &DataGrid::commitCellEditor);
    connect(&cursor_, &TableCursor::stateChanged, this, [this] {
        if (cursor_.state() != TableCursor::State::Edit &&
            cursor_.state() != TableCursor::State::Insert)
            dropCellEditor();
    });
}

void DataGrid::commitCellEditor() {
    if (QWidget* editor = cellEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataGrid::dropCellEditor() {
    if (QWidget* editor = cellEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void DataGrid::setReadOnly(bool readOnly) {
    model_->setReadOnly(readOnly);
    setEditTriggers(readOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
}

void DataGrid::setAlignment(const QString& field, Qt::Alignment title, Qt::Alignment cells) {
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (model_->fieldName(column) == field) {
            titleAlignments_[column] = title;
            cellAlignments_[column] = cells;
        }
    }
    viewport()->update();
    horizontalHeader()->viewport()->update();
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
    // Leaving an edited row posts it, and the rows are read anew: the grid
    // then shows where the cursor went.
    if (currentIndex().row() != model_->currentRow())
        selectCursorRow();
}
