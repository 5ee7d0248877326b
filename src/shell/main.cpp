#include "ProgramWindows.h"
#include "TForm1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Veltrax"));
    QApplication::setApplicationName(QStringLiteral("VTX_ZTD"));
    QApplication::setApplicationVersion(QStringLiteral(ZTD_VERSION));

    // Qt's own dialogs and buttons in German, whatever the system language.
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Prüfprotokolle und Fernbedienung für den Gerätetester 0701/0702"));
    options.addHelpOption();
    options.addVersionOption();
    options.process(app);

    AppState state;
    ProgramWindows windows(state);
    // Without a window manager "maximised" means nothing, so the window also
    // starts out covering the screen.
    TForm1& main = windows.mainWindow();
    if (const QScreen* screen = main.screen())
        main.setGeometry(screen->availableGeometry());
    main.showMaximized();
    return QApplication::exec();
}
