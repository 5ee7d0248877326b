#include "DeviceListCommand.h"

#include "common/Prompter.h"
#include "print/TXPrint.h"
#include "tables/TableCursor.h"

namespace device_list {

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

bool selectDue(TableCursor& archive, const Request& request) {
    archive.setFilter(QStringLiteral("Kundennummer = %1 AND  Termin >=%2 AND Termin<=%3")
                          .arg(request.customerNumber)
                          .arg(request.firstDate, request.secondDate));
    archive.setFiltered(true);
    return rebuildIndex(archive, QStringLiteral("Liste"), QStringLiteral("Termin"));
}

void draw(PrintTarget& target, const List& list, const std::function<void(const QString&)>& tell) {
    TXPrint print(target);
    configure(print, list.format);
    for (int page = 1; page <= pageCount(list); ++page)
        if (const auto problem = printPage(print, list, page))
            tell(*problem);
}

QString nothingDueText(const Request& request) {
    return QStringLiteral("Für den Kunden ") + request.customerName +
           QStringLiteral(" ist zwischen dem ") + request.firstDate + QStringLiteral(" und dem ") +
           request.secondDate + QStringLiteral(" kein Gerät zur Prüfung fällig.");
}

QString pdfName(const List& list) {
    return proposedPdfName({list.customerName, list.firstDate, list.secondDate});
}

void run(Prompter& prompter, TableCursor& archive, RequestQuestion& request,
         FormatQuestion& formatChoice, const PrintOutput& output) {
    const std::optional<Request> asked = request.askRequest();
    if (!asked)
        return;
    const Request& r = *asked;
    const QString previousFilter = archive.filter();
    const bool previouslyFiltered = archive.filtered();
    const QString previousIndex = archive.indexName();
    const qint64 stoodOn = archive.rowId();

    if (selectDue(archive, r)) {
        if (archive.first()) {
            if (const std::optional<Format> format = formatChoice.askFormat()) {
                const List list = readList(archive, r, *format);
                deliver(prompter, output, pdfName(list), [&](PrintTarget& target) {
                    draw(target, list, [&](const QString& problem) {
                        prompter.message(problem, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
                    });
                });
            }
        } else {
            prompter.message(nothingDueText(r), QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
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
