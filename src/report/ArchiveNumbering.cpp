#include "ArchiveNumbering.h"

#include "tables/TableCursor.h"

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
    // Another PC may hand a row over at the same time.
    archive.keepNumbersUnique(kZaehler);
    const qint64 stored = archive.insertRecord(values) ? archive.integer(kZaehler) : 0;
    archive.setIndexName(previousIndex);
    archive.first();
    archive.setFiltered(true);
    return stored;
}

} // namespace archive_table
