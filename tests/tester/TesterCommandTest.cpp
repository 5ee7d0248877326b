#include "FakeClock.h"
#include "SimulatedLine.h"
#include "report/ReportState.h"
#include "tester/PortSettings.h"
#include "tester/SerialLine.h"
#include "tester/TesterCommands.h"
#include "tester/TesterConnection.h"
#include "tester/TesterLink.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(TesterCommandTest, ZeroPointCorrectionSaysHowItEnded) {
    struct Case {
        const char* what;
        std::function<void(TesterConfig&)> tester;
        LineStatus status;
        int noResponse;
    };
    const Case cases[] = {
        {"done", [](TesterConfig&) {}, LineStatus::Ok, 0},
        {"another reply", [](TesterConfig& c) { c.correctionReply = 'x'; },
         LineStatus::ProtocolError, 0},
        {"silent", [](TesterConfig& c) { c.silent = true; }, LineStatus::Timeout, 0},
        {"CTS never on", [](TesterConfig& c) { c.ctsNeverOn = true; }, LineStatus::Timeout, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeClock clock;
        TesterConfig config;
        c.tester(config);
        SimulatedLine tester(config, clock);
        SerialLine line(tester.ports(), clock);
        TesterLink link(line);
        ASSERT_TRUE(link.open(PortSettings{}));
        TesterConnection connection;
        ReportState report;
        // A tester that answers is first taken under remote control.
        if (c.status != LineStatus::Timeout) {
            ASSERT_EQ(tester_command::connect(link, connection, report),
                      tester_command::HandshakeResult::Connected);
        }
        const qsizetype before = tester.device().sentBytes().size();
        EXPECT_EQ(tester_command::zeroPointCorrection(link, connection), c.status);
        EXPECT_EQ(tester.device().sentBytes().mid(before),
                  c.noResponse ? QByteArray() : QByteArray("\x05"));
        EXPECT_EQ(connection.noResponse, c.noResponse);
    }
}

} // namespace
