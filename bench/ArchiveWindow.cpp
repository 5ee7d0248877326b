#include "ArchiveWindow.h"

#include "tables/DataGrid.h"
#include "tables/TableGridModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <cstdio>

namespace bench {

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        ++paints;
    return false;
}

ArchiveWindow::ArchiveWindow(const DatabaseLocation& location)
    : store_(location, prompter_)
    , customers_(store_, QStringLiteral("kunden")) {
    if (!store_.open())
        std::abort();
    form_ = std::make_unique<TFormArchiv>(state_, readoutHandover_, prompter_, store_,
                                          [] { return std::shared_ptr<PrintTarget>(); });
    transfers_ = std::make_unique<ArchiveTransfers>(state_, prompter_, archive(), customers_);
    grid_ = form_->findChild<DataGrid*>(QStringLiteral("DBGrid1"));
    grid_->viewport()->installEventFilter(&counter_);
    showAndPaint();
}

ArchiveWindow::~ArchiveWindow() = default;

void ArchiveWindow::showAndPaint() {
    form_->show();
    waitForGridPaint();
}

void ArchiveWindow::waitForGridPaint() {
    QElapsedTimer waited;
    waited.start();
    // A paint of the empty grid before the rows are known does not count.
    const auto rowsKnown = [&] { return grid_->gridModel().rowCount() > 0 || archive().isEmpty(); };
    while (counter_.paints == 0 || !rowsKnown()) {
        QCoreApplication::processEvents();
        if (counter_.paints > 0 && !rowsKnown())
            counter_.paints = 0;
        if (waited.elapsed() > 10000) {
            fprintf(stderr, "Das Archivfenster hat nach 10 s noch keine Zeilen gezeichnet.\n");
            std::abort();
        }
    }
    counter_.paints = 0;
}

void ArchiveWindow::repaintGrid() {
    grid_->viewport()->repaint();
    counter_.paints = 0;
}

} // namespace bench
