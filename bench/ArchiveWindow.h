#pragma once

#include "BenchSupport.h"
#include "archive/ArchiveTransfers.h"
#include "archive_window/TFormArchiv.h"
#include "report/ReportSession.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

#include <QObject>

class DataGrid;

namespace bench {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The real archive window on a data folder, on the offscreen platform, as
// the program builds it; shown and painted once it is made.
class ArchiveWindow {
public:
    explicit ArchiveWindow(const DatabaseLocation& location);
    ~ArchiveWindow();

    TFormArchiv& form() { return *form_; }
    TableCursor& archive() { return form_->archive(); }
    QuietPrompter& prompter() { return prompter_; }
    // The transfers as the window's own menu items use them.
    ArchiveTransfers& transfers() { return *transfers_; }

    // Shows the window and waits until its grid has painted rows.
    void showAndPaint();
    // Processes events until the grid has painted again, with rows unless
    // the archive has none (aborts after ten seconds without).
    void waitForGridPaint();
    // Paints the grid's rows again at once, as they are.
    void repaintGrid();

private:
    QuietPrompter prompter_;
    ReportSession state_;
    QList<QByteArray> readoutHandover_;
    TableStore store_;
    std::unique_ptr<TFormArchiv> form_;
    TableCursor customers_;
    std::unique_ptr<ArchiveTransfers> transfers_;
    DataGrid* grid_ = nullptr;
    PaintCounter counter_;
};

} // namespace bench
