#pragma once

#include "common/AppState.h"
#include "common/PrinterSystem.h"
#include "common/Prompter.h"
#include "tables/TableStore.h"

#include <memory>

class HelpViewer;
class HelpKey;
class MyVersionInfo;
class TForm1;
class TForm13;

// Creates every window of the program once, in a fixed order, and keeps them
// until the end of the run. The main window comes first and owns the others.
class ProgramWindows {
public:
    // dataDirectory: where the tables live (see dataDirectory()).
    ProgramWindows(AppState& state, const QString& dataDirectory);
    ~ProgramWindows();

    TForm1& mainWindow() { return *form1_; }
    HelpViewer& help() { return *help_; }

private:
    AppState& state_;
    QtPrompter prompter_;
    QtPrinterSystem printers_;
    TableStore tables_;
    std::unique_ptr<MyVersionInfo> versionInfo_;
    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<HelpKey> helpKey_;
    std::unique_ptr<TForm1> form1_;
    TForm13* form13_ = nullptr;
};
