#include "RowAddresses.h"

#include "addresses/CustomerTable.h"
#include "common/Prompter.h"
#include "report/Protokoll.h"
#include "tables/TableCursor.h"

RowAddresses lookUpAddresses(TableCursor& customers, Prompter& prompter, qint64 customerNumber) {
    RowAddresses addresses;
    if (!customers.open() || !customers.setIndexName(QStringLiteral("Standard")))
        return addresses;
    if (customerNumber > 0) {
        if (customer_table::findByNumber(customers, customerNumber)) {
            addresses.customerStreet = customers.text(QStringLiteral("AuftraggeberStrasse"));
            addresses.customerPlace = customers.text(QStringLiteral("AuftraggeberOrt"));
        } else {
            prompter.message(
                QStringLiteral("Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."),
                QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        }
    }
    if (customer_table::findByNumber(customers, 0)) {
        addresses.contractorName = customers.text(QStringLiteral("Auftraggeber"));
        addresses.contractorStreet = customers.text(QStringLiteral("AuftraggeberStrasse"));
        addresses.contractorPlace = customers.text(QStringLiteral("AuftraggeberOrt"));
    } else {
        prompter.message(QStringLiteral("Der Auftragnehmer ist in der Datenbank nicht enthalten."),
                         QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
    }
    customers.close();
    return addresses;
}

void loadAddresses(TableCursor& customers, Prompter& prompter, qint64 customerNumber,
                   Protokoll& record) {
    const RowAddresses addresses = lookUpAddresses(customers, prompter, customerNumber);
    record.Kunde2 = addresses.customerStreet;
    record.Kunde3 = addresses.customerPlace;
    record.Nehmer1 = addresses.contractorName;
    record.Nehmer2 = addresses.contractorStreet;
    record.Nehmer3 = addresses.contractorPlace;
}
