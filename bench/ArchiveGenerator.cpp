#include "ArchiveGenerator.h"

#include "tables/GermanCollation.h"
#include "tables/TableDefinition.h"
#include "tables/TableStore.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <sqlite3.h>

namespace archive_generator {
namespace {

void exec(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
        sqlite3_free(error);
        std::abort();
    }
}

void bindText(sqlite3_stmt* statement, int position, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

QStringList customerNames() {
    const QStringList surnames{
        "Müller",   "Schmidt", "Schneider", "Fischer", "Weber",   "Meyer",      "Wagner",
        "Becker",   "Schulz",  "Hoffmann",  "Schäfer", "Koch",    "Bauer",      "Richter",
        "Klein",    "Wolf",    "Schröder",  "Neumann", "Schwarz", "Zimmermann", "Braun",
        "Krüger",   "Hofmann", "Hartmann",  "Lange",   "Schmitt", "Werner",     "Schmitz",
        "Krause",   "Meier",   "Lehmann",   "Schmid",  "Schulze", "Maier",      "Köhler",
        "Herrmann", "König",   "Walter",    "Mayer",   "Huber",   "Kaiser",     "Fuchs",
        "Peters",   "Lang",    "Scholz",    "Möller",  "Weiß",    "Jung",       "Hahn",
        "Öztürk"};
    const QStringList forms{"%1 GmbH",           "%1 & Söhne",  "Elektro %1",    "%1 KG",
                            "Haustechnik %1",    "%1 AG",       "%1 e.K.",       "Bäckerei %1",
                            "Praxis Dr. %1",     "Gasthof %1",  "Autohaus %1",   "%1 Metallbau",
                            "Schreinerei %1",    "Hotel %1",    "%1 Getränke",   "Büro %1",
                            "Sanitär %1",        "Friseur %1",  "Apotheke %1",   "%1 Maschinenbau",
                            "Kanzlei %1",        "Kita %1",     "%1 Gärtnerei",  "Metzgerei %1",
                            "%1 Immobilien",     "Optik %1",    "%1 Logistik",   "Café %1",
                            "%1 Druck",          "Zahnarzt %1", "%1 Transporte", "Werkstatt %1",
                            "%1 Fliesen",        "Blumen %1",   "%1 Software",   "Malerbetrieb %1",
                            "%1 Versicherungen", "Pension %1",  "%1 Textil",     "Schule %1"};
    QStringList names;
    for (const QString& form : forms)
        for (const QString& surname : surnames)
            names << form.arg(surname);
    return names;
}

QString ensureDatabase(const QString& folder, int rows) {
    const QString dir = QDir(folder).filePath(QStringLiteral("archiv-%1").arg(rows));
    const QString path = QDir(dir).filePath(TableStore::fileName());
    if (QFile::exists(path))
        return path;
    QDir().mkpath(dir);
    fprintf(stderr, "Erzeuge %d Archivzeilen in %s ...\n", rows, qPrintable(path));
    sqlite3* db = nullptr;
    sqlite3_open(QString(path + ".part").toUtf8().constData(), &db);
    german_collation::registerOn(db);
    exec(db, "PRAGMA journal_mode=OFF");
    exec(db, "PRAGMA synchronous=OFF");
    for (const TableDefinition* table : {&archiveTableDefinition(), &customerTableDefinition()})
        exec(db, table->createSql());
    exec(db, "BEGIN");

    const QStringList names = customerNames();
    sqlite3_stmt* customer = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO kunden (Kundennummer, Auftraggeber, AuftraggeberStrasse, "
                       "AuftraggeberOrt, KopieAuftraggeber) VALUES (?, ?, ?, ?, ?)",
                       -1, &customer, nullptr);
    for (int i = 0; i < names.size(); ++i) {
        sqlite3_bind_int(customer, 1, i + 1);
        bindText(customer, 2, names[i]);
        bindText(customer, 3, QStringLiteral("Hauptstraße %1").arg(i % 120 + 1));
        bindText(customer, 4, QStringLiteral("%1 Musterstadt").arg(10000 + i * 37));
        bindText(customer, 5, names[i]);
        sqlite3_step(customer);
        sqlite3_reset(customer);
    }
    sqlite3_finalize(customer);

    const TableDefinition& zt = archiveTableDefinition();
    QStringList columns, marks;
    for (const FieldDefinition& field : zt.fields) {
        columns << quoted(field.name);
        marks << "?";
    }
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       QStringLiteral("INSERT INTO zt (%1) VALUES (%2)")
                           .arg(columns.join(','), marks.join(','))
                           .toUtf8()
                           .constData(),
                       -1, &insert, nullptr);
    const QStringList kinds{"Bohrmaschine",       "Wasserkocher",   "Kühlschrank", "Staubsauger",
                            "Verlängerungskabel", "Kaffeemaschine", "Monitor",     "Drucker"};
    const QStringList makers{"Bosch", "Makita", "Siemens", "Miele", "Philips", "Brother"};
    const QDate start(2000, 1, 1);
    Random random;
    for (int row = 1; row <= rows; ++row) {
        const int customerIndex = random.below(int(names.size()));
        const QDate termin = start.addDays(random.below(11322)); // to 2030
        const QDate datum = termin.addYears(-1);
        const bool ok = random.below(10) != 0;
        for (int i = 0; i < zt.fields.size(); ++i) {
            const int position = i + 1;
            switch (zt.fields[i].type) {
            case FieldType::Integer:
                sqlite3_bind_int(insert, position, i == 0 ? row : customerIndex + 1);
                break;
            case FieldType::Boolean:
                sqlite3_bind_int(insert, position, random.below(2));
                break;
            case FieldType::Date:
                bindText(insert, position, (i == 34 ? termin : datum).toString(Qt::ISODate));
                break;
            case FieldType::Text:
                sqlite3_bind_text(insert, position, "", 0, SQLITE_STATIC);
                break;
            }
        }
        bindText(insert, 2, QStringLiteral("A-%1").arg(row));
        bindText(insert, 3, names[customerIndex]);
        bindText(insert, 4, kinds[row % kinds.size()]);
        bindText(insert, 5, makers[row % makers.size()]);
        bindText(insert, 6, QStringLiteral("T%1").arg(row % 977));
        bindText(insert, 7, QString::number(row % 3 + 1));
        bindText(insert, 9, QStringLiteral("SN%1").arg(row * 7919));
        bindText(insert, 18, QStringLiteral("DIN VDE 0701-0702(2)"));
        bindText(insert, 22, QStringLiteral("Schutzleiterwiderstand"));
        bindText(insert, 25, QStringLiteral("Ohm"));
        bindText(insert, 28, QStringLiteral("0.%1").arg(row % 90 + 10));
        bindText(insert, 36, QStringLiteral("Musterstadt"));
        bindText(insert, 38, QStringLiteral("RPE = 0.%1 Ohm  RISO > 20.0 MOhm").arg(row % 90 + 10));
        bindText(insert, 39,
                 QStringLiteral("Speicher Nr. %1   %2")
                     .arg(row % 4000)
                     .arg(datum.toString(QStringLiteral("dd.MM.yyyy"))));
        bindText(insert, 42, ok ? QStringLiteral("j") : QStringLiteral("n"));
        if (sqlite3_step(insert) != SQLITE_DONE) {
            fprintf(stderr, "%s\n", sqlite3_errmsg(db));
            std::abort();
        }
        sqlite3_reset(insert);
        sqlite3_clear_bindings(insert);
    }
    sqlite3_finalize(insert);
    for (const QString& sql : zt.helperIndexSql())
        exec(db, sql);
    exec(db, "CREATE INDEX \"zt:Standard\" ON zt (Zaehler)");
    exec(db, "CREATE INDEX \"kunden:Standard\" ON kunden (Kundennummer)");
    exec(db, "COMMIT");
    sqlite3_close(db);
    QFile::rename(path + ".part", path);
    return path;
}

} // namespace archive_generator
