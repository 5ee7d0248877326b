#include "Keyset.h"

#include "SqlBinding.h"

namespace {

class Builder {
public:
    Builder(const QList<TableCursor::OrderTerm>& terms, const QVariantList& key,
            KeyComparison comparison)
        : terms_(terms)
        , key_(key)
        , comparison_(comparison) {}

    // The condition on terms from the given one on, the earlier ones equal.
    QString from(int i) {
        if (i == terms_.size())
            return comparison_ == KeyComparison::FromOn ? QStringLiteral("TRUE")
                                                        : QStringLiteral("FALSE");
        if (!nullableFrom(i))
            return rowValues(i);
        const QString& column = terms_[i].sql;
        const QVariant& value = key_[i];
        if (!value.isValid()) {
            // Among the NULLs only the later terms decide; every number comes after them.
            if (comparison_ == KeyComparison::Before)
                return QStringLiteral("(%1 IS NULL AND %2)").arg(column, from(i + 1));
            const QString rest = from(i + 1);
            return QStringLiteral("((%1 IS NULL AND %2) OR %1 IS NOT NULL)").arg(column, rest);
        }
        values_ << value << value;
        const QString rest = from(i + 1);
        if (comparison_ == KeyComparison::Before) {
            const QString nulls =
                terms_[i].nullable ? column + QLatin1String(" IS NULL OR ") : QString();
            return QStringLiteral("(%1%2 < ? OR (%2 = ? AND %3))").arg(nulls, column, rest);
        }
        return QStringLiteral("(%1 > ? OR (%1 = ? AND %2))").arg(column, rest);
    }

    QVariantList values() const { return values_; }

private:
    bool nullableFrom(int i) const {
        for (; i < terms_.size(); ++i)
            if (terms_[i].nullable)
                return true;
        return false;
    }

    QString rowValues(int i) {
        QStringList columns;
        for (int j = i; j < terms_.size(); ++j) {
            columns << terms_[j].sql;
            values_ << key_[j];
        }
        const char* op = comparison_ == KeyComparison::After    ? ") > ("
                         : comparison_ == KeyComparison::FromOn ? ") >= ("
                                                                : ") < (";
        return QLatin1Char('(') + columns.join(QLatin1String(", ")) + QLatin1String(op) +
               sql_binding::placeholders(columns.size()) + QLatin1Char(')');
    }

    const QList<TableCursor::OrderTerm>& terms_;
    const QVariantList& key_;
    KeyComparison comparison_;
    QVariantList values_;
};

} // namespace

KeysetCondition keysetCondition(const QList<TableCursor::OrderTerm>& terms, const QVariantList& key,
                                KeyComparison comparison) {
    Builder builder(terms, key, comparison);
    const QString sql = builder.from(0);
    return {sql, builder.values()};
}
