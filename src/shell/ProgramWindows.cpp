#include "ProgramWindows.h"

#include "HelpViewer.h"
#include "MyVersionInfo.h"
#include "TForm1.h"
#include "TForm13.h"

#include <QApplication>

ProgramWindows::ProgramWindows(AppState& state, const QString& dataDirectory)
    : state_(state)
    , tables_(dataDirectory, prompter_)
    , versionInfo_(std::make_unique<MyVersionInfo>())
    , help_(std::make_unique<HelpViewer>()) {
    help_->setHelpFile(QStringLiteral(":/help"));
    helpKey_ = std::make_unique<HelpKey>(*help_);
    qApp->installEventFilter(helpKey_.get());

    form1_ = std::make_unique<TForm1>(state_, prompter_, printers_, *help_, tables_);
    prompter_.setParent(form1_.get());
    form13_ = new TForm13(*versionInfo_, form1_.get());

    TForm1::Windows windows;
    windows.about = form13_;
    form1_->setWindows(windows);
}

ProgramWindows::~ProgramWindows() {
    qApp->removeEventFilter(helpKey_.get());
}
