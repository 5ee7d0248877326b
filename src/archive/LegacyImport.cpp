#include "LegacyImport.h"

#include "RecordTransfer.h"
#include "common/Progress.h"
#include "legacy/ParadoxTable.h"
#include "tables/BatchInsert.h"
#include "tables/TableDefinition.h"
#include "tables/TableStore.h"

#include <QDate>
#include <QDir>
#include <QSqlQuery>

namespace {

std::optional<QString> fileIn(const QString& folder, const QString& name) {
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return std::nullopt;
}

bool kindFits(FieldType type, ParadoxField::Kind kind) {
    switch (type) {
    case FieldType::Text:
        return kind == ParadoxField::Kind::Text;
    case FieldType::Integer:
        return kind == ParadoxField::Kind::Integer;
    case FieldType::Boolean:
        return kind == ParadoxField::Kind::Logical;
    case FieldType::Date:
        return kind == ParadoxField::Kind::Date;
    }
    return false;
}

// Where each field of the store's table comes from in the old one (-1: from
// nowhere). Unknown and missing fields are named as "zt.DB: Feld".
std::optional<QString> matchFields(const TableDefinition& definition, const ParadoxTable& table,
                                   const QString& fileName, const QStringList& required,
                                   QList<int>& source, QStringList& unknown, QStringList& missing) {
    for (const FieldDefinition& field : definition.fields) {
        const int position = table.indexOf(field.name);
        if (position < 0 && required.contains(field.name))
            return QStringLiteral("Die Tabelle \"%1\" hat nicht die erwarteten Felder: das Feld "
                                  "\"%2\" fehlt.")
                .arg(fileName, field.name);
        if (position >= 0 && !kindFits(field.type, table.fields()[position].kind))
            return QStringLiteral("Die Tabelle \"%1\" hat nicht die erwarteten Felder: das Feld "
                                  "\"%2\" hat eine andere Art.")
                .arg(fileName, field.name);
        if (position < 0)
            missing << fileName + QStringLiteral(": ") + field.name;
        source << position;
    }
    for (const ParadoxField& field : table.fields())
        if (definition.indexOf(field.name) < 0)
            unknown << fileName + QStringLiteral(": ") + field.name;
    return std::nullopt;
}

QVariantList mapped(const std::optional<QVariantList>& row, const QList<int>& source) {
    QVariantList values;
    values.reserve(source.size());
    for (const int position : source) {
        QVariant value = position >= 0 && row ? row->value(position) : QVariant();
        if (value.typeId() == QMetaType::QDate && !value.toDate().isValid())
            value = QVariant();
        values << value;
    }
    return values;
}

bool hasImpossibleDate(const QVariantList& row) {
    for (const QVariant& value : row)
        if (value.typeId() == QMetaType::QDate && !value.toDate().isValid())
            return true;
    return false;
}

qint64 queryNumber(TableStore& store, const QString& sql) {
    QSqlQuery query(store.database());
    return query.exec(sql) && query.next() ? query.value(0).toLongLong() : 0;
}

QString unreadableRow(const QString& fileName, int index) {
    return QStringLiteral("Die Tabelle \"%1\" ist beschädigt: der Datensatz %2 kann nicht "
                          "gelesen werden.")
        .arg(fileName)
        .arg(index + 1);
}

const QString kCustomerNumber = QStringLiteral("Kundennummer");
constexpr int kCustomerName = 1; // Auftraggeber in the address book's field order

} // namespace

LegacyImport::LegacyImport(TableStore& store)
    : store_(store) {}

LegacyImport::~LegacyImport() = default;

std::variant<std::unique_ptr<LegacyImport>, QString> LegacyImport::prepare(TableStore& store,
                                                                           const QString& folder) {
    if (!store.database().isOpen() && !store.open())
        return QStringLiteral("Das Archiv kann nicht geöffnet werden.");
    std::unique_ptr<LegacyImport> import(new LegacyImport(store));
    for (const auto& [name, table] : {std::pair{kArchiveFile, &import->archive_},
                                      std::pair{kCustomerFile, &import->customers_}}) {
        const auto path = fileIn(folder, name);
        if (!path)
            return QStringLiteral("Im Ordner \"%1\" fehlt die Tabelle \"%2\".")
                .arg(QDir::toNativeSeparators(folder), name);
        auto opened = ParadoxTable::open(*path);
        if (auto* error = std::get_if<QString>(&opened))
            return *error;
        *table = std::move(std::get<std::unique_ptr<ParadoxTable>>(opened));
    }
    if (const auto error = matchFields(archiveTableDefinition(), *import->archive_, kArchiveFile,
                                       {QStringLiteral("Zaehler")}, import->archiveSource_,
                                       import->unknownFields_, import->missingFields_))
        return *error;
    if (const auto error =
            matchFields(customerTableDefinition(), *import->customers_, kCustomerFile,
                        {kCustomerNumber, QStringLiteral("Auftraggeber")}, import->customerSource_,
                        import->unknownFields_, import->missingFields_))
        return *error;
    if (const auto error = import->readCustomers())
        return *error;
    if (const auto error = import->scanArchive())
        return *error;
    import->planCustomers();
    return import;
}

std::optional<QString> LegacyImport::readCustomers() {
    QSet<qint64> numbers;
    for (int i = 0; i < customers_->rowCount(); ++i) {
        const auto row = customers_->row(i);
        if (!row)
            return unreadableRow(kCustomerFile, i);
        const QVariantList values = mapped(row, customerSource_);
        const QVariant number = values[0];
        if (number.isValid() && number.toLongLong() == 0) {
            if (!oldContractor_)
                oldContractor_ = OldCustomer{values};
            continue;
        }
        if (!number.isValid() || number.toLongLong() < 0 || numbers.contains(number.toLongLong()))
            keepCustomerNumbers_ = false;
        numbers.insert(number.toLongLong());
        oldCustomers_ << OldCustomer{values};
    }
    if (queryNumber(store_, QStringLiteral(
                                "SELECT count(*) FROM \"kunden\" WHERE \"Kundennummer\" > 0")) > 0)
        keepCustomerNumbers_ = false;
    takeContractor_ =
        oldContractor_ &&
        queryNumber(store_, QStringLiteral(
                                "SELECT count(*) FROM \"kunden\" WHERE \"Kundennummer\" = 0")) == 0;
    return std::nullopt;
}

std::optional<QString> LegacyImport::scanArchive() {
    QSet<qint64> numbers;
    const int numberSource = archiveSource_[0];
    for (int i = 0; i < archive_->rowCount(); ++i) {
        const auto row = archive_->row(i);
        if (!row)
            return unreadableRow(kArchiveFile, i);
        if (hasImpossibleDate(*row))
            ++invalidDateRows_;
        const QVariant number = row->value(numberSource);
        if (!number.isValid() || number.toLongLong() <= 0 || numbers.contains(number.toLongLong()))
            keepRowNumbers_ = false;
        numbers.insert(number.toLongLong());
    }
    nextRowNumber_ =
        queryNumber(store_, QStringLiteral("SELECT coalesce(max(\"Zaehler\"), 0) + 1 FROM \"zt\""));
    if (nextRowNumber_ > 1)
        keepRowNumbers_ = false;
    return std::nullopt;
}

void LegacyImport::planCustomers() {
    if (takeContractor_)
        newCustomers_ << oldContractor_->values;
    if (keepCustomerNumbers_) {
        for (const OldCustomer& customer : oldCustomers_)
            newCustomers_ << customer.values;
        return;
    }
    // The lowest number of a name wins, as a look-up in number order finds it.
    QHash<QString, qint64> numberOfName;
    QSqlQuery query(store_.database());
    query.exec(QStringLiteral(
        "SELECT \"Auftraggeber\", \"Kundennummer\" FROM \"kunden\" WHERE \"Kundennummer\" > 0 "
        "ORDER BY \"Kundennummer\" DESC, rowid DESC"));
    while (query.next())
        numberOfName.insert(query.value(0).toString(), query.value(1).toLongLong());
    qint64 highest = queryNumber(
        store_, QStringLiteral("SELECT coalesce(max(\"Kundennummer\"), 0) FROM \"kunden\""));
    for (const OldCustomer& customer : oldCustomers_) {
        const QString name =
            record_transfer::storedCustomerName(customer.values[kCustomerName].toString());
        qint64 number = 0;
        if (const auto found = numberOfName.constFind(name); found != numberOfName.constEnd()) {
            number = found.value();
            ++matchedCustomers_;
        } else {
            number = ++highest;
            numberOfName.insert(name, number);
            QVariantList values = customer.values;
            values[0] = number;
            newCustomers_ << values;
        }
        if (customer.values[0].isValid())
            customerNumbers_.insert(customer.values[0].toLongLong(), number);
    }
}

QString LegacyImport::summary() const {
    const auto counted = [](qint64 count, const char* one, const char* more) {
        return groupedNumber(count) + QLatin1Char(' ') + QString::fromUtf8(count == 1 ? one : more);
    };
    QStringList lines;
    lines << QStringLiteral("%1, %2 werden übernommen.")
                 .arg(counted(archive_->rowCount(), "Archiv-Datensatz", "Archiv-Datensätze"),
                      counted(oldCustomers_.size(), "Kunde", "Kunden"));
    if (keepRowNumbers_)
        lines << QStringLiteral("Die Archiv-Datensätze behalten ihre Nummern.");
    else if (nextRowNumber_ > 1)
        lines << QStringLiteral("Das Archiv enthält schon Datensätze: die übernommenen bekommen "
                                "die Nummern ab %1.")
                     .arg(nextRowNumber_);
    else
        lines << QStringLiteral("Die Nummern im alten Archiv sind nicht eindeutig: die "
                                "Datensätze werden neu nummeriert.");
    if (keepCustomerNumbers_)
        lines << QStringLiteral("Die Kunden behalten ihre Nummern.");
    else
        lines << QStringLiteral("Die Kunden werden nach dem Namen zugeordnet (schon vorhanden: "
                                "%1, neu: %2); die Datensätze bekommen ihre neuen "
                                "Kundennummern.")
                     .arg(groupedNumber(matchedCustomers_),
                          groupedNumber(oldCustomers_.size() - matchedCustomers_));
    if (takeContractor_)
        lines << QStringLiteral("Der Auftragnehmer wird übernommen.");
    else if (oldContractor_)
        lines << QStringLiteral("Der Auftragnehmer bleibt, wie er ist.");
    if (invalidDateRows_ > 0)
        lines << QStringLiteral("%1 mit ungültigem Datum: das Datum bleibt leer.")
                     .arg(counted(invalidDateRows_, "Datensatz", "Datensätze"));
    if (!unknownFields_.isEmpty())
        lines << QStringLiteral("Nicht übernommen werden die unbekannten Felder %1.")
                     .arg(unknownFields_.join(QLatin1String(", ")));
    if (!missingFields_.isEmpty())
        lines << QStringLiteral("Leer bleiben die fehlenden Felder %1.")
                     .arg(missingFields_.join(QLatin1String(", ")));
    return lines.join(QLatin1Char('\n'));
}

ArchiveImport::Outcome LegacyImport::run(Prompter& prompter) {
    if (!newCustomers_.isEmpty()) {
        BatchInsert customers(store_, QStringLiteral("kunden"), false);
        QString error;
        for (const QVariantList& values : std::as_const(newCustomers_))
            if (const auto refused = customers.add(values); refused && error.isEmpty())
                error = *refused;
        if (error.isEmpty())
            error = customers.write().error;
        if (!error.isEmpty()) {
            ArchiveImport::Outcome outcome;
            outcome.total = archive_->rowCount();
            outcome.failure = error;
            outcome.items = QStringLiteral("Datensätze");
            outcome.ofItems = QStringLiteral("Datensätzen");
            return outcome;
        }
        contractorWritten_ = takeContractor_;
        customersWritten_ = int(newCustomers_.size()) - (takeContractor_ ? 1 : 0);
    }
    ArchiveImport rows(store_, prompter);
    return rows.importRows(
        archive_->rowCount(), [this](int index) { return archiveRow(index); }, !keepRowNumbers_);
}

ArchiveImport::ReadyRow LegacyImport::archiveRow(int index) {
    const auto row = archive_->row(index);
    ArchiveImport::ReadyRow ready;
    if (!row) {
        ready.label = QStringLiteral("Datensatz %1").arg(index + 1);
        ready.error = QStringLiteral("kann nicht gelesen werden");
        return ready;
    }
    ready.values = mapped(row, archiveSource_);
    const QVariant oldNumber = ready.values[0];
    ready.label = QStringLiteral("Datensatz %1")
                      .arg(oldNumber.isValid() ? oldNumber.toLongLong() : qint64(index + 1));
    static const int customerField = archiveTableDefinition().indexOf(kCustomerNumber);
    QVariant& customer = ready.values[customerField];
    if (customer.isValid() && !keepCustomerNumbers_) {
        const auto found = customerNumbers_.constFind(customer.toLongLong());
        customer = found != customerNumbers_.constEnd() ? QVariant(found.value()) : QVariant();
    }
    return ready;
}
