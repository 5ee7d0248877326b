#pragma once

#include <QByteArray>
#include <QString>

// Every byte that leaves or enters the program (protocol files, export files,
// tester bytes) is Windows-1252; inside, texts are QString.
namespace cp1252 {

// Characters that Windows-1252 cannot hold become '?'.
QByteArray fromUnicode(const QString& text);
QString toUnicode(const QByteArray& bytes);
QString toUnicode(const char* bytes, qsizetype length);
// UTF-8 text (as a database hands it out) appended as Windows-1252, without
// a detour through QString.
void appendUtf8(QByteArray& out, const char* utf8, qsizetype length);

} // namespace cp1252
