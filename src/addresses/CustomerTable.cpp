#include "CustomerTable.h"

#include "common/Prompter.h"
#include "report/ReportState.h"
#include "tables/TableCursor.h"

namespace customer_table {
namespace {
const QString kStandard = QStringLiteral("Standard");
const QString kNumber = QStringLiteral("Kundennummer");
const QString kName = QStringLiteral("Auftraggeber");
const QString kStreet = QStringLiteral("AuftraggeberStrasse");
const QString kPlace = QStringLiteral("AuftraggeberOrt");
const QString kNameCopy = QStringLiteral("KopieAuftraggeber");
} // namespace

bool ensureIndexes(TableCursor& customers, bool withNameIndex) {
    QList<std::pair<QString, QString>> indexes{{kStandard, kNumber}};
    if (withNameIndex)
        indexes.append({QStringLiteral("Kunde"), kName});
    return ::ensureIndexes(customers, indexes, kStandard);
}

qint64 newCustomerNumber(TableCursor& customers) {
    const QString previous = customers.indexName();
    customers.setIndexName(kStandard);
    const qint64 last = customers.last() ? customers.integer(kNumber) : 0;
    customers.setIndexName(previous);
    customers.first();
    return last + 1;
}

std::optional<ContractorAddress> readContractor(TableCursor& customers) {
    customers.setIndexName(kStandard);
    if (!customers.first() || customers.integer(kNumber) != 0)
        return std::nullopt;
    return ContractorAddress{customers.text(kName), customers.text(kStreet),
                             customers.text(kPlace)};
}

bool writeContractor(TableCursor& customers, const ContractorAddress& address) {
    const bool exists = readContractor(customers).has_value();
    if (!(exists ? customers.edit() : customers.insert()))
        return false;
    customers.setInteger(kNumber, 0);
    customers.setText(kName, address.name);
    customers.setText(kStreet, address.street);
    customers.setText(kPlace, address.place);
    return customers.post();
}

void beforePost(TableCursor& customers, Prompter& prompter) {
    for (const char* field : {"Auftraggeber", "AuftraggeberStrasse", "AuftraggeberOrt",
                              "Ansprechpartner", "Telefon", "Fax", "Bemerkungen"})
        customers.setText(QLatin1String(field), customers.text(QLatin1String(field)).trimmed());
    const QString name = customers.text(kName);
    if (customers.state() == TableCursor::State::Insert) {
        customers.setText(kNameCopy, name);
        return;
    }
    if (name == customers.text(kNameCopy))
        return;
    customers.setText(kNameCopy, name);
    prompter.message(QStringLiteral("Die Namensänderung des Auftraggebers  wird in der "
                                    "Protokoll-Datenbank berücksichtigt. Je nach Größe der "
                                    "Datenbank kann dies etwas Zeit in Anspruch nehmen."),
                     QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
    TableCursor archive(customers.store(), QStringLiteral("zt"));
    if (!archive.open())
        return;
    archive.setFilter(kNumber + QLatin1Char('=') + QString::number(customers.integer(kNumber)));
    archive.setFiltered(true);
    // Part of the customer's post, so a failure here rolls back the customer
    // row as well. One statement: the archive cursor has no events of its own.
    if (archive.setValueInFilteredRows(kName, name) < 0)
        customers.store().failTransaction();
    archive.setFilter(QString());
    archive.close();
}

bool isUsedInArchive(TableStore& store, qint64 number) {
    TableCursor archive(store, QStringLiteral("zt"));
    return archive.open() && archive.locate(kNumber, {number});
}

bool deleteCustomer(TableCursor& customers, Prompter& prompter) {
    if (customers.isEmpty())
        return false;
    if (isUsedInArchive(customers.store(), customers.integer(kNumber))) {
        prompter.message(QStringLiteral("Der Auftraggeber wird noch im Archiv verwendet und kann "
                                        "nicht gelöscht werden."),
                         QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        return false;
    }
    if (prompter.message(QStringLiteral("Aktuellen Kunden wirklich löschen ?"),
                         QStringLiteral("Sicherheitsabfrage"),
                         Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return false;
    return customers.deleteRow();
}

bool findByNumber(TableCursor& customers, qint64 number) {
    return customers.locate(kNumber, {number});
}

bool findByName(TableCursor& customers, const QString& name) {
    return customers.locate(kName, {name});
}

bool loadContractorLines(TableStore& store, ReportState& report) {
    TableCursor table1(store, QStringLiteral("kunden"));
    if (!ensureIndexes(table1, false))
        return false;
    table1.first();
    if (table1.isEmpty() || table1.integer(kNumber) != 0)
        return true;
    report.contractorLine1 = table1.text(kName).left(kContractorLineLength);
    report.contractorLine2 = table1.text(kStreet).left(kContractorLineLength);
    report.contractorLine3 = table1.text(kPlace).left(kContractorLineLength);
    table1.edit();
    table1.setText(kName, report.contractorLine1);
    table1.setText(kStreet, report.contractorLine2);
    table1.setText(kPlace, report.contractorLine3);
    const bool stored = table1.post();
    table1.close();
    return stored;
}

} // namespace customer_table
