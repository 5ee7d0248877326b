#pragma once

#include "common/ModalStacking.h"
#include "common/QtPrompter.h"
#include "print/PrinterSystem.h"
#include "shell/AppState.h"
#include "shell/CommandLine.h"
#include "tables/TableStore.h"

#include <memory>

class HelpViewer;
class PrintTarget;
class HelpKey;
class MyVersionInfo;
class TForm1;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TFormArchiv;
class TFormDatum;
class TFormFilter;
class TFormSortier;
class TFormSuchen;
class TFormFaellig;
class TFormListe;
class TFormListenformat;
class TFormPlakette;
class TFormSammelFormat;
class TFormEingabeHilfe;
class TFormKdnr;
class TFormKundenstamm;
class TFormNehmerstamm;
class TForm2;
class TForm15;
class TFormAuslesen;
class TForm3;
class NoticeWindows;
class RealClock;
class SerialLine;
class SerialPorts;

// Creates every window of the program once, in a fixed order, and keeps them
// until the end of the run. The main window comes first and owns the others.
class ProgramWindows {
public:
    // database: where the tables live (a data folder, or a server). Messages go
    // to Qt's message boxes unless another prompter is given.
    ProgramWindows(AppState& state, const ProgramOptions& options, const DatabaseLocation& database,
                   Prompter* prompter = nullptr);
    ~ProgramWindows();

    TForm1& mainWindow() { return *form1_; }
    HelpViewer& help() { return *help_; }
    TForm2& portSelection() { return *form2_; }

private:
    // The printer a print goes to: the one chosen in printer setup, else the default.
    std::shared_ptr<PrintTarget> systemPrinter() const;

    AppState& state_;
    QtPrompter qtPrompter_;
    Prompter& prompter_;
    ModalStacking modalStacking_;
    QtPrinterSystem printers_;
    TableStore tables_;
    std::unique_ptr<MyVersionInfo> versionInfo_;
    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<HelpKey> helpKey_;
    std::unique_ptr<RealClock> clock_;
    std::unique_ptr<SerialPorts> serialPorts_;
    std::unique_ptr<SerialLine> serialLine_;
    std::unique_ptr<NoticeWindows> noticeWindows_;
    std::unique_ptr<TForm1> form1_;
    // Created in this order; the main window owns them.
    TForm13* form13_ = nullptr;
    TForm9* form9_ = nullptr;
    TFormNehmerstamm* formNehmerstamm_ = nullptr;
    TFormListe* formListe_ = nullptr;
    TFormListenformat* formListenformat_ = nullptr;
    TFormSammelFormat* formSammelFormat_ = nullptr;
    TFormPlakette* formPlakette_ = nullptr;
    TFormArchiv* formArchiv_ = nullptr;
    TFormFaellig* formFaellig_ = nullptr;
    TFormDatum* formDatum_ = nullptr;
    TFormSortier* formSortier_ = nullptr;
    TFormFilter* formFilter_ = nullptr;
    TFormSuchen* formSuchen_ = nullptr;
    TFormEingabeHilfe* formEingabeHilfe_ = nullptr;
    TFormKdnr* formKdnr_ = nullptr;
    TFormKundenstamm* formKundenstamm_ = nullptr;
    TForm11* form11_ = nullptr;
    TForm10* form10_ = nullptr;
    TForm12* form12_ = nullptr;
    TForm2* form2_ = nullptr;
    TFormAuslesen* formAuslesen_ = nullptr;
    TForm15* form15_ = nullptr;
    TForm3* form3_ = nullptr;
};
