#include "ArchiveSearch.h"

#include "FindFields.h"
#include "common/Prompter.h"
#include "tables/TableCursor.h"

namespace {
const QString kMark = QStringLiteral("Gefunden");
} // namespace

namespace archive_search {

CheckedValue checkValue(int entry, const QString& typed) {
    const QString value = typed.trimmed();
    if (entry < 0 || entry >= find_fields::kCount)
        return {value, {}};
    switch (find_fields::fields()[entry].check) {
    case find_fields::ValueCheck::None:
        break;
    case find_fields::ValueCheck::Digits:
        if (!find_fields::isDigits(value))
            return {value, QStringLiteral("Im Text für die Suchbedingung  sind nur Zahlen "
                                          "zulässig, keine Buchstaben und Sonderzeichen")};
        break;
    case find_fields::ValueCheck::Date:
        if (!find_fields::passes(find_fields::ValueCheck::Date, value))
            return {value, QStringLiteral("Der Text für die Suchbedingung stellt kein gültiges "
                                          "Datum dar: tt.mm.jjjj")};
        break;
    case find_fields::ValueCheck::YesNo:
        if (const auto yesNo = find_fields::yesNoValue(value))
            return {*yesNo, {}};
        return {value,
                QStringLiteral("Im Text für die Suchbedingung sind nur j, ja, n, nein zulässig")};
    }
    return {value, {}};
}

} // namespace archive_search

ArchiveSearch::ArchiveSearch(TableCursor& archive, Prompter& prompter)
    : archive_(archive)
    , prompter_(prompter) {}

bool ArchiveSearch::clearMarks() {
    return archive_.setValueInAllRows(kMark, false) >= 0;
}

bool ArchiveSearch::search(const SearchRequest& request) {
    request_ = request;
    return locateAndMark(false);
}

bool ArchiveSearch::continueSearch() {
    return locateAndMark(true);
}

bool ArchiveSearch::locateAndMark(bool unmarkedOnly) {
    const int index = archive_.definition().indexOf(request_.field);
    // A yes/no field is searched for its truth value, every other field for its text.
    const bool yesNo = index >= 0 && archive_.definition().fields[index].type == FieldType::Boolean;
    const QVariant value =
        yesNo ? QVariant(request_.value == QLatin1String("1")) : QVariant(request_.value);
    LocateOptions options;
    options.partialKey = true;
    const bool found = unmarkedOnly ? archive_.locate(kMark + QLatin1Char(';') + request_.field,
                                                      {false, value}, options)
                                    : archive_.locate(request_.field, {value}, options);
    if (!found) {
        prompter_.message(QStringLiteral("Suche erfolglos"), QStringLiteral("Ergebnis"),
                          Prompter::Buttons::Ok);
        return false;
    }
    // The mark alone is written: finding a row does not edit it.
    return archive_.setValueInCurrentRow(kMark, true);
}
