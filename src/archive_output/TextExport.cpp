#include "TextExport.h"

#include "common/Cp1252.h"
#include "tables/RowStream.h"
#include "tables/TableCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <array>

namespace text_export {

namespace {

const QChar kSeparator = u'§';

// The header texts and what each column holds: a field of the row, or one of
// the addresses (empty field name).
struct Column {
    const char* header;
    const char* field;
};

constexpr Column kLayout[kColumns] = {
    {"lfd. Nr.", "Zaehler"},
    {"Auftrag Nr.", "AuftragNr"},
    {"Kundennummer", "Kundennummer"},
    {"Auftraggeber", "Auftraggeber"},
    {"", ""},
    {"", ""},
    {"Auftragnehmer", ""},
    {"", ""},
    {"", ""},
    {"Geräteart", "Geraeteart"},
    {"Hersteller", "Hersteller"},
    {"Typenbezeichnung", "Typenbezeichnung"},
    {"Seriennummer", "Seriennummer"},
    {"Nennstrom [A]", "Nennstrom"},
    {"Nennspannung [V]", "Nennspannung"},
    {"Nennleistung [W]", "Nennleistung"},
    {"Prüfung", "Pruefung"},
    {"Schutzklasse", "Schutzklasse"},
    {"Prüfung OK", "Ordnung"},
    {"Messung 1", "Messung1"},
    {"", "Wert1"},
    {"", "Einheit1"},
    {"Messung 2", "Messung2"},
    {"", "Wert2"},
    {"", "Einheit2"},
    {"Messung 3", "Messung3"},
    {"", "Wert3"},
    {"", "Einheit3"},
    {"Besichtigung 1", "Besichtigung1"},
    {"Besichtigung 2", "Besichtigung2"},
    {"Besichtigung 3", "Besichtigung3"},
    {"Satz 1", "Satz1"},
    {"Satz 2", "Satz2"},
    {"Satz 3", "Satz3"},
    {"Satz 4", "Satz4"},
    {"nächste Prüfung", "Termin"},
    {"Fehler Zeile 1", "FehlerZeile1"},
    {"Fehler Zeile 2", "FehlerZeile2"},
    {"Fehler Zeile 3", "FehlerZeile3"},
    {"Rep.-Arbeiten Zeile 1", "RepArbeitenZeile1"},
    {"Rep.-Arbeiten Zeile 2", "RepArbeitenZeile2"},
    {"Rep.-Arbeiten Zeile 3", "RepArbeitenZeile3"},
    {"Ort", "Ort"},
    {"Datum", "Datum"},
    {"Quelle Datensatz", "Dateiname"},
};

// Columns 5 to 9 hold the addresses.
constexpr int kFirstAddressColumn = 4;

QString joined(const QStringList& fields) {
    QString line;
    for (const QString& field : fields)
        line += field + kSeparator;
    return line;
}

constexpr int kAddressColumns = 5;
constexpr char kSeparatorByte = '\xa7';
// Written to the file in pieces of about this size.
constexpr qsizetype kFlushBytes = 1 << 19;
constexpr int kRowsPerProgress = 1000;
// The column of the customer number among those read.
constexpr int kCustomerColumn = 2;

// A "§" inside a value ("Prüfung nach § 5") would split its field in two and
// shift every column after it, and a line break or another control character
// would split the line: the paragraph sign is written as its abbreviation, a
// control character as a blank.
void appendValue(QByteArray& out, QByteArrayView utf8) {
    const qsizetype from = out.size();
    cp1252::appendUtf8(out, utf8.data(), utf8.size());
    const auto needsCare = [](char c) { return c == kSeparatorByte || uchar(c) < 0x20; };
    if (std::none_of(out.cbegin() + from, out.cend(), needsCare))
        return;
    const QByteArray value = out.mid(from);
    out.truncate(from);
    for (const char c : value) {
        if (c == kSeparatorByte)
            out.append("Par.");
        else
            out.append(uchar(c) < 0x20 ? ' ' : c);
    }
}

QByteArray encoded(QByteArrayView utf8) {
    QByteArray out;
    appendValue(out, utf8);
    return out;
}

// Street and place of every customer and the contractor's three lines, read
// once for the whole export.
struct AddressBook {
    struct Lines {
        QByteArray street;
        QByteArray place;
    };
    QHash<qint64, Lines> customers;
    std::optional<std::array<QByteArray, 3>> contractor;
    QString error;

    explicit AddressBook(TableStore& store) {
        // The lowest row of a number wins, as a look-up in number order finds it.
        RowStream rows(
            store, QStringLiteral("SELECT \"Kundennummer\", \"Auftraggeber\", "
                                  "\"AuftraggeberStrasse\", \"AuftraggeberOrt\" FROM \"kunden\" "
                                  "ORDER BY \"Kundennummer\" DESC, rowid DESC"));
        while (rows.next()) {
            const qint64 number = rows.integer(0);
            customers.insert(number, {encoded(rows.text(2)), encoded(rows.text(3))});
            if (number == 0)
                contractor = {encoded(rows.text(1)), encoded(rows.text(2)), encoded(rows.text(3))};
        }
        error = rows.error();
    }
};

// The columns read from the table, in the file's order.
QString selectedColumns() {
    QStringList columns;
    for (const Column& column : kLayout)
        if (*column.field)
            columns << quoted(QLatin1String(column.field));
    return columns.join(QLatin1String(", "));
}

// "2011-12-31" → "31.12.2011"
void appendDate(QByteArray& out, QByteArrayView iso) {
    if (iso.size() != 10)
        return;
    out.append(iso.sliced(8, 2))
        .append('.')
        .append(iso.sliced(5, 2))
        .append('.')
        .append(iso.first(4));
}

void appendField(QByteArray& out, const RowStream& rows, int column, FieldType type) {
    if (rows.isNull(column))
        return;
    switch (type) {
    case FieldType::Text:
        appendValue(out, rows.text(column));
        break;
    case FieldType::Integer:
        out.append(QByteArray::number(rows.integer(column)));
        break;
    case FieldType::Boolean:
        out.append(rows.integer(column) ? "ja" : "nein");
        break;
    case FieldType::Date:
        appendDate(out, rows.text(column));
        break;
    }
}

qint64 countRows(const TableCursor& view) {
    RowStream count(
        const_cast<TableCursor&>(view).store(),
        QStringLiteral("SELECT count(*) FROM %1%2")
            .arg(quoted(view.tableName()), view.filterSql().isEmpty()
                                               ? QString()
                                               : QLatin1String(" WHERE ") + view.filterSql()),
        view.filterValues());
    return count.next() ? count.integer(0) : 0;
}

} // namespace

QString headerLine() {
    QStringList headers;
    for (const Column& column : kLayout)
        headers << QString::fromUtf8(column.header);
    return joined(headers);
}

ViewWritten writeView(const TableCursor& view, std::optional<qint64> onlyRow, QIODevice& file,
                      Progress& progress) {
    ViewWritten written;
    TableStore& store = const_cast<TableCursor&>(view).store();
    const AddressBook addresses(store);
    if (!addresses.error.isEmpty()) {
        written.error = addresses.error;
        return written;
    }
    const TableDefinition& table = view.definition();
    QList<FieldType> types;
    for (const Column& column : kLayout)
        if (*column.field)
            types << table.fields[table.indexOf(QLatin1String(column.field))].type;

    RowStream rows(store,
                   onlyRow ? QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                 .arg(selectedColumns(), quoted(view.tableName()))
                           : view.viewSql(selectedColumns()),
                   onlyRow ? QVariantList{*onlyRow} : view.filterValues());
    QByteArray out;
    out.reserve(kFlushBytes + (1 << 14));
    const auto flush = [&] {
        if (file.write(out) != out.size())
            written.error = file.errorString();
        out.clear();
    };
    while (written.error.isEmpty() && rows.next()) {
        if (written.rows == 0)
            out = cp1252::fromUnicode(headerLine()) + "\r\n";
        const AddressBook::Lines* lines = nullptr;
        if (!rows.isNull(kCustomerColumn) && rows.integer(kCustomerColumn) > 0) {
            const auto found = addresses.customers.constFind(rows.integer(kCustomerColumn));
            if (found != addresses.customers.constEnd())
                lines = &found.value();
            else
                written.customerMissing = true;
        }
        written.contractorMissing = !addresses.contractor;
        const QByteArray* addressLines[kAddressColumns] = {
            lines ? &lines->street : nullptr, lines ? &lines->place : nullptr,
            addresses.contractor ? &(*addresses.contractor)[0] : nullptr,
            addresses.contractor ? &(*addresses.contractor)[1] : nullptr,
            addresses.contractor ? &(*addresses.contractor)[2] : nullptr};
        int read = 0;
        for (int i = 0; i < kColumns; ++i) {
            if (*kLayout[i].field) {
                appendField(out, rows, read, types[read]);
                ++read;
            } else if (const QByteArray* address = addressLines[i - kFirstAddressColumn]) {
                out.append(*address);
            }
            out.append(kSeparatorByte);
        }
        out.append("\r\n");
        if (out.size() >= kFlushBytes)
            flush();
        if (++written.rows % kRowsPerProgress == 0 && !progress.update(written.rows)) {
            written.stopped = true;
            return written;
        }
    }
    if (written.error.isEmpty())
        written.error = rows.error();
    if (written.error.isEmpty())
        flush();
    return written;
}

bool exportRows(QString& savePath, Prompter& prompter, TableCursor& archive, TableCursor& customers,
                Scope scope) {
    const auto tell = [&](const QString& text, const QString& caption) {
        prompter.message(text, caption, Prompter::Buttons::Ok);
    };
    const QString notice = QStringLiteral("Hinweis");
    // The current row's addresses are looked up before the dialog, as its
    // messages concern the row the user sees.
    if (scope == Scope::CurrentRow && !archive.isEmpty())
        lookUpAddresses(customers, prompter, archive.integer(QStringLiteral("Kundennummer")));

    Prompter::FileDialog dialog = kSaveDialog;
    if (!savePath.isEmpty())
        dialog.fileName = QFileInfo(savePath).absolutePath();
    const auto path = prompter.saveFile(dialog);
    if (!path) {
        tell(QStringLiteral("Datei wurde nicht gespeichert! "), notice);
        return false;
    }
    savePath = *path;

    QSaveFile file(*path);
    ViewWritten written;
    if (file.open(QIODevice::WriteOnly)) {
        if (scope == Scope::AllRows) {
            const auto progress =
                prompter.progress({QStringLiteral("Daten-Export"), QStringLiteral("Export"),
                                   QStringLiteral("Datensätzen"), countRows(archive), true});
            written = writeView(archive, std::nullopt, file, *progress);
        } else if (!archive.isEmpty()) {
            const auto quiet = silentProgress();
            written = writeView(archive, archive.rowId(), file, *quiet);
        }
    }
    if (written.stopped) {
        file.cancelWriting();
        tell(QStringLiteral("Der Export wurde abgebrochen. Die Datei \"%1\" wurde nicht "
                            "geschrieben.")
                 .arg(QDir::toNativeSeparators(*path)),
             notice);
        return false;
    }
    if (scope == Scope::AllRows && written.error.isEmpty()) {
        if (written.rows == 0)
            tell(QStringLiteral("Sie haben keinen Datensatz ausgewählt."), notice);
        // Once each, however many rows they concern.
        if (written.customerMissing)
            tell(QStringLiteral("Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."),
                 notice);
        if (written.contractorMissing)
            tell(QStringLiteral("Der Auftragnehmer ist in der Datenbank nicht enthalten."), notice);
    }
    if (written.error.isEmpty() && file.commit())
        return true;
    const QString reason = written.error.isEmpty() ? file.errorString() : written.error;
    file.cancelWriting();
    tell(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
             .arg(QDir::toNativeSeparators(*path), reason),
         QStringLiteral("Fehler"));
    return false;
}

} // namespace text_export
