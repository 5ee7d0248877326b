#include "TableDefinition.h"

#include "GermanCollation.h"

int TableDefinition::indexOf(const QString& fieldName) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

namespace {
QString columnList(const TableDefinition& table, bool allowNull) {
    QStringList columns;
    for (int i = 0; i < table.fields.size(); ++i) {
        const FieldDefinition& field = table.fields[i];
        QString column = quoted(field.name);
        if (i == 0 && table.firstFieldIsKey)
            column += QLatin1String(" INTEGER PRIMARY KEY");
        else if (field.type == FieldType::Text)
            column += QStringLiteral(" TEXT COLLATE %1 NOT NULL DEFAULT ''")
                          .arg(QLatin1String(german_collation::kName));
        else if (field.type == FieldType::Date)
            column += QLatin1String(" TEXT NOT NULL DEFAULT ''");
        else if (field.nullable && allowNull)
            column += QLatin1String(" INTEGER");
        else
            column += QLatin1String(" INTEGER NOT NULL DEFAULT 0");
        columns << column;
    }
    return columns.join(QLatin1String(", "));
}
} // namespace

QString TableDefinition::createSql() const {
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
        .arg(quoted(name), columnList(*this, true));
}

QString TableDefinition::storedSql() const {
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(name), columnList(*this, true));
}

QString TableDefinition::storedSqlBeforeNullable() const {
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(name), columnList(*this, false));
}

QStringList TableDefinition::helperIndexNames() const {
    QStringList names;
    for (const QString& field : helperIndexFields + rareFlagFields)
        names << name + QLatin1Char('#') + field;
    for (const QStringList& indexFields : compoundIndexFields)
        names << name + QLatin1Char('#') + indexFields.join(QLatin1Char('+'));
    return names;
}

QString TableDefinition::tieBreakSql() const {
    return firstFieldIsKey ? quoted(fields[0].name) : QStringLiteral("rowid");
}

QStringList TableDefinition::helperIndexSql(bool onServer) const {
    const auto columns = [&](const QStringList& indexFields) {
        QStringList sql;
        for (const QString& field : indexFields) {
            const int index = indexOf(field);
            sql << quoted(field) + (onServer && index >= 0 && fields[index].nullable
                                        ? QLatin1String(" NULLS FIRST")
                                        : QLatin1String(""));
        }
        if (onServer)
            sql << tieBreakSql();
        return sql.join(QLatin1String(", "));
    };
    QStringList statements;
    for (const QString& field : helperIndexFields)
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                          .arg(quoted(name + QLatin1Char('#') + field), quoted(name),
                               columns({field}));
    for (const QString& field : rareFlagFields)
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3) WHERE %4 <> 0")
                          .arg(quoted(name + QLatin1Char('#') + field), quoted(name),
                               columns({field}), quoted(field));
    for (const QStringList& indexFields : compoundIndexFields)
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                          .arg(quoted(name + QLatin1Char('#') + indexFields.join(QLatin1Char('+'))),
                               quoted(name), columns(indexFields));
    return statements;
}

namespace {
FieldDefinition text(const char* name, int size) {
    return {QLatin1String(name), FieldType::Text, size};
}
FieldDefinition integer(const char* name) {
    return {QLatin1String(name), FieldType::Integer, 0};
}
FieldDefinition optionalInteger(const char* name) {
    return {QLatin1String(name), FieldType::Integer, 0, true};
}
FieldDefinition boolean(const char* name) {
    return {QLatin1String(name), FieldType::Boolean, 0};
}
FieldDefinition date(const char* name) {
    return {QLatin1String(name), FieldType::Date, 0};
}
} // namespace

const TableDefinition& archiveTableDefinition() {
    static const TableDefinition table{
        QStringLiteral("zt"),
        {
            integer("Zaehler"),
            text("AuftragNr", 19),
            text("Auftraggeber", 35),
            text("Geraeteart", 30),
            text("Hersteller", 20),
            text("Typenbezeichnung", 19),
            text("Schutzklasse", 5),
            text("Nennstrom", 5),
            text("Seriennummer", 20),
            text("Nennspannung", 4),
            text("Nennleistung", 5),
            text("FehlerZeile1", 57),
            text("FehlerZeile2", 75),
            text("FehlerZeile3", 75),
            text("RepArbeitenZeile1", 51),
            text("RepArbeitenZeile2", 75),
            text("RepArbeitenZeile3", 75),
            text("Pruefung", 25),
            boolean("Besichtigung1"),
            boolean("Besichtigung2"),
            boolean("Besichtigung3"),
            text("Messung1", 30),
            text("Messung2", 30),
            text("Messung3", 30),
            text("Einheit1", 10),
            text("Einheit2", 10),
            text("Einheit3", 10),
            text("Wert1", 15),
            text("Wert2", 15),
            text("Wert3", 15),
            boolean("Satz1"),
            boolean("Satz2"),
            boolean("Satz3"),
            boolean("Satz4"),
            date("Termin"),
            text("Ort", 31),
            date("Datum"),
            text("Alles", 165),
            text("Dateiname", 255),
            boolean("Gefunden"),
            // Rows from the tester have no customer at all, not customer 0
            // (the contractor).
            optionalInteger("Kundennummer"),
            text("Ordnung", 4),
            boolean("Diff"),
            boolean("Niso"),
        },
        true,
        // Renames and the delete check look rows up by customer number.
        {QStringLiteral("Kundennummer")},
        // A new search takes the marks of the last one off.
        {QStringLiteral("Gefunden")},
        // Rows from the tester were once stored with the contractor's number
        // for want of a customer; no row names the contractor otherwise.
        QStringLiteral("UPDATE \"zt\" SET \"Kundennummer\" = NULL WHERE \"Kundennummer\" = 0 "
                       "AND \"Auftraggeber\" = '' COLLATE BINARY"),
        // The due devices, customer by customer in the order of their next test.
        {{QStringLiteral("Kundennummer"), QStringLiteral("Termin")}},
    };
    return table;
}

const TableDefinition& customerTableDefinition() {
    static const TableDefinition table{
        QStringLiteral("kunden"),
        {
            integer("Kundennummer"),
            text("Auftraggeber", 35),
            text("AuftraggeberStrasse", 35),
            text("AuftraggeberOrt", 35),
            text("Ansprechpartner", 40),
            text("Telefon", 30),
            text("Fax", 30),
            text("Bemerkungen", 50),
            text("KopieAuftraggeber", 35),
        },
        false,
        {},
        {},
        {},
        {},
    };
    return table;
}
