// Search, filter and sort of the archive window.
#include "TFormArchiv.h"

#include "TFormFilter.h"
#include "TFormSortier.h"
#include "TFormSuchen.h"
#include "archive/ArchiveFilter.h"
#include "archive/ArchiveSearch.h"
#include "tables/TableCursor.h"

#include <QScopeGuard>

void TFormArchiv::newSearchClick() {
    searchIdle_ = false;
    const auto idleAgain = qScopeGuard([this] { searchIdle_ = true; });
    if (!dialogs_.search || !saveOrDropEdits())
        return;
    search_->clearMarks();
    dialogs_.search->exec();
    const SearchRequest& request = dialogs_.search->request();
    if (!request.cancelled)
        continueSearchItem_->setEnabled(search_->search(request));
}

void TFormArchiv::continueSearchClick() {
    searchIdle_ = false;
    const auto idleAgain = qScopeGuard([this] { searchIdle_ = true; });
    if (!saveOrDropEdits())
        return;
    if (!search_->continueSearch())
        continueSearchItem_->setEnabled(false);
}

void TFormArchiv::filterClick() {
    if (!dialogs_.filter || !saveOrDropEdits())
        return;
    dialogs_.filter->exec();
    const FilterConditions& conditions = dialogs_.filter->conditions();
    const QString text = conditions.deleted ? QString() : archive_filter::filterText(conditions);
    if (!archive_filter::apply(*Table1, text))
        return;
    filterActive_ = archive_filter::isActive(text);
    setWindowTitle(archive_filter::archiveCaption(text));
}

void TFormArchiv::dueDevicesClick() {
    if (!dialogs_.dueDevices || !saveOrDropEdits())
        return;
    if (const auto number = dialogs_.dueDevices())
        goToRow(*number);
}

void TFormArchiv::goToRow(qint64 number) {
    if (!isVisible()) {
        rowOnOpening_ = number;
        return;
    }
    if (Table1->gotoRowId(number) || !filterActive_ || !archive_filter::apply(*Table1, {}))
        return;
    filterActive_ = false;
    setWindowTitle(archive_filter::archiveCaption({}));
    if (dialogs_.filter)
        dialogs_.filter->markForReset();
    Table1->gotoRowId(number);
}

void TFormArchiv::sortClick() {
    if (!dialogs_.sort || !saveOrDropEdits())
        return;
    // Cancelled, the dialog leaves the criteria of the last sort, and they are applied again.
    dialogs_.sort->choose(sortCriteria_);
    archive_sort::apply(*Table1, sortCriteria_);
}
