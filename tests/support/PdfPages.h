#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

// The pages of a PDF file as Qt writes them: one "/Type /Page" object each.
inline int pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}
