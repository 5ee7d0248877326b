#include "TForm3.h"
#include "TForm3Handler.h"

#include "TestSelection.h"
#include "TesterBytes.h"
#include "TesterCommands.h"
#include "TesterNotices.h"
#include "common/Prompter.h"
#include "report/ReportSession.h"
#include "report/Vocabulary.h"
#include "tester/TesterConnection.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {
const QString kMenuStatus = QStringLiteral("Auswahl Schutzklasse und Licht an/aus");
using connection_text::kEmptyStatus;
} // namespace

void TForm3::showEvent(QShowEvent* event) {
    ButtonAutoAnalog->setText(QStringLiteral("&Auto"));
    run_.forgetResults();
    QDialog::showEvent(event);
}

void TForm3::done(int result) {
    if (closing_)
        return;
    if (handlerDepth_ > 0) {
        closeWanted_ = true;
        return;
    }
    closing_ = true;
    endConnection();
    closing_ = false;
    QDialog::done(result);
}

void TForm3::stopTimers() {
    for (QTimer* timer : {Timer1, Timer2, Timermessen, TimerSenden})
        timer->stop();
}

void TForm3::requestClose() {
    closeWanted_ = true;
}

void TForm3::abortConnection() {
    stopTimers();
    notices_.show(Notice::NoReaction);
    requestClose();
}

bool TForm3::sendKey(std::uint8_t key) {
    if (tester_command::pressKey(link_, tester_, key) == LineStatus::Ok)
        return true;
    abortConnection();
    return false;
}

void TForm3::ButtonBeginnFernClick() {
    Handler handler(*this);
    session_.begin();
}

void TForm3::paintNow() {
    StatusBar1->repaint();
}

void TForm3::showSoftwareLabel(const QString& label) {
    Label1->setText(label);
}

void TForm3::showConnected(bool classKey, bool accelerators) {
    if (classKey)
        ButtonAutoAnalog->setText(QStringLiteral("&SKL ändern"));
    if (accelerators) {
        for (QPushButton* key : {Button0701, ButtonWeiter1, nrisobtn, Button0701Mess, BitBtn1})
            key->setText(QStringLiteral("070&1"));
        for (QPushButton* key : {Button0702, ButtonWeiter2, Risobtn, Button0702Mess, BitBtn2})
            key->setText(QStringLiteral("070&2"));
    }
    showIdleButtons();
    ButtonBeginnFern->setEnabled(false);
    ButtonEndeFern->setEnabled(true);
    Timer1->start();
}

void TForm3::ButtonEndeFernClick() {
    Handler handler(*this);
    for (QLabel* panel : {PanelLicht, PanelSchutz, PanelSprache, PanelZurueck})
        panel->hide();
    requestClose();
}

void TForm3::showAutoButtonOfMode() {
    const bool classKey = tester_.classKeyMode;
    ButtonAuto->setVisible(!classKey);
    ButtonAutoAnalog->setVisible(classKey);
}

void TForm3::showIdleButtons() {
    for (QPushButton* key : {Button0701, Button0702, ButtonKomp}) {
        key->show();
        key->setEnabled(true);
    }
    showAutoButtonOfMode();
    (tester_.classKeyMode ? ButtonAutoAnalog : ButtonAuto)->setEnabled(true);
}

void TForm3::Button0701Click(bool fromTester) {
    chooseTestKind(1, fromTester);
}

void TForm3::Button0702Click(bool fromTester) {
    chooseTestKind(2, fromTester);
}

void TForm3::showTestDisplay() {
    for (QLabel* shown :
         {LabelArt, LabelZeile[0], LabelZeile[1], LabelZeile[2], Label4, LabelFehler, LabelPol,
          LabelNetz, LabelFehlerKreuz, LabelPolKreuz, LabelNetzKreuz})
        shown->show();
    setStatus(QStringLiteral(" "));
}

void TForm3::setDisplayLines(const std::array<QString, 3>& lines) {
    for (int i = 0; i < 3; ++i)
        LabelZeile[i]->setText(lines[i]);
}

void TForm3::showStartButtons() {
    const int testKind = state_.report.testKind;
    setDisplayLines(test_selection::startChoiceLines(testKind));
    Button0701Mess->setEnabled(testKind == 1);
    Button0702Mess->setEnabled(testKind == 2);
    ButtonAutoMess->setEnabled(true);
    for (QPushButton* start : {Button0701Mess, Button0702Mess, ButtonAutoMess})
        start->show();
}

void TForm3::chooseTestKind(int testKind, bool fromTester) {
    Handler handler(*this);
    Timer1->stop();
    ButtonEndeFern->setEnabled(false);
    showTestDisplay();
    for (QPushButton* b : {nrisobtn, Risobtn, Button0701, Button0702, ButtonAuto, ButtonAutoAnalog,
                           ButtonKomp, Button0701Mess, Button0702Mess, ButtonAutoMess}) {
        b->hide();
        b->setEnabled(false);
    }
    setDisplayLines({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")});
    run_.clearStarted();
    state_.report.testKind = testKind;
    LabelArt->setText(test_selection::testKindLabel(testKind));
    if (!fromTester && !sendKey(testKind == 1 ? tester_byte::kKey0701 : tester_byte::kKey0702))
        return;
    Timermessen->start();
    if (test_selection::offersInsulationChoice(testKind, tester_.ProtocolVersion,
                                               state_.report.protectionClass)) {
        for (QPushButton* choice : {nrisobtn, Risobtn}) {
            choice->show();
            choice->setEnabled(true);
        }
        setDisplayLines(test_selection::insulationChoiceLines());
    } else {
        showStartButtons();
    }
    state_.report.niso = 0;
}

void TForm3::nrisobtnClick(bool fromTester) {
    chooseInsulation(false, fromTester);
}

void TForm3::RisobtnClick(bool fromTester) {
    chooseInsulation(true, fromTester);
}

void TForm3::chooseInsulation(bool withoutInsulation, bool fromTester) {
    Handler handler(*this);
    Timer1->stop();
    showTestDisplay();
    for (QPushButton* choice : {nrisobtn, Risobtn}) {
        choice->hide();
        choice->setEnabled(false);
    }
    run_.clearStarted();
    if (!fromTester && !sendKey(withoutInsulation ? tester_byte::kKey0702 : tester_byte::kKey0701))
        return;
    Timermessen->start();
    showStartButtons();
    state_.report.niso = withoutInsulation ? 1 : 0;
}

void TForm3::ButtonAutoClick(bool fromTester) {
    Handler handler(*this);
    const int version = tester_.ProtocolVersion;
    menu_.open(version);
    setStatus(kMenuStatus);
    Timer1->stop();
    if (version >= 6)
        PanelLicht->setText(lightCaption(tester_.lightFlag));
    PanelSchutz->setText(vocabulary::classCaption(state_.report.protectionClass).value_or(""));
    if (!fromTester && !sendKey(tester_byte::kKeyAuto))
        return;
    for (QLabel* panel : {PanelLicht, PanelSchutz, PanelZurueck})
        panel->show();
    for (QPushButton* key : {Button0701, Button0702, ButtonAuto, ButtonAutoAnalog, ButtonKomp}) {
        key->setEnabled(false);
        key->hide();
    }
    for (QPushButton* key : {BitBtn1, BitBtn2, BitBtn3}) {
        key->setEnabled(true);
        key->show();
    }
    highlightMenuPanel(1);
    Timer2->start();
}

void TForm3::ButtonAutoAnalogClick(bool fromTester) {
    Handler handler(*this);
    Timer1->stop();
    state_.report.protectionClass = nextProtectionClass(state_.report.protectionClass);
    setStatus(connection_text::classStatusLine(state_.report.protectionClass));
    if (!fromTester && !sendKey(tester_byte::kKeyAuto))
        return;
    Timer1->start();
}

void TForm3::ButtonKompClick() {
    Handler handler(*this);
    Timer1->stop();
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             Label2, Label3, Button0701, Button0702, ButtonAuto, ButtonAutoAnalog, ButtonKomp})
        hidden->hide();
    for (QPushButton* key : {Button0701, Button0702, ButtonAuto, ButtonAutoAnalog})
        key->setEnabled(false);
    setStatus(QStringLiteral("Start Nullpunktkorrektur"));
    StatusBar1->repaint();
    if (tester_command::zeroPointCorrection(link_, tester_) != LineStatus::Ok) {
        abortConnection();
        return;
    }
    setStatus(QStringLiteral("Nullpunktkorrektur erfolgreich durchgeführt"));
    showIdleButtons();
    ButtonBeginnFern->setEnabled(false);
    Timer1->start();
}

void TForm3::BitBtn1Click(bool fromTester) {
    Handler handler(*this);
    if (!fromTester && !sendKey(tester_byte::kKey0701))
        return;
    menu_.back();
    highlightMenuPanel(menu_.cursor());
}

void TForm3::BitBtn2Click(bool fromTester) {
    Handler handler(*this);
    if (!fromTester && !sendKey(tester_byte::kKey0702))
        return;
    menu_.forward();
    highlightMenuPanel(menu_.cursor());
}

void TForm3::BitBtn3Click(bool fromTester) {
    Handler handler(*this);
    if (!fromTester && !sendKey(tester_byte::kKeyAuto))
        return;
    const SettingsMenu::Selection selection =
        menu_.select(tester_.ProtocolVersion, tester_, state_.report);
    if (selection.lightCaption)
        PanelLicht->setText(*selection.lightCaption);
    if (selection.classCaption)
        PanelSchutz->setText(*selection.classCaption);
    if (selection.leave)
        leaveMenu();
}

void TForm3::PanelClick(int position) {
    Handler handler(*this);
    if (!menu_.active())
        return;
    for (const std::uint8_t key : menu_.clickOn(position))
        if (!sendKey(key))
            return;
    highlightMenuPanel(menu_.cursor());
}

void TForm3::PanelDblClick(int position) {
    Handler handler(*this);
    PanelClick(position);
    if (menu_.active() && !closeWanted_)
        BitBtn3Click();
}

void TForm3::leaveMenu() {
    menu_.close();
    Timer1->start();
    setStatus(kEmptyStatus);
    for (QLabel* panel : {PanelLicht, PanelSchutz, PanelSprache, PanelZurueck})
        panel->hide();
    showIdleButtons();
    for (QPushButton* key : {BitBtn1, BitBtn2, BitBtn3}) {
        key->setEnabled(false);
        key->hide();
    }
    highlightMenuPanel(1);
    Timer2->stop();
    setStatus(connection_text::classStatusLine(state_.report.protectionClass));
}

std::optional<std::uint8_t> TForm3::pollTester() {
    if (!link_.isOpen() || link_.line().busy() || handlerDepth_ > 0)
        return std::nullopt;
    const Received byte = link_.poll();
    if (!byte.ok())
        return std::nullopt;
    return byte.byte;
}

void TForm3::Timer1Timer() {
    const auto byte = pollTester();
    if (!byte)
        return;
    switch (*byte) {
    case tester_byte::kKey0701:
        Button0701Click(true);
        break;
    case tester_byte::kKey0702:
        Button0702Click(true);
        break;
    case tester_byte::kKeyAuto:
        if (tester_.classKeyMode)
            ButtonAutoAnalogClick(true);
        else
            ButtonAutoClick(true);
        break;
    case tester_byte::kCorrection:
        ButtonKompClick();
        break;
    default:
        break;
    }
}

void TForm3::Timer2Timer() {
    const auto byte = pollTester();
    if (!byte)
        return;
    switch (*byte) {
    case tester_byte::kKey0701:
        BitBtn1Click(true);
        break;
    case tester_byte::kKey0702:
        BitBtn2Click(true);
        break;
    case tester_byte::kKeyAuto:
        BitBtn3Click(true);
        break;
    default:
        break;
    }
}

void TForm3::TimermessenTimer() {
    const auto byte = pollTester();
    if (!byte)
        return;
    switch (*byte) {
    case tester_byte::kKey0701:
    case tester_byte::kKey0702:
    case tester_byte::kKeyAuto:
        testerKey_ = *byte;
        emit runStartRequested(*byte, true);
        break;
    case tester_byte::kWithInsulation:
        nrisobtnClick(true);
        break;
    case tester_byte::kWithoutInsulation:
        RisobtnClick(true);
        break;
    default:
        break;
    }
}

void TForm3::endConnection() {
    Handler handler(*this);
    session_.end();
    emit connectionEnded();
}

void TForm3::showMenuCursor(int position) {
    highlightMenuPanel(position);
}

void TForm3::showDisconnected() {
    for (QLabel* hidden :
         {LabelArt, Label4, Label6, LabelZeile[0], LabelZeile[1], LabelZeile[2], LabelErgebnis,
          LabelFehler, LabelPol, LabelNetz, LabelFehlerKreuz, LabelPolKreuz, LabelNetzKreuz,
          PanelLicht, PanelSchutz, PanelSprache, PanelZurueck})
        hidden->hide();
    for (QLabel* blank : {LabelErgebnis, LabelArt, PanelSchutz, LabelFehlerKreuz, LabelPolKreuz,
                          LabelNetzKreuz, LabelZeile[0], LabelZeile[1], LabelZeile[2]})
        blank->setText(QStringLiteral(" "));
    setDisplayBackground(Qt::white);
    stopTimers();
    ButtonEndeFern->setEnabled(true);
    ButtonBeginnFern->setEnabled(true);
    for (QPushButton* key : {Button0701, Button0702, ButtonAuto, ButtonAutoAnalog, ButtonKomp}) {
        key->setEnabled(false);
        key->show();
    }
    showAutoButtonOfMode();
    // The insulation choice goes too, so no live key is left over the idle ones.
    for (QPushButton* key :
         {BitBtn1, BitBtn2, BitBtn3, Button0701Mess, Button0702Mess, ButtonAutoMess, ButtonWeiter1,
          ButtonWeiter2, ButtonWeiterA, nrisobtn, Risobtn}) {
        key->setEnabled(false);
        key->hide();
    }
}
