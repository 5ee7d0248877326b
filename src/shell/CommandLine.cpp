#include "CommandLine.h"

#include <QCommandLineParser>

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
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(data);

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
    } else {
        options.dataDirectory = parser.value(data);
    }
    return options;
}
