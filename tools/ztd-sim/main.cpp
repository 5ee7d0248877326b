// ztd-sim: a simulated appliance tester on a pseudo-terminal, so that ztd can
// be driven end to end without an instrument.
#include "PtyServer.h"
#include "RunScript.h"
#include "TesterModel.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

std::optional<int> byteValue(const QString& text) {
    bool ok = false;
    const int value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                          ? text.mid(2).toInt(&ok, 16)
                          : text.toInt(&ok, 10);
    if (ok && value >= 0 && value <= 255)
        return value;
    if (text.size() == 1)
        return text.at(0).toLatin1();
    return std::nullopt;
}

bool readFile(const QString& path, QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

bool readScript(const QString& path, RunScript& script, QString* error) {
    QByteArray text;
    if (!readFile(path, text, error))
        return false;
    QString why;
    const auto parsed = parseRunScript(QString::fromLatin1(text), &why);
    if (!parsed) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    script = *parsed;
    return true;
}

bool configure(const QStringList& arguments, TesterConfig& config, QString* error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulierter Gerätetester auf einem Pseudo-Terminal. Die erste Zeile der Ausgabe nennt "
        "das Gerät (für ztd --port COM1=GERÄT), danach jedes Byte: \"<Sekunden> <- 66\" "
        "empfangen, \"<Sekunden> -> 83\" gesendet. Eingaben 1, 2, 4, 5, J, N drücken die "
        "Tasten des Testers."));
    parser.addHelpOption();
    const QCommandLineOption versions(
        QStringLiteral("versions"),
        QStringLiteral("Angenommene Protokollversionen (Standard 10; none: keine)."),
        QStringLiteral("LISTE"), QStringLiteral("10"));
    const QCommandLineOption status(QStringLiteral("status"),
                                    QStringLiteral("Statusbyte (Standard 0x10)."),
                                    QStringLiteral("BYTE"), QStringLiteral("0x10"));
    const QCommandLineOption entries(QStringLiteral("entries"),
                                     QStringLiteral("Anzahl Beispieleinträge im Speicher."),
                                     QStringLiteral("N"), QStringLiteral("5"));
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("Speichereinträge aus Datei (je 32 Byte)."),
                                    QStringLiteral("DATEI"));
    const QCommandLineOption chunk(QStringLiteral("chunk"),
                                   QStringLiteral("Bytes je Stück des Speicherabbilds."),
                                   QStringLiteral("N"), QStringLiteral("64"));
    const QCommandLineOption hand(QStringLiteral("hand-script"),
                                  QStringLiteral("Messablauf im Handbetrieb."),
                                  QStringLiteral("DATEI"));
    const QCommandLineOption automatic(QStringLiteral("auto-script"),
                                       QStringLiteral("Messablauf im Automatikbetrieb."),
                                       QStringLiteral("DATEI"));
    const QCommandLineOption correction(
        QStringLiteral("correction"),
        QStringLiteral("Antwort auf die Nullpunktkorrektur (Standard r)."), QStringLiteral("BYTE"),
        QStringLiteral("r"));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("Fehler: silent (antwortet nie), cut=N (Antworten um N Byte gekürzt), "
                       "garbage=HEX (sendet diese Bytes statt jeder Antwort)."),
        QStringLiteral("FEHLER"));
    parser.addOptions(
        {versions, status, entries, memory, chunk, hand, automatic, correction, fault});
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        std::exit(0);
    }

    config.acceptedVersions.clear();
    // "none": a tester that refuses every version the program offers.
    const QString versionList = parser.value(versions);
    const QStringList versionTexts = versionList == QLatin1String("none")
                                         ? QStringList()
                                         : versionList.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& v : versionTexts) {
        const auto value = byteValue(v.trimmed());
        if (!value || *value < 1 || *value > 10) {
            *error = QStringLiteral("ungültige Version \"%1\"").arg(v);
            return false;
        }
        config.acceptedVersions.insert(*value);
    }
    const auto statusByte = byteValue(parser.value(status));
    const auto correctionByte = byteValue(parser.value(correction));
    if (!statusByte || !correctionByte) {
        *error = QStringLiteral("ungültiges Byte bei --status oder --correction");
        return false;
    }
    config.statusByte = static_cast<std::uint8_t>(*statusByte);
    config.correctionReply = static_cast<std::uint8_t>(*correctionByte);
    config.memoryChunkSize = std::max(parser.value(chunk).toInt(), 1);
    if (parser.isSet(memory)) {
        if (!readFile(parser.value(memory), config.memoryEntries, error))
            return false;
    } else {
        config.memoryEntries = sampleMemoryEntries(std::max(parser.value(entries).toInt(), 0));
    }
    if (parser.isSet(hand) && !readScript(parser.value(hand), config.handRun, error))
        return false;
    if (parser.isSet(automatic) && !readScript(parser.value(automatic), config.autoRun, error))
        return false;
    for (const QString& f : parser.values(fault)) {
        if (f == QLatin1String("silent"))
            config.silent = true;
        else if (f.startsWith(QLatin1String("cut=")))
            config.cutShortBy = f.mid(4).toInt();
        else if (f.startsWith(QLatin1String("garbage=")))
            config.garbage = QByteArray::fromHex(f.mid(8).toLatin1());
        else {
            *error = QStringLiteral("unbekannter Fehler \"%1\"").arg(f);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    TesterConfig config;
    QString error;
    if (!configure(arguments, config, &error)) {
        std::fprintf(stderr, "ztd-sim: %s\n", qPrintable(error));
        return 1;
    }
    TesterModel tester(config);
    PtyServer server(tester, stdout);
    if (!server.open(&error)) {
        std::fprintf(stderr, "ztd-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.devicePath()));
    std::fflush(stdout);
    server.serve();
    return 0;
}
