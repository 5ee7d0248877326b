#include "shell/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, ActionsAndTexts) {
    using Action = ProgramOptions::Action;
    struct Case {
        QStringList arguments;
        Action action;
        QString textStart;
    };
    const Case cases[] = {
        {{}, Action::Run, {}},
        {{QStringLiteral("--version")}, Action::ShowText, QStringLiteral("ztd 1.0.2.15\n")},
        {{QStringLiteral("--help")},
         Action::ShowText,
         QStringLiteral("Aufruf: ztd [Optionen]\nPrüfprotokolle")},
        {{QStringLiteral("--print-pdf"), QStringLiteral("a.pro")},
         Action::Fail,
         QStringLiteral("Ungültiger Aufruf: --print-pdf braucht eine Protokolldatei")},
        {{QStringLiteral("--print-pdf"), QStringLiteral("a.pro"), QStringLiteral("b.pdf"),
          QStringLiteral("c.pdf")},
         Action::Fail,
         QStringLiteral("Ungültiger Aufruf: --print-pdf")},
    };
    for (const Case& c : cases) {
        const ProgramOptions options =
            parseCommandLine(QStringList{QStringLiteral("ztd")} + c.arguments);
        EXPECT_EQ(options.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(options.text.startsWith(c.textStart)) << options.text.toStdString();
    }
}

TEST(CommandLine, PrintPdfNamesBothFiles) {
    const ProgramOptions options =
        parseCommandLine({QStringLiteral("ztd"), QStringLiteral("--print-pdf"),
                          QStringLiteral("Prüfung 1.pro"), QStringLiteral("/tmp/aus.pdf")});
    EXPECT_EQ(options.action, ProgramOptions::Action::PrintPdf);
    EXPECT_EQ(options.protocolFile, QStringLiteral("Prüfung 1.pro"));
    EXPECT_EQ(options.pdfFile, QStringLiteral("/tmp/aus.pdf"));
}

TEST(CommandLine, ExportAndImportNameTheirFilesAndFolder) {
    const ProgramOptions exported =
        parseCommandLine({"ztd", "--data", "/srv/ztd", "--export", "/tmp/alle.txt"});
    EXPECT_EQ(exported.action, ProgramOptions::Action::Export);
    EXPECT_EQ(exported.exportFile, "/tmp/alle.txt");
    EXPECT_EQ(exported.dataDirectory, "/srv/ztd");
    const ProgramOptions imported = parseCommandLine({"ztd", "--import", "a.pro", "b c.pro"});
    EXPECT_EQ(imported.action, ProgramOptions::Action::Import);
    EXPECT_EQ(imported.importFiles, (QStringList{"a.pro", "b c.pro"}));
    const std::pair<QStringList, const char*> wrong[] = {
        {{"--import"},
         "Ungültiger Aufruf: --import braucht mindestens eine Protokolldatei, zum Beispiel \"ztd "
         "--import DATEI.pro\"."},
        {{"--import", "a.pro", "--export", "b.txt"},
         "Ungültiger Aufruf: --import und --export nur einzeln."},
    };
    for (const auto& [arguments, text] : wrong) {
        const ProgramOptions options = parseCommandLine(QStringList{"ztd"} + arguments);
        EXPECT_EQ(options.action, ProgramOptions::Action::Fail);
        EXPECT_EQ(options.text, QString::fromUtf8(text));
    }
}

TEST(CommandLine, PortBindings) {
    const ProgramOptions bound =
        parseCommandLine({"ztd", "--port", "COM1=/dev/pts/4", "--port", "com3=/dev/ttyUSB0",
                          "--port", "COM1=/dev/pts/5"});
    EXPECT_EQ(bound.action, ProgramOptions::Action::Run);
    EXPECT_EQ(bound.ports, (std::map<int, QString>{{0, "/dev/pts/5"}, {2, "/dev/ttyUSB0"}}));

    for (const char* wrong :
         {"COM7=/dev/ttyS0", "COM0=/dev/ttyS0", "COM1", "COM1=", "/dev/ttyS0"}) {
        const ProgramOptions options = parseCommandLine({"ztd", "--port", wrong});
        EXPECT_EQ(options.action, ProgramOptions::Action::Fail) << wrong;
        EXPECT_EQ(options.text, QStringLiteral("Ungültige Angabe \"--port %1\". Erwartet wird "
                                               "COMn=GERÄT mit n von 1 bis 6, z. B. "
                                               "--port COM1=/dev/ttyUSB0.")
                                    .arg(QLatin1String(wrong)));
    }
}

TEST(CommandLine, DataFolder) {
    EXPECT_EQ(parseCommandLine({"ztd", "--data", "/srv/ztd"}).dataDirectory, "/srv/ztd");
    EXPECT_EQ(parseCommandLine({"ztd", "--data=/tmp/x y"}).dataDirectory, "/tmp/x y");
    EXPECT_EQ(parseCommandLine({"ztd"}).dataDirectory, "");
    const ProgramOptions missing = parseCommandLine({"ztd", "--data"});
    EXPECT_EQ(missing.action, ProgramOptions::Action::Fail);
    EXPECT_TRUE(parseCommandLine({"ztd", "--help"}).text.contains("--data <ORDNER>"));
}

// The database for the run: any address the server's library can use, never
// one with a password, and no file backup of a server's archive.
TEST(CommandLine, DatabaseForTheRun) {
    const QString server = QStringLiteral("postgresql://werkstatt@192.168.1.5:5433/ztd");
    EXPECT_EQ(parseCommandLine({"ztd", "--database", server}).database, server);
    EXPECT_EQ(parseCommandLine({"ztd", "--database", server, "--export", "a.txt"}).database,
              server);
    EXPECT_EQ(parseCommandLine({"ztd", "--database", "datei", "--backup", "b.sqlite"}).action,
              ProgramOptions::Action::Backup);
    EXPECT_EQ(parseCommandLine({"ztd"}).database, "");
    const struct {
        QStringList arguments;
        QString text;
    } refused[] = {
        {{"--database", "postgresql://werkstatt:geheim@db/ztd"},
         QStringLiteral("Ungültige Angabe \"--database postgresql://werkstatt:geheim@db/ztd\": "
                        "Das Kennwort gehört nicht in die Datenbank-Adresse: Tragen Sie es in "
                        "die Datei ~/.pgpass ein (oder in PGPASSFILE).")},
        {{"--database", "C:/daten", "--export", "a.txt"},
         QStringLiteral("Ungültige Angabe \"--database C:/daten\": \"C:/daten\" ist keine "
                        "Datenbank-Adresse der Form "
                        "postgresql://BENUTZER@RECHNER[:PORT]/DATENBANK.")},
        {{"--database", server, "--backup", "b.sqlite"},
         QStringLiteral("Datensicherung und Zurückladen gelten für die Datei im Datenordner. Ein "
                        "Archiv auf einem Datenbankserver sichert dessen Verwalter, zum Beispiel "
                        "mit pg_dump.")},
    };
    for (const auto& c : refused) {
        const ProgramOptions options = parseCommandLine(QStringList{"ztd"} + c.arguments);
        EXPECT_EQ(options.action, ProgramOptions::Action::Fail);
        EXPECT_EQ(options.text, c.text);
    }
}

TEST(CommandLine, HelpInGermanWithWholeWords) {
    const ProgramOptions options = parseCommandLine({"ztd", "--help"});
    EXPECT_EQ(options.action, ProgramOptions::Action::ShowText);
    EXPECT_EQ(
        options.text,
        QStringLiteral(
            "Aufruf: ztd [Optionen]\n"
            "Prüfprotokolle und Fernbedienung für den Gerätetester 0701/0702\n"
            "\n"
            "Optionen:\n"
            "  -h, --help                 Zeigt diese Hilfe.\n"
            "  -v, --version              Zeigt die Version des Programms.\n"
            "  --print-pdf                Druckt das Prüfprotokoll der Protokolldatei\n"
            "                             DATEI.pro als PDF-Datei AUSGABE.pdf, ohne ein\n"
            "                             Fenster zu öffnen.\n"
            "  --data <ORDNER>            Ordner mit den Tabellen (Archiv und Kunden).\n"
            "  --database <ADRESSE>       Das Archiv auf einem PostgreSQL-Server, den\n"
            "                             mehrere Arbeitsplätze teilen:\n"
            "                             postgresql://BENUTZER@RECHNER[:PORT]/DATENBANK\n"
            "                             (das Kennwort steht in ~/.pgpass). \"datei\" nimmt\n"
            "                             wieder die Datei im Datenordner. Öffnet sich das\n"
            "                             Fenster, gilt die Wahl auch für die nächsten\n"
            "                             Starts.\n"
            "  --port <COMn=GERÄT>        Ordnet der Schnittstelle COMn (1 bis 6) ein Gerät\n"
            "                             zu, z. B. --port COM1=/dev/ttyUSB0. Mehrfach\n"
            "                             möglich.\n"
            "  --export <TEXT.txt>        Schreibt alle Archiv-Datensätze in Nummernfolge\n"
            "                             als Text-Export in die Datei TEXT.txt, wie\n"
            "                             \"Daten-Export\" \"komplett\" im Archiv, ohne ein\n"
            "                             Fenster zu öffnen.\n"
            "  --import                   Übernimmt die Protokolldateien DATEI.pro … ins\n"
            "                             Archiv, wie \"aus Dateien\" im Archiv, ohne ein\n"
            "                             Fenster zu öffnen. Neue Kunden und nicht\n"
            "                             übernommene Dateien werden genannt.\n"
            "  --report-pdf               Schreibt das Einzelprotokoll des\n"
            "                             Archiv-Datensatzes mit der Nummer ZAEHLER als\n"
            "                             PDF-Datei, ohne Fenster und ohne Drucker:\n"
            "                             --report-pdf ZAEHLER AUSGABE.pdf\n"
            "  --collective-pdf           Schreibt das Sammelprotokoll aller Datensätze\n"
            "                             eines Kunden in Nummernfolge als PDF-Datei:\n"
            "                             --collective-pdf KUNDENNUMMER AUSGABE.pdf\n"
            "  --cover <ART>              Deckblatt zu --collective-pdf: portrait (hoch,\n"
            "                             Vorgabe), landscape (quer) oder none (keines).\n"
            "  --due-list-pdf             Schreibt die Geräte-Liste eines Kunden mit der\n"
            "                             nächsten Prüfung von VON bis BIS (TTMMJJJJ) als\n"
            "                             PDF-Datei: --due-list-pdf KUNDENNUMMER VON BIS\n"
            "                             AUSGABE.pdf\n"
            "  --layout <NR>              Listenformat zu --due-list-pdf wie in \"Auswahl\n"
            "                             Listenformat\": 0, 1 oder 2 (Vorgabe 0).\n"
            "  --import-paradox <ORDNER>  Übernimmt die Tabellen \"zt.DB\" und \"kunden.DB\" des\n"
            "                             älteren Programms aus ORDNER ins Archiv, wie \"aus\n"
            "                             alter Datenbank\" im Archiv, ohne ein Fenster zu\n"
            "                             öffnen. Was übernommen wird, steht vorher auf der\n"
            "                             Standardausgabe.\n"
            "  --copy-archive             Kopiert das ganze Archiv und die Kunden von VON\n"
            "                             nach BIS und vergleicht danach Anzahl und\n"
            "                             Prüfsumme, ohne ein Fenster zu öffnen:\n"
            "                             --copy-archive VON BIS. VON und BIS sind je ein\n"
            "                             Datenordner oder eine Adresse wie bei --database;\n"
            "                             BIS muss leer sein.\n"
            "  --backup <DATEI>           Schreibt eine geprüfte Datensicherung des Archivs\n"
            "                             und der Kunden in die Datei DATEI, auch während\n"
            "                             das Programm läuft.\n"
            "  --restore <DATEI>          Lädt die Datensicherung DATEI zurück, ohne zu\n"
            "                             fragen; die jetzigen Daten werden vorher im Ordner\n"
            "                             \"backups\" gesichert. Eine beschädigte oder fremde\n"
            "                             Datei wird abgelehnt.\n"
            "  --due-pdf                  Schreibt die fälligen Prüfungen aller Kunden,\n"
            "                             überfällig oder fällig in den nächsten TAGE Tagen,\n"
            "                             als PDF-Datei: --due-pdf TAGE AUSGABE.pdf\n"
            "  --labels-pdf               Schreibt die Prüfplaketten der Archiv-Datensätze\n"
            "                             mit den Nummern ZAEHLER in eine PDF-Datei:\n"
            "                             --labels-pdf ZAEHLER[,ZAEHLER…] AUSGABE.pdf\n"
            "  --label-start <NR>         Erstes Etikett auf dem Bogen zu --labels-pdf: 1\n"
            "                             bis 24 (Vorgabe 1), gezählt zeilenweise von links\n"
            "                             oben.\n"
            "  --label-format <FORMAT>    Format zu --labels-pdf: bogen (A4-Bogen mit 3 × 8\n"
            "                             Etiketten, Vorgabe) oder einzeln (ein Etikett\n"
            "                             50\u00a0×\u00a030\u00a0mm je Seite, für "
            "Etikettendrucker).\n"
            "\n"
            "Argumente:\n"
            "  DATEI.pro AUSGABE.pdf      Die Dateien zu --print-pdf.\n"
            "  DATEI.pro …                Die Dateien zu --import.\n"));
    for (const QString& line : options.text.split(u'\n'))
        EXPECT_LE(line.size(), 79) << line.toStdString();
}

TEST(CommandLine, WrongCallsAreNamedInGerman) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--bogus"}, "Unbekannte Option \"--bogus\"."},
        {{"-x"}, "Unbekannte Option \"-x\"."},
        {{"--bogus", "--other"}, "Unbekannte Optionen \"--bogus\", \"--other\"."},
        {{"--port"}, "Nach \"--port\" fehlt der Wert."},
        {{"--help=ja"}, "Die Option \"--help\" nimmt keinen Wert."},
    };
    for (const auto& [arguments, problem] : cases) {
        const ProgramOptions options = parseCommandLine(QStringList{"ztd"} + arguments);
        EXPECT_EQ(options.action, ProgramOptions::Action::Fail);
        EXPECT_EQ(options.text, QStringLiteral("Ungültiger Aufruf: %1 \"ztd --help\" zeigt, was "
                                               "möglich ist.")
                                    .arg(QString::fromUtf8(problem)));
    }
}
