#include "archive_output/CollectiveReport.h"
#include "Golden.h"
#include "PageDump.h"
#include "PageTexts.h"
#include "Printers.h"
#include "TableFixture.h"
#include "archive_output/CollectiveReportCommand.h"
#include "archive_output/TFormSammelFormat.h"
#include "print/RecordingPrintTarget.h"
#include "print/TXPrint.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace collective_report;

namespace {

// Times 10 pt is 352, Courier 10 pt gives rows 528 apart (1/100 mm).
constexpr int kH = 352;
constexpr int kL = 2 * kH;
constexpr int kFirstRowY = 1200 + 3 * kH;
constexpr int kRowStep = 528;

Device device(const char* pruefung, const char* cls, bool niso) {
    Device d;
    d.Pruefung = QLatin1String(pruefung);
    d.Schutzklasse = QLatin1String(cls);
    d.niso = niso;
    d.values = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    return d;
}

Report reportOf(int devices, Cover cover) {
    Report report;
    report.cover = cover;
    for (int i = 1; i <= devices; ++i) {
        Device d = device("DIN VDE 0701-0702(1)", "1", false);
        d.Geraeteart = QStringLiteral("Gerät %1").arg(i);
        d.Ordnung = i % 2 ? QStringLiteral("j") : QString();
        d.inspectionsPassed = true;
        report.devices.append(d);
    }
    return report;
}

// The cover, if any, and every appendix page, one job each.
void record(const Report& report, RecordingPrintTarget& target) {
    TXPrint print(target);
    if (report.cover != Cover::None) {
        configureCover(print, report.cover);
        EXPECT_FALSE(printCover(print, report));
    }
    configureAppendix(print);
    for (int page = 1; page <= pageCount(report); ++page)
        EXPECT_FALSE(printAppendixPage(print, report, page));
}

// Every page as "x,y:text" of its texts.
QList<QStringList> printed(const Report& report) {
    RecordingPrintTarget target;
    record(report, target);
    return pageTexts(target);
}

Report reportWithCover(Cover cover) {
    Report report = reportOf(3, cover);
    report.contractor = {QStringLiteral("Elektro Schulze"), QStringLiteral("Industrieweg 4"),
                         QStringLiteral("54321 Beispielheim")};
    report.remarks[5] = QStringLiteral("Letzte Bemerkung");
    return report;
}

} // namespace

TEST(CollectiveReport, MeasuredValuesGoToTheirColumns) {
    // Rsl, Riso, Iea, Isl, Iber.
    using Cells = std::array<QString, 5>;
    const std::tuple<Device, Cells> cases[] = {
        {device("DIN VDE 0701-0702(1)", "1", true), {"A", "", "", "B", ""}},
        {device("DIN VDE 0701-0702(1)", "1e", false), {"A", "B", "C", "", ""}},
        {device("DIN VDE 0701-0702(1)", "2", true), {"", "", "", "", "A"}},
        {device("DIN VDE 0701-0702(1)", "2", false), {"", "A", "B", "", ""}},
        {device("DIN VDE 0701-0702(1)", "3", true), {"", "A", "B", "", ""}},
        {device("DIN VDE 0701-0702(2)", "1e", true), {"A", "", "", "B", ""}},
        {device("DIN VDE 0701-0702(2)", "1", false), {"B", "A", "", "C", ""}},
        {device("DIN VDE 0701-0702(2)", "2", true), {"", "", "", "", "A"}},
        {device("DIN VDE 0701-0702(2)", "2", false), {"", "A", "", "", "B"}},
        {device("DIN VDE 0701-0702(2)", "3", false), {"", "A", "", "", ""}},
        {device("DIN VDE 0701-0702(1)", "1 ", false), {"A", "B", "C", "", ""}},
        {device("DIN VDE 0702", "1", false), {"", "", "", "", ""}},
    };
    for (const auto& [d, cells] : cases)
        EXPECT_EQ(valueColumns(d), cells)
            << d.Pruefung.toStdString() << " " << d.Schutzklasse.toStdString();
}

TEST(CollectiveReport, WithoutDefectsNeedsAllInspectionsAndAnExactYes) {
    const std::tuple<bool, const char*, bool> cases[] = {
        {true, "j", true}, {true, "ja", true},  {true, "n", false},
        {true, "", false}, {true, "JA", false}, {false, "ja", false},
    };
    for (const auto& [passed, ordnung, expected] : cases) {
        Device d;
        d.inspectionsPassed = passed;
        d.Ordnung = QLatin1String(ordnung);
        EXPECT_EQ(withoutDefects(d), expected) << ordnung;
    }
}

TEST(CollectiveReport, AppendixPagesCountNumberAndContinue) {
    const QList<QStringList> one = printed(reportOf(27, Cover::None));
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0][0], QStringLiteral("50,150:Prüfprotokoll für elektrische Geräte"));
    EXPECT_FALSE(one[0].join('\n').contains(QStringLiteral("Seite")));

    Report report = reportOf(28, Cover::None);
    report.number = QStringLiteral("S-7");
    const QList<QStringList> two = printed(report);
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[0][0], QStringLiteral("50,150:Prüfprotokoll für elektrische Geräte  Nr. S-7"));
    EXPECT_TRUE(two[0].contains(QStringLiteral("24000,150:Seite 1")));
    EXPECT_TRUE(two[1].contains(QStringLiteral("24000,150:Seite 2")));
    EXPECT_TRUE(two[0].contains(QStringLiteral("50,%1:Gerät 1").arg(kFirstRowY)));
    EXPECT_TRUE(two[0].contains(QStringLiteral("12000,%1:0701-0702(1)").arg(kFirstRowY)));
    EXPECT_TRUE(two[0].contains(QStringLiteral("26200,%1:nein").arg(kFirstRowY + kRowStep)));
    EXPECT_EQ(
        two[0].last(),
        QStringLiteral("10600,%1:Fortsetzung auf Seite 2").arg(kFirstRowY + 27 * kRowStep + 200));
    EXPECT_TRUE(two[1].contains(QStringLiteral("50,%1:Gerät 28").arg(kFirstRowY)));
    EXPECT_TRUE(two[1].contains(QStringLiteral("17300,%1:[Ω]").arg(1200 + kH)));
}

TEST(CollectiveReport, CoversShowAddressesAndCounts) {
    Report report = reportWithCover(Cover::Portrait);
    const QList<QStringList> portrait = printed(report);
    ASSERT_EQ(portrait.size(), 2);
    const QStringList& cover = portrait[0];
    EXPECT_FALSE(cover.join('\n').contains(QStringLiteral("Nr. ")));
    EXPECT_EQ(portrait[1][0],
              QStringLiteral("50,150:Anhang zum Prüfprotokoll für elektrische Geräte"));
    for (const QString& text :
         {QStringLiteral("10000,%1:Elektro Schulze").arg(1130 + kL),
          QStringLiteral("500,%1:").arg(1130 + kL), // no customer, and never the contractor
          QStringLiteral("4000,%1:2").arg(1130 + 7 * kL),
          QStringLiteral("4000,%1:1").arg(1130 + 9 * kL),
          QStringLiteral("50,%1:Prüflinge mit Mängeln:").arg(1100 + 9 * kL),
          QStringLiteral("50,%1:Letzte Bemerkung").arg(10500 + 5 * kL),
          QStringLiteral("8000,23000:Unterschrift")})
        EXPECT_TRUE(cover.contains(text)) << text.toStdString();

    report.cover = Cover::Landscape;
    report.number = QStringLiteral("S-7");
    const QStringList landscape = printed(report)[0];
    for (const QString& text : {QStringLiteral("9500,150:Nr. S-7"),
                                QStringLiteral("13800,%1:Elektro Schulze").arg(1130 + kL),
                                QStringLiteral("8000,%1:Prüflinge mit Mängeln:").arg(1100 + 7 * kL),
                                QStringLiteral("12000,%1:1").arg(1130 + 7 * kL),
                                QStringLiteral("17000,16000:Unterschrift:"),
                                QStringLiteral("50,%1:Letzte Bemerkung").arg(9000 + 5 * kL)})
        EXPECT_TRUE(landscape.contains(text)) << text.toStdString();
}

TEST(CollectiveReport, CoversAndAppendixPageAreTheGoldenPages) {
    RecordingPrintTarget portrait;
    record(reportWithCover(Cover::Portrait), portrait);
    ASSERT_EQ(portrait.jobs().size(), 2);
    expectGolden("collective-cover-portrait.txt", pageDump(portrait.jobs()[0]));
    expectGolden("collective-appendix.txt", pageDump(portrait.jobs()[1]));

    Report report = reportWithCover(Cover::Landscape);
    report.number = QStringLiteral("S-7");
    RecordingPrintTarget landscape;
    record(report, landscape);
    ASSERT_EQ(landscape.jobs().size(), 2);
    expectGolden("collective-cover-landscape.txt", pageDump(landscape.jobs()[0]));
}

namespace {

class CollectiveCommandTest : public TableFixture {
protected:
    CollectiveCommandTest() {
        addCustomers({{0, QStringLiteral("Elektro Schulze")}, {3, QStringLiteral("Müller")}});
        kunden.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer"));
        addArchiveRows({{1, QStringLiteral("Müller"), 3, QString()},
                        {2, QStringLiteral("Müller"), 3, QString()},
                        {3, QStringLiteral("Zander"), 4, QString()}});
        zt.addIndex(QStringLiteral("Standard"), QStringLiteral("Zaehler"));
        zt.setIndexName(QStringLiteral("Standard"));
        EXPECT_TRUE(zt.open());
        zt.first();
        zt.edit();
        zt.setText("Ordnung", QStringLiteral("j"));
        zt.setText("Geraeteart", QStringLiteral("Erster"));
        EXPECT_TRUE(zt.post());
        zt.next();
        zt.edit();
        zt.setText("Ordnung", QStringLiteral("n"));
        zt.setText("Geraeteart", QStringLiteral("Zweiter"));
        EXPECT_TRUE(zt.post());
    }

    void choose(int cover) {
        QTimer::singleShot(0, &format, [this, cover] {
            if (cover < 0) {
                format.reject();
                return;
            }
            format.findChildren<QRadioButton*>()[cover]->setChecked(true);
            format.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
    }

    void run() {
        collective_report::run(prompter, zt, kunden, format, [this] { return printer; });
    }

    TableCursor zt{store, QStringLiteral("zt")};
    TableCursor kunden{store, QStringLiteral("kunden")};
    TFormSammelFormat format;
    std::shared_ptr<RecordingPrintTarget> printer = std::make_shared<RecordingPrintTarget>();
};

} // namespace

TEST_F(CollectiveCommandTest, RowsOfDifferentCustomersAreRefused) {
    choose(2);
    run();
    EXPECT_EQ(prompter.messages(), QStringList{"Fehler|Sie haben Protokolle unterschiedlicher "
                                               "Auftraggeber ausgewählt. Bitte korrigieren."});
    EXPECT_TRUE(printer->jobs().isEmpty());
    EXPECT_EQ(zt.indexName(), QStringLiteral("Standard"));
}

TEST_F(CollectiveCommandTest, OneCustomersRowsInVerdictThenNumberOrder) {
    zt.setFilter(QStringLiteral("Kundennummer=3"));
    zt.setFiltered(true);
    choose(0);
    prompter.acceptDialog();
    run();
    ASSERT_EQ(printer->jobs().size(), 2);
    EXPECT_EQ(printer->jobs()[0].settings.orientation, TXPrinterOrientation::xpoPortrait);
    EXPECT_EQ(printer->jobs()[1].settings.orientation, TXPrinterOrientation::xpoLandscape);
    QStringList kinds;
    for (const CanvasOp& op : printer->jobs()[1].ops)
        if (op.kind == CanvasOp::Kind::Text && op.x1 == 50 && op.y1 >= kFirstRowY && op.y1 < 17000)
            kinds << op.text;
    EXPECT_EQ(kinds, (QStringList{"Erster", "Zweiter"}));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
    EXPECT_EQ(zt.indexName(), QStringLiteral("Standard"));
}

TEST_F(CollectiveCommandTest, NoRowsNoDialogAndACancelledDialogPrintsNothing) {
    zt.setFilter(QStringLiteral("Kundennummer=9"));
    zt.setFiltered(true);
    run();
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Es sind 0 Datensätze zum Druck ausgewählt worden"});
    zt.setFilter(QStringLiteral("Kundennummer=3"));
    choose(-1);
    run();
    EXPECT_TRUE(printer->jobs().isEmpty());
    EXPECT_EQ(prompter.messages().size(), 1);
}
