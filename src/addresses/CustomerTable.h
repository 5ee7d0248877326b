#pragma once

#include <QString>

#include <optional>

class Prompter;
class TableCursor;
class TableStore;
struct ReportState;

// The rules of the customer table "kunden"; row number 0 is the contractor.
namespace customer_table {

// "Standard" on Kundennummer and, when asked, "Kunde" on Auftraggeber; the
// cursor is left open on "Standard".
bool ensureIndexes(TableCursor& customers, bool withNameIndex);

// The last number in the cursor's view on "Standard" plus 1; the index is
// restored and the cursor put on the first row.
qint64 newCustomerNumber(TableCursor& customers);

struct ContractorAddress {
    QString name;
    QString street;
    QString place;

    bool operator==(const ContractorAddress&) const = default;
};

// The first row on "Standard" when its number is 0.
std::optional<ContractorAddress> readContractor(TableCursor& customers);
bool writeContractor(TableCursor& customers, const ContractorAddress& address);

// The customer window's before-post handler: trims, keeps the copy of the
// name, and carries a rename into every archive row of that customer in the
// same transaction as the customer row.
void beforePost(TableCursor& customers, Prompter& prompter);

bool isUsedInArchive(TableStore& store, qint64 number);
// Deletes the current customer after the user agreed; refuses while archive
// rows refer to it. True when the row was deleted.
bool deleteCustomer(TableCursor& customers, Prompter& prompter);

bool findByNumber(TableCursor& customers, qint64 number);
// Exact, letter case counting.
bool findByName(TableCursor& customers, const QString& name);

// At start-up: prepares "kunden" and reads the contractor's three lines into
// the report state, cut to 30 characters, which are also written back. False
// when the table cannot be used (the user was told why).
bool loadContractorLines(TableStore& store, ReportState& report);

inline constexpr int kContractorLineLength = 30;

} // namespace customer_table
