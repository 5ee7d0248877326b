#include "ProgramWindows.h"

#include "HelpViewer.h"
#include "MyVersionInfo.h"
#include "TForm1.h"
#include "TForm13.h"
#include "addresses/TFormKdnr.h"
#include "report/TForm11.h"
#include "report/TForm12.h"
#include "report/TFormDatum.h"

#include <QApplication>

ProgramWindows::ProgramWindows(AppState& state)
    : state_(state)
    , versionInfo_(std::make_unique<MyVersionInfo>())
    , help_(std::make_unique<HelpViewer>()) {
    help_->setHelpFile(QStringLiteral(":/help"));
    helpKey_ = std::make_unique<HelpKey>(*help_);
    qApp->installEventFilter(helpKey_.get());

    form1_ = std::make_unique<TForm1>(state_, prompter_, printers_, *help_);
    prompter_.setParent(form1_.get());
    form13_ = new TForm13(*versionInfo_, form1_.get());
    formDatum_ = new TFormDatum(state_, prompter_, form1_.get());
    formKdnr_ = new TFormKdnr(state_, prompter_, form1_.get());
    form11_ = new TForm11(state_, form1_.get());
    form12_ = new TForm12(state_, prompter_, form1_.get());

    TForm1::Windows windows;
    windows.about = form13_;
    form1_->setWindows(windows);
}

ProgramWindows::~ProgramWindows() {
    qApp->removeEventFilter(helpKey_.get());
}
