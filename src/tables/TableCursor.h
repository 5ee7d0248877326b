#pragma once

#include "FilterExpression.h"
#include "SqlStatement.h"
#include "TableStore.h"

#include <QHash>
#include <QObject>
#include <QSqlQuery>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

struct LocateOptions {
    bool partialKey = false;      // the field's text begins with the value
    bool caseInsensitive = false; // letters compared with German folding
};

// One view on a table with its own position, index order, filter and editing
// state; several cursors may look at the same table. Rows are visited in the
// current index's order (the key order without an index); every step is one
// keyset query, so a million rows move as fast as ten.
class TableCursor : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    // A part of the row order: a field (or -1 for the row id) and its SQL.
    struct OrderTerm {
        int field;
        QString sql;
        bool exact = false;    // a text compared letter by letter
        bool nullable = false; // may hold no value (NULL), sorted first
    };

    TableCursor(TableStore& store, const QString& table, QObject* parent = nullptr);
    ~TableCursor() override;

    const TableDefinition& definition() const { return definition_; }
    TableStore& store() { return store_; }
    const QString& tableName() const { return definition_.name; }

    bool open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    bool exclusive() const { return exclusive_; }
    // Only while closed.
    bool setExclusive(bool exclusive);

    QStringList indexNames();
    bool addIndex(const QString& name, const QString& fields, bool caseInsensitive = true);
    bool deleteIndex(const QString& name);
    QString indexName() const { return indexName_; }
    // An empty name is the key order.
    bool setIndexName(const QString& name);

    bool first();
    bool last();
    bool next();
    bool prior();
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty() const { return !hasRow_; }
    State state() const { return state_; }

    bool edit();
    bool post();
    void cancel();
    bool deleteRow();
    bool insert();
    // Values in field order (fewer fill the leading fields): texts as typed,
    // numbers and booleans as such. Stored at once, or not at all.
    bool insertRecord(const QVariantList& values);
    // The field numbers new rows: when another PC took a new row's number
    // since it was given, the post stores the row under the next free one.
    void keepNumbersUnique(const QString& field) { numberField_ = this->field(field); }
    bool emptyTable();
    // Sets one field in every row that passes the filter, in one statement;
    // no events are raised. The number of rows changed, or -1.
    int setValueInFilteredRows(const QString& field, const QVariant& value);
    // The same for every row, filter or not; the number of rows that changed.
    int setValueInAllRows(const QString& field, const QVariant& value);
    // The same for the current row alone: a mark on the row, not an edit of it.
    bool setValueInCurrentRow(const QString& field, const QVariant& value);

    QString text(const QString& field) const;
    qint64 integer(const QString& field) const;
    bool boolean(const QString& field) const;
    // Only while editing or inserting; a text longer than the field is cut.
    bool setText(const QString& field, const QString& text);
    bool setInteger(const QString& field, qint64 value);
    bool setBoolean(const QString& field, bool value);
    bool setValue(const QString& field, const QVariant& value);

    QString filter() const { return filterText_; }
    bool setFilter(const QString& text);
    bool filtered() const { return filtered_; }
    bool setFiltered(bool filtered);
    bool findFirst();
    bool findNext();
    bool refresh();
    // Moves to the row with this id when it passes the filter.
    bool gotoRowId(qint64 rowId);
    // fields joined by ";", one value each.
    bool locate(const QString& fields, const QVariantList& values, LocateOptions options = {});

    // What the grid model needs to read the rows in the same order.
    qint64 rowId() const { return rowId_; }
    const QList<OrderTerm>& orderTerms() const { return order_; }
    QVariantList orderKey(const QVariantList& row) const;
    // The terms for "ORDER BY", empty numbers first as the keysets expect.
    QString orderBy(bool descending = false) const;
    QVariantList currentOrderKey() const;
    // "SELECT columns FROM table WHERE filter ORDER BY order": every row of
    // the view in its order; bind filterValues() to it.
    QString viewSql(const QString& columns) const;
    // The active filter's condition and values; empty when all rows pass.
    QString filterSql() const;
    QVariantList filterValues() const;
    const QString& selectList() const { return selectList_; }
    // The stored values of the current row as the grid reads them (row id first).
    QVariantList currentRow() const;

    std::function<void(TableCursor&)> beforeInsert;
    std::function<void(TableCursor&)> afterInsert;
    std::function<void(TableCursor&)> afterEdit;
    std::function<void(TableCursor&)> beforePost;

signals:
    // The current row, or its values, changed.
    void dataChanged();
    void stateChanged();
    // Rows were written or removed, or order or filter changed.
    void rowsChanged();
    // Stored values changed in place; which rows show, and where, did not.
    void valuesChanged();
    // A post begins: views still holding typed text hand it over now.
    void updatingRecord();

private:
    int field(const QString& name) const;
    const QVariantList& visibleRow() const;
    bool requireOpen();
    bool checkBrowseMode();
    bool loadOrder();
    QSqlQuery* prepared(const QString& sql);
    // Moves to the first row in order (or the last, descending) that meets
    // the active filter and the extra condition; false (staying) if none.
    bool fetch(const QString& condition, const QVariantList& values, bool descending);
    bool seek(bool forward, const QVariantList& key, const QString& condition = {},
              const QVariantList& values = {});
    void moveNear(const QVariantList& key);
    void setEmpty();
    void setState(State state);
    bool writeBuffer();
    bool claimFreeNumber();
    // After a post refused because another PC changed or removed the row.
    void reloadChangedElsewhere();
    std::optional<QVariant> storedValue(const FieldDefinition& def, const QVariant& value) const;
    int updateField(const QString& name, const QVariant& value, const QString& condition,
                    const QVariantList& conditionValues, bool differingOnly = false);
    void failed(const QSqlQuery& query);

    TableStore& store_;
    const TableDefinition& definition_;
    State state_ = State::Inactive;
    bool exclusive_ = false;
    bool holdsExclusive_ = false;
    QString indexName_;
    QList<OrderTerm> order_;
    // SQL pieces of the order, made once per index change.
    QString selectList_;
    QString orderAscending_;
    QString orderDescending_;
    QString filterText_;
    CompiledFilter filter_;
    bool filtered_ = false;
    bool hasRow_ = false;
    bool bof_ = true;
    bool eof_ = true;
    qint64 rowId_ = 0;
    QVariantList row_;
    QVariantList buffer_;
    bool changedElsewhere_ = false;
    int numberField_ = -1;
    QHash<QString, QSqlQuery> statements_;
    // The reads, straight through the engine: each step is one of them.
    QHash<QString, std::shared_ptr<SqlStatement>> reads_;
    SqlStatement* preparedRead(const QString& sql);
    void clearStatements();
};

// With the table closed and opened exclusively, adds each (name, fields)
// index that is missing (case-insensitive), then selects the index given and
// opens the table shared again.
bool ensureIndexes(TableCursor& cursor, const QList<std::pair<QString, QString>>& indexes,
                   const QString& select);

// Drops and adds the named index (fields joined by ";", case-insensitive) with
// the table opened exclusively, so an output gets its own order; then selects
// it and opens the table shared again.
bool rebuildIndex(TableCursor& cursor, const QString& name, const QString& fields);
