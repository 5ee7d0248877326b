#include "ArchiveFilter.h"

#include "FindFields.h"
#include "tables/TableCursor.h"

#include <algorithm>

void FilterConditions::clear() {
    rows = 1;
    field.fill(0);
    op.fill(0);
    link.fill(0);
    value.fill(QString());
}

namespace archive_filter {
namespace {

// Field position 0 is "none"; the archive fields follow from position 1.
const find_fields::FindField* fieldAt(int position) {
    if (position < 1 || position > find_fields::kCount)
        return nullptr;
    return &find_fields::fields()[position - 1];
}

find_fields::ValueCheck checkOf(int position) {
    const find_fields::FindField* field = fieldAt(position);
    return field ? field->check : find_fields::ValueCheck::None;
}

CheckResult refused(const QString& message) {
    return {false, message, QStringLiteral("Fehler")};
}

} // namespace

QStringList fieldLabels() {
    QStringList labels{QString()};
    for (const find_fields::FindField& field : find_fields::fields())
        labels << QString::fromUtf8(field.filterLabel);
    return labels;
}

const QStringList& operators() {
    static const QStringList list{QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),
                                  QStringLiteral("<>"), QStringLiteral(">="), QStringLiteral("<=")};
    return list;
}

const QStringList& linkLabels() {
    static const QStringList list{QString(), QStringLiteral("und"), QStringLiteral("oder")};
    return list;
}

bool isYesNoField(int position) {
    return checkOf(position) == find_fields::ValueCheck::YesNo;
}

CheckResult check(FilterConditions& c) {
    using find_fields::ValueCheck;
    const int rows = std::clamp(c.rows, 1, FilterConditions::kMaxRows);
    for (int k = 2; k <= rows; ++k)
        if (c.field[k - 1] == 0)
            return refused(QStringLiteral("Es wurde kein Spaltenname für Bedingung Nr.%1  "
                                          "ausgewählt.")
                               .arg(k));
    CheckResult result;
    if (c.field[0] == 0) {
        if (rows > 1)
            return refused(
                QStringLiteral("Es wurde kein Spaltenname für Bedingung Nr.1 ausgewählt."));
        result = {true,
                  QStringLiteral("Es wurde kein Spaltenname für Bedingung Nr.1 ausgewählt. Es "
                                 "kann keine Filterung ausgeführt werden."),
                  QStringLiteral("Hinweis")};
    }
    for (int k = 1; k <= rows; ++k)
        if (c.field[k - 1] != 0 && c.value[k - 1].isEmpty())
            return refused(
                QStringLiteral("Es wurde kein Text für Bedingung Nr.%1  eingegeben.").arg(k));
    for (int k = 2; k <= rows; ++k)
        if (c.link[k - 2] == 0)
            return refused(QStringLiteral("Die Auswahl der Verknüpfung zwischen Bedingung Nr. %1 "
                                          "und Nr. %2 fehlt")
                               .arg(k - 1)
                               .arg(k));
    const struct {
        ValueCheck check;
        const char* message;
    } passes[] = {
        {ValueCheck::Digits, "Im Text für Bedingung Nr. %1 sind nur Zahlen zulässig, keine "
                             "Buchstaben und Sonderzeichen"},
        {ValueCheck::Date, "Der Text für Bedingung Nr. %1 stellt kein gültiges Datum dar: "
                           "tt.mm.jjjj"},
        {ValueCheck::YesNo, "Im Text für Bedingung Nr. %1 sind nur j, ja, n, nein zulässig"},
    };
    for (const auto& pass : passes)
        for (int k = 1; k <= rows; ++k)
            if (checkOf(c.field[k - 1]) == pass.check &&
                !find_fields::passes(pass.check, c.value[k - 1]))
                return refused(QString::fromUtf8(pass.message).arg(k));
    for (int k = 1; k <= rows; ++k)
        if (isYesNoField(c.field[k - 1]))
            c.value[k - 1] = *find_fields::yesNoValue(c.value[k - 1]);
    return result;
}

QString filterText(const FilterConditions& c) {
    static const QStringList links{QString(), QStringLiteral(" AND "), QStringLiteral(" OR ")};
    QString text;
    for (int k = 1; k <= FilterConditions::kMaxRows; ++k) {
        const find_fields::FindField* field = fieldAt(c.field[k - 1]);
        if (!field)
            continue;
        if (k >= 2)
            text += links.value(c.link[k - 2]);
        text += QLatin1String(field->field) + operators().value(c.op[k - 1]);
        if (field->quoted)
            // Doubled, an apostrophe stays part of the value whatever follows it.
            text += QLatin1Char('\'') +
                    QString(c.value[k - 1]).replace(QLatin1Char('\''), QLatin1String("''")) +
                    QLatin1Char('\'');
        else
            text += QLatin1Char(' ') + c.value[k - 1] + QLatin1Char(' ');
    }
    return text;
}

bool apply(TableCursor& archive, const QString& text) {
    if (!archive.setFilter(text))
        return false;
    // Setting the filter (or switching it on) re-reads the rows once.
    return archive.filtered() || archive.setFiltered(true);
}

bool isActive(const QString& text) {
    return text.size() > 1;
}

QString archiveCaption(const QString& text) {
    return isActive(text) ? QStringLiteral("Archiv        (Filter aktiv)")
                          : QStringLiteral("Archiv ");
}

} // namespace archive_filter
