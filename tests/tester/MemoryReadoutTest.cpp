#include "FakeClock.h"
#include "Printers.h"
#include "ScriptedPrompter.h"
#include "SimulatedLine.h"
#include "report/ReportSession.h"
#include "tester/MemoryImage.h"
#include "tester/PortSettings.h"
#include "tester/ReadoutPages.h"
#include "tester/SerialLine.h"
#include "tester/TFormAuslesen.h"
#include "tester/TesterState.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace memory_image;

namespace {

QByteArray entryBytes(std::uint8_t flags, const char* a, const char* b, const char* c) {
    QByteArray entry(1, char(flags));
    entry += QByteArray(a, 5) + QByteArray(b, 5) + QByteArray(c, 5);
    return entry.leftJustified(kEntrySize, '\x11');
}

QByteArray imageOf(const QByteArray& entries) {
    const int count = int(entries.size() / kEntrySize) + 1;
    QByteArray image;
    image += char(count >> 8);
    image += char(count & 0xFF);
    return image + entries + kEndMark;
}

} // namespace

TEST(MemoryImage, LinesOfEntries) {
    struct Case {
        std::uint8_t flags;
        int number;
        char software;
        const char* line;
    };
    const Case cases[] = {
        {0x31, 7, 'B', "   7  1e  0702   BBBBB   AAAAA   CCCCC     Riso  Rsl    IslFFF"},
        {0x31, 7, 'A', "   7  1e  0702   AAAAA   BBBBB   CCCCC     Riso  Rsl    IslFFF"},
        {0xC0, 1234, 'B', "1234  1   0701   AAAAA   BBBBB   CCCCC     Rsl   Isl       TOF"},
        {0x28, 12, 'B', "  12  3   0701   AAAAA   BBBBB   CCCCC     Riso  Iea       FFD"},
        {0x91, 1, 'B', "   1  2   0702   AAAAA   BBBBB   CCCCC     Iber            TFF"},
    };
    for (const Case& c : cases) {
        const Entry entry{c.number, c.flags, "AAAAA", "BBBBB", "CCCCC"};
        const QString line = displayLine(entry, c.software);
        EXPECT_EQ(line, QLatin1String(c.line));
        EXPECT_EQ(line.size(), kLineLength);
    }
    EXPECT_EQ(readoutEntry(QLatin1String(cases[3].line)),
              QByteArray("  123 1AAAAABBBBBCCCCCFFD       "));
}

TEST(MemoryImage, CountEntriesAndTheEndMark) {
    const QByteArray two =
        entryBytes(0x00, "0\0.12", " 25.0", " 0.21") + entryBytes(0x04,
                                                                  "\x04"
                                                                  "0.30",
                                                                  ">20.0", "0.05 ");
    const QByteArray image = imageOf(two);
    EXPECT_EQ(entryCount(image), 2);
    EXPECT_EQ(expectedLength(2), 66);
    EXPECT_TRUE(isComplete(image));
    // An end mark inside an entry is data, not the end.
    EXPECT_FALSE(isComplete(image.left(40)));
    const QList<Entry> list = entries(image);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].valueA, QByteArray("0 .12")); // zero bytes read as blanks
    EXPECT_EQ(list[1].valueA, QByteArray("\x04"
                                         "0.30"));
    EXPECT_EQ(list[1].flags, 0x04);
    // A short image yields only the entries it holds in full.
    EXPECT_EQ(entries(image.left(50)).size(), 1);
    EXPECT_FALSE(entryCount(QByteArray(1, '\0')));
    EXPECT_EQ(entries(QByteArray("\xff\xff", 2)).size(), 0);
}

TEST(ReadoutPages, PagesOfFiveHundredAndTheKeptLinesKeepTheirNumbers) {
    QByteArray many;
    for (int i = 0; i < 4100; ++i)
        many += entryBytes(0x00, "AAAAA", "BBBBB", "CCCCC");
    const QList<Entry> list = entries(imageOf(many));
    ASSERT_EQ(list.size(), kMaxEntries);
    ReadoutPages pages(list, 'B');
    QList<qsizetype> sizes;
    QStringList firstPage;
    while (pages.hasMore()) {
        QStringList page = pages.nextPage();
        sizes << page.size();
        if (sizes.size() == 1) {
            page.removeAt(1); // the user drops entry 2
            firstPage = page;
        }
        pages.keep(page);
    }
    EXPECT_EQ(sizes, (QList<qsizetype>{500, 500, 500, 500, 500, 500, 500, 500, 62}));
    ASSERT_EQ(pages.kept().size(), kMaxEntries - 1);
    EXPECT_EQ(pages.kept()[0].left(4), QByteArray("   1"));
    EXPECT_EQ(pages.kept()[1].left(4), QByteArray("   3"));
    EXPECT_EQ(pages.kept()[499].left(4), QByteArray(" 501"));
}

namespace {

class ReadoutWindowTest : public ::testing::Test {
protected:
    void start(const QByteArray& entries) {
        TesterConfig config;
        config.memoryEntries = entries;
        tester = std::make_unique<SimulatedLine>(config, clock);
        line = std::make_unique<SerialLine>(tester->ports(), clock);
        window = std::make_unique<TFormAuslesen>(testerState, state.report, prompter, *line);
        ASSERT_TRUE(window->link().open(settings));
        testerState.memorySoftwareVersion = QStringLiteral("B");
    }

    // Shows the window; `act` runs once the reading is over.
    void run(const std::function<void()>& act) {
        QTimer::singleShot(0, window.get(), [&] {
            QTimer::singleShot(0, window.get(), [&] {
                act();
                if (window->isVisible())
                    window->findChild<QPushButton*>(QStringLiteral("ButtonEnde"))->click();
            });
        });
        window->exec();
    }

    QPushButton& button(const char* name) {
        return *window->findChild<QPushButton*>(QLatin1String(name));
    }
    QString memo() {
        return window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    }

    FakeClock clock;
    ReportSession state;
    TesterState testerState;
    PortSettings settings;
    ScriptedPrompter prompter;
    std::unique_ptr<SimulatedLine> tester;
    std::unique_ptr<SerialLine> line;
    std::unique_ptr<TFormAuslesen> window;
};

} // namespace

TEST_F(ReadoutWindowTest, ReadsShowsAndHandsOverTheKeptEntries) {
    start(sampleMemoryEntries(3));
    QString shown;
    QString label;
    run([&] {
        shown = memo();
        label = window->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        button("ButtonWeiter").click();
        EXPECT_TRUE(button("ButtonUebernahme").isVisible());
        button("ButtonUebernahme").click();
    });
    EXPECT_EQ(prompter.messages(), QStringList{"Frage|Auslesen jetzt starten ? "});
    EXPECT_EQ(label, QStringLiteral("SW-Version des Testers: 4.0"));
    EXPECT_EQ(shown.split(u'\n').size(), 3);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("   1  1   0701    0.12    25.0    0.21     "
                                                "Rsl   Riso   IeaFFF")))
        << shown.toStdString();
    ASSERT_EQ(testerState.readoutHandover.size(), 3);
    EXPECT_EQ(testerState.readoutHandover[0], QByteArray("   11 1 0.12 25.0 0.21FFF       "));
    EXPECT_EQ(testerState.connection.ProtocolVersion, 10);
    // The tester was asked for its version, then for its memory.
    EXPECT_TRUE(tester->device().sentBytes().startsWith(QByteArray("efve")));
    EXPECT_TRUE(tester->device().sentBytes().endsWith(QByteArray("\x08")));
}

TEST_F(ReadoutWindowTest, RemovingLinesAndCancelling) {
    start(sampleMemoryEntries(4));
    prompter.answer(Prompter::Answer::Ok);
    prompter.answer(Prompter::Answer::Ok); // nothing marked
    prompter.answer(Prompter::Answer::Yes);
    run([&] {
        button("ButtonEntfernen").click();
        auto* memoEdit = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        QTextCursor cursor = memoEdit->textCursor();
        cursor.setPosition(70);                           // inside line 2
        cursor.setPosition(140, QTextCursor::KeepAnchor); // into line 3
        memoEdit->setTextCursor(cursor);
        button("ButtonEntfernen").click();
        button("ButtonWeiter").click();
        button("ButtonUebernahme").click();
    });
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Frage|Auslesen jetzt starten ? ", "Hinweis|Sie haben nichts markiert! ",
                           "Bestätigung|Markierte Zeilen entfernen? "}));
    ASSERT_EQ(testerState.readoutHandover.size(), 2);
    EXPECT_EQ(testerState.readoutHandover[1].left(4), QByteArray("   4"));

    prompter.answer(Prompter::Answer::Cancel);
    run([] {});
    EXPECT_TRUE(testerState.readoutHandover.isEmpty());
}

TEST_F(ReadoutWindowTest, AnEmptyMemoryIsTold) {
    start({});
    run([] {});
    EXPECT_EQ(prompter.messages(), (QStringList{"Frage|Auslesen jetzt starten ? ",
                                                "Hinweis|Der Meßwertspeicher ist leer"}));
    EXPECT_TRUE(testerState.readoutHandover.isEmpty());
}
