#pragma once

#include "FakeClock.h"
#include "ScriptedPrompter.h"
#include "SimulatedLine.h"
#include "report/ReportSession.h"
#include "tester/PortSettings.h"
#include "tester/SerialLine.h"
#include "tester/TForm3.h"
#include "tester/TesterNotices.h"
#include "tester/TesterState.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class RecordingNotices : public TesterNotices {
public:
    void show(Notice notice) override { shown.push_back(notice); }
    std::vector<Notice> shown;
};

// The remote-control window on a line to the simulated tester, in virtual time.
class ConsoleTest : public ::testing::Test {
protected:
    void start(TesterConfig config = {}) {
        tester = std::make_unique<SimulatedLine>(std::move(config), clock);
        line = std::make_unique<SerialLine>(tester->ports(), clock);
        form = std::make_unique<TForm3>(state, testerState.connection, *line, settings, prompter,
                                        notices);
    }
    // Connects to a tester that accepts only this version.
    void connectTo(int version, std::uint8_t status = 0x10) {
        TesterConfig config;
        config.acceptedVersions = {version};
        config.statusByte = status;
        start(config);
        form->ButtonBeginnFernClick();
    }
    // The bytes the program sent after the given count.
    QByteArray sentSince(qsizetype count) const { return tester->device().sentBytes().mid(count); }
    qsizetype sentCount() const { return tester->device().sentBytes().size(); }
    QString status() const { return form->findChild<QStatusBar*>("StatusBar1")->currentMessage(); }
    QPushButton* button(const char* name) const {
        auto* b = form->findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QLabel* label(const char* name) const {
        auto* l = form->findChild<QLabel*>(name);
        EXPECT_NE(l, nullptr) << name;
        return l;
    }
    // Shown and enabled, as the user sees a key that works.
    bool live(const char* name) const {
        return !button(name)->isHidden() && button(name)->isEnabled();
    }
    QStringList displayLines() const {
        return {label("LabelZeile1")->text(), label("LabelZeile2")->text(),
                label("LabelZeile3")->text()};
    }

    FakeClock clock;
    ReportSession state;
    TesterState testerState;
    PortSettings settings;
    ScriptedPrompter prompter;
    RecordingNotices notices;
    std::unique_ptr<SimulatedLine> tester;
    std::unique_ptr<SerialLine> line;
    std::unique_ptr<TForm3> form;
};
