#include "TableGridModel.h"

#include "FieldValues.h"
#include "GermanCollation.h"
#include "RowScan.h"

#include <QSqlError>

namespace {
constexpr int kCachedPages = 32;

QString termList(const QList<TableCursor::OrderTerm>& terms) {
    QStringList sql;
    for (const auto& term : terms)
        sql << term.sql;
    return sql.join(QLatin1String(", "));
}
} // namespace

TableGridModel::TableGridModel(TableCursor& cursor, const QStringList& fields, QObject* parent)
    : QAbstractTableModel(parent)
    , cursor_(cursor)
    , open_(cursor.isOpen()) {
    const TableDefinition& def = cursor_.definition();
    if (fields.isEmpty())
        for (int i = 0; i < def.fields.size(); ++i)
            columns_ << i;
    for (const QString& name : fields)
        if (const int index = def.indexOf(name); index >= 0)
            columns_ << index;
    connect(&cursor_, &TableCursor::rowsChanged, this, &TableGridModel::reset);
    // Opening and closing change the rows as a whole, and so do the start and
    // the end of an insert; views must learn of each.
    connect(&cursor_, &TableCursor::stateChanged, this, [this] {
        const bool inserting = cursor_.state() == TableCursor::State::Insert;
        if (cursor_.isOpen() != open_ || inserting != (insertAt_ >= 0)) {
            open_ = cursor_.isOpen();
            reset();
        }
    });
    connect(&cursor_, &TableCursor::dataChanged, this, &TableGridModel::showCursorRow);
}

void TableGridModel::showCursorRow() {
    const int row = currentRow();
    // The row being edited shows each value as it is set.
    if (row >= 0 && !columns_.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
    emit currentRowChanged(row);
}

void TableGridModel::setTitle(const QString& field, const QString& title) {
    if (const int at = column(field); at >= 0)
        titles_.insert(at, title);
}

void TableGridModel::setReadOnlyField(const QString& field) {
    if (const int at = column(field); at >= 0)
        readOnlyColumns_.append(at);
}

int TableGridModel::column(const QString& field) const {
    return int(columns_.indexOf(cursor_.definition().indexOf(field)));
}

void TableGridModel::reset() {
    beginResetModel();
    keysRead_ = false;
    rows_ = 0;
    pageKeys_.clear();
    pages_.clear();
    pageUse_.clear();
    insertAt_ = -1;
    if (cursor_.state() == TableCursor::State::Insert)
        insertAt_ = std::max(storedCursorRow(), 0);
    endResetModel();
}

void TableGridModel::ensurePageKeys() const {
    if (keysRead_ || !cursor_.isOpen())
        return;
    keysRead_ = true;
    const auto& terms = cursor_.orderTerms();
    QString sql =
        QStringLiteral("SELECT %1 FROM %2").arg(termList(terms), quoted(cursor_.tableName()));
    if (!cursor_.filterSql().isEmpty())
        sql += QLatin1String(" WHERE ") + cursor_.filterSql();
    sql += QLatin1String(" ORDER BY ") + termList(terms);
    RowScan scan = scanRows(cursor_.store().database(), sql, cursor_.filterValues(), kPageSize);
    if (!scan.ok()) {
        cursor_.store().reportError(cursor_.tableName(), scan.error);
        return;
    }
    pageKeys_ = std::move(scan.keys);
    rows_ = scan.rows;
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    ensurePageKeys();
    return rows_ + (insertAt_ >= 0 ? 1 : 0);
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QString TableGridModel::fieldName(int column) const {
    return column >= 0 && column < columns_.size()
               ? cursor_.definition().fields[columns_[column]].name
               : QString();
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return titles_.value(section, fieldName(section));
    return section + 1;
}

const QList<TableGridModel::Row>* TableGridModel::page(int number) const {
    ensurePageKeys();
    if (number < 0 || number >= pageKeys_.size())
        return nullptr;
    pageUse_.removeOne(number);
    pageUse_.append(number);
    if (auto found = pages_.constFind(number); found != pages_.constEnd())
        return &found.value();
    const auto& terms = cursor_.orderTerms();
    QStringList marks;
    for (int i = 0; i < terms.size(); ++i)
        marks << QStringLiteral("?");
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE (%3) >= (%4)")
                      .arg(cursor_.selectList(), quoted(cursor_.tableName()), termList(terms),
                           marks.join(QLatin1String(", ")));
    if (!cursor_.filterSql().isEmpty())
        sql += QLatin1String(" AND (") + cursor_.filterSql() + QLatin1Char(')');
    sql += QStringLiteral(" ORDER BY %1 LIMIT %2").arg(termList(terms)).arg(kPageSize);
    RowScan scan =
        scanRows(cursor_.store().database(), sql, pageKeys_[number] + cursor_.filterValues(), 1);
    if (!scan.ok())
        cursor_.store().reportError(cursor_.tableName(), scan.error);
    if (pageUse_.size() > kCachedPages)
        pages_.remove(pageUse_.takeFirst());
    return &pages_.insert(number, scan.keys).value();
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int field = columns_.value(index.column(), -1);
    if (field < 0)
        return {};
    const FieldDefinition& def = cursor_.definition().fields[field];
    const int stored = storedRow(index.row());
    if (stored < 0)
        return cursor_.text(def.name);
    // The row being edited shows what is typed, not what is stored.
    const bool editing = cursor_.state() == TableCursor::State::Edit;
    const QList<Row>* rows = page(stored / kPageSize);
    const int offset = stored % kPageSize;
    if (!rows || offset >= rows->size())
        return {};
    const Row& row = (*rows)[offset];
    if (editing && row.at(0).toLongLong() == cursor_.rowId())
        return cursor_.text(def.name);
    return field_values::toText(def, row.at(field + 1));
}

int TableGridModel::compareKeys(const QVariantList& a, const QVariantList& b) const {
    const auto& terms = cursor_.orderTerms();
    for (int i = 0; i < terms.size(); ++i) {
        const auto& term = terms[i];
        const bool collated = term.field >= 0 &&
                              cursor_.definition().fields[term.field].type == FieldType::Text &&
                              !term.exact;
        int order = 0;
        if (collated)
            order = german_collation::compare(a[i].toString(), b[i].toString());
        else if (a[i].typeId() == QMetaType::QString || b[i].typeId() == QMetaType::QString)
            order = a[i].toString().compare(b[i].toString());
        else
            order = a[i].toLongLong() < b[i].toLongLong()   ? -1
                    : a[i].toLongLong() > b[i].toLongLong() ? 1
                                                            : 0;
        if (order != 0)
            return order;
    }
    return 0;
}

int TableGridModel::storedRow(int row) const {
    if (insertAt_ < 0 || row < insertAt_)
        return row;
    return row == insertAt_ ? -1 : row - 1;
}

int TableGridModel::currentRow() const {
    if (insertAt_ >= 0)
        return insertAt_;
    return storedCursorRow();
}

int TableGridModel::storedCursorRow() const {
    if (cursor_.isEmpty())
        return -1;
    ensurePageKeys();
    const QVariantList key = cursor_.currentOrderKey();
    // The last page whose first key is not above the current key.
    const auto after = std::upper_bound(pageKeys_.begin(), pageKeys_.end(), key,
                                        [this](const QVariantList& k, const QVariantList& first) {
                                            return compareKeys(k, first) < 0;
                                        });
    const int number = int(after - pageKeys_.begin()) - 1;
    const QList<Row>* rows = page(number);
    if (!rows)
        return -1;
    for (int i = 0; i < rows->size(); ++i)
        if ((*rows)[i].at(0).toLongLong() == cursor_.rowId())
            return number * kPageSize + i;
    return -1;
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (readOnly_ || readOnlyColumns_.contains(index.column()))
        return flags;
    if (!autoEdit_) {
        const bool rowEdited =
            index.row() == insertAt_ || (cursor_.state() == TableCursor::State::Edit &&
                                         rowIdAt(index.row()) == cursor_.rowId());
        if (!rowEdited)
            return flags;
    }
    return flags | Qt::ItemIsEditable;
}

std::optional<qint64> TableGridModel::rowIdAt(int gridRow) const {
    const int row = storedRow(gridRow);
    if (row < 0)
        return std::nullopt;
    const QList<Row>* rows = page(row / kPageSize);
    const int offset = row % kPageSize;
    if (!rows || offset >= rows->size())
        return std::nullopt;
    return (*rows)[offset].at(0).toLongLong();
}

bool TableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (index.row() == insertAt_) {
        if (!cursor_.setText(fieldName(index.column()), value.toString()))
            return false;
    } else {
        const auto rowId = rowIdAt(index.row());
        if (!rowId || !cursor_.gotoRowId(*rowId) || !cursor_.edit() ||
            !cursor_.setText(fieldName(index.column()), value.toString()))
            return false;
    }
    emit dataChanged(index, index);
    return true;
}
