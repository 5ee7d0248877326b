#include "archive_output/DeviceList.h"
#include "Golden.h"
#include "PageDump.h"
#include "PageTexts.h"
#include "Printers.h"
#include "ScriptedAnswer.h"
#include "TableFixture.h"
#include "archive_output/DeviceListCommand.h"
#include "archive_output/TFormListe.h"
#include "archive_output/TFormListenformat.h"
#include "print/RecordingPrintTarget.h"
#include "print/TXPrint.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace device_list;

namespace {

// Rows on a page start here and are this far apart (Times 10 pt line 704,
// Courier 10 pt row 528, in 1/100 mm).
constexpr int kFirstRowY = 1200 + 4 * 704;
constexpr int kRowStep = 528;

List listOf(int devices, Format format) {
    List list;
    list.format = format;
    list.firstDate = QStringLiteral("01.01.2027");
    list.secondDate = QStringLiteral("31.12.2027");
    list.customerName = QStringLiteral("Müller");
    for (int i = 1; i <= devices; ++i)
        list.devices.append({QStringLiteral("Gerät %1").arg(i), QStringLiteral("SN%1").arg(i),
                             QStringLiteral("Hersteller"), QStringLiteral("Typ"),
                             QStringLiteral("01.02.2027")});
    return list;
}

void record(const List& list, RecordingPrintTarget& target) {
    TXPrint print(target);
    configure(print, list.format);
    for (int page = 1; page <= pageCount(list); ++page)
        EXPECT_FALSE(printPage(print, list, page));
}

// Each page printed as "x,y:text" for its texts.
QList<QStringList> printed(const List& list) {
    RecordingPrintTarget target;
    record(list, target);
    return pageTexts(target);
}

} // namespace

TEST(DeviceListPages, RowsPerPageDecideThePages) {
    const std::tuple<int, Format, int> cases[] = {
        {44, Format::Portrait1, 1}, {45, Format::Portrait2, 2}, {88, Format::Portrait1, 2},
        {27, Format::Landscape, 1}, {28, Format::Landscape, 2}, {0, Format::Portrait1, 0},
    };
    for (const auto& [devices, format, pages] : cases)
        EXPECT_EQ(pageCount(listOf(devices, format)), pages) << devices;
}

TEST(DeviceListPages, PortraitPagesNumberedAndContinued) {
    const QList<QStringList> pages = printed(listOf(45, Format::Portrait1));
    ASSERT_EQ(pages.size(), 2);
    const QStringList& first = pages[0];
    EXPECT_EQ(first[0], QStringLiteral("50,150:Geräte-Liste: nächster Prüfungstermin zwischen "
                                       "01.01.2027 und 31.12.2027"));
    EXPECT_TRUE(first.contains(QStringLiteral("15000,1904:Seite 1")));
    EXPECT_TRUE(first.contains(QStringLiteral("11800,3312:Hersteller")));
    EXPECT_TRUE(first.contains(QStringLiteral("5000,1200:Müller")));
    EXPECT_TRUE(first.contains(QStringLiteral("50,%1:Gerät 1").arg(kFirstRowY)));
    EXPECT_TRUE(first.contains(QStringLiteral("7000,%1:SN44").arg(kFirstRowY + 43 * kRowStep)));
    EXPECT_EQ(first.last(),
              QStringLiteral("6000,%1:Fortsetzung auf Seite 2").arg(kFirstRowY + 44 * kRowStep));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("50,%1:Gerät 45").arg(kFirstRowY)));
    EXPECT_FALSE(pages[1].last().contains(QStringLiteral("Fortsetzung")));

    const QList<QStringList> single = printed(listOf(44, Format::Portrait2));
    ASSERT_EQ(single.size(), 1);
    EXPECT_FALSE(single[0].join('\n').contains(QStringLiteral("Seite")));
    EXPECT_TRUE(single[0].contains(QStringLiteral("11800,3312:Typenbezeichnung")));
}

TEST(DeviceListPages, LandscapeColumnsAndContinuation) {
    const QList<QStringList> pages = printed(listOf(28, Format::Landscape));
    ASSERT_EQ(pages.size(), 2);
    for (const char* title :
         {"50,3312:Geräteart", "7000,3312:Seriennummer", "11800,3312:Typenbezeichnung",
          "16500,3312:Hersteller", "21200,3312:Prüfungstermin", "22000,1904:Seite 1"})
        EXPECT_TRUE(pages[0].contains(QString::fromUtf8(title))) << title;
    EXPECT_EQ(
        pages[0].last(),
        QStringLiteral("10600,%1:Fortsetzung auf Seite 2").arg(kFirstRowY + 27 * kRowStep + 200));
}

TEST(DeviceListPages, EachFormatIsItsGoldenPage) {
    const std::pair<Format, QString> cases[] = {
        {Format::Portrait1, "device-list-portrait1.txt"},
        {Format::Portrait2, "device-list-portrait2.txt"},
        {Format::Landscape, "device-list-landscape.txt"},
    };
    for (const auto& [format, golden] : cases) {
        RecordingPrintTarget target;
        record(listOf(3, format), target);
        ASSERT_EQ(target.jobs().size(), 1);
        expectGolden(golden, pageDump(target.jobs()[0]));
    }
}

namespace {

class DeviceListCommandTest : public TableFixture {
protected:
    DeviceListCommandTest() {
        TableCursor k(store, QStringLiteral("kunden"));
        EXPECT_TRUE(k.open());
        EXPECT_TRUE(k.insertRecord({3, QStringLiteral("Müller"), QStringLiteral("Hauptstraße 12"),
                                    QStringLiteral("12345 Musterstadt")}));
        EXPECT_TRUE(k.insertRecord({4, QStringLiteral("Zander")}));
        k.close();
        addArchiveRows({{1, QStringLiteral("Müller"), 3, QStringLiteral("15.06.2027")},
                        {2, QStringLiteral("Müller"), 3, QStringLiteral("01.02.2027")},
                        {3, QStringLiteral("Müller"), 3, QStringLiteral("01.02.2028")},
                        {4, QStringLiteral("Zander"), 4, QStringLiteral("01.03.2027")},
                        {5, QStringLiteral("Müller"), 3, QStringLiteral("31.12.2027")}});
        zt.addIndex(QStringLiteral("Standard"), QStringLiteral("Zaehler"));
        zt.setIndexName(QStringLiteral("Standard"));
        EXPECT_TRUE(zt.open());
        zt.first();
        zt.next();
        request.setCustomerLookup(lookup.ask());
    }

    // Fills the request dialog when it shows and presses OK; the format
    // dialog gets `format` (-1: cancelled).
    void answer(const QString& name, const QString& number, const QString& from, const QString& to,
                int format) {
        QTimer::singleShot(0, &request, [=, this] {
            request.findChild<QLineEdit*>(QStringLiteral("KundeName"))->setText(name);
            request.findChild<QLineEdit*>(QStringLiteral("KundeNr"))->setText(number);
            request.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"))->setText(from);
            request.findChild<QLineEdit*>(QStringLiteral("MaskEdit2"))->setText(to);
            request.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            if (request.isVisible())
                request.reject();
        });
        formatAnswer = format;
    }

    void run() {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (!formats.isVisible())
                return;
            if (formatAnswer < 0) {
                formats.reject();
            } else {
                formats.findChildren<QRadioButton*>()[formatAnswer]->setChecked(true);
                formats.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            }
        });
        timer.start(1);
        device_list::run(prompter, zt, request, formats, [this] { return printer; });
    }

    TableCursor zt{store, QStringLiteral("zt")};
    ScriptedAnswer<std::optional<CustomerChoice>> lookup;
    TFormListe request{prompter, store};
    TFormListenformat formats;
    int formatAnswer = 0;
    std::shared_ptr<RecordingPrintTarget> printer = std::make_shared<RecordingPrintTarget>();
};

} // namespace

TEST_F(DeviceListCommandTest, TheCustomersDevicesInTheRangeInDateOrderAndTheViewRestored) {
    zt.setFilter(QStringLiteral("Zaehler>1"));
    zt.setFiltered(true);
    zt.first();
    answer(QStringLiteral("Müller"), QString(), QStringLiteral("01.01.2027"),
           QStringLiteral("31.12.2027"), 2);
    prompter.acceptDialog();
    run();
    ASSERT_EQ(printer->jobs().size(), 1);
    EXPECT_EQ(printer->jobs()[0].settings.orientation, TXPrinterOrientation::xpoLandscape);
    QStringList dates;
    for (const CanvasOp& op : printer->jobs()[0].ops)
        if (op.x1 == 21200 && op.y1 >= kFirstRowY)
            dates << op.text;
    EXPECT_EQ(dates, (QStringList{"01.02.2027", "15.06.2027", "31.12.2027"}));
    EXPECT_EQ(zt.filter(), QStringLiteral("Zaehler>1"));
    EXPECT_EQ(zt.indexName(), QStringLiteral("Standard"));
    EXPECT_EQ(zt.text("Zaehler"), QStringLiteral("2"));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
}

namespace {

// Answers the list's questions from a script, without windows; nothing
// stands for a cancel.
struct ScriptedListQuestions : RequestQuestion, FormatQuestion {
    std::optional<Request> request;
    std::optional<Format> format;
    int formatAsked = 0;

    std::optional<Request> askRequest() override { return request; }
    std::optional<Format> askFormat() override {
        ++formatAsked;
        return format;
    }
};

} // namespace

TEST_F(DeviceListCommandTest, ACancelledQuestionEndsTheListAndRestoresTheView) {
    const Request mueller{QStringLiteral("Müller"),         3,
                          QStringLiteral("Hauptstraße 12"), QStringLiteral("12345 Musterstadt"),
                          QStringLiteral("01.01.2027"),     QStringLiteral("31.12.2027")};
    struct Case {
        const char* name;
        bool requestGiven;
        std::optional<Format> format;
        int formatAsked;
        int jobs;
    };
    const Case cases[] = {
        {"request cancelled", false, Format::Landscape, 0, 0},
        {"format cancelled", true, std::nullopt, 1, 0},
        {"landscape", true, Format::Landscape, 1, 1},
    };
    for (const Case& c : cases) {
        const auto target = std::make_shared<RecordingPrintTarget>();
        ScriptedListQuestions questions;
        if (c.requestGiven)
            questions.request = mueller;
        questions.format = c.format;
        if (c.jobs)
            prompter.acceptDialog();
        device_list::run(prompter, zt, questions, questions, [&] { return target; });
        EXPECT_EQ(questions.formatAsked, c.formatAsked) << c.name;
        ASSERT_EQ(target->jobs().size(), c.jobs) << c.name;
        if (c.jobs) {
            EXPECT_EQ(target->jobs()[0].settings.orientation, TXPrinterOrientation::xpoLandscape);
        }
        EXPECT_FALSE(zt.filtered()) << c.name;
        EXPECT_EQ(zt.indexName(), QStringLiteral("Standard")) << c.name;
        EXPECT_EQ(zt.text("Zaehler"), QStringLiteral("2")) << c.name;
    }
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
}

TEST_F(DeviceListCommandTest, NoDeviceDueIsToldAndNothingIsAskedOrPrinted) {
    answer(QStringLiteral("Zander"), QStringLiteral("4"), QStringLiteral("01.01.2030"),
           QStringLiteral("31.12.2030"), 0);
    run();
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Für den Kunden Zander ist zwischen dem 01.01.2030 und dem "
                          "31.12.2030 kein Gerät zur Prüfung fällig."});
    EXPECT_TRUE(printer->jobs().isEmpty());
    EXPECT_EQ(zt.filtered(), false);
    EXPECT_EQ(zt.text("Zaehler"), QStringLiteral("2"));
}

TEST_F(DeviceListCommandTest, RequestChecksKeepTheDialogOpen) {
    struct Case {
        const char* name;
        const char* number;
        const char* from;
        const char* to;
        const char* message;
    };
    const Case cases[] = {
        {"", "", "01.01.2027", "31.12.2027", "Bitte Kundennummer oder Auftraggeber eingeben!"},
        {"", "99", "01.01.2027", "31.12.2027", "Die Kundennummer gibt es nicht!"},
        {"müller", "", "01.01.2027", "31.12.2027", "Diesen Kunden gibt es nicht!"},
        {"Müller", "4", "01.01.2027", "31.12.2027",
         "Auftraggeber und Kundennummer stimmen nicht überein!"},
        {"Müller", "3", "1.1.2027", "31.12.2027",
         "Ihre linke Datumseingabe entspricht nicht dem geforderten Format. Bitte überprüfen."},
        {"Müller", "3", "01.01.2027", "32.12.2027",
         "Das rechte Datum gibt es nicht. Bitte überprüfen."},
        {"Müller", "3", "31.02.2027", "31.12.2027",
         "Das linke Datum gibt es nicht. Bitte überprüfen."},
        {"", "2147483648", "01.01.2027", "31.12.2027",
         "'2147483648' ist kein gültiger Integerwert"},
    };
    for (const Case& c : cases) {
        ScriptedPrompter asked;
        TFormListe dialog(asked, store);
        bool stayed = false;
        QTimer::singleShot(0, &dialog, [&] {
            dialog.findChild<QLineEdit*>(QStringLiteral("KundeName"))
                ->setText(QString::fromUtf8(c.name));
            dialog.findChild<QLineEdit*>(QStringLiteral("KundeNr"))
                ->setText(QLatin1String(c.number));
            dialog.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"))
                ->setText(QLatin1String(c.from));
            dialog.findChild<QLineEdit*>(QStringLiteral("MaskEdit2"))->setText(QLatin1String(c.to));
            dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            stayed = dialog.isVisible();
            dialog.reject();
        });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected) << c.message;
        EXPECT_TRUE(stayed) << c.message;
        EXPECT_EQ(asked.messages(), QStringList{"Fehler|" + QString::fromUtf8(c.message)});
    }
}

TEST_F(DeviceListCommandTest, NameAndMatchingNumberAreAcceptedWithTheAddress) {
    bool accepted = false;
    QTimer::singleShot(0, &request, [&] {
        request.findChild<QLineEdit*>(QStringLiteral("KundeName"))
            ->setText(QStringLiteral("Müller"));
        request.findChild<QLineEdit*>(QStringLiteral("KundeNr"))->setText(QStringLiteral("3"));
        request.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"))
            ->setText(QStringLiteral("01.01.2027"));
        request.findChild<QLineEdit*>(QStringLiteral("MaskEdit2"))
            ->setText(QStringLiteral("31.12.2027"));
        request.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        accepted = !request.isVisible();
    });
    request.exec();
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(request.request().customerStreet, QStringLiteral("Hauptstraße 12"));
    EXPECT_EQ(request.request().firstDate, QStringLiteral("01.01.2027"));
}
