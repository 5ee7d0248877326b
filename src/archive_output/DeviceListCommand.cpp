#include "DeviceListCommand.h"

#include "common/Prompter.h"
#include "print/TXPrint.h"
#include "tables/TableCursor.h"

namespace device_list {

namespace {

List readList(TableCursor& archive, const Request& request, Format format) {
    List list;
    list.format = format;
    list.firstDate = request.firstDate;
    list.secondDate = request.secondDate;
    list.customerName = request.customerName;
    list.customerStreet = request.customerStreet;
    list.customerPlace = request.customerPlace;
    for (bool more = archive.first(); more; more = archive.next())
        list.devices.append({archive.text(QStringLiteral("Geraeteart")),
                             archive.text(QStringLiteral("Seriennummer")),
                             archive.text(QStringLiteral("Hersteller")),
                             archive.text(QStringLiteral("Typenbezeichnung")),
                             archive.text(QStringLiteral("Termin"))});
    return list;
}

void printList(Prompter& prompter, const List& list, const PrinterSource& printers) {
    const std::shared_ptr<PrintTarget> target = choosePrinter(prompter, printers);
    if (!target)
        return;
    TXPrint print(*target);
    configure(print, list.format);
    for (int page = 1; page <= pageCount(list); ++page)
        if (const auto problem = printPage(print, list, page))
            prompter.message(*problem, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
}

} // namespace

void run(Prompter& prompter, TableCursor& archive, RequestQuestion& request,
         FormatQuestion& formatChoice, const PrinterSource& printers) {
    const std::optional<Request> asked = request.askRequest();
    if (!asked)
        return;
    const Request& r = *asked;
    const QString previousFilter = archive.filter();
    const bool previouslyFiltered = archive.filtered();
    const QString previousIndex = archive.indexName();
    const qint64 stoodOn = archive.rowId();

    archive.setFilter(QStringLiteral("Kundennummer = %1 AND  Termin >=%2 AND Termin<=%3")
                          .arg(r.customerNumber)
                          .arg(r.firstDate, r.secondDate));
    archive.setFiltered(true);
    if (rebuildIndex(archive, QStringLiteral("Liste"), QStringLiteral("Termin"))) {
        if (archive.first()) {
            if (const std::optional<Format> format = formatChoice.askFormat())
                printList(prompter, readList(archive, r, *format), printers);
        } else {
            prompter.message(QStringLiteral("Für den Kunden ") + r.customerName +
                                 QStringLiteral(" ist zwischen dem ") + r.firstDate +
                                 QStringLiteral(" und dem ") + r.secondDate +
                                 QStringLiteral(" kein Gerät zur Prüfung fällig."),
                             QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        }
    }
    archive.setFilter(previousFilter);
    archive.setFiltered(previouslyFiltered);
    archive.setIndexName(previousIndex);
    if (!archive.isOpen())
        archive.open();
    if (!archive.gotoRowId(stoodOn))
        archive.first();
}

} // namespace device_list
