#include "report/ReportPage.h"

#include "SampleReport.h"
#include "print/QtPrintTarget.h"
#include "print/TXPrint.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

struct WordBox {
    double left = 0; // millimetres from the paper's top-left corner
    double right = 0;
    double top = 0;
    double bottom = 0;
};

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Each word of the PDF's text (poppler's pdftotext) with its first box.
std::multimap<QString, WordBox> wordsOf(const QString& pdf) {
    const QString html = run(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    std::multimap<QString, WordBox> words;
    for (const auto& match : word.globalMatch(html)) {
        words.emplace(match.captured(5).replace(u"&gt;"_s, u">"_s).replace(u"&lt;"_s, u"<"_s),
                      WordBox{match.captured(1).toDouble() / kPointsPerMm,
                              match.captured(3).toDouble() / kPointsPerMm,
                              match.captured(2).toDouble() / kPointsPerMm,
                              match.captured(4).toDouble() / kPointsPerMm});
    }
    return words;
}

class ReportPagePdfTest : public ::testing::Test {
protected:
    QString printAt(int dpi) {
        const QString path = dir.filePath(QStringLiteral("report-%1.pdf").arg(dpi));
        const auto target = QtPrintTarget::pdfFile(path, dpi);
        TXPrint print(*target);
        report_page::configure(print);
        report_page::LimitTexts limits;
        const auto problem = report_page::print(print, sampleReport(), sampleState(), limits);
        EXPECT_FALSE(problem) << problem->text.toStdString();
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ReportPagePdfTest, TextLandsInPlaceAtEveryResolution) {
    // Positions on paper: 20 mm margin plus the layout's 1/100 mm.
    struct Expected {
        QString word;
        double left;
        double top;
    };
    const double H = 7.04;
    const Expected expected[] = {
        {u"Prüfprotokoll"_s, 20.5, 21.5},
        {u"Auftraggeber"_s, 20.5, 31},
        {u"Auftragnehmer"_s, 115, 31},
        {u"2026-0815"_s, 140, 22.8},
        {u"Motor"_s, 63, 31.3 + 7 * H},
        {u"Gehäuse"_s, 65, 31 + 15 * H},
        {u"15.12.2026"_s, 105, 31.3 + 29 * H + 22},
        {u"Veltrax"_s, 0, 31.3 + 29 * H + 2},
    };
    std::map<int, std::multimap<QString, WordBox>> pages;
    for (const int dpi : {300, 600}) {
        const QString pdf = printAt(dpi);
        EXPECT_TRUE(run(u"pdfinfo"_s, {pdf}).contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));
        pages[dpi] = wordsOf(pdf);
        ASSERT_FALSE(pages[dpi].empty()) << "pdftotext found no text in " << pdf.toStdString();
    }
    // The measurement columns are centred on 28.33, 85 and 141.67 mm.
    const std::pair<QString, double> centred[] = {{u"Schutzleiterwiderstand"_s, 48.33},
                                                  {u"Isolationswiderstand"_s, 105},
                                                  {u"Ersatzableitstrom"_s, 161.67},
                                                  {u"MΩ"_s, 105}};
    for (const auto& [word, centre] : centred) {
        const auto box = pages[600].find(word);
        ASSERT_NE(box, pages[600].end()) << word.toStdString();
        EXPECT_NEAR((box->second.left + box->second.right) / 2, centre, 0.1) << word.toStdString();
    }
    for (const Expected& e : expected) {
        const auto at300 = pages[300].find(e.word);
        const auto at600 = pages[600].find(e.word);
        ASSERT_NE(at300, pages[300].end()) << e.word.toStdString();
        ASSERT_NE(at600, pages[600].end()) << e.word.toStdString();
        if (e.left > 0) {
            EXPECT_NEAR(at300->second.left, e.left, 0.05) << e.word.toStdString();
        }
        EXPECT_NEAR(at300->second.top, e.top, 0.05) << e.word.toStdString();
        EXPECT_NEAR(at300->second.left, at600->second.left, 0.01) << e.word.toStdString();
        EXPECT_NEAR(at300->second.top, at600->second.top, 0.01) << e.word.toStdString();
        // The same character size too.
        EXPECT_NEAR(at300->second.bottom, at600->second.bottom, 0.01) << e.word.toStdString();
    }
}

} // namespace
