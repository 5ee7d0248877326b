#include "BackupCommands.h"
#include "CommandLine.h"
#include "ConsoleCommands.h"
#include "PdfExport.h"
#include "ProgramWindows.h"
#include "TForm1.h"
#include "common/QtPrompter.h"
#include "safety/InstanceLock.h"
#include "safety/StartBackup.h"
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

namespace {
// The names under which the data folder is found, with windows or without.
void nameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Veltrax"));
    QCoreApplication::setApplicationName(QStringLiteral("VTX_ZTD"));
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
        if (options.action == ProgramOptions::Action::DuePdf)
            return due_pdf::write(dataDirectory(options.dataDirectory), options.duePdf,
                                  QDate::currentDate());
        if (options.action == ProgramOptions::Action::LabelsPdf)
            return labels_pdf::write(dataDirectory(options.dataDirectory), options.labelsPdf);
        return archive_pdf::write(dataDirectory(options.dataDirectory), options.archivePdf);
    }

    if (options.action == ProgramOptions::Action::Export ||
        options.action == ProgramOptions::Action::Import ||
        options.action == ProgramOptions::Action::ImportLegacy) {
        QCoreApplication app(argc, argv);
        nameApplication();
        const QString folder = dataDirectory(options.dataDirectory);
        switch (options.action) {
        case ProgramOptions::Action::Export:
            return console_commands::exportArchive(folder, options.exportFile);
        case ProgramOptions::Action::Import:
            return console_commands::importFiles(folder, options.importFiles);
        default:
            return console_commands::importLegacyTables(folder, options.legacyFolder);
        }
    }

    if (options.action == ProgramOptions::Action::Backup ||
        options.action == ProgramOptions::Action::Restore) {
        QCoreApplication app(argc, argv);
        nameApplication();
        const QString folder = dataDirectory(options.dataDirectory);
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

    const QString folder = dataDirectory(options.dataDirectory);
    QtPrompter prompter;
    InstanceLock lock(folder);
    if (const auto held = lock.acquire()) {
        prompter.message(*held, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        return 1;
    }
    // Written beside the starting windows; the program's end waits for it.
    StartBackup startBackup(prompter, folder, QDateTime::currentDateTime());

    AppState state;
    ProgramWindows windows(state, options, folder);
    // Without a window manager "maximised" means nothing, so the window also
    // starts out covering the screen.
    TForm1& main = windows.mainWindow();
    if (const QScreen* screen = main.screen())
        main.setGeometry(screen->availableGeometry());
    main.showMaximized();
    return QApplication::exec();
}
