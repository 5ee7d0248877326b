#pragma once

#include <QStringList>
#include <QVariant>

namespace sql_binding {

// Qt binds a null text as NULL; our columns hold "" instead.
inline QVariant bindable(const QVariant& value) {
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

// "?, ?, ?" for that many values.
inline QString placeholders(qsizetype count) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1String(", "));
}

} // namespace sql_binding
