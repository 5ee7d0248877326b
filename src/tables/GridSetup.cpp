#include "GridSetup.h"

#include "DataGrid.h"
#include "TableGridModel.h"
#include "common/WindowScaling.h"

#include <QHeaderView>
#include <QScreen>

#include <algorithm>

DataGrid* createDataGrid(TableCursor& cursor, std::span<const GridColumn> columns,
                         LongTitles longTitles, QWidget* parent) {
    QStringList fields;
    for (const GridColumn& column : columns)
        fields << QLatin1String(column.field);
    auto* grid = new DataGrid(cursor, fields, parent);
    TableGridModel& model = grid->gridModel();
    model.setAutoEdit(false);
    const QScreen* screen = parent->screen();
    const int ppi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    QHeaderView& header = *grid->horizontalHeader();
    for (int i = 0; i < fields.size(); ++i) {
        const GridColumn& column = columns[i];
        const QString title = QString::fromUtf8(column.title);
        model.setTitle(fields[i], title);
        if (column.readOnly)
            model.setReadOnlyField(fields[i]);
        grid->setAlignment(fields[i], column.titleAlignment, column.cellAlignment);
        const int titleWidth = header.fontMetrics().horizontalAdvance(title) + 12;
        const int given = scaledLength(column.width, ppi);
        if (column.width == 0)
            header.resizeSection(i, titleWidth);
        else if (longTitles == LongTitles::WidenColumn)
            header.resizeSection(i, std::max(given, titleWidth));
        else
            header.resizeSection(i, given);
    }
    return grid;
}
