#include "ArchiveWindowFixture.h"
#include "tables/DataGrid.h"
#include "tables/TableGridModel.h"

#include <QBrush>

using namespace Qt::Literals::StringLiterals;

TEST_F(ArchiveWindowFixture, RowsWhoseNextTestHasPassedAreMarked) {
    addArchiveRows({{1, u"Müller"_s, 3, u"01.01.2001"_s},
                    {2, u"Müller"_s, 3, u"31.12.2099"_s},
                    {3, u"Müller"_s, 3, u""_s}});
    run([&] {
        const auto& model = window.findChild<DataGrid*>(u"DBGrid1"_s)->gridModel();
        const QColor overdue(0xF4, 0xB4, 0xB4);
        const std::tuple<int, QVariant, QVariant> rows[] = {
            {0, overdue, u"Prüfung überfällig seit 01.01.2001"_s},
            {1, QVariant(), QVariant()},
            {2, QVariant(), QVariant()},
        };
        for (const auto& [row, background, tooltip] : rows)
            for (int column : {0, 5}) {
                EXPECT_EQ(model.data(model.index(row, column), Qt::BackgroundRole), background)
                    << row;
                EXPECT_EQ(model.data(model.index(row, column), Qt::ToolTipRole), tooltip) << row;
            }
        // The columns stay as they were.
        EXPECT_EQ(model.data(model.index(0, 0)), u"1"_s);
    });
}

TEST_F(ArchiveWindowFixture, TheDeviceChosenAmongTheDueOnesBecomesTheCurrentRow) {
    addArchiveRows({{1, u"Müller"_s, 3, u"01.01.2001"_s},
                    {2, u"Müller"_s, 3, u"01.01.2002"_s},
                    {3, u"Müller"_s, 3, u"01.01.2003"_s}});
    TFormArchiv::Dialogs dialogs;
    dialogs.dueDevices = [] { return std::optional<qint64>(2); };
    window.setDialogs(dialogs);
    run([&] {
        EXPECT_EQ(window.archive().rowId(), 1);
        item("FaelligePruefungen1").trigger();
        EXPECT_EQ(window.archive().rowId(), 2);
    });
    // Chosen from the main window, the archive opens on the row.
    window.goToRow(3);
    run([&] { EXPECT_EQ(window.archive().rowId(), 3); });
}
