#include "FilterExpression.h"

#include "FieldValues.h"

#include <optional>

namespace {

class FilterParser {
public:
    FilterParser(const QString& text, const TableDefinition& table)
        : text_(text)
        , table_(table) {}

    CompiledFilter parse() {
        skipBlanks();
        if (atEnd())
            return {};
        for (;;) {
            if (!condition())
                return failed();
            skipBlanks();
            if (atEnd())
                break;
            const QString link = keyword();
            if (link.isEmpty()) {
                error_ = QStringLiteral("an Stelle %1 wird AND oder OR erwartet").arg(pos_ + 1);
                return failed();
            }
            result_.sql += QLatin1Char(' ') + link + QLatin1Char(' ');
            skipBlanks();
        }
        return result_;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_.at(pos_); }
    void skipBlanks() {
        while (!atEnd() && peek().isSpace())
            ++pos_;
    }

    // AND or OR at the current place, followed by a blank; empty if neither.
    QString keywordAt(qsizetype at) const {
        for (const char* keyword : {"AND", "OR"}) {
            const QString word = QLatin1String(keyword);
            const qsizetype after = at + word.size();
            if (text_.mid(at, word.size()).compare(word, Qt::CaseInsensitive) == 0 &&
                after < text_.size() && text_.at(after).isSpace())
                return word;
        }
        return {};
    }

    // A lone apostrophe ends a quoted value only where the text ends or AND / OR follows.
    bool closesValue(qsizetype apostrophe) const {
        qsizetype after = apostrophe + 1;
        while (after < text_.size() && text_.at(after).isSpace())
            ++after;
        return after == text_.size() || !keywordAt(after).isEmpty();
    }

    QString keyword() {
        const QString word = keywordAt(pos_);
        pos_ += word.size();
        return word;
    }

    bool condition() {
        const qsizetype start = pos_;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == QLatin1Char('_')))
            ++pos_;
        const QString fieldName = text_.mid(start, pos_ - start);
        if (fieldName.isEmpty()) {
            error_ = QStringLiteral("an Stelle %1 wird ein Feldname erwartet").arg(start + 1);
            return false;
        }
        const int fieldIndex = table_.indexOf(fieldName);
        if (fieldIndex < 0) {
            error_ = QStringLiteral("das Feld %1 gibt es nicht").arg(fieldName);
            return false;
        }
        const FieldDefinition& field = table_.fields[fieldIndex];
        skipBlanks();
        const QString op = comparison();
        if (op.isEmpty()) {
            error_ =
                QStringLiteral("nach %1 fehlt der Vergleich (=, <, >, <>, >=, <=)").arg(fieldName);
            return false;
        }
        skipBlanks();
        const std::optional<QString> value = valueText();
        if (!value)
            return false;
        const std::optional<QVariant> bound = convert(field, *value);
        if (!bound)
            return false;
        const QString column = quoted(field.name);
        if (field.type == FieldType::Date)
            // An empty date passes no comparison.
            result_.sql += QStringLiteral("(%1 <> '' AND %1 %2 ?)").arg(column, op);
        else
            result_.sql += QStringLiteral("%1 %2 ?").arg(column, op);
        result_.values << *bound;
        return true;
    }

    QString comparison() {
        for (const char* op : {"<=", ">=", "<>", "=", "<", ">"}) {
            const QString candidate = QLatin1String(op);
            if (text_.mid(pos_, candidate.size()) == candidate) {
                pos_ += candidate.size();
                return candidate;
            }
        }
        return {};
    }

    std::optional<QString> valueText() {
        if (peek() == QLatin1Char('\'')) {
            QString value;
            for (qsizetype at = pos_ + 1; at < text_.size(); ++at) {
                if (text_.at(at) != QLatin1Char('\'')) {
                    value += text_.at(at);
                    continue;
                }
                if (at + 1 < text_.size() && text_.at(at + 1) == QLatin1Char('\'')) {
                    value += QLatin1Char('\'');
                    ++at;
                    continue;
                }
                if (closesValue(at)) {
                    pos_ = at + 1;
                    return value;
                }
                value += QLatin1Char('\'');
            }
            error_ = QStringLiteral("das schließende Hochkomma fehlt");
            return std::nullopt;
        }
        const qsizetype start = pos_;
        while (!atEnd() && !peek().isSpace())
            ++pos_;
        if (pos_ == start) {
            error_ = QStringLiteral("an Stelle %1 fehlt der Wert").arg(start + 1);
            return std::nullopt;
        }
        return text_.mid(start, pos_ - start);
    }

    std::optional<QVariant> convert(const FieldDefinition& field, const QString& value) {
        switch (field.type) {
        case FieldType::Text:
            // A null text would be bound as NULL, which no stored text equals.
            return QVariant(value.isNull() ? QStringLiteral("") : value);
        case FieldType::Integer: {
            bool ok = false;
            const qint64 number = value.trimmed().toLongLong(&ok);
            if (ok)
                return QVariant(number);
            error_ = QStringLiteral("'%1' ist keine Zahl für das Feld %2").arg(value, field.name);
            return std::nullopt;
        }
        case FieldType::Boolean: {
            const QString trimmed = value.trimmed();
            if (trimmed == QLatin1String("1") || trimmed == QLatin1String("0"))
                return QVariant(qint64(trimmed == QLatin1String("1")));
            if (const auto yes = field_values::parseYesNo(trimmed))
                return QVariant(qint64(*yes));
            error_ = QStringLiteral("'%1' ist kein Wahrheitswert (1 oder 0) für das Feld %2")
                         .arg(value, field.name);
            return std::nullopt;
        }
        case FieldType::Date:
            if (const auto date = field_values::parseDate(value))
                return QVariant(field_values::dateToStored(*date));
            error_ = QStringLiteral("'%1' ist kein gültiges Datum für das Feld %2")
                         .arg(value, field.name);
            return std::nullopt;
        }
        return std::nullopt;
    }

    CompiledFilter failed() const {
        CompiledFilter filter;
        filter.error = QStringLiteral("Der Filter \"%1\" ist ungültig: %2.").arg(text_, error_);
        return filter;
    }

    const QString& text_;
    const TableDefinition& table_;
    qsizetype pos_ = 0;
    QString error_;
    CompiledFilter result_;
};

} // namespace

CompiledFilter compileFilter(const QString& text, const TableDefinition& table) {
    return FilterParser(text, table).parse();
}
