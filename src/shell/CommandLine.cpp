#include "CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <optional>

namespace {
// "COM3=/dev/ttyUSB0" → slot 2 and the device; nothing when it is malformed.
std::optional<std::pair<int, QString>> portBinding(const QString& value) {
    static const QRegularExpression form(QStringLiteral("^COM([1-6])=(.+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    return std::make_pair(match.captured(1).toInt() - 1, match.captured(2));
}
} // namespace

ProgramOptions parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prüfprotokolle und Fernbedienung für den Gerätetester 0701/0702"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Zeigt diese Hilfe."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Zeigt die Version des Programms."));
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Ordner mit den Tabellen (Archiv und Kunden)."),
                                  QStringLiteral("ORDNER"));
    const QCommandLineOption printPdf(
        QStringLiteral("print-pdf"),
        QStringLiteral("Druckt das Prüfprotokoll der Protokolldatei DATEI.pro als PDF-Datei "
                       "AUSGABE.pdf, ohne ein Fenster zu öffnen."));
    const QCommandLineOption exportAll(
        QStringLiteral("export"),
        QStringLiteral("Schreibt alle Archiv-Datensätze in Nummernfolge als Text-Export in die "
                       "Datei TEXT.txt, wie \"Daten-Export\" \"komplett\" im Archiv, ohne ein "
                       "Fenster zu öffnen."),
        QStringLiteral("TEXT.txt"));
    const QCommandLineOption importFiles(
        QStringLiteral("import"),
        QStringLiteral("Übernimmt die Protokolldateien DATEI.pro … ins Archiv, wie \"aus "
                       "Dateien\" im Archiv, ohne ein Fenster zu öffnen. Neue Kunden und nicht "
                       "übernommene Dateien werden genannt."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(printPdf);
    parser.addOption(exportAll);
    parser.addOption(importFiles);
    parser.addOption(data);
    parser.addPositionalArgument(QStringLiteral("DATEI.pro AUSGABE.pdf"),
                                 QStringLiteral("Die Dateien zu --print-pdf."));
    parser.addPositionalArgument(QStringLiteral("DATEI.pro …"),
                                 QStringLiteral("Die Dateien zu --import."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Ordnet der Schnittstelle COMn (1 bis 6) ein Gerät zu, z. B. "
                       "--port COM1=/dev/ttyUSB0. Mehrfach möglich."),
        QStringLiteral("COMn=GERÄT"));
    parser.addOption(port);

    ProgramOptions options;
    if (!parser.parse(arguments)) {
        options.action = ProgramOptions::Action::Fail;
        options.text =
            QStringLiteral("Ungültiger Aufruf (%1). \"ztd --help\" zeigt, was möglich ist.")
                .arg(parser.errorText());
    } else if (parser.isSet(help)) {
        options.action = ProgramOptions::Action::ShowText;
        // Qt's first line names the executable as it was called, in English.
        const QString text = parser.helpText();
        options.text = QStringLiteral("Aufruf: ztd [Optionen]") + text.mid(text.indexOf('\n'));
    } else if (parser.isSet(version)) {
        options.action = ProgramOptions::Action::ShowText;
        options.text = QStringLiteral("ztd " ZTD_VERSION "\n");
    } else if (parser.isSet(printPdf)) {
        const QStringList files = parser.positionalArguments();
        if (files.size() != 2) {
            options.action = ProgramOptions::Action::Fail;
            options.text = QStringLiteral("Ungültiger Aufruf: --print-pdf braucht eine "
                                          "Protokolldatei und den Namen der PDF-Datei, zum "
                                          "Beispiel \"ztd --print-pdf DATEI.pro AUSGABE.pdf\".");
        } else {
            options.action = ProgramOptions::Action::PrintPdf;
            options.protocolFile = files[0];
            options.pdfFile = files[1];
        }
    } else if (parser.isSet(importFiles) && parser.positionalArguments().isEmpty()) {
        options.action = ProgramOptions::Action::Fail;
        options.text = QStringLiteral("Ungültiger Aufruf: --import braucht mindestens eine "
                                      "Protokolldatei, zum Beispiel \"ztd --import DATEI.pro\".");
    } else if (parser.isSet(importFiles) && parser.isSet(exportAll)) {
        options.action = ProgramOptions::Action::Fail;
        options.text = QStringLiteral("Ungültiger Aufruf: --import und --export nur einzeln.");
    } else if (parser.isSet(importFiles) || parser.isSet(exportAll)) {
        options.action = parser.isSet(importFiles) ? ProgramOptions::Action::Import
                                                   : ProgramOptions::Action::Export;
        options.exportFile = parser.value(exportAll);
        options.importFiles = parser.positionalArguments();
        options.dataDirectory = parser.value(data);
    } else {
        options.dataDirectory = parser.value(data);
        for (const QString& value : parser.values(port)) {
            const auto binding = portBinding(value);
            if (!binding) {
                options.action = ProgramOptions::Action::Fail;
                options.text = QStringLiteral("Ungültige Angabe \"--port %1\". Erwartet wird "
                                              "COMn=GERÄT mit n von 1 bis 6, z. B. "
                                              "--port COM1=/dev/ttyUSB0.")
                                   .arg(value);
                break;
            }
            options.ports[binding->first] = binding->second;
        }
    }
    return options;
}
