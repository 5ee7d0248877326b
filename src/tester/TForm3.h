#pragma once

#include "ConnectionSession.h"
#include "MeasurementRun.h"
#include "ResultHandover.h"
#include "SettingsMenu.h"
#include "TesterLink.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

struct ReportSession;
struct TesterConnection;
struct PortSettings;
class Prompter;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;
class SerialLine;
class TableStore;
class TesterNotices;

// Remote-control window for the tester: connects to it, mirrors its keys and
// display, chooses the test, the protection class and the settings, follows
// the measurement run and hands its results on.
class TForm3 : public QDialog, private RunWindow, private ConnectionWindow {
    Q_OBJECT
public:
    TForm3(ReportSession& state, TesterConnection& tester, SerialLine& line,
           const PortSettings& settings, Prompter& prompter, TesterNotices& notices,
           QWidget* parent = nullptr);

    // Handlers. fromTester: the tester reported the key itself, so it is not sent back.
    void ButtonBeginnFernClick();
    void ButtonEndeFernClick();
    void Button0701Click(bool fromTester = false);
    void Button0702Click(bool fromTester = false);
    void ButtonAutoClick(bool fromTester = false);
    void ButtonAutoAnalogClick(bool fromTester = false);
    void ButtonKompClick();
    void BitBtn1Click(bool fromTester = false);
    void BitBtn2Click(bool fromTester = false);
    void BitBtn3Click(bool fromTester = false);
    // position: 1 Licht, 2 Schutzklasse, 3 Sprache, last Zurück.
    void PanelClick(int position);
    void PanelDblClick(int position);
    void nrisobtnClick(bool fromTester = false);
    void RisobtnClick(bool fromTester = false);
    void Timer1Timer();
    void Timer2Timer();
    void TimermessenTimer();
    // The measurement run (TForm3Run.cpp).
    void ButtonWeiter1Click();
    void ButtonWeiter2Click();
    void ButtonWeiterAClick();
    void TimerSendenTimer();

    // The windows and the archive the results are handed to when the window closes.
    void setResultHandover(std::function<bool()> askReport, QDialog* wizard, QDialog* savePrint,
                           TableStore& tables);
    void setResultHandover(std::unique_ptr<ResultHandover> handover);

    const SettingsMenu& menu() const { return menu_; }
    const MeasurementRun& run() const { return run_; }
    bool portOpen() const { return link_.isOpen(); }
    // Closing waits until the exchange in progress is over.
    void done(int result) override;

signals:
    // The measurement run starts with this key (0x01, 0x02, 0x04).
    void runStartRequested(int key, bool fromTester);
    // The connection has ended; the window is about to close.
    void connectionEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Handler;

    void createControls();
    void setStatus(const QString& text);
    void stopTimers() override;
    // A byte the tester did not take ends the remote control.
    bool sendKey(std::uint8_t key);
    // The next byte from the tester, unless the port is closed or an exchange is running.
    std::optional<std::uint8_t> pollTester();
    void abortConnection();
    void requestClose();
    void endConnection();

    void showIdleButtons();
    void showAutoButtonOfMode();
    void chooseTestKind(int testKind, bool fromTester);
    void chooseInsulation(bool withoutInsulation, bool fromTester);
    void showTestDisplay();
    void showStartButtons();
    void setDisplayLines(const std::array<QString, 3>& lines);
    void highlightMenuPanel(int position);
    void leaveMenu();
    QLabel* panelAt(int position) const;

    void startRun(int key, bool fromTester);
    void pressRunKey(std::uint8_t key);
    void handOverResults();
    void setDisplayBackground(const QColor& color);

    // What the run shows and does through the window.
    void continueLater() override;
    void showRunKeys() override;
    void showMode(const QString& mode) override;
    void showLine(int line, const QString& text) override;
    void showMark(run_display::Mark mark, bool set) override;
    void showStatus(const QString& text) override;
    void showVerdict(const QString& verdict) override;
    void showNotice(Notice notice) override;
    void endRemoteControl() override;

    // What the connection shows through the window.
    void paintNow() override;
    void showSoftwareLabel(const QString& label) override;
    void showConnected(bool classKey, bool accelerators) override;
    void showMenuCursor(int position) override;
    void showDisconnected() override;

    ReportSession& state_;
    TesterConnection& tester_;
    TesterLink link_;
    const PortSettings& settings_;
    Prompter& prompter_;
    TesterNotices& notices_;
    SettingsMenu menu_;
    MeasurementRun run_;
    ConnectionSession session_;
    std::unique_ptr<ResultHandover> handover_;
    int testerKey_ = 0;
    int handlerDepth_ = 0;
    bool closeWanted_ = false;
    bool closing_ = false;

    QPushButton* ButtonBeginnFern;
    QPushButton* ButtonEndeFern;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* LabelArt;
    QLabel* Label4;
    std::array<QLabel*, 3> LabelZeile;
    QLabel* LabelFehler;
    QLabel* LabelPol;
    QLabel* LabelNetz;
    QLabel* LabelFehlerKreuz;
    QLabel* LabelPolKreuz;
    QLabel* LabelNetzKreuz;
    QLabel* Label6;
    QLabel* LabelErgebnis;
    QPushButton* Button0701;
    QPushButton* Button0702;
    QPushButton* ButtonAuto;
    QPushButton* ButtonAutoAnalog;
    QPushButton* ButtonKomp;
    QPushButton* nrisobtn;
    QPushButton* Risobtn;
    QPushButton* Button0701Mess;
    QPushButton* Button0702Mess;
    QPushButton* ButtonAutoMess;
    QPushButton* ButtonWeiter1;
    QPushButton* ButtonWeiter2;
    QPushButton* ButtonWeiterA;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QLabel* PanelLicht;
    QLabel* PanelSchutz;
    QLabel* PanelSprache;
    QLabel* PanelZurueck;
    QStatusBar* StatusBar1;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timermessen;
    QTimer* TimerSenden;
};
