#include "TForm1.h"

#include "HelpViewer.h"
#include "addresses/CustomerTable.h"
#include "common/HelpContext.h"
#include "print/PrinterSystem.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "safety/BackupSteps.h"
#include "shell/DatabaseChoice.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"
#include "tester/TesterState.h"

#include <QAction>
#include <QDateTime>
#include <QDialog>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>

namespace {
const QString kProtocolFilter = QStringLiteral("Protokolldateien (*.pro)|*.pro");
const QString kProtocolSuffix = QStringLiteral("pro");
} // namespace

const Prompter::FileDialog TForm1::OpenDialogOeffnen{
    QStringLiteral("Protokoll öffnen"), kProtocolFilter, kProtocolSuffix, {}};
const Prompter::FileDialog TForm1::OpenDialogDrucken{
    QStringLiteral("Protokoll zum Drucken auswählen"), kProtocolFilter, kProtocolSuffix, {}};

TForm1::TForm1(ReportSession& state, TesterState& tester, Prompter& prompter,
               const PrinterSystem& printers, HelpViewer& help, TableStore& tables, QWidget* parent)
    : QMainWindow(parent)
    , state_(state)
    , tester_(tester)
    , prompter_(prompter)
    , help_(help)
    , tables_(tables)
    , printerFound_(printers.hasPrinter())
    , StatusBar1(new QStatusBar(this)) {
    setObjectName(QStringLiteral("Form1"));
    // Only the client area is grey; menu and status bar keep the system colours.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    QPalette grey = client->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    client->setPalette(grey);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);
    createMenu();

    setWindowTitle(QStringLiteral("Veltrax Gerätetester 0701/0702"));
    tester_.memorySoftwareVersion = QStringLiteral("B");
    // A table that cannot be used has been explained to the user; the
    // program still starts, with empty contractor lines.
    customer_table::loadContractorLines(tables, state_.report);
}

QMenu* TForm1::addMenu(const char* name, const QString& caption, int helpContext) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    help::setContext(*menu, helpContext);
    help::setContext(*menu->menuAction(), helpContext);
    return menu;
}

QAction* TForm1::addItem(QMenu* menu, const char* name, const QString& caption, int helpContext) {
    QAction* item = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    item->setObjectName(QLatin1String(name));
    help::setContext(*item, helpContext);
    return item;
}

QAction* TForm1::addWindowItem(QAction* item, QDialog* Windows::*window) {
    windowItems_.append({item, window});
    item->setEnabled(false);
    connect(item, &QAction::triggered, this, [this, window] { showModal(windows_.*window); });
    return item;
}

void TForm1::createMenu() {
    QMenu* file = addMenu("Datei1", QStringLiteral("&Datei"), help::FileMenu);
    connect(addItem(file, "DateiOeffnen", QStringLiteral("Ö&ffnen..."), help::FileMenu),
            &QAction::triggered, this, &TForm1::DateiOeffnenClick);
    file->addSeparator();
    connect(addItem(file, "Drucken", QStringLiteral("&Drucken..."), help::FileMenu),
            &QAction::triggered, this, &TForm1::DruckenClick);
    connect(addItem(file, "Druckereinrichtung", QStringLiteral("Drucker&einrichtung..."),
                    help::FileMenu),
            &QAction::triggered, this, &TForm1::DruckereinrichtungClick);
    file->addSeparator();
    connect(addItem(file, "Datensicherung", QStringLiteral("Datensi&cherung…"), help::FileMenu),
            &QAction::triggered, this, &TForm1::DatensicherungClick);
    connect(addItem(file, "Zurueckladen", QStringLiteral("Datensicherung &zurückladen…"),
                    help::FileMenu),
            &QAction::triggered, this, &TForm1::ZurueckladenClick);
    file->addSeparator();
    connect(addItem(file, "DateiBeenden", QStringLiteral("&Beenden"), help::FileMenu),
            &QAction::triggered, this, &QMainWindow::close);

    addWindowItem(addItem(nullptr, "Schnittstelle", QStringLiteral("&Auswahl Schnittstelle"),
                          help::PortSelection),
                  &Windows::portSelection);
    addWindowItem(addItem(nullptr, "Fernbedienung", QStringLiteral("&Fernbedienung "),
                          help::RemoteControlAndReport),
                  &Windows::remoteControl);
    addWindowItem(addItem(nullptr, "Mewertspeicher1", QStringLiteral("A&rchiv"), help::Archive),
                  &Windows::archive);
    dueDevicesItem_ = addItem(nullptr, "FaelligePruefungen1", QStringLiteral("Fä&llige Prüfungen"),
                              help::Archive);
    dueDevicesItem_->setEnabled(false);
    connect(dueDevicesItem_, &QAction::triggered, this, [this] {
        if (windows_.dueDevices)
            windows_.dueDevices();
    });

    QMenu* addresses =
        addMenu("Kundenverwaltung1", QStringLiteral("Adressen&verwaltung"), help::Addresses);
    addWindowItem(addItem(addresses, "Kunden1", QStringLiteral("&Kunden"), help::Addresses),
                  &Windows::customers);
    addWindowItem(
        addItem(addresses, "Auftragnehmer1", QStringLiteral("&Auftragnehmer"), help::Addresses),
        &Windows::contractor);

    QMenu* helpMenu = addMenu("Hilfe1", QStringLiteral("&Hilfe"), help::None);
    connect(addItem(helpMenu, "Hilfethemen", QStringLiteral("&Hilfethemen"), help::None),
            &QAction::triggered, this, &TForm1::HilfethemenClick);
    addWindowItem(addItem(helpMenu, "Info1", QStringLiteral("&Info"), help::None), &Windows::about);
}

void TForm1::setWindows(const Windows& windows) {
    windows_ = windows;
    for (const auto& [item, window] : std::as_const(windowItems_))
        item->setEnabled(windows_.*window != nullptr);
    dueDevicesItem_->setEnabled(windows_.dueDevices != nullptr);
}

void TForm1::showModal(QDialog* window) {
    if (window)
        window->exec();
}

bool TForm1::loadProtocolFile(const Prompter::FileDialog& dialog) {
    // The dialog never proposes the previous file.
    const auto path = prompter_.openFile(dialog);
    if (!path)
        return false;
    const protocol_file::ReadResult file = protocol_file::readProtocolFile(*path);
    if (!file.ok()) {
        prompter_.message(file.error, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return false;
    }
    state_.protocolFileName = *path;
    protocol_file::readForOpen(file.image, state_.record, state_.report);
    return true;
}

void TForm1::DateiOeffnenClick() {
    if (!loadProtocolFile(OpenDialogOeffnen))
        return;
    state_.report.newReport = 0;
    showModal(windows_.wizard);
    if (windows_.savePrint)
        windows_.savePrint(SavePrintMode::SaveAndPrint);
}

void TForm1::DruckenClick() {
    if (!loadProtocolFile(OpenDialogDrucken))
        return;
    if (windows_.savePrint)
        windows_.savePrint(SavePrintMode::PrintOnly);
}

void TForm1::DruckereinrichtungClick() {
    if (!printerFound_) {
        prompter_.message(QStringLiteral("Kein Drucker im System vorhanden!"),
                          QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return;
    }
    QPrinter printer;
    if (!state_.printerName.isEmpty())
        printer.setPrinterName(state_.printerName);
    if (prompter_.printerSetup(printer))
        state_.printerName = printer.printerName();
}

void TForm1::HilfethemenClick() {
    help_.showContents();
}

bool TForm1::backupIsTheServers() {
    if (!tables_.onServer())
        return false;
    prompter_.message(database_choice::serverBackupNotice(), QStringLiteral("Hinweis"),
                      Prompter::Buttons::Ok);
    return true;
}

void TForm1::DatensicherungClick() {
    if (backupIsTheServers())
        return;
    backup_steps::backUp(prompter_, tables_.databasePath(), QDateTime::currentDateTime());
}

void TForm1::ZurueckladenClick() {
    if (backupIsTheServers() ||
        !backup_steps::restore(prompter_, tables_.databasePath(), QDateTime::currentDateTime()))
        return;
    for (TableCursor* cursor : findChildren<TableCursor*>()) {
        if (!cursor->isOpen())
            continue;
        cursor->close();
        cursor->open();
    }
    customer_table::loadContractorLines(tables_, state_.report);
}
