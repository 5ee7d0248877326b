#pragma once

#include <QString>

// The software letter of the tester's measurement memory ('A' or 'B') as
// the user sees it: "SW-Version Speicher : A" … "SW-Version Speicher : E".
// With 'B' the text depends on the tester's protocol version, and for
// versions 9 and 10 also on whether the letter was just switched.
QString memoryVersionText(QChar letter, int protocolVersion, bool switched);
// 'A' ↔ 'B'.
QChar otherMemoryLetter(QChar letter);
