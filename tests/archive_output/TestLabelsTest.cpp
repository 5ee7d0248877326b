#include "archive_output/TestLabels.h"
#include "print/PdfFile.h"
#include "print/RecordingPrintTarget.h"

#include <QRegularExpression>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

using test_labels::Label;

Label drill(qint64 number) {
    return Label{
        number,          u"Bohrmaschine"_s, u"Bosch"_s, u"123-45"_s,
        u"15.01.2026"_s, u"15.01.2027"_s,   true,       u"Elektro Mustermann GmbH & Co. KG"_s};
}

QList<RecordingPrintTarget::Job> sheets(const QList<Label>& labels, int start) {
    RecordingPrintTarget target;
    test_labels::drawSheets(target, labels, start,
                            [](const QString& problem) { ADD_FAILURE() << problem.toStdString(); });
    return target.jobs();
}

TEST(TestLabels, PayloadIsTheNumberAndTheNextTestInPlainText) {
    Label label = drill(17);
    EXPECT_EQ(test_labels::payload(label), "ZTD 17 15.01.2027");
    label.Termin.clear();
    EXPECT_EQ(test_labels::payload(label), "ZTD 17");
}

TEST(TestLabels, TheFirstLabelOfASheetTextByText) {
    Label failed = drill(17);
    failed.passed = false;
    const auto jobs = sheets({drill(17), failed}, 1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].settings.title, u"Prüfplaketten"_s);
    struct Expected {
        int x;
        int y;
        QString text;
        int points;
        bool bold;
    };
    // The first label's top is half a millimetre below the paper's edge; what is
    // too wide for the room left of the QR code is cut.
    const Expected first[] = {
        {300, 300, u"Bohrmaschine"_s, 9, true},
        {300, 630, u"Bosch"_s, 8, false},
        {300, 910, u"SN 123-45"_s, 8, false},
        {300, 1190, u"Geprüft 15.01.2026"_s, 8, false},
        {300, 1470, u"bestanden"_s, 8, true},
        {300, 1800, u"Nächste Prüfung"_s, 7, false},
        {300, 2040, u"15.01.2027"_s, 16, true},
        {300, 2800, u"Elektro Mustermann GmbH & C"_s, 7, false},
        {300, 3100, u"Nr. 17"_s, 7, false},
        {7300, 1470, u"nicht bestanden"_s, 8, true},
    };
    QList<CanvasOp> texts;
    std::copy_if(jobs[0].ops.cbegin(), jobs[0].ops.cend(), std::back_inserter(texts),
                 [](const CanvasOp& op) { return op.kind == CanvasOp::Kind::Text; });
    ASSERT_EQ(texts.size(), 18);
    for (int i = 0; i < 10; ++i) {
        const CanvasOp& op = texts[i < 9 ? i : 13];
        EXPECT_EQ(op.x1, first[i].x) << i;
        EXPECT_EQ(op.y1, first[i].y) << i;
        EXPECT_EQ(op.text, first[i].text);
        EXPECT_EQ(op.font.size, first[i].points) << i;
        EXPECT_EQ(op.font.bold, first[i].bold) << i;
    }
}

TEST(TestLabels, TheQrCodeSitsRightInItsLabelWithModulesOfPointEightMillimetres) {
    const auto jobs = sheets({drill(17)}, 5);
    ASSERT_EQ(jobs.size(), 1);
    // Position 5: the middle column of the second row.
    const int left = 7000;
    const int top = 50 + 3700;
    int fills = 0;
    for (const CanvasOp& op : jobs[0].ops) {
        if (op.kind != CanvasOp::Kind::Fill)
            continue;
        ++fills;
        EXPECT_EQ(op.y2 - op.y1, 80);
        EXPECT_GE(op.y2 - op.y1, 50) << "phones need modules of half a millimetre";
        // Version 2 (25 modules, 20 mm) with a quiet zone of four modules to the label's edge.
        EXPECT_GE(op.x1, left + 4680);
        EXPECT_LE(op.x2, left + 6680);
        EXPECT_GE(op.y1, top + 850);
        EXPECT_LE(op.y2, top + 2850);
    }
    EXPECT_GT(fills, 25);
    const auto finder =
        std::find_if(jobs[0].ops.cbegin(), jobs[0].ops.cend(),
                     [](const CanvasOp& op) { return op.kind == CanvasOp::Kind::Fill; });
    EXPECT_EQ(finder->x1, left + 4680);
    EXPECT_EQ(finder->y1, top + 850);
    EXPECT_EQ(finder->x2, left + 4680 + 7 * 80);
}

TEST(TestLabels, StartPositionFillsTheRestOfASheetThenNewSheetsFromTheTop) {
    struct Case {
        int start;
        int labels;
        // Sheet and the top-left corner of each label's "Nr." line.
        QList<std::tuple<int, int, int>> numbers;
    };
    const Case cases[] = {
        {1, 1, {{0, 300, 3100}}},
        {3, 2, {{0, 14300, 3100}, {0, 300, 6800}}},
        {23, 3, {{0, 7300, 29000}, {0, 14300, 29000}, {1, 300, 3100}}},
        {24, 1, {{0, 14300, 29000}}},
    };
    for (const Case& c : cases) {
        QList<Label> labels;
        for (int i = 1; i <= c.labels; ++i)
            labels.append(drill(i));
        const auto jobs = sheets(labels, c.start);
        EXPECT_EQ(jobs.size(), test_labels::sheetCount(c.labels, c.start)) << c.start;
        QList<std::tuple<int, int, int>> numbers;
        for (int sheet = 0; sheet < jobs.size(); ++sheet)
            for (const CanvasOp& op : jobs[sheet].ops)
                if (op.kind == CanvasOp::Kind::Text && op.text.startsWith(u"Nr. "_s))
                    numbers.append({sheet, op.x1, op.y1});
        EXPECT_EQ(numbers, c.numbers) << c.start;
    }
    EXPECT_EQ(test_labels::sheetCount(24, 1), 1);
    EXPECT_EQ(test_labels::sheetCount(25, 1), 2);
    EXPECT_EQ(test_labels::sheetCount(2, 24), 2);
}

TEST(TestLabels, ASingleLabelTextByTextOnAPageOfItsOwnSizeWhateverTheStart) {
    Label failed = drill(4711);
    failed.passed = false;
    RecordingPrintTarget target;
    test_labels::drawLabels(target, {drill(17), failed}, test_labels::Format::Single, 24,
                            [](const QString& problem) { ADD_FAILURE() << problem.toStdString(); });
    const auto& jobs = target.jobs();
    ASSERT_EQ(jobs.size(), 2);
    for (const auto& job : jobs) {
        EXPECT_EQ(job.settings.title, u"Prüfplaketten"_s);
        EXPECT_EQ(job.settings.paper, (PaperSize{Mm100(5000), Mm100(3000)}));
        EXPECT_EQ(job.settings.orientation, TXPrinterOrientation::xpoPortrait);
    }
    struct Expected {
        int y;
        QString text;
        int points;
        bool bold;
    };
    // 28.2 mm left of the QR code's quiet zone; the rest of a line is cut.
    const Expected lines[] = {
        {150, u"Bohrmaschine"_s, 8, true}, {480, u"Bosch"_s, 7, false},
        {740, u"SN 123-45"_s, 7, false},   {1000, u"Geprüft 15.01.2026"_s, 7, false},
        {1260, u"bestanden"_s, 7, true},   {1570, u"Nächste Prüfung"_s, 6, false},
        {1790, u"15.01.2027"_s, 13, true}, {2430, u"Elektro Mustermann Gmb"_s, 6, false},
        {2660, u"Nr. 17"_s, 6, false},
    };
    for (int page = 0; page < 2; ++page) {
        QList<CanvasOp> texts;
        std::copy_if(jobs[page].ops.cbegin(), jobs[page].ops.cend(), std::back_inserter(texts),
                     [](const CanvasOp& op) { return op.kind == CanvasOp::Kind::Text; });
        ASSERT_EQ(texts.size(), 9);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(texts[i].x1, 200) << i;
            EXPECT_EQ(texts[i].y1, lines[i].y) << i;
            EXPECT_EQ(texts[i].font.size, lines[i].points) << i;
            EXPECT_EQ(texts[i].font.bold, lines[i].bold) << i;
        }
        for (int i : {0, 1, 2, 3, 5, 6, 7})
            EXPECT_EQ(texts[i].text, lines[i].text) << i;
        EXPECT_EQ(texts[4].text, page == 0 ? u"bestanden"_s : u"nicht bestanden"_s);
        EXPECT_EQ(texts[8].text, page == 0 ? u"Nr. 17"_s : u"Nr. 4711"_s);
    }
}

TEST(TestLabels, TheSingleLabelsQrCodeSitsRightWithModulesOfPointSixMillimetres) {
    RecordingPrintTarget target;
    test_labels::drawSingles(target, {drill(17)}, [](const QString& problem) {
        ADD_FAILURE() << problem.toStdString();
    });
    ASSERT_EQ(target.jobs().size(), 1);
    const auto& ops = target.jobs()[0].ops;
    int fills = 0;
    for (const CanvasOp& op : ops) {
        if (op.kind != CanvasOp::Kind::Fill)
            continue;
        ++fills;
        EXPECT_EQ(op.y2 - op.y1, 60);
        EXPECT_GE(op.y2 - op.y1, 50) << "phones need modules of half a millimetre";
        // Version 2 (25 modules, 15 mm), four modules from the right edge, centred.
        EXPECT_GE(op.x1, 3260);
        EXPECT_LE(op.x2, 4760);
        EXPECT_GE(op.y1, 750);
        EXPECT_LE(op.y2, 2250);
    }
    EXPECT_GT(fills, 25);
    const auto finder = std::find_if(ops.cbegin(), ops.cend(), [](const CanvasOp& op) {
        return op.kind == CanvasOp::Kind::Fill;
    });
    EXPECT_EQ(finder->x1, 3260);
    EXPECT_EQ(finder->y1, 750);
    EXPECT_EQ(finder->x2, 3260 + 7 * 60);
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return u"%1 did not run"_s.arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(TestLabels, TheQrCodesOfAPdfSheetReadBackAsTheirPayloads) {
    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(u"plaketten.pdf"_s);
    PdfFile pdf(pdfPath);
    ASSERT_FALSE(pdf.open());
    Label second = drill(4711);
    second.Termin = u"31.12.2027"_s;
    test_labels::drawSheets(pdf.target(), {drill(17), second}, 1,
                            [](const QString& problem) { ADD_FAILURE() << problem.toStdString(); });
    ASSERT_FALSE(pdf.commit());
    run(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-gray"_s, u"-png"_s, u"-singlefile"_s, pdfPath,
                        dir.filePath(u"seite"_s)});
    QStringList decoded = run(u"zbarimg"_s, {u"-q"_s, u"--raw"_s, dir.filePath(u"seite.png"_s)})
                              .split(u'\n', Qt::SkipEmptyParts);
    decoded.sort();
    EXPECT_EQ(decoded, (QStringList{u"ZTD 17 15.01.2027"_s, u"ZTD 4711 31.12.2027"_s}));
}

TEST(TestLabels, SingleLabelsInAPdfArePagesOf50By30MmWhoseQrCodesReadBack) {
    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(u"etiketten.pdf"_s);
    PdfFile pdf(pdfPath);
    ASSERT_FALSE(pdf.open());
    Label second = drill(4711);
    second.Termin = u"31.12.2027"_s;
    test_labels::drawSingles(pdf.target(), {drill(17), second}, [](const QString& problem) {
        ADD_FAILURE() << problem.toStdString();
    });
    ASSERT_FALSE(pdf.commit());
    const QString info = run(u"pdfinfo"_s, {pdfPath});
    EXPECT_TRUE(info.contains(QRegularExpression(u"Pages:\\s+2\n"_s))) << info.toStdString();
    // Qt keeps a paper in whole points: 50 × 30 mm are 141.7 × 85.04 pt.
    EXPECT_TRUE(info.contains(QRegularExpression(u"Page size:\\s+142 x 85 pts\n"_s)))
        << info.toStdString();
    run(u"pdftoppm"_s,
        {u"-r"_s, u"300"_s, u"-gray"_s, u"-png"_s, pdfPath, dir.filePath(u"etikett"_s)});
    for (const auto& [page, payload] : {std::pair(u"etikett-1.png"_s, u"ZTD 17 15.01.2027\n"_s),
                                        std::pair(u"etikett-2.png"_s, u"ZTD 4711 31.12.2027\n"_s)})
        EXPECT_EQ(run(u"zbarimg"_s, {u"-q"_s, u"--raw"_s, dir.filePath(page)}), payload);
}

} // namespace
