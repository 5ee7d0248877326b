#include "DueDevices.h"

#include "tables/TableStore.h"

#include <QSqlError>
#include <QSqlQuery>

namespace due_devices {

namespace {

constexpr int kPageForAll = 5000;

const QString kColumns = QStringLiteral(
    "SELECT \"Kundennummer\", \"Auftraggeber\", \"Zaehler\", \"Geraeteart\", \"Hersteller\", "
    "\"Typenbezeichnung\", \"Seriennummer\", \"Termin\" FROM \"zt\" ");
// An empty Termin sorts before every date.
const QString kDueRange = QStringLiteral("\"Termin\" > '' AND \"Termin\" <= :lastDay ");

QString stored(const QDate& date) {
    return date.toString(Qt::ISODate);
}

struct Row {
    std::optional<qint32> customer;
    QString customerName;
    Device device;
};

bool run(TableStore& store, QSqlQuery& query) {
    if (query.exec())
        return true;
    store.reportError(QStringLiteral("zt"), query.lastError());
    return false;
}

// Rows without a customer come first, as the index holds them.
bool readRows(TableStore& store, const Query& due, int limit, const std::optional<Position>& after,
              QList<Row>& rows) {
    const bool afterCustomer = after && after->customer;
    for (const bool withoutCustomer : {true, false}) {
        if (withoutCustomer && afterCustomer)
            continue;
        const int wanted = limit - int(rows.size());
        if (wanted <= 0)
            break;
        QString sql = kColumns + QStringLiteral("WHERE ") + kDueRange;
        if (withoutCustomer) {
            sql += QStringLiteral("AND \"Kundennummer\" IS NULL ");
            if (after)
                sql += QStringLiteral("AND (\"Termin\", \"Zaehler\") > (:termin, :number) ");
            sql += QStringLiteral("ORDER BY \"Termin\", \"Zaehler\" ");
        } else {
            sql += QStringLiteral("AND \"Kundennummer\" IS NOT NULL ");
            if (afterCustomer)
                sql += QStringLiteral("AND (\"Kundennummer\", \"Termin\", \"Zaehler\") > "
                                      "(:customer, :termin, :number) ");
            // Said as the index holds them, or a server sorts every due row.
            sql +=
                QStringLiteral("ORDER BY \"Kundennummer\" NULLS FIRST, \"Termin\", \"Zaehler\" ");
        }
        sql += QStringLiteral("LIMIT %1").arg(wanted);
        QSqlQuery query(store.database());
        query.setForwardOnly(true);
        query.prepare(sql);
        query.bindValue(QStringLiteral(":lastDay"), stored(due.lastDay()));
        if (after && (withoutCustomer || afterCustomer)) {
            query.bindValue(QStringLiteral(":termin"), stored(after->termin));
            query.bindValue(QStringLiteral(":number"), after->number);
            if (afterCustomer)
                query.bindValue(QStringLiteral(":customer"), *after->customer);
        }
        if (!run(store, query))
            return false;
        while (query.next()) {
            Row row;
            if (!query.isNull(0))
                row.customer = qint32(query.value(0).toLongLong());
            row.customerName = query.value(1).toString();
            row.device = {query.value(2).toLongLong(),
                          query.value(3).toString(),
                          query.value(4).toString(),
                          query.value(5).toString(),
                          query.value(6).toString(),
                          QDate::fromString(query.value(7).toString(), Qt::ISODate)};
            rows.append(row);
        }
    }
    return true;
}

std::optional<int> countOf(TableStore& store, const Query& due,
                           const std::optional<qint32>& customer) {
    QSqlQuery query(store.database());
    query.prepare(QStringLiteral("SELECT count(*) FROM \"zt\" WHERE ") + kDueRange +
                  (customer ? QStringLiteral("AND \"Kundennummer\" = :customer")
                            : QStringLiteral("AND \"Kundennummer\" IS NULL")));
    query.bindValue(QStringLiteral(":lastDay"), stored(due.lastDay()));
    if (customer)
        query.bindValue(QStringLiteral(":customer"), *customer);
    if (!run(store, query) || !query.next())
        return std::nullopt;
    return query.value(0).toInt();
}

} // namespace

std::optional<Page> readPage(TableStore& store, const Query& query, int rows,
                             const std::optional<Position>& after) {
    if (!store.isOpen() && !store.open())
        return std::nullopt;
    QList<Row> read;
    // One more than asked tells whether another page follows.
    if (!readRows(store, query, rows + 1, after, read))
        return std::nullopt;
    Page page;
    if (read.size() > rows) {
        read.resize(rows);
        page.next =
            Position{read.last().customer, read.last().device.Termin, read.last().device.number};
    }
    for (const Row& row : std::as_const(read)) {
        if (page.groups.isEmpty() || page.groups.last().customer != row.customer) {
            const auto count = countOf(store, query, row.customer);
            if (!count)
                return std::nullopt;
            page.groups.append({row.customer, row.customerName, *count, {}});
        }
        page.groups.last().devices.append(row.device);
    }
    return page;
}

std::optional<QList<Group>> readAll(TableStore& store, const Query& query) {
    QList<Group> groups;
    std::optional<Position> after;
    do {
        const std::optional<Page> page = readPage(store, query, kPageForAll, after);
        if (!page)
            return std::nullopt;
        for (const Group& group : page->groups)
            if (!groups.isEmpty() && groups.last().customer == group.customer)
                groups.last().devices.append(group.devices);
            else
                groups.append(group);
        after = page->next;
    } while (after);
    return groups;
}

QString groupTitle(const Group& group) {
    if (!group.customer)
        return QStringLiteral("ohne Kunde");
    return QStringLiteral("%1 %2").arg(*group.customer).arg(group.customerName);
}

QString countText(int count) {
    return count == 1 ? QStringLiteral("1 Gerät") : QStringLiteral("%1 Geräte").arg(count);
}

QString overdueTooltip(const QVariant& storedTermin, const QDate& today) {
    const QDate termin = QDate::fromString(storedTermin.toString(), Qt::ISODate);
    if (!termin.isValid() || termin >= today)
        return {};
    return QStringLiteral("Prüfung überfällig seit ") +
           termin.toString(QStringLiteral("dd.MM.yyyy"));
}

QString urgencyText(Urgency urgency) {
    return urgency == Urgency::Overdue ? QStringLiteral("überfällig") : QStringLiteral("fällig");
}

} // namespace due_devices
