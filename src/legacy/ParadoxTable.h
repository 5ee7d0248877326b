#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <memory>
#include <optional>
#include <variant>

struct px_doc;

// One field of a Paradox table as its header declares it.
struct ParadoxField {
    enum class Kind { Text, Date, Integer, Logical, Other };
    QString name;
    Kind kind = Kind::Other;
    // Characters of a text field; bytes of the others.
    int size = 0;
};

// A Paradox table (*.DB) read row by row. The header is checked before the
// library sees it: pxlib loops forever on some damaged or encrypted headers.
class ParadoxTable {
public:
    // The table, or the German reason why it cannot be read.
    static std::variant<std::unique_ptr<ParadoxTable>, QString> open(const QString& path);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const QList<ParadoxField>& fields() const { return fields_; }
    int indexOf(const QString& fieldName) const;
    int rowCount() const { return rowCount_; }
    // The row's values in field order: a QString (from Windows-1252), a
    // qint64, a bool, a QDate (an invalid one for a day no calendar of the
    // archive's time has), or an invalid QVariant for an empty field.
    // Nothing when the row cannot be read.
    std::optional<QVariantList> row(int index);

private:
    ParadoxTable() = default;

    px_doc* doc_ = nullptr;
    QList<ParadoxField> fields_;
    int rowCount_ = 0;
    QByteArray record_;
};
