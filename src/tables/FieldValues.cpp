#include "FieldValues.h"

namespace field_values {

std::optional<QDate> parseDate(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 3)
        return std::nullopt;
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        const bool digitsOnly =
            !parts[i].isEmpty() &&
            std::all_of(parts[i].begin(), parts[i].end(), [](QChar c) { return c.isDigit(); });
        if (!ok || !digitsOnly)
            return std::nullopt;
    }
    const int yearDigits = int(parts[2].size());
    if (parts[0].size() > 2 || parts[1].size() > 2 || yearDigits == 3 || yearDigits > 4)
        return std::nullopt;
    const int year = yearDigits <= 2 ? 2000 + numbers[2] : numbers[2];
    const QDate date(year, numbers[1], numbers[0]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<bool> parseYesNo(const QString& text) {
    const QString lower = text.trimmed().toLower();
    if (lower.isEmpty())
        return std::nullopt;
    if (QStringLiteral("ja").startsWith(lower))
        return true;
    if (QStringLiteral("nein").startsWith(lower))
        return false;
    return std::nullopt;
}

QVariant emptyValue(const FieldDefinition& field) {
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Date:
        return QString();
    case FieldType::Integer:
    case FieldType::Boolean:
        break;
    }
    return qint64(0);
}

QString dateToStored(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<QVariant> fromText(const FieldDefinition& field, const QString& text,
                                 QString* error) {
    switch (field.type) {
    case FieldType::Text:
        return QVariant(text.left(field.size));
    case FieldType::Integer: {
        if (text.trimmed().isEmpty())
            return QVariant(qint64(0));
        bool ok = false;
        const int number = text.trimmed().toInt(&ok);
        if (ok)
            return QVariant(qint64(number));
        *error = QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
        return std::nullopt;
    }
    case FieldType::Boolean: {
        if (text.trimmed().isEmpty())
            return QVariant(qint64(0));
        if (const auto yes = parseYesNo(text))
            return QVariant(qint64(*yes ? 1 : 0));
        *error = QStringLiteral("'%1' ist kein gültiger Wert: nur ja oder nein").arg(text);
        return std::nullopt;
    }
    case FieldType::Date: {
        if (text.trimmed().isEmpty())
            return QVariant(QString());
        if (const auto date = parseDate(text))
            return QVariant(dateToStored(*date));
        *error = QStringLiteral("'%1' ist kein gültiges Datum").arg(text);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

std::optional<QVariant> toStored(const FieldDefinition& field, const QVariant& value,
                                 QString* error) {
    if (value.typeId() == QMetaType::QDate && field.type == FieldType::Date)
        return QVariant(dateToStored(value.toDate()));
    if (value.typeId() == QMetaType::QString || field.type == FieldType::Text ||
        field.type == FieldType::Date)
        return fromText(field, value.toString(), error);
    if (field.type == FieldType::Boolean)
        return QVariant(qint64(value.toBool() ? 1 : 0));
    return QVariant(value.toLongLong());
}

QString toText(const FieldDefinition& field, const QVariant& stored) {
    switch (field.type) {
    case FieldType::Text:
        return stored.toString();
    case FieldType::Integer:
        return QString::number(stored.toLongLong());
    case FieldType::Boolean:
        return stored.toLongLong() ? QStringLiteral("ja") : QStringLiteral("nein");
    case FieldType::Date: {
        const QDate date = QDate::fromString(stored.toString(), Qt::ISODate);
        return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    }
    return {};
}

} // namespace field_values
