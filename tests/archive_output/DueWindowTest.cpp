#include "PdfPages.h"
#include "TableFixture.h"
#include "archive_output/TFormFaellig.h"
#include "print/RecordingPrintTarget.h"

#include <QFile>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

class DueWindowTest : public TableFixture {
protected:
    DueWindowTest() {
        window.setToday([] { return QDate(2026, 12, 11); });
    }

    QTreeWidget& list() { return *window.findChild<QTreeWidget*>(u"Liste"_s); }

    // Each line as "text of the first two columns|background".
    QStringList lines() {
        QStringList seen;
        for (int i = 0; i < list().topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list().topLevelItem(i);
            seen << item->text(0) + u'|' + item->text(1) + u'|' +
                        item->background(0).color().name();
        }
        return seen;
    }

    std::shared_ptr<RecordingPrintTarget> printer = std::make_shared<RecordingPrintTarget>();
    TFormFaellig window{prompter, store, [this] { return printer; }};
};

} // namespace

TEST_F(DueWindowTest, CustomersWithTheirCountsOverdueRedDueSoonAmber) {
    addArchiveRows({{1, u"Schmidt"_s, 7, u"20.12.2026"_s},
                    {2, u"Müller"_s, 3, u"10.12.2026"_s},
                    {3, u"Müller"_s, 3, u"11.12.2026"_s},
                    {4, u"Müller"_s, 3, u"11.01.2027"_s}});
    window.reload();
    EXPECT_EQ(lines(), (QStringList{u"3 Müller – 2 Geräte||#000000"_s, u"10.12.2026|2|#f4b4b4"_s,
                                    u"11.12.2026|3|#ffd98a"_s, u"7 Schmidt – 1 Gerät||#000000"_s,
                                    u"20.12.2026|1|#ffd98a"_s}));
    EXPECT_EQ(list().topLevelItem(1)->toolTip(0), u"Prüfung überfällig"_s);
    window.findChild<QSpinBox*>(u"Tage"_s)->setValue(31);
    EXPECT_EQ(lines().size(), 6);
}

TEST_F(DueWindowTest, MoreRowsAreReadAtTheEndAndADoubleClickChoosesTheDevice) {
    QList<std::tuple<int, QString, int, QString>> rows;
    for (int i = 1; i <= 250; ++i)
        rows.append({i, u"Müller"_s, 3, u"01.12.2026"_s});
    addArchiveRows(rows);
    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ(list().topLevelItemCount(), 1 + TFormFaellig::kRowsPerRead);
        EXPECT_EQ(list().topLevelItem(0)->text(0), u"3 Müller – 250 Geräte"_s);
        QScrollBar* bar = list().verticalScrollBar();
        bar->setValue(bar->maximum());
        EXPECT_EQ(list().topLevelItemCount(), 1 + 250);
        // A heading chooses nothing.
        emit list().itemDoubleClicked(list().topLevelItem(0), 0);
        EXPECT_TRUE(window.isVisible());
        emit list().itemDoubleClicked(list().topLevelItem(250), 0);
    });
    EXPECT_EQ(window.chooseRow(), std::optional<qint64>(250));
}

TEST_F(DueWindowTest, PdfAndPreviewWithoutAPrinterAndNothingDueIsTold) {
    window.reload();
    window.printClick(OutputKind::Pdf);
    EXPECT_EQ(prompter.messages(),
              QStringList{u"Hinweis|Bis zum 10.01.2027 ist kein Gerät zur Prüfung fällig."_s});
    addArchiveRows({{1, u"Müller"_s, 3, u"10.12.2026"_s}});
    const QString path = dir.filePath(u"Faellig.pdf"_s);
    prompter.chooseFile(path);
    window.printClick(OutputKind::Pdf);
    EXPECT_EQ(prompter.calls().back().dialog.fileName, u"Fällige Prüfungen bis 10.01.2027.pdf"_s);
    window.printClick(OutputKind::Preview);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdfPageCount(file.readAll()), 1);
    EXPECT_EQ(pdfPageCount(prompter.previewPdf()), 1);
}
