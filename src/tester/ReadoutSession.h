#pragma once

#include "ReadoutPages.h"

#include <QString>

#include <optional>

class Prompter;
class TesterLink;
struct ReportState;
struct TesterConnection;

// What reading the measurement memory needs of the window it runs in.
class ReadoutWindow {
public:
    virtual ~ReadoutWindow() = default;
    // Before the tester is asked: the keys that take over and go on hidden,
    // the progress shown, the column legend back and no information beside it.
    virtual void showPreparing() = 0;
    // In place of the column legend.
    virtual void showLegend(const QString& text) = 0;
    // Beside the legend: which software the tester or its memory has.
    virtual void showInformation(const QString& text) = 0;
    // Lines can now be removed and taken over; the text is empty.
    virtual void showReady() = 0;
    virtual void addLine(const QString& line) = 0;
    virtual void showProgress(int percent) = 0;
    // The reading is over: the text empty, the progress hidden.
    virtual void showRead() = 0;
};

// Reading the tester's measurement memory: its version, the user's go, the
// memory image, and what it holds as pages for the window.
class ReadoutSession {
public:
    ReadoutSession(TesterLink& link, TesterConnection& connection, ReportState& report,
                   Prompter& prompter, ReadoutWindow& window);

    // memorySoftware: the memory's software letter, "A" or "B"; empty means "B".
    // The pages to show, or nothing when the window is to close.
    std::optional<ReadoutPages> read(const QString& memorySoftware);

private:
    bool versionAnswered();
    bool versionUsable();

    TesterLink& link_;
    TesterConnection& connection_;
    ReportState& report_;
    Prompter& prompter_;
    ReadoutWindow& window_;
};
