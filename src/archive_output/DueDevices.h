#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class TableStore;

// The devices whose next test (Termin) has passed or comes within some days,
// across all customers: customer by customer in number order, each one's
// devices in the order of their next test. Read a page at a time, so the
// first rows show at once however large the archive.
namespace due_devices {

enum class Urgency { Overdue, DueSoon };

struct Device {
    qint64 number = 0;
    QString Geraeteart;
    QString Hersteller;
    QString Typenbezeichnung;
    QString Seriennummer;
    QDate Termin;
};

struct Group {
    // Rows from the tester have no customer.
    std::optional<qint32> customer;
    QString customerName;
    // Every due device of the customer, also those on other pages.
    int count = 0;
    QList<Device> devices;
};

struct Query {
    QDate today;
    int days = 30;

    QDate lastDay() const { return today.addDays(days); }
    // Due today is not yet overdue.
    Urgency urgencyOf(const QDate& termin) const {
        return termin < today ? Urgency::Overdue : Urgency::DueSoon;
    }
};

// The last device of a page; the next page starts after it.
struct Position {
    std::optional<qint32> customer;
    QDate termin;
    qint64 number = 0;
};

struct Page {
    QList<Group> groups;
    // Nothing after the last page.
    std::optional<Position> next;
};

// Up to `rows` devices after `after`, or from the first. Nothing when the
// database failed; the store has told the user.
std::optional<Page> readPage(TableStore& store, const Query& query, int rows,
                             const std::optional<Position>& after = std::nullopt);
// Every due device, a customer's devices in one group.
std::optional<QList<Group>> readAll(TableStore& store, const Query& query);

// "4711 Müller GmbH" or "ohne Kunde".
QString groupTitle(const Group& group);
// "1 Gerät", "12 Geräte".
QString countText(int count);
// "Prüfung überfällig seit TT.MM.JJJJ" for a stored Termin before today;
// empty for any other.
QString overdueTooltip(const QVariant& storedTermin, const QDate& today);
// "überfällig" or "fällig".
QString urgencyText(Urgency urgency);

} // namespace due_devices
