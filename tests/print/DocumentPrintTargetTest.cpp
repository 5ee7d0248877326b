#include "print/DocumentPrintTarget.h"
#include "Printers.h"
#include "print/PrintOutput.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr auto kPortrait = TXPrinterOrientation::xpoPortrait;
constexpr auto kLandscape = TXPrinterOrientation::xpoLandscape;

// The paper of each page as the target tells it, "width x height" in dots at 300 dpi.
QStringList papers(DocumentPrintTarget::Pages pages, QPageLayout::Orientation& lastOnDevice) {
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter writer(&bytes);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    DocumentPrintTarget target(writer, pages);
    QStringList sizes;
    for (const auto orientation : {kPortrait, kLandscape, kPortrait, kLandscape}) {
        EXPECT_EQ(target.beginJob({u"T"_s, orientation}), std::nullopt);
        const DeviceCaps caps = target.caps();
        sizes << u"%1 x %2"_s.arg(caps.physicalWidth).arg(caps.physicalHeight);
        EXPECT_EQ(target.endJob(), std::nullopt);
    }
    lastOnDevice = writer.pageLayout().orientation();
    EXPECT_EQ(target.finish(), std::nullopt);
    EXPECT_EQ(target.pages(), 4);
    return sizes;
}

TEST(DocumentPrintTarget, EachJobIsAPageInItsOrientationOrTurnedForThePreview) {
    const QStringList expected = {u"2479 x 3508"_s, u"3508 x 2479"_s, u"2479 x 3508"_s,
                                  u"3508 x 2479"_s};
    QPageLayout::Orientation device = QPageLayout::Landscape;
    EXPECT_EQ(papers(DocumentPrintTarget::Pages::OwnOrientation, device), expected);
    EXPECT_EQ(device, QPageLayout::Landscape);
    // The preview's paper stays portrait; its landscape pages are drawn turned.
    EXPECT_EQ(papers(DocumentPrintTarget::Pages::FirstOrientation, device), expected);
    EXPECT_EQ(device, QPageLayout::Portrait);
}

// The paper of each page for jobs on a 50 × 30 mm label, on the device's A4,
// and on the label turned, at 300 dpi. Qt keeps a paper in whole points:
// 142 × 85 pt.
QStringList papersOfLabels(DocumentPrintTarget::Pages pages) {
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter writer(&bytes);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    DocumentPrintTarget target(writer, pages);
    const PaperSize label{Mm100(5000), Mm100(3000)};
    const JobSettings jobs[] = {
        {u"T"_s, kPortrait, label}, {u"T"_s, kPortrait, std::nullopt}, {u"T"_s, kLandscape, label}};
    QStringList sizes;
    for (const JobSettings& job : jobs) {
        EXPECT_EQ(target.beginJob(job), std::nullopt);
        const DeviceCaps caps = target.caps();
        sizes << u"%1 x %2"_s.arg(caps.physicalWidth).arg(caps.physicalHeight);
        EXPECT_EQ(target.endJob(), std::nullopt);
    }
    EXPECT_EQ(target.finish(), std::nullopt);
    return sizes;
}

TEST(DocumentPrintTarget, AJobsOwnPaperHoldsForItsPageOnlyAndThePreviewKeepsTheFirst) {
    EXPECT_EQ(papersOfLabels(DocumentPrintTarget::Pages::OwnOrientation),
              (QStringList{u"592 x 354"_s, u"2479 x 3508"_s, u"354 x 592"_s}));
    EXPECT_EQ(papersOfLabels(DocumentPrintTarget::Pages::FirstOrientation),
              (QStringList{u"592 x 354"_s, u"592 x 354"_s, u"354 x 592"_s}));
}

TEST(PrintOutput, ProposedPdfNamesKeepWhatAFileNameMayHold) {
    const std::pair<QStringList, QString> cases[] = {
        {{u"2011/0815"_s}, u"2011-0815.pdf"_s},
        {{u"Müller & Söhne GmbH"_s, u"01.03.2027"_s}, u"Müller & Söhne GmbH 01.03.2027.pdf"_s},
        {{u""_s, u"  a:b*c?  "_s, u"\"x\" <y>|z\\"_s}, u"a-b-c- -x- -y--z-.pdf"_s},
    };
    for (const auto& [parts, name] : cases)
        EXPECT_EQ(proposedPdfName(parts), name);
}

} // namespace
