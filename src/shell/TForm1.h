#pragma once

#include "common/Prompter.h"
#include "report/SavePrintMode.h"

#include <QMainWindow>

#include <functional>

struct ReportSession;
struct TesterState;
class HelpViewer;
class PrinterSystem;
class QAction;
class QDialog;
class QMenu;
class QStatusBar;
class TableStore;

// Main window: its menu leads to every function of the program.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The windows the menu opens, created once at start. Those not built yet
    // stay null and their menu items are disabled.
    struct Windows {
        QDialog* about = nullptr;
        QDialog* portSelection = nullptr;
        QDialog* remoteControl = nullptr;
        QDialog* archive = nullptr;
        QDialog* customers = nullptr;
        QDialog* contractor = nullptr;
        QDialog* wizard = nullptr;
        std::function<void(SavePrintMode)> savePrint;
        // "Fällige Prüfungen", and the archive at the device chosen there.
        std::function<void()> dueDevices;
    };

    // Creating the window prepares the customer table and loads the contractor's lines.
    TForm1(ReportSession& state, TesterState& tester, Prompter& prompter,
           const PrinterSystem& printers, HelpViewer& help, TableStore& tables,
           QWidget* parent = nullptr);
    void setWindows(const Windows& windows);

    static const Prompter::FileDialog OpenDialogOeffnen;
    static const Prompter::FileDialog OpenDialogDrucken;

    void DateiOeffnenClick();
    void DruckenClick();
    void DruckereinrichtungClick();
    void HilfethemenClick();
    // Tells the user where the archive is on a server; true then.
    bool backupIsTheServers();
    void DatensicherungClick();
    // Once the database is replaced, every window reads its tables anew.
    void ZurueckladenClick();

private:
    void createMenu();
    QMenu* addMenu(const char* name, const QString& caption, int helpContext);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, int helpContext);
    QAction* addWindowItem(QAction* item, QDialog* Windows::*window);
    // Reads the chosen protocol file into record and report state; false when
    // the dialog was cancelled or the file refused.
    bool loadProtocolFile(const Prompter::FileDialog& dialog);
    static void showModal(QDialog* window);

    ReportSession& state_;
    TesterState& tester_;
    Prompter& prompter_;
    HelpViewer& help_;
    TableStore& tables_;
    // Whether a printer existed when the window was created.
    bool printerFound_;
    Windows windows_;
    QList<QPair<QAction*, QDialog * Windows::*>> windowItems_;
    QAction* dueDevicesItem_ = nullptr;
    QStatusBar* StatusBar1;
};
