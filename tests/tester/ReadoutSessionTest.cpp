#include "tester/ReadoutSession.h"
#include "FakeClock.h"
#include "SessionLog.h"
#include "SimulatedLine.h"
#include "report/ReportSession.h"
#include "tester/PortSettings.h"
#include "tester/SerialLine.h"
#include "tester/TesterLink.h"
#include "tester/TesterState.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class RecordingReadoutWindow : public ReadoutWindow {
public:
    explicit RecordingReadoutWindow(QStringList& log)
        : log_(log) {}

    void showPreparing() override { log_ << QStringLiteral("preparing"); }
    void showLegend(const QString& text) override { log_ << QStringLiteral("legend ") + text; }
    void showInformation(const QString& text) override {
        log_ << QStringLiteral("information ") + text;
    }
    void showReady() override {
        log_ << QStringLiteral("ready");
        if (onReady)
            onReady();
    }
    void addLine(const QString& line) override { log_ << QStringLiteral("line ") + line; }
    void showProgress(int percent) override { progress.push_back(percent); }
    void showRead() override { log_ << QStringLiteral("read"); }

    std::function<void()> onReady;
    std::vector<int> progress;

private:
    QStringList& log_;
};

const QString kAsk = QStringLiteral("message Frage|Auslesen jetzt starten ? ");
const QString kReading = QStringLiteral("line  Auslesen der Messwerte beginnt");
const QString kNotAttached =
    QStringLiteral("message Warnung|Gerätetester ist nicht angeschlossen oder eingeschaltet!");
const QString kUnusable =
    QStringLiteral("message Achtung|Ihr Gerät kann mit dieser Software nicht verwendet werden. "
                   "Adresse und Telefonnummer für Informationen: siehe Hilfe | Info");
// Entry 2 of the samples: a periodic test of class 1 with insulation test,
// stored Riso first by memory software 'B'.
const QString kSecondLineB =
    QStringLiteral("   2  1   0702   >20.0   0.300   0.05      Riso  Rsl    IslFOF");
const QString kSecondLineA =
    QStringLiteral("   2  1   0702   0.300   >20.0   0.05      Riso  Rsl    IslFOF");

// Reading the memory on a line to the simulated tester, in virtual time.
class ReadoutSessionTest : public ::testing::Test {
protected:
    void start(TesterConfig config, bool openPort = true) {
        log.clear();
        window.progress.clear();
        window.onReady = nullptr;
        tester = std::make_unique<SimulatedLine>(std::move(config), clock);
        line = std::make_unique<SerialLine>(tester->ports(), clock);
        link = std::make_unique<TesterLink>(*line);
        if (openPort) {
            ASSERT_TRUE(link->open(settings));
        }
        session = std::make_unique<ReadoutSession>(*link, testerState.connection, state.report,
                                                   prompter, window);
    }
    QByteArray sent() const { return tester->device().sentBytes(); }

    FakeClock clock;
    ReportSession state;
    TesterState testerState;
    PortSettings settings;
    QStringList log;
    LoggingPrompter prompter{log};
    RecordingReadoutWindow window{log};
    std::unique_ptr<SimulatedLine> tester;
    std::unique_ptr<SerialLine> line;
    std::unique_ptr<TesterLink> link;
    std::unique_ptr<ReadoutSession> session;
};

TEST_F(ReadoutSessionTest, ReadOverVersionsAndFaults) {
    struct Case {
        const char* what;
        std::function<void(TesterConfig&)> tester;
        int versionBefore;
        const char* memorySoftware;
        QByteArray sent;
        QStringList log;
        int version;
        int diff;
        QString secondLine; // empty: nothing to show, the window closes
    };
    const auto accepting = [](std::set<int> versions, std::uint8_t status) {
        return [versions, status](TesterConfig& c) {
            c.acceptedVersions = versions;
            c.statusByte = status;
        };
    };
    const Case cases[] = {
        {"version 10",
         accepting({10}, 0x10),
         0,
         "B",
         "efve\x08",
         {"preparing", "legend SW-Version des Testers: 4.0", "ready", kAsk, kReading, "read"},
         10,
         0,
         kSecondLineB},
        {"version 9 with differential current",
         accepting({8, 9}, 0x90),
         0,
         "B",
         "efve\x08",
         {"preparing", "information SW-Version des Testers: 3.9", "ready", kAsk, kReading, "read"},
         9,
         1,
         kSecondLineB},
        {"version 3, memory software A",
         accepting({3}, 0x10),
         0,
         "A",
         "efve\x08",
         {"preparing", "information SW-Version Speicher : 3.1", "ready", kAsk, kReading, "read"},
         3,
         0,
         kSecondLineA},
        {"no memory software chosen reads as B",
         accepting({2}, 0x10),
         0,
         "",
         "efve\x08",
         {"preparing", "ready", kAsk, kReading, "read"},
         2,
         0,
         kSecondLineB},
        {"version 5", accepting({5}, 0x10), 0, "B", "efve", {"preparing", kUnusable}, 5, 0, {}},
        {"version 8", accepting({8}, 0x90), 0, "B", "efve", {"preparing", kUnusable}, 8, 1, {}},
        {"an answer without a valid version keeps the one known",
         accepting({10}, 0x80),
         3,
         "B",
         "efve\x08",
         {"preparing", "ready", kAsk, kReading, "read"},
         3,
         0,
         kSecondLineB},
        {"refuses the query, keeps the version known",
         accepting({}, 0x10),
         10,
         "B",
         "efve\x08",
         {"preparing", "legend SW-Version des Testers: 4.0", "ready", kAsk, kReading, "read"},
         10,
         0,
         kSecondLineB},
        {"silent",
         [](TesterConfig& c) { c.silent = true; },
         10,
         "B",
         "efv",
         {"preparing", kNotAttached},
         10,
         0,
         {}},
        {"CTS never on",
         [](TesterConfig& c) { c.ctsNeverOn = true; },
         10,
         "B",
         "",
         {"preparing", kNotAttached},
         10,
         0,
         {}},
        // The status byte of the answer to 'v' is cut off: the window closes without a word.
        {"answers cut short",
         [](TesterConfig& c) { c.cutShortBy = 1; },
         10,
         "B",
         "efv",
         {"preparing"},
         10,
         0,
         {}},
        {"garbage for every answer",
         [](TesterConfig& c) { c.garbage = "\x55\xAA"; },
         0,
         "B",
         "efve\x08",
         {"preparing", "ready", kAsk, kReading, "read",
          "message Fehler|Fehler beim Lesen vom Meßwertspeicher"},
         0,
         0,
         {}},
        {"empty memory",
         [](TesterConfig& c) { c.memoryEntries.clear(); },
         0,
         "B",
         "efve\x08",
         {"preparing", "legend SW-Version des Testers: 4.0", "ready", kAsk, kReading, "read",
          "message Hinweis|Der Meßwertspeicher ist leer"},
         10,
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TesterConfig config;
        config.memoryEntries = sampleMemoryEntries(3);
        c.tester(config);
        state = ReportSession{};
        testerState = TesterState{};
        testerState.connection.ProtocolVersion = c.versionBefore;
        start(config);
        const auto pages = session->read(QString::fromLatin1(c.memorySoftware));
        EXPECT_EQ(sent(), c.sent);
        EXPECT_EQ(joined(log), joined(c.log));
        EXPECT_EQ(testerState.connection.ProtocolVersion, c.version);
        EXPECT_EQ(state.report.diff, c.diff);
        ASSERT_EQ(pages.has_value(), !c.secondLine.isEmpty());
        if (pages) {
            ReadoutPages shown = *pages;
            const QStringList page = shown.nextPage();
            ASSERT_EQ(page.size(), 3);
            EXPECT_EQ(page[1], c.secondLine);
            EXPECT_FALSE(shown.hasMore());
        }
    }
}

TEST_F(ReadoutSessionTest, TheUserSaysWhetherToRead) {
    start({});
    prompter.answer(Prompter::Answer::Cancel);
    EXPECT_FALSE(session->read(QStringLiteral("B")));
    EXPECT_EQ(joined(log),
              joined({"preparing", "legend SW-Version des Testers: 4.0", "ready", kAsk}));
    EXPECT_EQ(sent(), QByteArray("efve"));
}

TEST_F(ReadoutSessionTest, MemoryThatCannotBeAskedFor) {
    // The tester stops taking bytes between the version query and the memory request.
    start({});
    window.onReady = [this] { tester->device().setCtsOnFrom(TestSerialDevice::kNever); };
    EXPECT_FALSE(session->read(QStringLiteral("B")));
    EXPECT_EQ(joined(log),
              joined({"preparing", "legend SW-Version des Testers: 4.0", "ready", kAsk, kReading,
                      "read", "message Fehler|Speicher nicht bereit zum Auslesen"}));
    EXPECT_EQ(sent(), QByteArray("efve"));

    // Without an open port nothing is asked; the version of the last connection counts.
    testerState.connection.ProtocolVersion = 9;
    start({}, false);
    EXPECT_FALSE(session->read(QStringLiteral("B")));
    EXPECT_EQ(joined(log),
              joined({"preparing", "information SW-Version des Testers: 3.9", "ready", kAsk,
                      kReading, "read", "message Fehler|Speicher nicht bereit zum Auslesen"}));
    EXPECT_EQ(sent(), QByteArray());
}

TEST_F(ReadoutSessionTest, ProgressFollowsTheAnnouncedLength) {
    TesterConfig config;
    config.memoryEntries = sampleMemoryEntries(3); // 2 + 96 bytes and the end mark
    config.memoryChunkSize = 64;
    // Later than the pause after the request, so the pieces are read one by one.
    config.memoryChunkDelayMs = 1000;
    start(config);
    ASSERT_TRUE(session->read(QStringLiteral("B")));
    EXPECT_EQ(window.progress, (std::vector<int>{0, 65, 100}));
}

TEST_F(ReadoutSessionTest, MoreThan4062EntriesAreCutWithANote) {
    TesterConfig config;
    config.memoryEntries = sampleMemoryEntries(4100);
    config.memoryChunkSize = 2048;
    start(config);
    auto pages = session->read(QStringLiteral("B"));
    ASSERT_TRUE(pages);
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Frage|Auslesen jetzt starten ? ",
                           "Hinweis|In dieser Version werden nur die ersten 4062 Werte "
                           "eingelesen"}));
    int lines = 0;
    while (pages->hasMore())
        lines += int(pages->nextPage().size());
    EXPECT_EQ(lines, 4062);
}

} // namespace
