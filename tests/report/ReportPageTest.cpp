#include "report/ReportPage.h"

#include "SampleReport.h"
#include "ScriptedPrompter.h"
#include "print/RecordingPrintTarget.h"
#include "print/TXPrint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// On the recording printer (600 dpi, A4) 10 points are 352 units high.
constexpr int H = 704;
constexpr int h = 70;
constexpr int W = 17001;
constexpr int P = 25700;
constexpr int Y0 = 1100;
constexpr int Y1 = 1130;

std::string describe(const CanvasOp& op) {
    switch (op.kind) {
    case CanvasOp::Kind::Text:
        return QStringLiteral("text %1,%2 \"%3\" %4%5%6 %7")
            .arg(op.x1)
            .arg(op.y1)
            .arg(op.text, op.font.name, op.font.bold ? u" bold"_s : QString(),
                 op.font.pitch == FontPitch::Fixed ? u" fixed"_s : QString())
            .arg(op.font.size)
            .toStdString();
    case CanvasOp::Kind::Line:
        return QStringLiteral("line %1,%2-%3,%4 pen %5")
            .arg(op.x1)
            .arg(op.y1)
            .arg(op.x2)
            .arg(op.y2)
            .arg(op.penWidth)
            .toStdString();
    case CanvasOp::Kind::Rectangle:
    case CanvasOp::Kind::Frame:
        return QStringLiteral("%1 %2,%3-%4,%5 pen %6")
            .arg(op.kind == CanvasOp::Kind::Frame ? u"frame"_s : u"box"_s)
            .arg(op.x1)
            .arg(op.y1)
            .arg(op.x2)
            .arg(op.y2)
            .arg(op.penWidth)
            .toStdString();
    case CanvasOp::Kind::Fill:
        return QStringLiteral("fill %1,%2-%3,%4")
            .arg(op.x1)
            .arg(op.y1)
            .arg(op.x2)
            .arg(op.y2)
            .toStdString();
    }
    return {};
}

// The page as it should come out, written down element by element.
class ExpectedPage {
public:
    void font(const QString& name, bool bold, bool fixed, int size) {
        font_ = QStringLiteral("%1%2%3 %4")
                    .arg(name, bold ? u" bold"_s : QString(), fixed ? u" fixed"_s : QString())
                    .arg(size);
        size_ = size;
    }
    void text(int x, int y, const QString& text) {
        ops_.push_back(
            QStringLiteral("text %1,%2 \"%3\" %4").arg(x).arg(y).arg(text, font_).toStdString());
    }
    // Centred with the recording canvas's widths: 60 % of 352 per character.
    void centred(int centre, int y, const QString& text) {
        const int width = int(text.size()) * (size_ * 2540 / 72) * 60 / 100;
        this->text(centre - width / 2, y, text);
    }
    void line(int x1, int y1, int x2, int y2, int pen = 20) {
        ops_.push_back(QStringLiteral("line %1,%2-%3,%4 pen %5")
                           .arg(x1)
                           .arg(y1)
                           .arg(x2)
                           .arg(y2)
                           .arg(pen)
                           .toStdString());
    }
    void rule(int y) { line(0, y, W, y); }
    void box(int x, int y, bool crossed) {
        ops_.push_back(QStringLiteral("box %1,%2-%3,%4 pen 25")
                           .arg(x)
                           .arg(y)
                           .arg(x + H / 2)
                           .arg(y + H / 2)
                           .toStdString());
        if (crossed) {
            line(x + h, y + h, x + H / 2 - h, y + H / 2 - h, 45);
            line(x + H / 2 - h, y + h, x + h, y + H / 2 - h, 45);
        }
    }
    const std::vector<std::string>& ops() const { return ops_; }

private:
    QString font_;
    int size_ = 0;
    std::vector<std::string> ops_;
};

class ReportPageTest : public ::testing::Test {
protected:
    ReportPageTest() { report_page::configure(print); }

    const RecordingPrintTarget::Job& printOnce(const Protokoll& record, const ReportState& state) {
        const auto problem = report_page::print(print, record, state, limits);
        EXPECT_FALSE(problem) << problem->text.toStdString();
        EXPECT_EQ(target.jobs().size(), 1);
        return target.jobs().last();
    }
    std::vector<std::string> described(const RecordingPrintTarget::Job& job) const {
        std::vector<std::string> result;
        for (const CanvasOp& op : job.ops)
            result.push_back(describe(op));
        return result;
    }
    const CanvasOp* find(const RecordingPrintTarget::Job& job, const QString& text) const {
        for (const CanvasOp& op : job.ops) {
            if (op.kind == CanvasOp::Kind::Text && op.text == text)
                return &op;
        }
        return nullptr;
    }

    RecordingPrintTarget target;
    TXPrint print{target};
    report_page::LimitTexts limits;
};

TEST_F(ReportPageTest, FullRecordDrawsEveryElementInPlace) {
    const auto& job = printOnce(sampleReport(), sampleState());
    EXPECT_EQ(job.settings.title, u"ZT0701"_s);
    EXPECT_EQ(job.settings.orientation, TXPrinterOrientation::xpoPortrait);
    EXPECT_EQ(print.PageWidth(), W);
    EXPECT_EQ(print.PageHeight(), P);

    const QString times = u"Times New Roman"_s;
    ExpectedPage page;
    page.font(times, true, true, 16);
    page.text(50, 150, u"Prüfprotokoll für elektrische Geräte"_s);
    page.font(times, true, true, 10);
    page.rule(900);
    page.text(9500, 250, u"Auftrag Nr."_s);
    page.text(50, Y0, u"Auftraggeber (Kunde)"_s);
    page.text(9500, Y0, u"Auftragnehmer"_s);
    page.line(9200, 0, 9200, Y0 + 5 * H - 175);
    page.text(50, Y0 + 4 * H, u"Geräteart"_s);
    page.rule(Y0 + 4 * H - 175);
    page.text(9500, Y0 + 4 * H, u"Hersteller"_s);
    page.text(50, Y0 + 5 * H, u"Typenbezeichnung"_s);
    page.rule(Y0 + 5 * H - 175);
    page.text(8000, Y0 + 5 * H, u"Schutzklasse"_s);
    page.text(12500, Y0 + 5 * H, u"Nennstrom"_s);
    page.text(16500, Y0 + 5 * H, u"A"_s);
    page.line(7800, Y0 + 5 * H - 175, 7800, Y0 + 5 * H - 175 + 2 * H);
    page.line(12300, Y0 + 5 * H - 175, 12300, Y0 + 5 * H - 175 + 2 * H);
    page.text(50, Y0 + 6 * H, u"Serien-Nr."_s);
    page.rule(Y0 + 6 * H - 175);
    page.text(8000, Y0 + 6 * H, u"Nennspannung"_s);
    page.text(11900, Y0 + 6 * H, u"V"_s);
    page.text(12500, Y0 + 6 * H, u"Nennleistung"_s);
    page.text(16000, Y0 + 6 * H, u"W/VA"_s);
    const std::pair<int, QString> sections[] = {{7, u"Kundenangaben (Fehler):"_s},
                                                {10, u"Durchgeführte Reparaturarbeiten:"_s},
                                                {13, u"Prüfung:"_s},
                                                {14, u"Besichtigung"_s}};
    for (const auto& [row, label] : sections) {
        page.text(50, Y0 + row * H, label);
        page.rule(Y0 + row * H - 175);
    }
    page.text(4500, Y0 + 15 * H, u"Gehäuse i.O."_s);
    page.box(7000, Y0 + 15 * H, true);
    page.text(4500, Y0 + 16 * H, u"sonstige mechanische Teile i.O."_s);
    page.box(9800, Y0 + 16 * H, true);
    page.text(4500, Y0 + 17 * H, u"Geräte-Anschlussleitungen mängelfrei"_s);
    page.box(11000, Y0 + 17 * H, true);
    page.text(50, Y0 + 18 * H, u"Messung"_s);
    page.rule(Y0 + 18 * H - 175);
    page.text(50, Y0 + 23 * H, u"Grenzwerte:"_s);
    page.rule(Y0 + 24 * H - 175);
    const QString statements[] = {u"Funktions- und Sicherheitsprüfung mängelfrei"_s,
                                  u"Aufschriften vorhanden bzw. vervollständigt"_s,
                                  u"Das Gerät kann nicht mehr instandgesetzt werden"_s,
                                  u"Das Gerät hat erhebliche sicherheitstechnische Mängel"_s};
    for (int i = 0; i < 4; ++i) {
        page.text(50, Y0 + (24 + i) * H, statements[i]);
        page.box(9000, Y0 + (24 + i) * H, true);
    }
    page.text(50, Y0 + 28 * H, u"Nächster Prüfungstermin:"_s);
    page.rule(Y0 + 28 * H - 175);
    const int V = Y0 + 29 * H + 200;
    page.text(50, V, u"Verwendetes Prüfgerät:"_s);
    page.rule(V - 175);
    const int S = V + 3 * H / 2;
    page.text(50, S, u"Ort"_s);
    page.rule(S - 175);
    page.text(8500, S, u"Datum"_s);
    page.text(12000, S, u"Unterschrift"_s);
    page.line(0, 0, W, 0);
    page.line(W, 0, W, P);
    page.line(W, P, 0, P);
    page.line(0, P, 0, 0);

    page.font(u"Courier New"_s, false, false, 10);
    page.text(12000, 280, u"2026-0815"_s);
    page.text(500, Y1 + H, u"Bäckerei Müller"_s);
    page.text(10000, Y1 + H, u"Elektro Schulze GmbH"_s);
    page.text(500, Y1 + 2 * H, u"Hauptstraße 12"_s);
    page.text(10000, Y1 + 2 * H, u"Industrieweg 4"_s);
    page.text(500, Y1 + 3 * H, u"12345 Musterstadt"_s);
    page.text(10000, Y1 + 3 * H, u"54321 Beispielheim"_s);
    page.text(2000, Y1 + 4 * H, u"Brotschneidemaschine"_s);
    page.text(12000, Y1 + 4 * H, u"Graef"_s);
    page.text(3500, Y1 + 5 * H, u"M 90"_s);
    page.text(10500, Y1 + 5 * H, u"1"_s);
    page.text(15000, Y1 + 5 * H, u"0,8"_s);
    page.text(2000, Y1 + 6 * H, u"SN 4711-0042"_s);
    page.text(10800, Y1 + 6 * H, u"230"_s);
    page.text(15000, Y1 + 6 * H, u"170"_s);
    page.text(4300, Y1 + 7 * H, u"Motor läuft nicht an"_s);
    page.text(500, Y1 + 8 * H, u"Schalter klemmt"_s);
    page.text(500, Y1 + 9 * H, u"Zuleitung am Knickschutz beschädigt"_s);
    page.text(5600, Y1 + 10 * H, u"Schalter getauscht"_s);
    page.text(500, Y1 + 11 * H, u"Zuleitung erneuert"_s);
    page.text(500, Y1 + 12 * H, u"Messer geschliffen"_s);
    page.text(2000, Y1 + 13 * H, u"DIN VDE 0701-0702(1)"_s);
    const int centres[] = {2833, 8500, 14167};
    const QString names[] = {u"Schutzleiterwiderstand"_s, u"Isolationswiderstand"_s,
                             u"Ersatzableitstrom"_s};
    const QString units[] = {u"Ω"_s, u"MΩ"_s, u"mA"_s};
    const QString values[] = {u"0.12"_s, u">20.0"_s, u"0.25"_s};
    const QString limitTexts[] = {u"<0.3"_s, u">1"_s, u"<3.5"_s};
    for (int i = 0; i < 3; ++i) {
        page.centred(centres[i], Y1 + 19 * H, names[i]);
        page.centred(centres[i], Y1 + 20 * H, units[i]);
        page.centred(centres[i], Y1 + 21 * H, values[i]);
        page.centred(centres[i], Y1 + 23 * H, limitTexts[i]);
    }
    page.text(5000, Y1 + 28 * H, u"15.12.2027"_s);
    page.text(5000, Y1 + 29 * H + 200, u"Zuzoradizizu RU 0701-0702 Veltrax"_s);
    page.text(500, Y1 + 29 * H + 2200, u"Musterstadt"_s);
    page.text(8500, Y1 + 29 * H + 2200, u"15.12.2026"_s);

    EXPECT_THAT(described(job), ::testing::ElementsAreArray(page.ops()));
}

TEST_F(ReportPageTest, SevenBoxesCrossedWithEveryFlagAndEmptyWithNone) {
    Protokoll none = sampleReport();
    none.Besichtigung1 = none.Besichtigung2 = none.Besichtigung3 = 0;
    none.Satz1 = none.Satz2 = none.Satz3 = none.Satz4 = 0;
    struct Case {
        Protokoll record;
        int crosses;
    };
    for (const Case& c : {Case{sampleReport(), 7}, Case{none, 0}}) {
        RecordingPrintTarget pageTarget;
        TXPrint pagePrint(pageTarget);
        report_page::configure(pagePrint);
        ASSERT_FALSE(report_page::print(pagePrint, c.record, sampleState(), limits));
        int boxes = 0;
        int crossLines = 0;
        for (const CanvasOp& op : pageTarget.jobs().last().ops) {
            boxes += op.kind == CanvasOp::Kind::Rectangle;
            crossLines += op.kind == CanvasOp::Kind::Line && op.penWidth == 45;
        }
        EXPECT_EQ(boxes, 7);
        EXPECT_EQ(crossLines, 2 * c.crosses);
    }
}

TEST_F(ReportPageTest, ClassTwoPeriodicTestLimitsAndUnits) {
    Protokoll record = sampleReport();
    record.Schutzklasse = u"2"_s;
    record.Messung1 = u"Isolationswiderstand"_s;
    record.Messung2 = u"Ersatzableitstrom"_s;
    record.Messung3 = u" "_s;
    record.Einheit1 = u"MW"_s;
    record.Einheit2 = u"mA"_s;
    record.Einheit3 = u" "_s;
    ReportState state = sampleState();
    state.protectionClass = 2;
    state.testKind = 1;
    state.niso = 0;
    const auto& job = printOnce(record, state);

    const auto textsInRow = [&](int y) {
        std::vector<std::string> texts;
        for (const CanvasOp& op : job.ops) {
            if (op.kind == CanvasOp::Kind::Text && op.y1 == y)
                texts.push_back(QStringLiteral("%1 %2").arg(op.text, op.font.name).toStdString());
        }
        return texts;
    };
    EXPECT_THAT(textsInRow(Y1 + 23 * H),
                ::testing::ElementsAre(">2 Courier New", "<0.5 Courier New", "  Courier New"));
    EXPECT_THAT(textsInRow(Y1 + 20 * H),
                ::testing::ElementsAre("MΩ Courier New", "mA Courier New", "  Courier New"));
    EXPECT_EQ(limits, (report_page::LimitTexts{u">2"_s, u"<0.5"_s, u" "_s}));
}

TEST_F(ReportPageTest, LimitsOfThePreviousPrintOutsideTheTable) {
    printOnce(sampleReport(), sampleState());
    ReportState unknown = sampleState();
    unknown.protectionClass = 0;
    ASSERT_FALSE(report_page::print(print, sampleReport(), unknown, limits));
    const auto& job = target.jobs().last();
    for (const QString& limit : {u"<0.3"_s, u">1"_s, u"<3.5"_s}) {
        const CanvasOp* op = find(job, limit);
        ASSERT_NE(op, nullptr) << limit.toStdString();
        EXPECT_EQ(op->y1, Y1 + 23 * H);
    }
}

TEST_F(ReportPageTest, ValuesAndLongLines) {
    Protokoll record = sampleReport();
    record.FehlerZeile1 = QString(57, u'X');
    record.Wert2 = u"1 2 3 4 5"_s; // only its first six characters count
    const auto& job = printOnce(record, sampleState());
    const CanvasOp* fault = find(job, QString(57, u'X'));
    ASSERT_NE(fault, nullptr);
    EXPECT_EQ(fault->x1, 4300);
    EXPECT_EQ(fault->y1, Y1 + 7 * H);
    // One text, never wrapped, even where it runs past the frame.
    EXPECT_EQ(std::count_if(job.ops.begin(), job.ops.end(),
                            [](const CanvasOp& op) { return op.text.contains(u'X'); }),
              1);
    const CanvasOp* second = find(job, u"Schalter klemmt"_s);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->x1, 500);
    EXPECT_NE(find(job, u"0.12"_s), nullptr);
    EXPECT_NE(find(job, u"123"_s), nullptr);

    report_page::Variant archive;
    archive.testKindLabel = u"Prüfung"_s;
    archive.valueLength = 15;
    ASSERT_FALSE(report_page::print(print, record, sampleState(), limits, archive));
    EXPECT_NE(find(target.jobs().last(), u"12345"_s), nullptr);
    EXPECT_NE(find(target.jobs().last(), u"Prüfung"_s), nullptr);
    EXPECT_EQ(find(target.jobs().last(), u"Prüfung:"_s), nullptr);
}

TEST_F(ReportPageTest, RefusesWhileAJobRunsAndWithoutPrinter) {
    ScriptedPrompter prompter;
    ASSERT_TRUE(print.BeginDoc());
    report_page::printWithMessages(print, prompter, sampleReport(), sampleState(), limits);
    EXPECT_EQ(prompter.messages(), QStringList{u"Hinweis|Es läuft gerade eine Druckerausgabe"_s});
    print.EndDoc();
    EXPECT_TRUE(target.jobs().last().ops.isEmpty());

    RecordingPrintTarget none(600, false);
    TXPrint noPrint(none);
    ScriptedPrompter noPrinterPrompter;
    report_page::printWithMessages(noPrint, noPrinterPrompter, sampleReport(), sampleState(),
                                   limits);
    EXPECT_EQ(noPrinterPrompter.messages(),
              QStringList{u"Fehler|Kein Drucker im System vorhanden!"_s});
    EXPECT_TRUE(none.jobs().isEmpty());

    target.failNextJob(u"Der Drucker \"PDF\" kann nicht gedruckt werden."_s);
    ScriptedPrompter failPrompter;
    report_page::printWithMessages(print, failPrompter, sampleReport(), sampleState(), limits);
    EXPECT_EQ(failPrompter.messages(),
              QStringList{u"Fehler|Der Drucker \"PDF\" kann nicht gedruckt werden."_s});
    EXPECT_FALSE(print.Printing());
}

} // namespace
