#include "report/ReportPage.h"

#include "SampleReport.h"
#include "print/PrinterSystem.h"
#include "print/QtPrintTarget.h"
#include "print/TXPrint.h"
#include "report/ReportSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// CUPS-PDF puts each job into the PDF folder of the user who printed it.
QDir cupsPdfFolder() {
    const passwd* user = getpwuid(getuid());
    return QDir(QString::fromLocal8Bit(user ? user->pw_dir : "") + u"/PDF"_s);
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page rendered at 50 dpi in grey; CUPS-PDF's Ghostscript output has no
// readable text, so the printout is compared as a picture.
QImage render(const QString& pdf, const QString& prefix) {
    run(u"pdftoppm"_s, {u"-q"_s, u"-r"_s, u"50"_s, u"-gray"_s, u"-singlefile"_s, pdf, prefix});
    return QImage(prefix + u".pgm"_s);
}

// Share of the ink of `a` that has no ink of `b` within one pixel.
double unmatchedInk(const QImage& a, const QImage& b) {
    const auto dark = [](const QImage& image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
               qGray(image.pixel(x, y)) < 128;
    };
    int ink = 0;
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!dark(a, x, y))
                continue;
            ++ink;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = dark(b, x + dx, y + dy);
            unmatched += !near;
        }
    }
    return ink == 0 ? 1.0 : double(unmatched) / ink;
}

TEST(CupsPrint, ReportThroughTheRealPrintSystemLandsAsPdf) {
    const QString queue = qEnvironmentVariable("ZTD_CUPS_PDF_QUEUE");
    if (queue.isEmpty())
        GTEST_SKIP() << "no CUPS-PDF queue set up (./test sets one up where cupsd can run)";
    if (!QPrinterInfo::availablePrinterNames().contains(queue))
        GTEST_SKIP() << "no cupsd answers with the queue " << queue.toStdString();
    if (QPrinterInfo::defaultPrinterName() != queue)
        GTEST_SKIP() << "the default printer is not " << queue.toStdString()
                     << "; not printing on a real printer";

    const QDir folder = cupsPdfFolder();
    const QStringList before = folder.entryList({u"ZT0701*.pdf"_s}, QDir::Files);

    ReportSession state;
    state.record = sampleReport();
    state.report = sampleState();
    const QtPrinterSystem printers;
    const auto target = QtPrintTarget::systemPrinter(printers, state.printerName);
    TXPrint print(*target);
    ASSERT_TRUE(print.HasPrinter());
    report_page::configure(print);
    const auto problem = report_page::print(print, state.record, state.report, state.limitTexts);
    ASSERT_FALSE(problem) << problem->text.toStdString();

    QString printed;
    const QDeadlineTimer deadline(30000);
    while (printed.isEmpty() && !deadline.hasExpired()) {
        QThread::msleep(100);
        for (const QString& name : folder.entryList({u"ZT0701*.pdf"_s}, QDir::Files)) {
            if (!before.contains(name))
                printed = folder.filePath(name);
        }
    }
    ASSERT_FALSE(printed.isEmpty())
        << "CUPS-PDF wrote nothing into " << folder.path().toStdString();
    // CUPS-PDF writes the file while it runs; wait until it is complete.
    QString info;
    while (!deadline.hasExpired() && !(info = run(u"pdfinfo"_s, {printed})).contains(u"Pages:"_s))
        QThread::msleep(100);
    EXPECT_TRUE(info.contains(QRegularExpression(u"Pages:\\s+1\\n"_s))) << info.toStdString();

    // The printout must be the page itself: the same ink as the page written
    // straight to PDF.
    QTemporaryDir dir;
    const auto direct = QtPrintTarget::pdfFile(dir.filePath(u"direct.pdf"_s));
    TXPrint directPrint(*direct);
    report_page::configure(directPrint);
    ASSERT_FALSE(report_page::print(directPrint, state.record, state.report, state.limitTexts));
    const QImage fromCups = render(printed, dir.filePath(u"cups"_s));
    const QImage expected = render(dir.filePath(u"direct.pdf"_s), dir.filePath(u"direct"_s));
    ASSERT_FALSE(fromCups.isNull());
    ASSERT_EQ(fromCups.size(), expected.size());
    EXPECT_LT(unmatchedInk(fromCups, expected), 0.05);
    EXPECT_LT(unmatchedInk(expected, fromCups), 0.05);
    QFile::remove(printed);
}

} // namespace
