// Writes an older program's zt.DB and kunden.DB with N rows into a folder,
// for trying and timing the import by hand: make_old_tables FOLDER N
#include "ParadoxWriter.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        fprintf(stderr, "Aufruf: make_old_tables ORDNER ANZAHL\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    const auto archive = paradox_writer::columnsOf(archiveTableDefinition());
    const auto customers = paradox_writer::columnsOf(customerTableDefinition());
    const int kinds = 50;
    QList<QVariantList> customerRows{{0, QStringLiteral("Elektro Alt"), QStringLiteral("Altweg 1"),
                                      QStringLiteral("11111 Altstadt")}};
    for (int i = 1; i <= kinds; ++i)
        customerRows.append({i, QStringLiteral("Kunde %1 Müller GmbH").arg(i),
                             QStringLiteral("Straße %1").arg(i), QStringLiteral("12345 Köln")});
    QList<QVariantList> rows;
    rows.reserve(count);
    const int termin = archiveTableDefinition().indexOf(QStringLiteral("Termin"));
    const int datum = archiveTableDefinition().indexOf(QStringLiteral("Datum"));
    const int customer = archiveTableDefinition().indexOf(QStringLiteral("Kundennummer"));
    for (int i = 1; i <= count; ++i) {
        QVariantList row(archive.size());
        row[0] = i;
        row[1] = QStringLiteral("A-%1").arg(i);
        row[2] = customerRows[1 + i % kinds][1];
        row[3] = QStringLiteral("Bohrmaschine");
        row[27] = QStringLiteral("0.12");
        row[termin] = QDate(2027, 1, 1).addDays(i % 365);
        row[datum] = QDate(2026, 1, 1).addDays(i % 365);
        row[customer] = 1 + i % kinds;
        row[41] = QStringLiteral("j");
        rows << row;
    }
    const bool ok =
        paradox_writer::write(folder.filePath(QStringLiteral("zt.DB")), archive, rows) &&
        paradox_writer::write(folder.filePath(QStringLiteral("kunden.DB")), customers,
                              customerRows);
    return ok ? 0 : 1;
}
