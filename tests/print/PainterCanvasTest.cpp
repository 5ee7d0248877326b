#include "print/PainterCanvas.h"
#include "print/QtPrintTarget.h"
#include "print/TXPrint.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(PainterCanvas, WindowsFontNamesResolveToTheirMetricTwins) {
    CanvasFont times;
    times.name = u"Times New Roman"_s;
    times.pitch = FontPitch::Fixed; // asked for by the report, must not change the family
    times.bold = true;
    CanvasFont courier;
    courier.name = u"Courier New"_s;
    EXPECT_EQ(QFontInfo(PainterCanvas::qtFont(times, 352)).family(), u"Liberation Serif"_s);
    EXPECT_TRUE(QFontInfo(PainterCanvas::qtFont(times, 352)).bold());
    EXPECT_EQ(QFontInfo(PainterCanvas::qtFont(courier, 352)).family(), u"Liberation Mono"_s);
}

TEST(PainterCanvas, MeasuresInLogicalUnits) {
    PainterCanvas canvas;
    canvas.setUnitsPerInch(2540);
    canvas.setFontName(u"Courier New"_s);
    canvas.setFontSize(10);
    // Liberation Mono advances 0.6 em per character: 10 × 0.6 × 352.
    EXPECT_EQ(canvas.textWidth(u"0123456789"_s), 2112);
    canvas.textOut(0, 0, u"nowhere"_s); // no painter: measures only
}

TEST(PainterCanvas, AFrameKeepsWhatItSurroundsAndABoxHidesIt) {
    QImage page(100, 50, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PainterCanvas canvas;
    canvas.setPainter(&painter);
    canvas.setPenWidth(20);
    canvas.line(0, 25, 100, 25); // what was drawn before: a black band across
    canvas.setPenWidth(1);
    canvas.frame(10, 5, 40, 45);
    canvas.rectangle(60, 5, 90, 45);
    painter.end();
    EXPECT_EQ(page.pixelColor(25, 25), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(75, 25), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::black)); // the outline itself
}

TEST(PainterCanvas, AFillIsBlackExactlyOverItsAreaWhateverThePen) {
    QImage page(100, 50, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PainterCanvas canvas;
    canvas.setPainter(&painter);
    canvas.setPenWidth(20);
    canvas.fill(60, 10, 90, 40);
    painter.end();
    EXPECT_EQ(page.pixelColor(60, 10), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(89, 39), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(59, 25), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(90, 25), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(75, 9), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(75, 40), QColor(Qt::white));
}

int pdfPages(const QString& pdf) {
    QProcess process;
    process.start(u"pdfinfo"_s, {pdf});
    process.waitForFinished(60000);
    const auto match = QRegularExpression(u"Pages:\\s+(\\d+)"_s)
                           .match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

TEST(QtPrintTarget, EveryPdfJobIsAFileOfItsOwn) {
    QTemporaryDir dir;
    const auto target = QtPrintTarget::pdfFile(dir.filePath(u"liste.pdf"_s), 300);
    TXPrint print(*target);
    print.setScaling(TScaling::pscMetric100);
    print.setMargins(2000);
    for (int page = 1; page <= 2; ++page) {
        ASSERT_TRUE(print.BeginDoc()) << print.lastError().toStdString();
        print.canvas().textOut(0, 0, QStringLiteral("Seite %1").arg(page));
        ASSERT_TRUE(print.EndDoc());
    }
    EXPECT_EQ(pdfPages(dir.filePath(u"liste.pdf"_s)), 1);
    EXPECT_EQ(pdfPages(dir.filePath(u"liste-2.pdf"_s)), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"liste-3.pdf"_s)));
}

TEST(QtPrintTarget, AJobGetsThePaperItAsksForTheNextOneThePrintersOwn) {
    QTemporaryDir dir;
    const auto target = QtPrintTarget::pdfFile(dir.filePath(u"etikett.pdf"_s), 300);
    TXPrint print(*target);
    for (const std::optional<PaperSize> paper :
         {std::optional(PaperSize{Mm100(5000), Mm100(3000)}), std::optional<PaperSize>()}) {
        print.setPaper(paper);
        ASSERT_TRUE(print.BeginDoc()) << print.lastError().toStdString();
        print.canvas().textOut(0, 0, QStringLiteral("Etikett"));
        ASSERT_TRUE(print.EndDoc());
    }
    const auto pageSize = [&dir](const QString& name) {
        QProcess process;
        process.start(u"pdfinfo"_s, {dir.filePath(name)});
        process.waitForFinished(60000);
        return QRegularExpression(u"Page size:\\s+([^\\n]*)"_s)
            .match(QString::fromUtf8(process.readAllStandardOutput()))
            .captured(1);
    };
    // Qt keeps a paper in whole points: 50 × 30 mm are 141.7 × 85.04 pt.
    EXPECT_EQ(pageSize(u"etikett.pdf"_s), u"142 x 85 pts"_s);
    EXPECT_EQ(pageSize(u"etikett-2.pdf"_s), u"595 x 842 pts (A4)"_s);
}

} // namespace

namespace {

TEST(QtPrintTarget, CopiesChosenInThePrintDialogAreKept) {
    QTemporaryDir dir;
    const auto target = QtPrintTarget::pdfFile(dir.filePath(u"kopien.pdf"_s));
    TXPrint print(*target);
    target->printer().setCopyCount(3); // as the print dialog does
    EXPECT_EQ(print.Copies(), 3);
    print.setCopies(2);
    EXPECT_EQ(target->printer().copyCount(), 2);
}

} // namespace
