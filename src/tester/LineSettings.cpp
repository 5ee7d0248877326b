#include "LineSettings.h"

#include <QRegularExpression>

LineSettings LineSettings::fromModeText(const QString& text) {
    LineSettings settings;
    static const QRegularExpression pair(QStringLiteral("(\\w+)=(\\w+)"));
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString key = match.captured(1).toLower();
        const QString value = match.captured(2);
        if (key == QLatin1String("baud"))
            settings.baudRate = value.toInt();
        else if (key == QLatin1String("parity"))
            settings.parity = value.toUpper().at(0).toLatin1();
        else if (key == QLatin1String("data"))
            settings.dataBits = value.toInt();
        else if (key == QLatin1String("stop"))
            settings.stopBits = value.toInt();
    }
    return settings;
}

void LineSettings::adjustForTester() {
    binary = true;
    parityCheck = false;
    ctsOutputFlow = true;
    dsrOutputFlow = false;
    dtrOn = false;
    rtsHandshake = true;
}
