#include "FileWriting.h"
#include "Printers.h"
#include "RunZtd.h"
#include "SampleReport.h"
#include "report/ProtocolFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrintPdfCommandTest : public ::testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& bytes) {
        return ::writeFile(dir.path(), name, bytes);
    }
    QTemporaryDir dir;
};

TEST_F(PrintPdfCommandTest, WritesTheReportPageWithoutADisplay) {
    const QString report =
        writeFile(u"Bäckerei.pro"_s, protocol_file::buildProtocolImage(sampleReport()));
    const QString pdf = dir.filePath(u"Bäckerei.pdf"_s);
    const ZtdOutcome outcome = runZtd({u"--print-pdf"_s, report, pdf});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.err, QString());
    const QString text = pdfText(pdf);
    for (const QString& expected :
         {u"Prüfprotokoll für elektrische Geräte"_s, u"Bäckerei Müller"_s, u"MΩ"_s, u"0.12"_s,
          u"<0.3"_s, u"Zuzoradizizu RU 0701-0702 Veltrax"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();
    EXPECT_EQ(text.count(u'\f'), 1) << "one page";
}

TEST_F(PrintPdfCommandTest, RefusesWhatItCannotRead) {
    const QString missing = dir.filePath(u"fehlt.pro"_s);
    const QString shortFile = writeFile(u"kurz.pro"_s, QByteArray(1147, 'x'));
    const QString pdf = dir.filePath(u"aus.pdf"_s);
    for (const QString& input : {missing, shortFile}) {
        const ZtdOutcome outcome = runZtd({u"--print-pdf"_s, input, pdf});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err.trimmed(), protocol_file::readProtocolFile(input).error);
        EXPECT_FALSE(outcome.err.isEmpty());
        EXPECT_FALSE(QFile::exists(pdf));
    }

    const QString report = writeFile(u"gut.pro"_s, protocol_file::buildProtocolImage({}));
    const QString unwritable = dir.filePath(u"gibt-es-nicht/aus.pdf"_s);
    const ZtdOutcome outcome = runZtd({u"--print-pdf"_s, report, unwritable});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err.trimmed(),
              u"Die PDF-Datei \"%1\" kann nicht geschrieben werden."_s.arg(unwritable));
}

} // namespace
