#include "TableGridModel.h"

#include "FieldValues.h"
#include "GermanCollation.h"
#include "Keyset.h"
#include "RowScan.h"

#include <QSqlDriver>
#include <QSqlError>

namespace {
constexpr int kCachedPages = 32;
constexpr int kFirstScanDelayMs = 50;

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
    connect(&cursor_, &TableCursor::valuesChanged, this, [this] {
        pages_.clear();
        pageUse_.clear();
        if (counted_ && rows_ > 0 && !columns_.isEmpty())
            emit dataChanged(index(0, 0), index(rows_ - 1, int(columns_.size()) - 1));
    });
    scanTimer_.setSingleShot(true);
    connect(&scanTimer_, &QTimer::timeout, this, &TableGridModel::scanInBackground);
    // Another PC's writes on a shared server arrive as a notification: the
    // rows are read again, unless a row is being typed into here.
    if (cursor_.store().onServer())
        connect(
            cursor_.store().database().driver(), &QSqlDriver::notification, this,
            [this](const QString&, QSqlDriver::NotificationSource source, const QVariant& table) {
                if (source == QSqlDriver::OtherSource && table.toString() == cursor_.tableName() &&
                    cursor_.state() == TableCursor::State::Browse)
                    cursor_.refresh();
            });
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
    counted_ = false;
    rows_ = 0;
    pageKeys_.clear();
    scanDone_ = false;
    pages_.clear();
    pageUse_.clear();
    insertAt_ = -1;
    if (cursor_.state() == TableCursor::State::Insert)
        insertAt_ = std::max(storedCursorRow(), 0);
    endResetModel();
    // The window paints the first page before the keys are collected.
    if (cursor_.isOpen())
        scanTimer_.start(kFirstScanDelayMs);
}

QString TableGridModel::fromWhere(const QString& condition) const {
    QString sql = QLatin1String(" FROM ") + quoted(cursor_.tableName());
    QStringList conditions;
    if (!cursor_.filterSql().isEmpty())
        conditions << QLatin1Char('(') + cursor_.filterSql() + QLatin1Char(')');
    if (!condition.isEmpty())
        conditions << condition;
    if (!conditions.isEmpty())
        sql += QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND "));
    return sql;
}

void TableGridModel::ensureCount() const {
    if (counted_ || !cursor_.isOpen())
        return;
    counted_ = true;
    // Clearing a filter or choosing another order leaves the number of all
    // rows as it was, as long as nothing was written meanwhile.
    const bool allRows = cursor_.filterSql().isEmpty();
    const auto stamp = cursor_.store().changeStamp();
    if (allRows && allRowsCount_ && allRowsCount_->first == stamp) {
        rows_ = allRowsCount_->second;
        return;
    }
    RowScan scan = scanRows(cursor_.store(), QLatin1String("SELECT count(*)") + fromWhere({}),
                            cursor_.filterValues(), 1);
    if (!scan.ok() || scan.keys.isEmpty()) {
        cursor_.store().reportError(cursor_.tableName(), scan.error);
        return;
    }
    rows_ = scan.keys.first().first().toInt();
    if (allRows)
        allRowsCount_ = {stamp, rows_};
}

void TableGridModel::scanKeys(int rows) const {
    if (!cursor_.isOpen())
        return;
    while (!scanDone_ && qint64(pageKeys_.size()) * kPageSize < rows) {
        // Each step starts at the first row of the last page known, so every
        // kPageSize-th row it reads is the first of a page.
        const bool resume = !pageKeys_.isEmpty();
        const int limit = keysPerStep_ + (resume ? 1 : 0);
        const QString terms = termList(cursor_.orderTerms());
        const KeysetCondition from =
            resume ? keysetCondition(cursor_.orderTerms(), pageKeys_.last(), KeyComparison::FromOn)
                   : KeysetCondition{};
        const QString sql =
            QStringLiteral("SELECT %1").arg(terms) + fromWhere(from.sql) +
            QStringLiteral(" ORDER BY %1 LIMIT %2").arg(cursor_.orderBy()).arg(limit);
        const QVariantList values = cursor_.filterValues() + from.values;
        RowScan scan = scanRows(cursor_.store(), sql, values, kPageSize);
        if (!scan.ok()) {
            scanDone_ = true;
            cursor_.store().reportError(cursor_.tableName(), scan.error);
            return;
        }
        pageKeys_.append(scan.keys.mid(resume ? 1 : 0));
        scanDone_ = scan.rows < limit;
    }
}

void TableGridModel::scanInBackground() {
    scanKeys(int(pageKeys_.size() + keysPerStep_ / kPageSize) * kPageSize);
    if (!scanDone_ && cursor_.isOpen())
        scanTimer_.start(0);
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    ensureCount();
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
    ensureCount();
    if (number < 0 || qint64(number) * kPageSize >= rows_)
        return nullptr;
    pageUse_.removeOne(number);
    pageUse_.append(number);
    if (auto found = pages_.constFind(number); found != pages_.constEnd())
        return &found.value();
    // The first page needs no key.
    if (number > 0)
        scanKeys((number + 1) * kPageSize);
    if (number > 0 && number >= pageKeys_.size())
        return nullptr;
    const auto& terms = cursor_.orderTerms();
    const KeysetCondition from =
        number > 0 ? keysetCondition(terms, pageKeys_[number], KeyComparison::FromOn)
                   : KeysetCondition{};
    const QString sql =
        QLatin1String("SELECT ") + cursor_.selectList() + fromWhere(from.sql) +
        QStringLiteral(" ORDER BY %1 LIMIT %2").arg(cursor_.orderBy()).arg(kPageSize);
    const QVariantList values = cursor_.filterValues() + from.values;
    RowScan scan = scanRows(cursor_.store(), sql, values, 1);
    if (!scan.ok())
        cursor_.store().reportError(cursor_.tableName(), scan.error);
    if (pageUse_.size() > kCachedPages)
        pages_.remove(pageUse_.takeFirst());
    return &pages_.insert(number, scan.keys).value();
}

void TableGridModel::setRowMark(RowMark mark) {
    rowMarkField_ = cursor_.definition().indexOf(mark.field);
    rowMark_ = std::move(mark);
}

QVariant TableGridModel::markOf(int row, int role) const {
    const int stored = storedRow(row);
    if (!rowMark_ || rowMarkField_ < 0 || stored < 0)
        return {};
    const QList<Row>* rows = page(stored / kPageSize);
    const int offset = stored % kPageSize;
    if (!rows || offset >= rows->size())
        return {};
    const QString tooltip = rowMark_->tooltip((*rows)[offset].at(rowMarkField_ + 1));
    if (tooltip.isEmpty())
        return {};
    return role == Qt::ToolTipRole ? QVariant(tooltip) : QVariant(rowMark_->background);
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (index.isValid() && (role == Qt::BackgroundRole || role == Qt::ToolTipRole))
        return markOf(index.row(), role);
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
        if (!a[i].isValid() || !b[i].isValid())
            order = int(a[i].isValid()) - int(b[i].isValid()); // no value comes first
        else if (collated)
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
    if (cursor_.isEmpty() || !cursor_.isOpen())
        return -1;
    ensureCount();
    // The ends are found without collecting keys: the first page, and the
    // last rows read backwards.
    if (const int atStart = rowInPage(0); atStart >= 0)
        return atStart;
    if (const int fromEnd = rowFromEnd(); fromEnd >= 0)
        return rows_ - 1 - fromEnd;
    const QVariantList key = cursor_.currentOrderKey();
    // Pages before the last one known are whole; beyond it the scan goes on.
    while (!scanDone_ && (pageKeys_.isEmpty() || compareKeys(key, pageKeys_.last()) >= 0))
        scanKeys(int(pageKeys_.size() + keysPerStep_ / kPageSize) * kPageSize);
    // The last page whose first key is not above the current key.
    const auto after = std::upper_bound(pageKeys_.begin(), pageKeys_.end(), key,
                                        [this](const QVariantList& k, const QVariantList& first) {
                                            return compareKeys(k, first) < 0;
                                        });
    return rowInPage(std::max(int(after - pageKeys_.begin()) - 1, 0));
}

int TableGridModel::rowInPage(int number) const {
    const QList<Row>* rows = page(number);
    if (!rows)
        return -1;
    for (int i = 0; i < rows->size(); ++i)
        if ((*rows)[i].at(0).toLongLong() == cursor_.rowId())
            return number * kPageSize + i;
    return -1;
}

int TableGridModel::rowFromEnd() const {
    const RowScan scan = scanRows(
        cursor_.store(),
        QLatin1String("SELECT rowid") + fromWhere({}) +
            QStringLiteral(" ORDER BY %1 LIMIT %2").arg(cursor_.orderBy(true)).arg(kPageSize),
        cursor_.filterValues(), 1);
    for (int i = 0; i < scan.keys.size(); ++i)
        if (scan.keys[i].at(0).toLongLong() == cursor_.rowId())
            return i;
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
