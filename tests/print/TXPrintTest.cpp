#include "print/TXPrint.h"
#include "print/RecordingPrintTarget.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(TXPrint, MarginsKeepTheirSizeWhenTheUnitChanges) {
    struct Case {
        TScaling to;
        int margin;
        int bottom;
    };
    // 20 mm are 236 dots at the 300 dpi assumed before the first page, 10 mm 118.
    const Case cases[] = {
        {TScaling::pscMetric10, 200, 100},
        {TScaling::pscDot, 236, 118},
        {TScaling::pscMil, 787, 394},
        {TScaling::pscMetric100, 2000, 1000},
    };
    for (const Case& c : cases) {
        RecordingPrintTarget target;
        TXPrint print(target);
        print.setScaling(TScaling::pscMetric100);
        print.setMargins(2000);
        print.setMarginBottom(1000);
        print.setScaling(c.to);
        EXPECT_EQ(print.MarginLeft(), c.margin) << int(c.to);
        EXPECT_EQ(print.MarginTop(), c.margin) << int(c.to);
        EXPECT_EQ(print.MarginRight(), c.margin) << int(c.to);
        EXPECT_EQ(print.MarginBottom(), c.bottom) << int(c.to);
    }

    RecordingPrintTarget target;
    TXPrint print(target);
    print.setMargins(236);
    print.setScaling(TScaling::pscMetric100);
    EXPECT_EQ(print.MarginLeft(), 1998);
    ASSERT_TRUE(print.BeginDoc());
    print.setScaling(TScaling::pscMetric10); // not while printing
    EXPECT_EQ(print.Scaling(), TScaling::pscMetric100);
    EXPECT_EQ(print.MarginLeft(), 1998);
    print.EndDoc();
}

TEST(TXPrint, PageCoordinatesInsideTheMargins) {
    struct Case {
        int dpi;
        TScaling scaling;
        int margins;
        int width;
        int height;
        RecordingPrintTarget::Mapping mapping;
    };
    // A4 is 4961 x 7016 dots at 600 dpi and 2480 x 3508 at 300.
    const Case cases[] = {
        {600,
         TScaling::pscMetric100,
         2000,
         17001,
         25700,
         {472.44, 472.44, 600 / 2540., 600 / 2540.}},
        {300,
         TScaling::pscMetric100,
         2000,
         16992,
         25696,
         {236.22, 236.22, 300 / 2540., 300 / 2540.}},
        {600, TScaling::pscMil, 1000, 6266, 9691, {600, 600, 0.6, 0.6}},
        {600, TScaling::pscDot, 100, 4760, 6815, {0, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        RecordingPrintTarget target(c.dpi);
        TXPrint print(target);
        print.setScaling(c.scaling);
        print.setMargins(c.margins);
        ASSERT_TRUE(print.BeginDoc());
        EXPECT_EQ(print.PageWidth(), c.width) << c.dpi << " " << int(c.scaling);
        EXPECT_EQ(print.PageHeight(), c.height) << c.dpi << " " << int(c.scaling);
        const auto& mapping = target.jobs().last().mapping;
        EXPECT_NEAR(mapping.originX, c.mapping.originX, 0.01);
        EXPECT_NEAR(mapping.originY, c.mapping.originY, 0.01);
        EXPECT_DOUBLE_EQ(mapping.scaleX, c.mapping.scaleX);
        EXPECT_DOUBLE_EQ(mapping.scaleY, c.mapping.scaleY);
        EXPECT_EQ(print.resolutionX(), c.dpi);
        print.EndDoc();
    }
}

TEST(TXPrint, FontSizeInPointsWhateverTheResolution) {
    struct Case {
        int dpi;
        TScaling scaling;
        int points;
        int height;
    };
    const Case cases[] = {
        {300, TScaling::pscMetric100, 10, 352},   {600, TScaling::pscMetric100, 10, 352},
        {1200, TScaling::pscMetric100, -10, 352}, {600, TScaling::pscMetric100, 16, 564},
        {600, TScaling::pscMetric10, 10, 35},     {600, TScaling::pscDot, 10, 83},
        {300, TScaling::pscDot, 10, 41},
    };
    for (const Case& c : cases) {
        RecordingPrintTarget target(c.dpi);
        TXPrint print(target);
        print.setScaling(c.scaling);
        ASSERT_TRUE(print.BeginDoc());
        print.SetFontSize(c.points);
        EXPECT_EQ(print.canvas().fontHeight(), c.height) << c.dpi << " " << c.points;
        EXPECT_EQ(print.Font().size, std::abs(c.points));
        print.EndDoc();
    }
}

TEST(TXPrint, EachPageIsOneJobAndEndDocRestoresTheFont) {
    RecordingPrintTarget target;
    TXPrint print(target);
    print.setScaling(TScaling::pscMetric100);
    print.setTitle(u"ZT0701"_s);
    print.setCopies(2);
    print.setOrientation(TXPrinterOrientation::xpoLandscape);
    CanvasFont font;
    font.name = u"Times New Roman"_s;
    font.bold = true;
    print.setFont(font);
    EXPECT_FALSE(print.Printing());

    for (int page = 1; page <= 2; ++page) {
        ASSERT_TRUE(print.BeginDoc());
        EXPECT_TRUE(print.Printing());
        EXPECT_FALSE(print.BeginDoc()) << "a page is open";
        print.canvas().setFontName(u"Courier New"_s);
        print.SetFontSize(16);
        print.canvas().textOut(100, 200, QStringLiteral("Seite %1").arg(page));
        ASSERT_TRUE(print.EndDoc());
        EXPECT_FALSE(print.Printing());
        EXPECT_EQ(print.Font(), font);
    }
    ASSERT_EQ(target.jobs().size(), 2);
    for (const auto& job : target.jobs()) {
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.settings.title, u"ZT0701"_s);
        EXPECT_EQ(job.settings.orientation, TXPrinterOrientation::xpoLandscape);
        ASSERT_EQ(job.ops.size(), 1);
    }
    EXPECT_EQ(target.jobs()[1].ops[0].text, u"Seite 2"_s);
    EXPECT_GT(print.PageWidth(), print.PageHeight());
    EXPECT_EQ(print.Copies(), 2);
}

TEST(TXPrint, WithoutPrinterEverythingIsQuiet) {
    RecordingPrintTarget target(600, false);
    TXPrint print(target);
    print.setCopies(3);
    target.setAborted(true);
    EXPECT_FALSE(print.HasPrinter());
    EXPECT_EQ(print.Copies(), 1);
    EXPECT_FALSE(print.Aborted());
    EXPECT_FALSE(print.BeginDoc());
    EXPECT_FALSE(print.Printing());
    EXPECT_EQ(print.lastError(), QString());
    EXPECT_TRUE(print.EndDoc());
    EXPECT_TRUE(target.jobs().isEmpty());
    print.SetFontSize(10);
    EXPECT_GT(print.canvas().textWidth(u"Prüfung"_s), 0);
}

TEST(TXPrint, PrinterTroubleIsReported) {
    RecordingPrintTarget target;
    TXPrint print(target);
    target.setAborted(true);
    EXPECT_TRUE(print.Aborted());
    target.failNextJob(u"Der Drucker \"PDF\" nimmt den Druckauftrag nicht an."_s);
    EXPECT_FALSE(print.BeginDoc());
    EXPECT_FALSE(print.Printing());
    EXPECT_EQ(print.lastError(), u"Der Drucker \"PDF\" nimmt den Druckauftrag nicht an."_s);
    EXPECT_TRUE(print.BeginDoc());
    EXPECT_EQ(print.lastError(), QString());
    print.EndDoc();
}

} // namespace
