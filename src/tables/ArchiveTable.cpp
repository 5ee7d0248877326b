#include "ArchiveTable.h"

#include "TableCursor.h"
#include "common/Prompter.h"

namespace archive_table {
namespace {
const QString kStandard = QStringLiteral("Standard");
const QString kZaehler = QStringLiteral("Zaehler");
} // namespace

bool ensureStandardIndex(TableCursor& archive) {
    return ensureIndexes(archive, {{kStandard, kZaehler}}, kStandard);
}

qint64 nextNumber(TableCursor& archive) {
    archive.setFiltered(false);
    // Without "Standard" the key order is the same order.
    const bool hasStandard = archive.indexNames().contains(kStandard, Qt::CaseInsensitive);
    archive.setIndexName(hasStandard ? kStandard : QString());
    return archive.last() ? archive.integer(kZaehler) + 1 : 1;
}

qint64 appendRow(TableCursor& archive, QVariantList values) {
    const QString previousIndex = archive.indexName();
    const qint64 number = nextNumber(archive);
    if (values.isEmpty())
        values << number;
    else
        values[0] = number;
    const bool stored = archive.insertRecord(values);
    archive.setIndexName(previousIndex);
    archive.first();
    archive.setFiltered(true);
    return stored ? number : 0;
}

namespace {
const char* const kTrimmedFields[] = {
    "AuftragNr",    "Auftraggeber", "Geraeteart",        "Hersteller",        "Typenbezeichnung",
    "Nennstrom",    "Seriennummer", "Nennspannung",      "Nennleistung",      "FehlerZeile1",
    "FehlerZeile2", "FehlerZeile3", "RepArbeitenZeile1", "RepArbeitenZeile2", "RepArbeitenZeile3",
    "Ort",          "Ordnung"};

// "j" or "n"; unexpected when the text is neither way of saying it.
QString verdict(const QString& ordnung, bool* unexpected) {
    static const QStringList yes{QStringLiteral("j"),  QStringLiteral("J"),  QStringLiteral("ja"),
                                 QStringLiteral("Ja"), QStringLiteral("JA"), QStringLiteral("jA")};
    static const QStringList no{QStringLiteral("n"), QStringLiteral("N"), QStringLiteral("nein"),
                                QStringLiteral("Nein"), QStringLiteral("NEIN")};
    *unexpected = !yes.contains(ordnung) && !no.contains(ordnung);
    return yes.contains(ordnung) ? QStringLiteral("j") : QStringLiteral("n");
}
} // namespace

void normaliseBeforePost(TableCursor& archive, Prompter& prompter,
                         std::optional<bool> diffFromReport) {
    for (const char* name : kTrimmedFields) {
        const QString field = QLatin1String(name);
        archive.setText(field, archive.text(field).trimmed());
    }
    bool unexpected = false;
    const QString ordnung = verdict(archive.text(QStringLiteral("Ordnung")), &unexpected);
    if (unexpected)
        prompter.message(QString::fromUtf8(kOrdnungNotice), QStringLiteral("Hinweis"),
                         Prompter::Buttons::Ok);
    archive.setText(QStringLiteral("Ordnung"), ordnung);
    if (diffFromReport)
        archive.setBoolean(QStringLiteral("Diff"), *diffFromReport);
}

void normaliseImportedRow(QVariantList& values) {
    const TableDefinition& table = archiveTableDefinition();
    for (const char* name : kTrimmedFields)
        if (const int field = table.indexOf(QLatin1String(name)); field < values.size())
            values[field] = values[field].toString().trimmed();
    if (const int field = table.indexOf(QStringLiteral("Ordnung")); field < values.size()) {
        bool unexpected = false;
        values[field] = verdict(values[field].toString(), &unexpected);
    }
}

} // namespace archive_table
