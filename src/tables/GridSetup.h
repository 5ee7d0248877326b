#pragma once

#include <Qt>

#include <span>

class DataGrid;
class QWidget;
class TableCursor;

// One column of a grid as a window lays it out.
struct GridColumn {
    const char* field;
    const char* title;
    // Pixels at 96 ppi, grown with the screen; 0: as wide as the title asks.
    int width = 0;
    bool readOnly = false;
    Qt::Alignment titleAlignment = Qt::AlignCenter;
    Qt::Alignment cellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// What a column's width does with a title that needs more room.
enum class LongTitles { CutShort, WidenColumn };

// A grid over `cursor` with these columns, their titles, widths, read-only
// fields and alignments; typing does not start an edit of the row.
DataGrid* createDataGrid(TableCursor& cursor, std::span<const GridColumn> columns,
                         LongTitles longTitles, QWidget* parent);
