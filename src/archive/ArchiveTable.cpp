#include "ArchiveTable.h"

#include "common/Prompter.h"
#include "tables/TableCursor.h"

namespace archive_table {

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
