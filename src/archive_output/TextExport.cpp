#include "TextExport.h"

#include "common/AppState.h"
#include "common/Cp1252.h"
#include "tables/CustomerTable.h"
#include "tables/TableCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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

// A "§" inside a value ("Prüfung nach § 5") would split its field in two and
// shift every column after it; it is written as the word's abbreviation.
QString fieldText(const QString& value) {
    QString text = value;
    return text.replace(kSeparator, QStringLiteral("Par."));
}

QByteArray encodedLine(const QString& line) {
    return cp1252::fromUnicode(line) + "\r\n";
}

} // namespace

QString headerLine() {
    QStringList headers;
    for (const Column& column : kLayout)
        headers << QString::fromUtf8(column.header);
    return joined(headers);
}

QString rowLine(const TableCursor& archive, const Addresses& addresses) {
    const QString addressTexts[] = {addresses.customerStreet, addresses.customerPlace,
                                    addresses.contractorName, addresses.contractorStreet,
                                    addresses.contractorPlace};
    QStringList fields;
    for (int i = 0; i < kColumns; ++i) {
        const char* field = kLayout[i].field;
        fields << fieldText(*field ? archive.text(QLatin1String(field))
                                   : addressTexts[i - kFirstAddressColumn]);
    }
    return joined(fields);
}

Addresses lookUpAddresses(TableCursor& customers, Prompter& prompter, qint64 customerNumber) {
    Addresses addresses;
    if (!customers.open() || !customers.setIndexName(QStringLiteral("Standard")))
        return addresses;
    if (customerNumber > 0) {
        if (customer_table::findByNumber(customers, customerNumber)) {
            addresses.customerStreet = customers.text(QStringLiteral("AuftraggeberStrasse"));
            addresses.customerPlace = customers.text(QStringLiteral("AuftraggeberOrt"));
        } else {
            prompter.message(
                QStringLiteral("Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."),
                QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        }
    }
    if (customer_table::findByNumber(customers, 0)) {
        addresses.contractorName = customers.text(QStringLiteral("Auftraggeber"));
        addresses.contractorStreet = customers.text(QStringLiteral("AuftraggeberStrasse"));
        addresses.contractorPlace = customers.text(QStringLiteral("AuftraggeberOrt"));
    } else {
        prompter.message(QStringLiteral("Der Auftragnehmer ist in der Datenbank nicht enthalten."),
                         QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
    }
    customers.close();
    return addresses;
}

bool exportRows(AppState& state, Prompter& prompter, TableCursor& archive, TableCursor& customers,
                Scope scope) {
    const auto lineOfCurrentRow = [&] {
        const Addresses addresses =
            lookUpAddresses(customers, prompter, archive.integer(QStringLiteral("Kundennummer")));
        return encodedLine(rowLine(archive, addresses));
    };
    QByteArray content;
    // The current row's addresses are looked up before the dialog, as its
    // messages concern the row the user sees.
    if (scope == Scope::CurrentRow && !archive.isEmpty())
        content = encodedLine(headerLine()) + lineOfCurrentRow();

    Prompter::FileDialog dialog = kSaveDialog;
    if (!state.savePath.isEmpty())
        dialog.fileName = QFileInfo(state.savePath).absolutePath();
    const auto path = prompter.saveFile(dialog);
    if (!path) {
        prompter.message(QStringLiteral("Datei wurde nicht gespeichert! "),
                         QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        return false;
    }
    state.savePath = *path;

    if (scope == Scope::AllRows) {
        const qint64 stoodOn = archive.rowId();
        if (archive.first()) {
            content = encodedLine(headerLine());
            do
                content += lineOfCurrentRow();
            while (archive.next());
            archive.gotoRowId(stoodOn);
        } else {
            prompter.message(QStringLiteral("Sie haben keinen Datensatz ausgewählt."),
                             QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        }
    }

    QSaveFile file(*path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    prompter.message(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                         .arg(QDir::toNativeSeparators(*path), file.errorString()),
                     QStringLiteral("Fehler"), Prompter::Buttons::Ok);
    return false;
}

} // namespace text_export
