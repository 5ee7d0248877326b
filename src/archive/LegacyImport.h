#pragma once

#include "ArchiveImport.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <variant>

class ParadoxTable;
class Prompter;
class TableStore;

// The older program's Paradox tables "zt.DB" (archive) and "kunden.DB"
// (customers) taken over. Fields are matched by name; a missing one stays
// empty, an unknown one is ignored. Into an empty archive the rows keep their
// numbers, into a filled one they are numbered after the last; customers keep
// their numbers in an address book without customers, else they are matched
// by name and the rows follow them. The contractor comes over only where
// there is none.
class LegacyImport {
public:
    static inline const QString kArchiveFile = QStringLiteral("zt.DB");
    static inline const QString kCustomerFile = QStringLiteral("kunden.DB");

    // Reads both tables of the folder and plans the take-over, writing
    // nothing; the German reason when they cannot be used.
    static std::variant<std::unique_ptr<LegacyImport>, QString> prepare(TableStore& store,
                                                                        const QString& folder);
    ~LegacyImport();

    // What the take-over will bring, for the user to confirm.
    QString summary() const;
    // Customers first (one transaction; when they cannot be written, no row
    // is, and the outcome says why), then the rows in batches.
    ArchiveImport::Outcome run(Prompter& prompter);
    // Customers written, the contractor not counted.
    int customersWritten() const { return customersWritten_; }
    bool contractorWritten() const { return contractorWritten_; }

private:
    LegacyImport(TableStore& store);
    std::optional<QString> readCustomers();
    std::optional<QString> scanArchive();
    void planCustomers();
    ArchiveImport::ReadyRow archiveRow(int index);

    struct OldCustomer {
        QVariantList values; // the address book's fields in its order
    };

    TableStore& store_;
    std::unique_ptr<ParadoxTable> archive_;
    std::unique_ptr<ParadoxTable> customers_;
    // For every field of the store's tables, its position in the old table or -1.
    QList<int> archiveSource_;
    QList<int> customerSource_;
    QStringList unknownFields_;
    QStringList missingFields_;

    QList<OldCustomer> oldCustomers_;
    std::optional<OldCustomer> oldContractor_;
    bool keepRowNumbers_ = true;
    bool keepCustomerNumbers_ = true;
    bool takeContractor_ = false;
    qint64 nextRowNumber_ = 1;
    int invalidDateRows_ = 0;
    int matchedCustomers_ = 0;
    // Old customer number → number in the address book after the take-over.
    QHash<qint64, qint64> customerNumbers_;
    QList<QVariantList> newCustomers_;
    int customersWritten_ = 0;
    bool contractorWritten_ = false;
};
