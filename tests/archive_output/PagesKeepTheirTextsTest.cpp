#include "PageTexts.h"
#include "Printers.h"
#include "SampleReport.h"
#include "TableFixture.h"
#include "archive_output/CollectiveReport.h"
#include "archive_output/DeviceList.h"
#include "archive_output/SingleReport.h"
#include "print/RecordingPrintTarget.h"
#include "print/TXPrint.h"
#include "report/ReportPage.h"
#include "report/ReportSession.h"

// On no page of any printout does a box hide a text drawn before it.

namespace {

// Every page: its number in the print run, then what a box covers on it.
QStringList coveredOnEveryPage(const RecordingPrintTarget& target) {
    QStringList covered;
    for (qsizetype page = 0; page < target.jobs().size(); ++page)
        for (const QString& text : coveredTexts(target.jobs()[page].ops))
            covered << QStringLiteral("page %1 %2").arg(page + 1).arg(text);
    return covered;
}

class PagesKeepTheirTexts : public TableFixture {};

} // namespace

TEST_F(PagesKeepTheirTexts, TestReportAndSingleReport) {
    auto printer = std::make_shared<RecordingPrintTarget>();
    {
        TXPrint print(*printer);
        report_page::configure(print);
        report_page::LimitTexts limits;
        ASSERT_FALSE(report_page::print(print, sampleReport(), sampleState(), limits));
    }
    addAddressBook();
    addArchiveRows({{1, QStringLiteral("Müller"), 3, QStringLiteral("1.2.2027")}});
    TableCursor zt(store, QStringLiteral("zt"));
    TableCursor kunden(store, QStringLiteral("kunden"));
    ASSERT_TRUE(zt.open());
    ReportSession state;
    prompter.acceptDialog();
    single_report::print(state, prompter, zt, kunden, [&] { return printer; });
    ASSERT_EQ(printer->jobs().size(), 2);
    EXPECT_EQ(coveredOnEveryPage(*printer), QStringList{});
}

TEST_F(PagesKeepTheirTexts, CollectiveReportCoversAndAppendix) {
    for (const auto cover : {collective_report::Cover::Portrait,
                             collective_report::Cover::Landscape, collective_report::Cover::None}) {
        collective_report::Report report;
        report.cover = cover;
        report.number = QStringLiteral("2026/17");
        report.customer = {QStringLiteral("Müller"), QStringLiteral("Hauptstraße 12"),
                           QStringLiteral("12345 Musterstadt")};
        report.contractor = {QStringLiteral("Elektro Schulze"), QStringLiteral("Industrieweg 4"),
                             QStringLiteral("54321 Beispielheim")};
        for (int i = 0; i < 6; ++i)
            report.remarks[i] = QStringLiteral("Bemerkung %1").arg(i + 1);
        for (int i = 1; i <= 28; ++i) {
            collective_report::Device device;
            device.Geraeteart = QStringLiteral("Gerät %1").arg(i);
            device.Pruefung = QStringLiteral("DIN VDE 0701-0702(1)");
            device.Schutzklasse = QStringLiteral("1");
            device.values = {QStringLiteral("0.1"), QStringLiteral(">20.0"),
                             QStringLiteral("0.25")};
            report.devices.append(device);
        }
        RecordingPrintTarget target;
        TXPrint print(target);
        if (cover != collective_report::Cover::None) {
            collective_report::configureCover(print, cover);
            ASSERT_FALSE(collective_report::printCover(print, report));
        }
        collective_report::configureAppendix(print);
        for (int page = 1; page <= collective_report::pageCount(report); ++page)
            ASSERT_FALSE(collective_report::printAppendixPage(print, report, page));
        EXPECT_EQ(target.jobs().size(), cover == collective_report::Cover::None ? 2 : 3);
        EXPECT_EQ(coveredOnEveryPage(target), QStringList{}) << int(cover);
    }
}

TEST_F(PagesKeepTheirTexts, DeviceLists) {
    for (const auto format : {device_list::Format::Portrait1, device_list::Format::Portrait2,
                              device_list::Format::Landscape}) {
        device_list::List list;
        list.format = format;
        list.firstDate = QStringLiteral("01.01.2027");
        list.secondDate = QStringLiteral("31.12.2027");
        list.customerName = QStringLiteral("Müller");
        list.customerStreet = QStringLiteral("Hauptstraße 12");
        list.customerPlace = QStringLiteral("12345 Musterstadt");
        for (int i = 1; i <= 90; ++i)
            list.devices.append({QStringLiteral("Gerät %1").arg(i), QStringLiteral("SN%1").arg(i),
                                 QStringLiteral("Hersteller"), QStringLiteral("Typ"),
                                 QStringLiteral("01.02.2027")});
        RecordingPrintTarget target;
        TXPrint print(target);
        device_list::configure(print, format);
        for (int page = 1; page <= device_list::pageCount(list); ++page)
            ASSERT_FALSE(device_list::printPage(print, list, page));
        EXPECT_GE(target.jobs().size(), 3);
        EXPECT_EQ(coveredOnEveryPage(target), QStringList{}) << int(format);
    }
}
