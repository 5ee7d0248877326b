#pragma once

#include "TableCursor.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QTimer>

#include <functional>
#include <optional>

// The rows of a cursor for a grid: same order, same filter. Only the pages on
// screen are read, each by one key-range query from the first key of its
// page, so a page deep down costs what the first one costs. A reset costs a
// count and the first page; the first key of every page is collected
// afterwards, in chunks while the window is idle (or at once as far as a
// jump needs it). Booleans read "ja"/"nein", dates dd.mm.yyyy. Editing a
// cell edits the cursor's row in place; a row being inserted shows before the
// row the cursor stood on.
class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageSize = 64;

    // fields: the columns shown, by name; empty shows every field.
    explicit TableGridModel(TableCursor& cursor, const QStringList& fields = {},
                            QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The grid row of the cursor's current row (the row being inserted while
    // inserting); -1 when there is none.
    int currentRow() const;
    // The field shown in a column.
    QString fieldName(int column) const;
    // The row id of a grid row; nothing beyond the last row nor for the row
    // being inserted.
    std::optional<qint64> rowIdAt(int row) const;
    // A read-only grid offers no cell for editing.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // A column title other than the field name.
    void setTitle(const QString& field, const QString& title);
    void setReadOnlyField(const QString& field);
    // Off: only the row the cursor edits or inserts offers cells for editing,
    // so an edit never starts from the grid.
    void setAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    // Keys read per step of the collection (a multiple of kPageSize); the
    // default is a few milliseconds' work.
    void setKeysPerScanStep(int rows) { keysPerStep_ = std::max(rows / kPageSize, 1) * kPageSize; }
    // Whether every page's first key is known (scrolling anywhere is then one query).
    bool keysCollected() const { return scanDone_; }

    // Marks rows by one stored field: a background and a tooltip for the rows
    // whose tooltip is not empty.
    struct RowMark {
        QString field;
        std::function<QString(const QVariant& stored)> tooltip;
        // A QColor; the core knows no colours.
        QVariant background;
    };
    void setRowMark(RowMark mark);

signals:
    void currentRowChanged(int row);

private:
    using Row = QVariantList; // row id, then the stored values
    void reset();
    void showCursorRow();
    // The row among the stored ones, or -1 for the row being inserted.
    int storedRow(int row) const;
    int storedCursorRow() const;
    // The stored row of the cursor's row among that page's rows, or -1.
    int rowInPage(int number) const;
    // How far the cursor's row stands before the last row, if among the last page's worth; or -1.
    int rowFromEnd() const;
    int column(const QString& field) const;
    // " FROM table WHERE filter AND condition" for the model's reads.
    QString fromWhere(const QString& condition) const;
    void ensureCount() const;
    // Collects page keys until the scan has passed that many rows (or the end).
    void scanKeys(int rows) const;
    void scanInBackground();
    const QList<Row>* page(int number) const;
    int compareKeys(const QVariantList& a, const QVariantList& b) const;
    // The mark's background or tooltip of a grid row.
    QVariant markOf(int row, int role) const;

    TableCursor& cursor_;
    QList<int> columns_;
    QHash<int, QString> titles_;
    QList<int> readOnlyColumns_;
    bool readOnly_ = false;
    bool autoEdit_ = true;
    std::optional<RowMark> rowMark_;
    int rowMarkField_ = -1;
    // Where the row being inserted shows; -1 when none is.
    int insertAt_ = -1;
    bool open_;
    mutable bool counted_ = false;
    mutable int rows_ = 0;
    // The number of all rows, and the store's change stamp when it was counted.
    mutable std::optional<std::pair<std::pair<qint64, qint64>, int>> allRowsCount_;
    // The order key of the first row of every page scanned so far.
    mutable QList<QVariantList> pageKeys_;
    // How far the scan has come: rows passed and the key of the last one.
    mutable int scanned_ = 0;
    mutable QVariantList lastScanned_;
    mutable bool scanDone_ = false;
    QTimer scanTimer_;
    int keysPerStep_ = 32768;
    mutable QHash<int, QList<Row>> pages_;
    mutable QList<int> pageUse_;
};
