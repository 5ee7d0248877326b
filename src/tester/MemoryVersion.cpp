#include "MemoryVersion.h"

QString memoryVersionText(QChar letter, int protocolVersion, bool switched) {
    QChar shown = QLatin1Char('A');
    if (letter != QLatin1Char('A')) {
        if (protocolVersion >= 1 && protocolVersion <= 4)
            shown = QLatin1Char('B');
        else if (protocolVersion == 5 || protocolVersion == 6)
            shown = QLatin1Char('C');
        else if (protocolVersion == 8)
            shown = QLatin1Char('E');
        else if (protocolVersion >= 9)
            shown = switched ? QLatin1Char('E') : QLatin1Char('B');
        else
            shown = QLatin1Char('D');
    }
    return QStringLiteral("SW-Version Speicher : ") + shown;
}

QChar otherMemoryLetter(QChar letter) {
    return letter == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
}
