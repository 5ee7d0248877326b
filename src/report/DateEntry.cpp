#include "DateEntry.h"

#include <QDate>

std::optional<DateEntryProblem> dateEntryProblem(const QString& text) {
    QString digits;
    for (const QChar c : text.left(10)) {
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    if (digits.size() != 8)
        return DateEntryProblem::Format;
    // Day 00, month 00 and days past the month's end (31.02.) are no dates.
    const QDate date(digits.mid(4, 4).toInt(), digits.mid(2, 2).toInt(), digits.left(2).toInt());
    if (!date.isValid())
        return DateEntryProblem::NoSuchDate;
    return std::nullopt;
}

std::optional<QString> checkDateEntry(const QString& text) {
    const auto problem = dateEntryProblem(text);
    if (!problem)
        return std::nullopt;
    return *problem == DateEntryProblem::Format
               ? QStringLiteral(
                     "Ihre Eingabe entspricht nicht dem geforderten Format. Bitte überprüfen.")
               : QStringLiteral("Dieses Datum gibt es nicht. Bitte überprüfen.");
}
