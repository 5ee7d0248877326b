#pragma once

#include "RunDisplay.h"
#include "TesterNotices.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

struct ReportState;
struct TesterConnection;
struct RunMessage;
class TesterLink;

// What a measurement run needs of the window it runs in.
class RunWindow {
public:
    virtual ~RunWindow() = default;
    virtual void stopTimers() = 0;
    // Comes back to the run shortly, through resume().
    virtual void continueLater() = 0;
    // The start keys give way to the keys that answer the tester.
    virtual void showRunKeys() = 0;
    virtual void showMode(const QString& mode) = 0;
    // line 0..2, top first.
    virtual void showLine(int line, const QString& text) = 0;
    virtual void showMark(run_display::Mark mark, bool set) = 0;
    virtual void showStatus(const QString& text) = 0;
    virtual void showVerdict(const QString& verdict) = 0;
    virtual void showNotice(Notice notice) = 0;
    // Ends the remote control once the handler in progress is over.
    virtual void endRemoteControl() = 0;
};

// A measurement run under remote control: started in Hand or Auto mode, it
// follows the tester's messages on the window's display, answers its prompts
// with the keys, and takes the measured values and the verdict into the
// report state. In Hand mode it returns to the window after every message;
// in Auto mode it goes on until the verdict, a fault or a notice that waits.
class MeasurementRun {
public:
    MeasurementRun(TesterLink& link, TesterConnection& tester, ReportState& report,
                   RunWindow& window);

    // A new connection has no run behind it.
    void resetForConnection();
    // The results are handed over once; showing the window again forgets them.
    void forgetResults() { results_ = false; }
    void clearStarted() { started_ = false; }
    bool started() const { return started_; }
    bool resultsAvailable() const { return results_; }

    // A start key pressed on the PC, or reported by the tester while it waits for one.
    void start(std::uint8_t key, bool fromTester);
    // The window comes back after continueLater().
    void resume();
    // A key pressed on the PC during the run.
    void pressKey(std::uint8_t key);

private:
    void enter();
    void handle(const RunMessage& message);
    void showStep(int step);
    void showResult(const RunMessage& message);
    void showLines(const QString& line1, const QString& line2, const QString& line3);
    void clearMarks();
    void end(Notice notice);

    TesterLink& link_;
    TesterConnection& tester_;
    ReportState& report_;
    RunWindow& window_;
    bool started_ = false;
    // The mode stays for the next run when the tester starts it with another key.
    bool hand_ = false;
    bool auto_ = false;
    bool exit_ = false;
    bool finished_ = false;
    bool resultShown_ = false;
    bool acknowledged_ = false;
    bool waitKey_ = false;
    bool fault_ = false;
    bool results_ = false;
    // A result message of this connection holds the values.
    bool resultReceived_ = false;
    int meaningless_ = 0;
    // What lines 1..3 show, byte for byte, as the next message builds on it.
    QByteArray line1_;
    QByteArray line2_;
    QByteArray line3_;
};
