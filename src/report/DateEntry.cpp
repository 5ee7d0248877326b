#include "DateEntry.h"

#include <QDate>

std::optional<QString> checkDateEntry(const QString& text) {
    QString digits;
    for (const QChar c : text.left(10)) {
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    if (digits.size() != 8)
        return QStringLiteral(
            "Ihre Eingabe entspricht nicht dem geforderten Format. Bitte überprüfen.");
    // Day 00, month 00 and days past the month's end (31.02.) are no dates.
    const QDate date(digits.mid(4, 4).toInt(), digits.mid(2, 2).toInt(), digits.left(2).toInt());
    if (!date.isValid())
        return QStringLiteral("Dieses Datum gibt es nicht. Bitte überprüfen.");
    return std::nullopt;
}
