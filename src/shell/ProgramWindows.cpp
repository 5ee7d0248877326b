#include "ProgramWindows.h"

#include "HelpViewer.h"
#include "MyVersionInfo.h"
#include "TForm1.h"
#include "TForm13.h"
#include "addresses/TFormEingabeHilfe.h"
#include "addresses/TFormKdnr.h"
#include "addresses/TFormKundenstamm.h"
#include "addresses/TFormNehmerstamm.h"
#include "archive_output/TFormFaellig.h"
#include "archive_output/TFormListe.h"
#include "archive_output/TFormListenformat.h"
#include "archive_output/TFormPlakette.h"
#include "archive_output/TFormSammelFormat.h"
#include "archive_window/TFormArchiv.h"
#include "archive_window/TFormFilter.h"
#include "archive_window/TFormSortier.h"
#include "archive_window/TFormSuchen.h"
#include "print/QtPrintTarget.h"
#include "report/TForm10.h"
#include "report/TForm11.h"
#include "report/TForm12.h"
#include "report/TForm9.h"
#include "report/TFormDatum.h"
#include "tester/Clock.h"
#include "tester/NoticeWindows.h"
#include "tester/PortBindings.h"
#include "tester/SerialLine.h"
#include "tester/SystemSerialPorts.h"
#include "tester/TForm15.h"
#include "tester/TForm2.h"
#include "tester/TForm3.h"
#include "tester/TFormAuslesen.h"

#include <QApplication>

namespace {
// The devices remembered from the port selection; --port overrides them for this run.
PortSlots::Bindings portBindings(const ProgramOptions& options) {
    PortSlots::Bindings bindings = port_bindings::load(port_bindings::defaultPath());
    for (const auto& [index, device] : options.ports)
        bindings[index] = device;
    return bindings;
}
} // namespace

ProgramWindows::ProgramWindows(AppState& state, const ProgramOptions& options,
                               const DatabaseLocation& database, Prompter* prompter)
    : state_(state)
    , prompter_(prompter ? *prompter : qtPrompter_)
    , tables_(database, prompter_)
    , versionInfo_(std::make_unique<MyVersionInfo>())
    , help_(std::make_unique<HelpViewer>())
    , clock_(std::make_unique<RealClock>())
    , serialPorts_(systemSerialPorts(PortSlots::discover(portBindings(options))))
    , serialLine_(std::make_unique<SerialLine>(*serialPorts_, *clock_)) {
    // Every window prepares its tables; trouble with them is told once.
    const TableStore::OncePerFailure oncePerFailure(tables_);
    help_->setHelpFile(QStringLiteral(":/help"));
    helpKey_ = std::make_unique<HelpKey>(*help_);
    qApp->installEventFilter(helpKey_.get());
    qApp->installEventFilter(&modalStacking_);

    form1_ = std::make_unique<TForm1>(state_.report, state_.tester, prompter_, printers_, *help_,
                                      tables_);
    qtPrompter_.setParent(form1_.get());
    // The about box names where the archive lives: the data folder, or the server.
    form13_ = new TForm13(
        *versionInfo_, tables_.onServer() ? tables_.databasePath() : database.folder, form1_.get());
    form9_ = new TForm9(state_.report, prompter_, tables_, form1_.get());
    formNehmerstamm_ = new TFormNehmerstamm(tables_, form1_.get());
    formListe_ = new TFormListe(prompter_, tables_, form1_.get());
    formListenformat_ = new TFormListenformat(form1_.get());
    formSammelFormat_ = new TFormSammelFormat(form1_.get());
    formPlakette_ = new TFormPlakette(form1_.get());
    formArchiv_ = new TFormArchiv(
        state_.report, state_.tester.readoutHandover, prompter_, tables_,
        [this] { return systemPrinter(); }, form1_.get());
    formFaellig_ = new TFormFaellig(
        prompter_, tables_, [this] { return systemPrinter(); }, form1_.get());
    formDatum_ = new TFormDatum(prompter_, form1_.get());
    formSortier_ = new TFormSortier(form1_.get());
    formFilter_ = new TFormFilter(prompter_, form1_.get());
    formSuchen_ = new TFormSuchen(prompter_, form1_.get());
    formEingabeHilfe_ = new TFormEingabeHilfe(tables_, form1_.get());
    formKdnr_ = new TFormKdnr(prompter_, form1_.get());
    formKundenstamm_ = new TFormKundenstamm(tables_, prompter_, form1_.get());
    form2_ = new TForm2(*serialLine_, prompter_, com_file::kFileName, port_bindings::defaultPath(),
                        form1_.get());
    form11_ = new TForm11(form1_.get());
    form10_ = new TForm10(
        state_.report, prompter_, [this] { return systemPrinter(); }, form1_.get());
    form12_ = new TForm12(state_.report, prompter_, form1_.get());
    formAuslesen_ = new TFormAuslesen(state_.tester, state_.report.report, prompter_, *serialLine_,
                                      form1_.get());
    form15_ = new TForm15(state_.tester, form1_.get());
    noticeWindows_ = std::make_unique<NoticeWindows>();
    form3_ = new TForm3(state_.report, state_.tester.connection, *serialLine_, form2_->settings(),
                        prompter_, *noticeWindows_, form1_.get());
    noticeWindows_->createWindows(form1_.get());
    form3_->setResultHandover([this] { return form11_->askReport(); }, form9_, form10_, tables_);

    const CustomerLookup lookup = [this] { return formEingabeHilfe_->choose(); };
    form9_->setDialogs(form12_, lookup);
    formListe_->setCustomerLookup(lookup);
    TFormArchiv::Dialogs archiveDialogs;
    archiveDialogs.wizard = form9_;
    archiveDialogs.savePrint = form10_;
    archiveDialogs.askDate = [this](const DateQuestion& question) {
        return formDatum_->askDate(question);
    };
    archiveDialogs.customerLookup = lookup;
    archiveDialogs.customerNumberEntry = [this] { return formKdnr_->enterNumber(); };
    archiveDialogs.deviceListRequest = formListe_;
    archiveDialogs.deviceListFormat = formListenformat_;
    archiveDialogs.sort = formSortier_;
    archiveDialogs.filter = formFilter_;
    archiveDialogs.search = formSuchen_;
    archiveDialogs.collectiveFormat = formSammelFormat_;
    archiveDialogs.labelChoice = formPlakette_;
    archiveDialogs.memoryReadout = formAuslesen_;
    archiveDialogs.portSettings = &form2_->settings();
    archiveDialogs.memoryVersion = form15_;
    archiveDialogs.dueDevices = [this] { return formFaellig_->chooseRow(); };
    formArchiv_->setDialogs(archiveDialogs);

    TForm1::Windows windows;
    windows.about = form13_;
    windows.portSelection = form2_;
    windows.customers = formKundenstamm_;
    windows.archive = formArchiv_;
    windows.remoteControl = form3_;
    windows.contractor = formNehmerstamm_;
    windows.savePrint = [this](SavePrintMode mode) { form10_->run(mode); };
    windows.wizard = form9_;
    windows.dueDevices = [this] {
        if (const auto number = formFaellig_->chooseRow()) {
            formArchiv_->goToRow(*number);
            formArchiv_->exec();
        }
    };
    form1_->setWindows(windows);
}

std::shared_ptr<PrintTarget> ProgramWindows::systemPrinter() const {
    return QtPrintTarget::systemPrinter(printers_, state_.report.printerName);
}

ProgramWindows::~ProgramWindows() {
    qApp->removeEventFilter(helpKey_.get());
    qApp->removeEventFilter(&modalStacking_);
}
