#include "BackupCommands.h"
#include "CommandLine.h"
#include "ConsoleCommands.h"
#include "PdfExport.h"
#include "ProgramWindows.h"
#include "TForm1.h"
#include "common/QtPrompter.h"
#include "safety/InstanceLock.h"
#include "safety/StartBackup.h"
#include "shell/CopyArchiveCommand.h"
#include "shell/DatabaseChoice.h"
#include "tables/DataDirectory.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <optional>
#include <variant>

namespace {
// The names under which the data folder is found, with windows or without.
void nameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Veltrax"));
    QCoreApplication::setApplicationName(QStringLiteral("VTX_ZTD"));
}

// The database chosen for this run, or the German reason why there is none.
std::variant<DatabaseLocation, QString> chosenDatabase(const ProgramOptions& options) {
    return database_choice::resolve(dataDirectory(options.dataDirectory), options.database,
                                    database_choice::defaultPath());
}

// For the commands without a window: tells the reason on standard error.
std::optional<DatabaseLocation> consoleDatabase(const ProgramOptions& options) {
    auto chosen = chosenDatabase(options);
    if (const QString* problem = std::get_if<QString>(&chosen)) {
        fprintf(stderr, "%s\n", qPrintable(*problem));
        return std::nullopt;
    }
    return std::get<DatabaseLocation>(chosen);
}
} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions options = parseCommandLine(arguments);
    if (options.action == ProgramOptions::Action::PrintPdf) {
        // Printing to a file must work on a server without any display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // A script reads our German message on standard error, not Qt's notes.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        QGuiApplication app(argc, argv);
        if (const auto error = printProtocolFileToPdf(options.protocolFile, options.pdfFile)) {
            fprintf(stderr, "%s\n", qPrintable(*error));
            return 1;
        }
        return 0;
    }

    if (options.action == ProgramOptions::Action::ArchivePdf ||
        options.action == ProgramOptions::Action::DuePdf ||
        options.action == ProgramOptions::Action::LabelsPdf) {
        // PDF files need fonts, not a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        QGuiApplication app(argc, argv);
        nameApplication();
        const auto database = consoleDatabase(options);
        if (!database)
            return 1;
        if (options.action == ProgramOptions::Action::DuePdf)
            return due_pdf::write(*database, options.duePdf, QDate::currentDate());
        if (options.action == ProgramOptions::Action::LabelsPdf)
            return labels_pdf::write(*database, options.labelsPdf);
        return archive_pdf::write(*database, options.archivePdf);
    }

    if (options.action == ProgramOptions::Action::Export ||
        options.action == ProgramOptions::Action::Import ||
        options.action == ProgramOptions::Action::ImportLegacy) {
        QCoreApplication app(argc, argv);
        nameApplication();
        const auto database = consoleDatabase(options);
        if (!database)
            return 1;
        switch (options.action) {
        case ProgramOptions::Action::Export:
            return console_commands::exportArchive(*database, options.exportFile);
        case ProgramOptions::Action::Import:
            return console_commands::importFiles(*database, options.importFiles);
        default:
            return console_commands::importLegacyTables(*database, options.legacyFolder);
        }
    }

    if (options.action == ProgramOptions::Action::CopyArchive) {
        QCoreApplication app(argc, argv);
        nameApplication();
        return copy_archive_command::run(options.copyArchive[0], options.copyArchive[1]);
    }

    if (options.action == ProgramOptions::Action::Backup ||
        options.action == ProgramOptions::Action::Restore) {
        QCoreApplication app(argc, argv);
        nameApplication();
        const auto database = consoleDatabase(options);
        if (!database)
            return 1;
        if (database->server.isSet()) {
            fprintf(stderr, "%s\n", qPrintable(database_choice::serverBackupNotice()));
            return 1;
        }
        const QString folder = database->folder;
        return options.action == ProgramOptions::Action::Backup
                   ? console_commands::backupArchive(folder, options.backupFile)
                   : console_commands::restoreArchive(folder, options.backupFile);
    }

    if (options.action != ProgramOptions::Action::Run) {
        const bool failed = options.action == ProgramOptions::Action::Fail;
        fprintf(failed ? stderr : stdout, "%s\n", qPrintable(options.text.trimmed()));
        return failed ? 1 : 0;
    }
    QApplication app(argc, argv);
    nameApplication();
    // The installed menu entry and icon, so the desktop shows them for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.veltrax.ztd"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("de.veltrax.ztd")));

    // Qt's own dialogs and buttons in German, whatever the system language.
    // The system's Qt first; an installed program also brings its own copy.
    QTranslator qtGerman;
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/../share/ztd/translations")}) {
        if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          folder)) {
            QApplication::installTranslator(&qtGerman);
            break;
        }
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QtPrompter prompter;
    const auto chosen = chosenDatabase(options);
    if (const QString* problem = std::get_if<QString>(&chosen)) {
        prompter.message(*problem, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return 1;
    }
    const DatabaseLocation& database = std::get<DatabaseLocation>(chosen);
    const QString& folder = database.folder;
    InstanceLock lock(folder);
    if (const auto held = lock.acquire()) {
        prompter.message(*held, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        return 1;
    }
    // Written beside the starting windows; the program's end waits for it.
    // A server's archive is its administrator's to back up.
    std::optional<StartBackup> startBackup;
    if (!database.server.isSet())
        startBackup.emplace(prompter, folder, QDateTime::currentDateTime());
    if (!database_choice::remember(options.database, database_choice::defaultPath()))
        prompter.message(QStringLiteral("Die Datenbank-Wahl lässt sich nicht für die nächsten "
                                        "Starts speichern (%1).")
                             .arg(database_choice::defaultPath()),
                         QStringLiteral("Hinweis"), Prompter::Buttons::Ok);

    AppState state;
    ProgramWindows windows(state, options, database);
    // Without a window manager "maximised" means nothing, so the window also
    // starts out covering the screen.
    TForm1& main = windows.mainWindow();
    if (const QScreen* screen = main.screen())
        main.setGeometry(screen->availableGeometry());
    main.showMaximized();
    return QApplication::exec();
}
