#include "FindFields.h"

#include "RecordTransfer.h"

#include <QStringList>

#include <algorithm>

namespace find_fields {

const std::array<FindField, kCount>& fields() {
    using enum ValueCheck;
    static const std::array<FindField, kCount> table{{
        {"Zaehler", "lfd. Nr.", "lfd. Nr.", Digits, false},
        {"AuftragNr", "Auftrag Nr.", "Auftrag Nr.", None, true},
        {"Kundennummer", "Kundennummer", "Kundennummer", Digits, true},
        {"Auftraggeber", "Auftraggeber", "Auftraggeber", None, true},
        {"Geraeteart", "Geräteart", "Geräteart", None, true},
        {"Hersteller", "Hersteller", "Hersteller", None, true},
        {"Typenbezeichnung", "Typenbezeichnung", "Typenbezeichnung", None, true},
        {"Seriennummer", "Seriennummer", "Seriennummer", None, true},
        {"Nennstrom", "Nennstrom", "Nennstrom", None, true},
        {"Nennspannung", "Nennspannung", "Nennspannung", None, true},
        {"Nennleistung", "Nennleistung", "Nennleistung", None, true},
        {"Pruefung", "Prüfung", "Prüfung nach 0701/0702", None, true},
        {"Schutzklasse", "Schutzklasse", "Schutzklasse", None, true},
        {"Alles", "Messwerte", "Messwerte", None, true},
        {"Besichtigung1", "Besichtigung 1", "Besichtigung 1", YesNo, false},
        {"Besichtigung2", "Besichtigung 2", "Besichtigung 2", YesNo, false},
        {"Besichtigung3", "Besichtigung 3", "Besichtigung 3", YesNo, false},
        {"Satz1", "Satz 1", "Satz 1", YesNo, false},
        {"Satz2", "Satz 2", "Satz 2", YesNo, false},
        {"Satz3", "Satz 3", "Satz 3", YesNo, false},
        {"Satz4", "Satz 4", "Satz 4", YesNo, false},
        {"Termin", "nächste Prüfung", "nächste Prüfung", Date, false},
        {"Ort", "Ort", "Ort", None, true},
        {"Datum", "Datum", "Datum", Date, false},
    }};
    return table;
}

bool isDigits(const QString& value) {
    return !value.isEmpty() &&
           std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::optional<QString> yesNoValue(const QString& value) {
    static const QStringList yes{QStringLiteral("j"), QStringLiteral("J"), QStringLiteral("ja"),
                                 QStringLiteral("Ja")};
    static const QStringList no{QStringLiteral("n"), QStringLiteral("N"), QStringLiteral("nein"),
                                QStringLiteral("Nein")};
    if (yes.contains(value))
        return QStringLiteral("1");
    if (no.contains(value))
        return QStringLiteral("0");
    return std::nullopt;
}

bool passes(ValueCheck check, const QString& value) {
    switch (check) {
    case ValueCheck::None:
        return true;
    case ValueCheck::Digits:
        return isDigits(value);
    case ValueCheck::Date:
        return record_transfer::isValidDateText(value);
    case ValueCheck::YesNo:
        return yesNoValue(value).has_value();
    }
    return false;
}

} // namespace find_fields
