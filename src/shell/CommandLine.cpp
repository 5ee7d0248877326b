#include "CommandLine.h"

#include "DatabaseChoice.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
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

// One option as the help lists it.
struct OptionText {
    QStringList names;
    QString valueName;
    QString description;
};

const QString kDescription =
    QStringLiteral("Prüfprotokolle und Fernbedienung für den Gerätetester 0701/0702");
const QList<std::pair<QString, QString>> kArguments = {
    {QStringLiteral("DATEI.pro AUSGABE.pdf"), QStringLiteral("Die Dateien zu --print-pdf.")},
    {QStringLiteral("DATEI.pro …"), QStringLiteral("Die Dateien zu --import.")},
};
constexpr int kLineWidth = 79;

QString optionColumn(const OptionText& option) {
    QStringList names;
    for (const QString& name : option.names)
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString column = names.join(QLatin1String(", "));
    if (!option.valueName.isEmpty())
        column += QStringLiteral(" <%1>").arg(option.valueName);
    return column;
}

// Two columns, the second wrapped between words.
QString helpRows(const QList<std::pair<QString, QString>>& rows, int firstWidth) {
    QString text;
    const QString indent(2 + firstWidth, QLatin1Char(' '));
    for (const auto& [first, second] : rows) {
        QString line = QStringLiteral("  ") + first.leftJustified(firstWidth);
        bool lineHasWords = false;
        for (const QString& word : second.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (lineHasWords && line.size() + 1 + word.size() > kLineWidth) {
                text += line + QLatin1Char('\n');
                line = indent;
                lineHasWords = false;
            }
            line += (lineHasWords ? QStringLiteral(" ") : QString()) + word;
            lineHasWords = true;
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

QString helpText(const QList<OptionText>& options) {
    QList<std::pair<QString, QString>> optionRows;
    int firstWidth = 0;
    for (const auto& argument : kArguments)
        firstWidth = std::max(firstWidth, int(argument.first.size()));
    for (const OptionText& option : options) {
        optionRows.append({optionColumn(option), option.description});
        firstWidth = std::max(firstWidth, int(optionRows.last().first.size()));
    }
    firstWidth += 2;
    return QStringLiteral("Aufruf: ztd [Optionen]\n") + kDescription +
           QStringLiteral("\n\nOptionen:\n") + helpRows(optionRows, firstWidth) +
           QStringLiteral("\nArgumente:\n") + helpRows(kArguments, firstWidth);
}

// Qt words its parse errors in English; what they name is told in German.
QString parseError(const QCommandLineParser& parser) {
    QStringList unknown;
    for (const QString& name : parser.unknownOptionNames())
        unknown << QStringLiteral("\"%1%2\"")
                       .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    QString problem;
    if (unknown.size() == 1) {
        problem = QStringLiteral("Unbekannte Option %1.").arg(unknown[0]);
    } else if (!unknown.isEmpty()) {
        problem = QStringLiteral("Unbekannte Optionen %1.").arg(unknown.join(QLatin1String(", ")));
    } else {
        static const QRegularExpression named(QStringLiteral("'([^']*)'"));
        const QString option = named.match(parser.errorText()).captured(1);
        problem = parser.errorText().startsWith(QLatin1String("Missing"))
                      ? QStringLiteral("Nach \"%1\" fehlt der Wert.").arg(option)
                      : QStringLiteral("Die Option \"%1\" nimmt keinen Wert.").arg(option);
    }
    return QStringLiteral("Ungültiger Aufruf: %1 \"ztd --help\" zeigt, was möglich ist.")
        .arg(problem);
}

// --backup and --restore, each alone with --data.
void backupOptions(const QCommandLineParser& parser, const QCommandLineOption& backup,
                   const QCommandLineOption& restore, ProgramOptions& options) {
    if (parser.isSet(backup) && parser.isSet(restore)) {
        options.action = ProgramOptions::Action::Fail;
        options.text = QStringLiteral("Ungültiger Aufruf: --backup und --restore nur einzeln.");
        return;
    }
    options.action =
        parser.isSet(backup) ? ProgramOptions::Action::Backup : ProgramOptions::Action::Restore;
    options.backupFile = parser.value(parser.isSet(backup) ? backup : restore);
    options.dataDirectory = parser.value(QStringLiteral("data"));
}

// --due-pdf TAGE AUSGABE.pdf with --data.
void duePdfOptions(const QCommandLineParser& parser, ProgramOptions& options) {
    const auto request = due_pdf::readRequest(parser.positionalArguments());
    if (const QString* problem = std::get_if<QString>(&request)) {
        options.action = ProgramOptions::Action::Fail;
        options.text = *problem;
        return;
    }
    options.action = ProgramOptions::Action::DuePdf;
    options.duePdf = std::get<due_pdf::Request>(request);
    options.dataDirectory = parser.value(QStringLiteral("data"));
}

// --labels-pdf ZAEHLER[,ZAEHLER…] AUSGABE.pdf with --data, --label-start and
// --label-format.
void labelsPdfOptions(const QCommandLineParser& parser, ProgramOptions& options) {
    const auto request = labels_pdf::readRequest(parser.positionalArguments(),
                                                 parser.value(QStringLiteral("label-start")),
                                                 parser.value(QStringLiteral("label-format")));
    if (const QString* problem = std::get_if<QString>(&request)) {
        options.action = ProgramOptions::Action::Fail;
        options.text = *problem;
        return;
    }
    options.action = ProgramOptions::Action::LabelsPdf;
    options.labelsPdf = std::get<labels_pdf::Request>(request);
    options.dataDirectory = parser.value(QStringLiteral("data"));
}

// --database: an address the server's library can use, and no backup of a server.
void databaseOption(const QString& value, ProgramOptions& options) {
    QString error;
    if (value != QLatin1String(database_choice::kLocalFile) &&
        !ServerAddress::parse(value, &error)) {
        options.action = ProgramOptions::Action::Fail;
        options.text = QStringLiteral("Ungültige Angabe \"--database %1\": %2").arg(value, error);
    } else if (value != QLatin1String(database_choice::kLocalFile) &&
               (options.action == ProgramOptions::Action::Backup ||
                options.action == ProgramOptions::Action::Restore)) {
        options.action = ProgramOptions::Action::Fail;
        options.text = database_choice::serverBackupNotice();
    } else {
        options.database = value;
    }
}

} // namespace

ProgramOptions parseCommandLine(const QStringList& arguments) {
    const QList<OptionText> texts = {
        {{QStringLiteral("h"), QStringLiteral("help")}, {}, QStringLiteral("Zeigt diese Hilfe.")},
        {{QStringLiteral("v"), QStringLiteral("version")},
         {},
         QStringLiteral("Zeigt die Version des Programms.")},
        {{QStringLiteral("print-pdf")},
         {},
         QStringLiteral("Druckt das Prüfprotokoll der Protokolldatei DATEI.pro als PDF-Datei "
                        "AUSGABE.pdf, ohne ein Fenster zu öffnen.")},
        {{QStringLiteral("data")},
         QStringLiteral("ORDNER"),
         QStringLiteral("Ordner mit den Tabellen (Archiv und Kunden).")},
        {{QStringLiteral("database")},
         QStringLiteral("ADRESSE"),
         QStringLiteral("Das Archiv auf einem PostgreSQL-Server, den mehrere Arbeitsplätze "
                        "teilen: postgresql://BENUTZER@RECHNER[:PORT]/DATENBANK (das Kennwort "
                        "steht in ~/.pgpass). \"datei\" nimmt wieder die Datei im Datenordner. "
                        "Öffnet sich das Fenster, gilt die Wahl auch für die nächsten Starts.")},
        {{QStringLiteral("port")},
         QStringLiteral("COMn=GERÄT"),
         QStringLiteral("Ordnet der Schnittstelle COMn (1 bis 6) ein Gerät zu, z. B. "
                        "--port COM1=/dev/ttyUSB0. Mehrfach möglich.")},
        {{QStringLiteral("export")},
         QStringLiteral("TEXT.txt"),
         QStringLiteral("Schreibt alle Archiv-Datensätze in Nummernfolge als Text-Export in die "
                        "Datei TEXT.txt, wie \"Daten-Export\" \"komplett\" im Archiv, ohne ein "
                        "Fenster zu öffnen.")},
        {{QStringLiteral("import")},
         {},
         QStringLiteral("Übernimmt die Protokolldateien DATEI.pro … ins Archiv, wie \"aus "
                        "Dateien\" im Archiv, ohne ein Fenster zu öffnen. Neue Kunden und nicht "
                        "übernommene Dateien werden genannt.")},
        {{QStringLiteral("report-pdf")},
         {},
         QStringLiteral("Schreibt das Einzelprotokoll des Archiv-Datensatzes mit der Nummer "
                        "ZAEHLER als PDF-Datei, ohne Fenster und ohne Drucker: --report-pdf "
                        "ZAEHLER AUSGABE.pdf")},
        {{QStringLiteral("collective-pdf")},
         {},
         QStringLiteral("Schreibt das Sammelprotokoll aller Datensätze eines Kunden in "
                        "Nummernfolge als PDF-Datei: --collective-pdf KUNDENNUMMER AUSGABE.pdf")},
        {{QStringLiteral("cover")},
         QStringLiteral("ART"),
         QStringLiteral("Deckblatt zu --collective-pdf: portrait (hoch, Vorgabe), landscape "
                        "(quer) oder none (keines).")},
        {{QStringLiteral("due-list-pdf")},
         {},
         QStringLiteral("Schreibt die Geräte-Liste eines Kunden mit der nächsten Prüfung von VON "
                        "bis BIS (TTMMJJJJ) als PDF-Datei: --due-list-pdf KUNDENNUMMER VON BIS "
                        "AUSGABE.pdf")},
        {{QStringLiteral("layout")},
         QStringLiteral("NR"),
         QStringLiteral("Listenformat zu --due-list-pdf wie in \"Auswahl Listenformat\": 0, 1 "
                        "oder 2 (Vorgabe 0).")},
        {{QStringLiteral("import-paradox")},
         QStringLiteral("ORDNER"),
         QStringLiteral("Übernimmt die Tabellen \"zt.DB\" und \"kunden.DB\" des älteren "
                        "Programms aus ORDNER ins Archiv, wie \"aus alter Datenbank\" im "
                        "Archiv, ohne ein Fenster zu öffnen. Was übernommen wird, steht vorher "
                        "auf der Standardausgabe.")},
        {{QStringLiteral("copy-archive")},
         {},
         QStringLiteral("Kopiert das ganze Archiv und die Kunden von VON nach BIS und "
                        "vergleicht danach Anzahl und Prüfsumme, ohne ein Fenster zu öffnen: "
                        "--copy-archive VON BIS. VON und BIS sind je ein Datenordner oder eine "
                        "Adresse wie bei --database; BIS muss leer sein.")},
        {{QStringLiteral("backup")},
         QStringLiteral("DATEI"),
         QStringLiteral("Schreibt eine geprüfte Datensicherung des Archivs und der Kunden in die "
                        "Datei DATEI, auch während das Programm läuft.")},
        {{QStringLiteral("restore")},
         QStringLiteral("DATEI"),
         QStringLiteral("Lädt die Datensicherung DATEI zurück, ohne zu fragen; die "
                        "jetzigen Daten werden vorher im Ordner \"backups\" gesichert. Eine "
                        "beschädigte oder fremde Datei wird abgelehnt.")},
        {{QStringLiteral("due-pdf")},
         {},
         QStringLiteral("Schreibt die fälligen Prüfungen aller Kunden, überfällig oder fällig in "
                        "den nächsten TAGE Tagen, als PDF-Datei: --due-pdf TAGE AUSGABE.pdf")},
        {{QStringLiteral("labels-pdf")},
         {},
         QStringLiteral("Schreibt die Prüfplaketten der Archiv-Datensätze mit den Nummern "
                        "ZAEHLER in eine PDF-Datei: --labels-pdf ZAEHLER[,ZAEHLER…] "
                        "AUSGABE.pdf")},
        {{QStringLiteral("label-start")},
         QStringLiteral("NR"),
         QStringLiteral("Erstes Etikett auf dem Bogen zu --labels-pdf: 1 bis 24 (Vorgabe 1), "
                        "gezählt zeilenweise von links oben.")},
        {{QStringLiteral("label-format")},
         QStringLiteral("FORMAT"),
         QStringLiteral("Format zu --labels-pdf: bogen (A4-Bogen mit 3 × 8 Etiketten, Vorgabe) "
                        "oder einzeln (ein Etikett 50\u00a0×\u00a030\u00a0mm je Seite, für "
                        "Etikettendrucker).")},
    };
    QList<QCommandLineOption> declared;
    QCommandLineParser parser;
    for (const OptionText& text : texts) {
        declared.append(QCommandLineOption(text.names, text.description, text.valueName));
        parser.addOption(declared.last());
    }
    // Found by name, so that the order of the help does not matter here.
    const auto option = [&declared](const char* name) -> const QCommandLineOption& {
        return *std::find_if(declared.cbegin(), declared.cend(),
                             [name](const auto& declaredOption) {
                                 return declaredOption.names().contains(QLatin1String(name));
                             });
    };
    const QCommandLineOption& help = option("help");
    const QCommandLineOption& version = option("version");
    const QCommandLineOption& printPdf = option("print-pdf");
    const QCommandLineOption& data = option("data");
    const QCommandLineOption& port = option("port");
    const QCommandLineOption& database = option("database");
    const QCommandLineOption& exportAll = option("export");
    const QCommandLineOption& importFiles = option("import");
    const QCommandLineOption& importLegacy = option("import-paradox");
    const QCommandLineOption& copyArchive = option("copy-archive");
    const std::pair<const QCommandLineOption&, archive_pdf::Request::Kind> archivePdfs[] = {
        {option("report-pdf"), archive_pdf::Request::Kind::Report},
        {option("collective-pdf"), archive_pdf::Request::Kind::Collective},
        {option("due-list-pdf"), archive_pdf::Request::Kind::DueList},
    };
    const QCommandLineOption& cover = option("cover");
    const QCommandLineOption& layout = option("layout");
    const QCommandLineOption& backup = option("backup");
    const QCommandLineOption& restore = option("restore");
    const QCommandLineOption& duePdf = option("due-pdf");
    const QCommandLineOption& labelsPdf = option("labels-pdf");
    const bool parsed = parser.parse(arguments);
    const auto archivePdf = std::find_if(std::begin(archivePdfs), std::end(archivePdfs),
                                         [&](const auto& pdf) { return parser.isSet(pdf.first); });

    ProgramOptions options;
    if (!parsed) {
        options.action = ProgramOptions::Action::Fail;
        options.text = parseError(parser);
    } else if (parser.isSet(help)) {
        options.action = ProgramOptions::Action::ShowText;
        // Qt's own help is English and breaks words at its column width.
        options.text = helpText(texts);
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
    } else if (archivePdf != std::end(archivePdfs)) {
        const auto request =
            archive_pdf::readRequest(archivePdf->second, parser.positionalArguments(),
                                     parser.value(cover), parser.value(layout));
        if (const QString* problem = std::get_if<QString>(&request)) {
            options.action = ProgramOptions::Action::Fail;
            options.text = *problem;
        } else {
            options.action = ProgramOptions::Action::ArchivePdf;
            options.archivePdf = std::get<archive_pdf::Request>(request);
            options.dataDirectory = parser.value(data);
        }
    } else if (parser.isSet(duePdf)) {
        duePdfOptions(parser, options);
    } else if (parser.isSet(labelsPdf)) {
        labelsPdfOptions(parser, options);
    } else if (parser.isSet(copyArchive)) {
        options.copyArchive = parser.positionalArguments();
        options.action = options.copyArchive.size() == 2 ? ProgramOptions::Action::CopyArchive
                                                         : ProgramOptions::Action::Fail;
        options.text = QStringLiteral("Ungültiger Aufruf: --copy-archive braucht die Quelle und "
                                      "das Ziel, zum Beispiel \"ztd --copy-archive "
                                      "/home/werkstatt/ztd postgresql://werkstatt@server/ztd\".");
    } else if (parser.isSet(importLegacy)) {
        options.action = ProgramOptions::Action::ImportLegacy;
        options.legacyFolder = parser.value(importLegacy);
        options.dataDirectory = parser.value(data);
    } else if (parser.isSet(backup) || parser.isSet(restore)) {
        backupOptions(parser, backup, restore, options);
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
    if (parser.isSet(database) && options.action != ProgramOptions::Action::Fail &&
        options.action != ProgramOptions::Action::ShowText)
        databaseOption(parser.value(database), options);
    return options;
}
