#include "ArchiveTable.h"

#include "TableCursor.h"
#include "common/Prompter.h"
#include "report/ReportState.h"

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

void normaliseBeforePost(TableCursor& archive, const ReportState& report, Prompter& prompter,
                         bool importRunning) {
    static const char* const trimmedFields[] = {"AuftragNr",
                                                "Auftraggeber",
                                                "Geraeteart",
                                                "Hersteller",
                                                "Typenbezeichnung",
                                                "Nennstrom",
                                                "Seriennummer",
                                                "Nennspannung",
                                                "Nennleistung",
                                                "FehlerZeile1",
                                                "FehlerZeile2",
                                                "FehlerZeile3",
                                                "RepArbeitenZeile1",
                                                "RepArbeitenZeile2",
                                                "RepArbeitenZeile3",
                                                "Ort",
                                                "Ordnung"};
    for (const char* name : trimmedFields) {
        const QString field = QLatin1String(name);
        archive.setText(field, archive.text(field).trimmed());
    }
    const QString ordnung = archive.text(QStringLiteral("Ordnung"));
    static const QStringList yes{QStringLiteral("j"),  QStringLiteral("J"),  QStringLiteral("ja"),
                                 QStringLiteral("Ja"), QStringLiteral("JA"), QStringLiteral("jA")};
    static const QStringList no{QStringLiteral("n"), QStringLiteral("N"), QStringLiteral("nein"),
                                QStringLiteral("Nein"), QStringLiteral("NEIN")};
    if (yes.contains(ordnung)) {
        archive.setText(QStringLiteral("Ordnung"), QStringLiteral("j"));
    } else {
        if (!no.contains(ordnung) && !importRunning)
            prompter.message(QString::fromUtf8(kOrdnungNotice), QStringLiteral("Hinweis"),
                             Prompter::Buttons::Ok);
        archive.setText(QStringLiteral("Ordnung"), QStringLiteral("n"));
    }
    archive.setBoolean(QStringLiteral("Diff"), report.diff != 0);
}

} // namespace archive_table
