#include "FileWriting.h"
#include "Printers.h"
#include "RunZtd.h"
#include "SampleReport.h"
#include "report/ProtocolFile.h"
#include "shell/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// 30 reports of one customer, "A-1" … "A-30", due on the 1st to the 28th of March 2027.
class ArchivePdfCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        files = new QTemporaryDir;
        data = new QTemporaryDir;
        QStringList paths;
        Protokoll report = sampleReport();
        for (int i = 1; i <= 30; ++i) {
            report.AuftragNr = u"A-%1"_s.arg(i);
            report.Seriennummer = u"SN %1"_s.arg(i);
            report.Termin = u"%1.03.2027"_s.arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
            paths << writeFile(files->path(), report.AuftragNr + u".pro"_s,
                               protocol_file::buildProtocolImage(report));
        }
        const ZtdOutcome imported =
            runZtd(QStringList{u"--data"_s, data->path(), u"--import"_s} + paths);
        ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    }
    static void TearDownTestSuite() {
        delete files;
        delete data;
    }

    ZtdOutcome ztd(const QStringList& arguments) {
        return runZtd(QStringList{u"--data"_s, data->path()} + arguments);
    }

    static QTemporaryDir* files;
    static QTemporaryDir* data;
    QTemporaryDir out;
};

QTemporaryDir* ArchivePdfCommandTest::files = nullptr;
QTemporaryDir* ArchivePdfCommandTest::data = nullptr;

TEST_F(ArchivePdfCommandTest, WritesEachPrintoutAsOnePdfWithItsPagesAndFontsEmbedded) {
    const QString portrait = u"595 x 842"_s;
    const QString landscape = u"842 x 595"_s;
    const struct {
        QStringList arguments;
        QStringList pageSizes;
        QStringList texts;
    } cases[] = {
        {{u"--report-pdf"_s, u"3"_s}, {portrait}, {u"A-3"_s, u"MΩ"_s, u"Ω"_s}},
        {{u"--collective-pdf"_s, u"1"_s, u"--cover"_s, u"landscape"_s},
         {landscape, landscape, landscape},
         {u"Prüflinge mit Mängeln"_s, u"SN 27"_s, u"SN 28"_s, u"[MΩ]"_s}},
        {{u"--collective-pdf"_s, u"1"_s},
         {portrait, landscape, landscape},
         {u"Prüflinge mit Mängeln"_s}},
        {{u"--collective-pdf"_s, u"1"_s, u"--cover"_s, u"none"_s}, {landscape, landscape}, {}},
        {{u"--due-list-pdf"_s, u"1"_s, u"01032027"_s, u"31032027"_s, u"--layout"_s, u"2"_s},
         {landscape, landscape},
         {u"Bäckerei Müller"_s, u"SN 30"_s}},
    };
    for (const auto& c : cases) {
        const QString pdf = out.filePath(u"Bäckerei.pdf"_s);
        const ZtdOutcome outcome = ztd(c.arguments + QStringList{pdf});
        const std::string name = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(outcome.exitCode, 0) << name << outcome.err.toStdString();
        const QString info = run(u"pdfinfo"_s, {u"-f"_s, u"1"_s, u"-l"_s, u"9"_s, pdf});
        EXPECT_TRUE(info.contains(u"Pages:           %1\n"_s.arg(c.pageSizes.size())))
            << name << "\n"
            << info.toStdString();
        static const QRegularExpression pageSize(u"Page +\\d+ size: +(\\d+ x \\d+) pts"_s);
        QStringList sizes;
        for (const auto& match : pageSize.globalMatch(info))
            sizes << match.captured(1);
        EXPECT_EQ(sizes, c.pageSizes) << name;
        const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        for (const QString& expected : c.texts)
            EXPECT_TRUE(text.contains(expected)) << name << ": " << expected.toStdString();
        // Header, rule, then one line per font, each embedded ("emb" yes).
        const QStringList fonts = run(u"pdffonts"_s, {pdf}).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GT(fonts.size(), 2) << name;
        for (const QString& font : fonts.mid(2))
            EXPECT_EQ(font.mid(fonts[0].indexOf(u"emb"_s), 3), u"yes"_s) << font.toStdString();
        QFile::remove(pdf);
    }
}

TEST_F(ArchivePdfCommandTest, RefusesInGermanAndLeavesNoFile) {
    const QString unwritable = out.filePath(u"fehlt/aus.pdf"_s);
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{u"--report-pdf"_s, u"99"_s}, u"Den Datensatz Nr. 99 gibt es im Archiv nicht."_s},
        {{u"--collective-pdf"_s, u"7"_s}, u"Die Kundennummer 7 gibt es nicht."_s},
        {{u"--due-list-pdf"_s, u"7"_s, u"01032027"_s, u"31032027"_s},
         u"Die Kundennummer 7 gibt es nicht."_s},
        {{u"--due-list-pdf"_s, u"1"_s, u"01012030"_s, u"31122030"_s},
         u"Für den Kunden Bäckerei Müller ist zwischen dem 01.01.2030 und dem 31.12.2030 kein "
         "Gerät zur Prüfung fällig."_s},
    };
    for (const auto& c : cases) {
        const ZtdOutcome outcome = ztd(c.arguments + QStringList{out.filePath(u"aus.pdf"_s)});
        EXPECT_EQ(outcome.exitCode, 1) << c.message.toStdString();
        EXPECT_EQ(outcome.err, c.message + u"\n"_s);
    }
    for (const QString& option : {u"--report-pdf"_s, u"--collective-pdf"_s}) {
        const ZtdOutcome outcome = ztd({option, u"1"_s, unwritable});
        EXPECT_EQ(outcome.exitCode, 1) << option.toStdString();
        EXPECT_TRUE(outcome.err.endsWith(
            u"Die PDF-Datei \"%1\" kann nicht geschrieben werden.\n"_s.arg(unwritable)))
            << outcome.err.toStdString();
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST(ArchivePdfCommandLine, ReadsRowCustomerDatesCoverAndLayout) {
    const ProgramOptions list =
        parseCommandLine({"ztd", "--data", "/srv/ztd", "--due-list-pdf", "4711", "01012027",
                          "31122027", "aus.pdf", "--layout", "1"});
    ASSERT_EQ(list.action, ProgramOptions::Action::ArchivePdf) << list.text.toStdString();
    EXPECT_EQ(list.dataDirectory, "/srv/ztd");
    EXPECT_EQ(list.archivePdf.kind, archive_pdf::Request::Kind::DueList);
    EXPECT_EQ(list.archivePdf.number, 4711);
    EXPECT_EQ(list.archivePdf.firstDate, "01.01.2027");
    EXPECT_EQ(list.archivePdf.secondDate, "31.12.2027");
    EXPECT_EQ(list.archivePdf.layout, device_list::Format::Portrait2);
    EXPECT_EQ(list.archivePdf.pdfFile, "aus.pdf");
    const ProgramOptions collective =
        parseCommandLine({"ztd", "--collective-pdf", "12", "s.pdf", "--cover", "none"});
    EXPECT_EQ(collective.archivePdf.kind, archive_pdf::Request::Kind::Collective);
    EXPECT_EQ(collective.archivePdf.cover, collective_report::Cover::None);
    EXPECT_EQ(parseCommandLine({"ztd", "--collective-pdf", "12", "s.pdf"}).archivePdf.cover,
              collective_report::Cover::Portrait);

    const std::pair<QStringList, const char*> wrong[] = {
        {{"--report-pdf", "17"},
         "Ungültiger Aufruf: --report-pdf braucht die Nummer eines Archiv-Datensatzes und den "
         "Namen der PDF-Datei, zum Beispiel \"ztd --data ORDNER --report-pdf 17 AUSGABE.pdf\"."},
        {{"--report-pdf", "17x", "a.pdf"}, "Ungültiger Aufruf: \"17x\" ist keine Nummer."},
        {{"--collective-pdf", "1", "a.pdf", "b.pdf"},
         "Ungültiger Aufruf: --collective-pdf braucht eine Kundennummer und den Namen der "
         "PDF-Datei, zum Beispiel \"ztd --data ORDNER --collective-pdf 4711 AUSGABE.pdf --cover "
         "landscape\"."},
        {{"--due-list-pdf", "1", "01012027", "a.pdf"},
         "Ungültiger Aufruf: --due-list-pdf braucht eine Kundennummer, zwei Daten TTMMJJJJ und "
         "den Namen der PDF-Datei, zum Beispiel \"ztd --data ORDNER --due-list-pdf 4711 01012027 "
         "31122027 AUSGABE.pdf --layout 2\"."},
        {{"--due-list-pdf", "1", "31022027", "31122027", "a.pdf"},
         "Ungültiger Aufruf: \"31022027\" ist kein Datum TTMMJJJJ."},
        {{"--collective-pdf", "1", "a.pdf", "--cover", "quer"},
         "Ungültiger Aufruf: --cover gilt für --collective-pdf und ist portrait, landscape oder "
         "none."},
        {{"--report-pdf", "1", "a.pdf", "--layout", "1"},
         "Ungültiger Aufruf: --layout gilt für --due-list-pdf und ist 0, 1 oder 2."},
    };
    for (const auto& [arguments, text] : wrong) {
        const ProgramOptions options = parseCommandLine(QStringList{"ztd"} + arguments);
        EXPECT_EQ(options.action, ProgramOptions::Action::Fail) << text;
        EXPECT_EQ(options.text, QString::fromUtf8(text));
    }
}

} // namespace

TEST_F(ArchivePdfCommandTest, DueDevicesOfAllCustomersAsPdf) {
    const QString pdf = out.filePath(u"Fällig.pdf"_s);
    const ZtdOutcome outcome = ztd({u"--due-pdf"_s, u"3650"_s, pdf});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    for (const QString& expected :
         {u"Fällige Prüfungen bis "_s +
              QDate::currentDate().addDays(3650).toString(u"dd.MM.yyyy"_s),
          u"1 Bäckerei Müller – 30 Geräte"_s, u"SN 30"_s, u"Seite 1 von 1"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();

    QTemporaryDir empty;
    const ZtdOutcome nothing =
        runZtd({u"--data"_s, empty.path(), u"--due-pdf"_s, u"0"_s, out.filePath(u"leer.pdf"_s)});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(nothing.err, u"Bis zum %1 ist kein Gerät zur Prüfung fällig.\n"_s.arg(
                               QDate::currentDate().toString(u"dd.MM.yyyy"_s)));
    EXPECT_FALSE(QFile::exists(out.filePath(u"leer.pdf"_s)));
}

TEST(DuePdfCommandLine, ReadsDaysAndFile) {
    const ProgramOptions options =
        parseCommandLine({"ztd", "--data", "/srv/ztd", "--due-pdf", "14", "aus.pdf"});
    ASSERT_EQ(options.action, ProgramOptions::Action::DuePdf) << options.text.toStdString();
    EXPECT_EQ(options.dataDirectory, "/srv/ztd");
    EXPECT_EQ(options.duePdf.days, 14);
    EXPECT_EQ(options.duePdf.pdfFile, "aus.pdf");
    const std::pair<QStringList, const char*> wrong[] = {
        {{"--due-pdf", "14"},
         "Ungültiger Aufruf: --due-pdf braucht die Zahl der Tage und den Namen der PDF-Datei, zum "
         "Beispiel \"ztd --data ORDNER --due-pdf 30 AUSGABE.pdf\"."},
        {{"--due-pdf", "viele", "aus.pdf"},
         "Ungültiger Aufruf: \"viele\" ist keine Zahl von Tagen (0 bis 3650)."},
        {{"--due-pdf", "3651", "aus.pdf"},
         "Ungültiger Aufruf: \"3651\" ist keine Zahl von Tagen (0 bis 3650)."},
    };
    for (const auto& [arguments, message] : wrong) {
        const ProgramOptions refused = parseCommandLine(QStringList{"ztd"} + arguments);
        EXPECT_EQ(refused.action, ProgramOptions::Action::Fail);
        EXPECT_EQ(refused.text, QString::fromUtf8(message));
    }
}

namespace {

TEST_F(ArchivePdfCommandTest, LabelsOfRowsAsPdfWithTheirQrCodes) {
    const QString pdf = out.filePath(u"Plaketten.pdf"_s);
    const ZtdOutcome outcome = ztd({u"--labels-pdf"_s, u"2,1"_s, pdf, u"--label-start"_s, u"24"_s});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    // Position 24 is the last of the first sheet; the second label starts the next.
    EXPECT_TRUE(run(u"pdfinfo"_s, {pdf}).contains(QRegularExpression(u"Pages:\\s+2\n"_s)));
    const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    for (const QString& expected : {u"SN SN 2"_s, u"SN SN 1"_s, u"03.03.2027"_s, u"Nr. 1"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();
    run(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-gray"_s, u"-png"_s, pdf, out.filePath(u"seite"_s)});
    EXPECT_EQ(run(u"zbarimg"_s, {u"-q"_s, u"--raw"_s, out.filePath(u"seite-1.png"_s),
                                 out.filePath(u"seite-2.png"_s)}),
              u"ZTD 2 03.03.2027\nZTD 1 02.03.2027\n"_s);
}

TEST_F(ArchivePdfCommandTest, SingleLabelsOfRowsAsPdfPagesOf50By30Mm) {
    const QString pdf = out.filePath(u"Etiketten.pdf"_s);
    const ZtdOutcome outcome =
        ztd({u"--labels-pdf"_s, u"2,1"_s, pdf, u"--label-format"_s, u"einzeln"_s});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    const QString info = run(u"pdfinfo"_s, {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(u"Pages:\\s+2\n"_s))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(u"Page size:\\s+142 x 85 pts\n"_s)))
        << info.toStdString();
    run(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-gray"_s, u"-png"_s, pdf, out.filePath(u"seite"_s)});
    EXPECT_EQ(run(u"zbarimg"_s, {u"-q"_s, u"--raw"_s, out.filePath(u"seite-1.png"_s),
                                 out.filePath(u"seite-2.png"_s)}),
              u"ZTD 2 03.03.2027\nZTD 1 02.03.2027\n"_s);
}

TEST_F(ArchivePdfCommandTest, AWrongLabelFormatIsToldInGermanAndWritesNoFile) {
    const QString pdf = out.filePath(u"Etiketten.pdf"_s);
    const std::pair<QStringList, QString> cases[] = {
        {{u"--label-format"_s, u"rolle"_s},
         u"Ungültiger Aufruf: --label-format gilt für --labels-pdf und ist bogen oder einzeln.\n"_s},
        {{u"--label-format"_s, u"einzeln"_s, u"--label-start"_s, u"2"_s},
         u"Ungültiger Aufruf: --label-start gilt nur für --label-format bogen.\n"_s},
    };
    for (const auto& [options, message] : cases) {
        const ZtdOutcome outcome = ztd(QStringList{u"--labels-pdf"_s, u"1"_s, pdf} + options);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err, message);
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

TEST_F(ArchivePdfCommandTest, LabelsOfARowNotInTheArchiveWriteNoFile) {
    const QString pdf = out.filePath(u"Plaketten.pdf"_s);
    const ZtdOutcome outcome = ztd({u"--labels-pdf"_s, u"1,99"_s, pdf});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, u"Den Datensatz Nr. 99 gibt es im Archiv nicht.\n"_s);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(LabelsPdfCommandLine, ReadsNumbersStartAndFile) {
    const ProgramOptions options = parseCommandLine(
        {"ztd", "--data", "/srv/ztd", "--labels-pdf", "17,4711", "aus.pdf", "--label-start", "5"});
    ASSERT_EQ(options.action, ProgramOptions::Action::LabelsPdf) << options.text.toStdString();
    EXPECT_EQ(options.dataDirectory, "/srv/ztd");
    EXPECT_EQ(options.labelsPdf.numbers, (QList<qint64>{17, 4711}));
    EXPECT_EQ(options.labelsPdf.startPosition, 5);
    EXPECT_EQ(options.labelsPdf.pdfFile, "aus.pdf");
    EXPECT_EQ(parseCommandLine({"ztd", "--labels-pdf", "17", "aus.pdf"}).labelsPdf.startPosition,
              1);
    EXPECT_EQ(parseCommandLine({"ztd", "--labels-pdf", "17", "aus.pdf"}).labelsPdf.format,
              test_labels::Format::Sheet);
    for (const auto& [value, format] : {std::pair("bogen", test_labels::Format::Sheet),
                                        std::pair("einzeln", test_labels::Format::Single)})
        EXPECT_EQ(
            parseCommandLine({"ztd", "--labels-pdf", "17", "aus.pdf", "--label-format", value})
                .labelsPdf.format,
            format);
    const std::pair<QStringList, const char*> wrong[] = {
        {{"--labels-pdf", "17"},
         "Ungültiger Aufruf: --labels-pdf braucht die Nummern der Archiv-Datensätze, durch "
         "Kommas getrennt, und den Namen der PDF-Datei, zum Beispiel \"ztd --data ORDNER "
         "--labels-pdf 17,18 AUSGABE.pdf\"."},
        {{"--labels-pdf", "17,x", "aus.pdf"}, "Ungültiger Aufruf: \"x\" ist keine Nummer."},
        {{"--labels-pdf", "17,", "aus.pdf"}, "Ungültiger Aufruf: \"\" ist keine Nummer."},
        {{"--labels-pdf", "17", "aus.pdf", "--label-start", "25"},
         "Ungültiger Aufruf: --label-start gilt für --labels-pdf und ist 1 bis 24."},
        {{"--labels-pdf", "17", "aus.pdf", "--label-start", "0"},
         "Ungültiger Aufruf: --label-start gilt für --labels-pdf und ist 1 bis 24."},
        {{"--labels-pdf", "17", "aus.pdf", "--label-format", "Einzeln"},
         "Ungültiger Aufruf: --label-format gilt für --labels-pdf und ist bogen oder einzeln."},
        {{"--labels-pdf", "17", "aus.pdf", "--label-format", "einzeln", "--label-start", "1"},
         "Ungültiger Aufruf: --label-start gilt nur für --label-format bogen."},
    };
    for (const auto& [arguments, message] : wrong) {
        const ProgramOptions refused = parseCommandLine(QStringList{"ztd"} + arguments);
        EXPECT_EQ(refused.action, ProgramOptions::Action::Fail);
        EXPECT_EQ(refused.text, QString::fromUtf8(message));
    }
}

} // namespace
