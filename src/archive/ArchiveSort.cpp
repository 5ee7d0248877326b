#include "ArchiveSort.h"

#include "tables/TableCursor.h"

namespace archive_sort {
namespace {

const QString kZaehler = QStringLiteral("Zaehler");
const QString kStandard = QStringLiteral("Standard");
const QString kAktuell = QStringLiteral("Aktuell");

const char* const kFields[] = {"Zaehler",    "AuftragNr",    "Kundennummer",     "Auftraggeber",
                               "Geraeteart", "Hersteller",   "Typenbezeichnung", "Seriennummer",
                               "Pruefung",   "Schutzklasse", "Termin",           "Datum"};

QString fieldAt(int position) {
    return QLatin1String(kFields[position - 1]);
}

// Drops the index "Aktuell" and selects "Standard".
bool selectStandard(TableCursor& archive) {
    archive.close();
    // An index in use cannot be dropped.
    archive.setIndexName({});
    if (!archive.setExclusive(true))
        return false;
    bool ok = archive.open();
    if (ok && archive.indexNames().contains(kAktuell, Qt::CaseInsensitive))
        ok = archive.deleteIndex(kAktuell);
    archive.close();
    archive.setExclusive(false);
    return archive.setIndexName(kStandard) && archive.open() && ok;
}

} // namespace

const QStringList& labels() {
    static const QStringList list{QStringLiteral("lfd. Nr."),
                                  QStringLiteral("Auftrag Nr."),
                                  QStringLiteral("Kundennummer"),
                                  QStringLiteral("Auftraggeber"),
                                  QStringLiteral("Geräteart"),
                                  QStringLiteral("Hersteller"),
                                  QStringLiteral("Typenbezeichnung"),
                                  QStringLiteral("Seriennummer"),
                                  QStringLiteral("Prüfung nach 0701/0702"),
                                  QStringLiteral("Schutzklasse"),
                                  QStringLiteral("nächste Prüfung"),
                                  QStringLiteral("Datum")};
    return list;
}

void dropRepeats(SortCriteria& c) {
    const int count = int(labels().size());
    if (c.first < 1 || c.first > count)
        c.first = 1;
    if (c.second < 0 || c.second > count)
        c.second = 0;
    if (c.third < 0 || c.third > count)
        c.third = 0;
    if (c.third == c.second)
        c.third = 0;
    if (c.second == c.first)
        c.second = 0;
    if (c.third == c.first)
        c.third = 0;
}

QString fieldList(const SortCriteria& c) {
    QString list = fieldAt(c.first);
    if (c.second > 0)
        list += QLatin1Char(';') + fieldAt(c.second);
    if (c.third > 0)
        list += QLatin1Char(';') + fieldAt(c.third);
    if (c.first != 1 && c.second != 1 && c.third != 1)
        list += QLatin1Char(';') + kZaehler;
    return list;
}

bool apply(TableCursor& archive, SortCriteria& criteria) {
    dropRepeats(criteria);
    const QString fields = fieldList(criteria);
    const bool ok =
        fields == kZaehler ? selectStandard(archive) : rebuildIndex(archive, kAktuell, fields);
    if (!archive.isOpen()) {
        // The index could not be changed (the table is busy): the rows stay in view.
        archive.setIndexName(kStandard);
        archive.open();
    }
    return ok && archive.refresh();
}

} // namespace archive_sort
