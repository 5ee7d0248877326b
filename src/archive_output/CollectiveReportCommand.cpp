#include "CollectiveReportCommand.h"

#include "addresses/CustomerTable.h"
#include "common/Prompter.h"
#include "print/TXPrint.h"
#include "tables/TableCursor.h"

#include <QDate>

namespace collective_report {

namespace {

Device deviceOf(const TableCursor& archive) {
    Device d;
    d.Geraeteart = archive.text(QStringLiteral("Geraeteart"));
    d.Seriennummer = archive.text(QStringLiteral("Seriennummer"));
    d.Schutzklasse = archive.text(QStringLiteral("Schutzklasse"));
    d.Pruefung = archive.text(QStringLiteral("Pruefung"));
    d.inspectionsPassed = archive.boolean(QStringLiteral("Besichtigung1")) &&
                          archive.boolean(QStringLiteral("Besichtigung2")) &&
                          archive.boolean(QStringLiteral("Besichtigung3"));
    d.values = {archive.text(QStringLiteral("Wert1")), archive.text(QStringLiteral("Wert2")),
                archive.text(QStringLiteral("Wert3"))};
    d.niso = archive.boolean(QStringLiteral("Niso"));
    d.Ordnung = archive.text(QStringLiteral("Ordnung"));
    return d;
}

Address addressOf(const TableCursor& customers) {
    return {customers.text(QStringLiteral("Auftraggeber")),
            customers.text(QStringLiteral("AuftraggeberStrasse")),
            customers.text(QStringLiteral("AuftraggeberOrt"))};
}

// The rows of the view, or nothing when they belong to different customers
// (the user was told).
std::optional<Report> collect(Prompter& prompter, TableCursor& archive, qint64& customerNumber) {
    Report report;
    if (!archive.first()) {
        prompter.message(QStringLiteral("Fehler beim Lesen der Datenbank"),
                         QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return std::nullopt;
    }
    customerNumber = archive.integer(QStringLiteral("Kundennummer"));
    do {
        if (archive.integer(QStringLiteral("Kundennummer")) != customerNumber) {
            prompter.message(QStringLiteral("Sie haben Protokolle unterschiedlicher Auftraggeber "
                                            "ausgewählt. Bitte korrigieren."),
                             QStringLiteral("Fehler"), Prompter::Buttons::Ok);
            return std::nullopt;
        }
        report.devices.append(deviceOf(archive));
    } while (archive.next());
    return report;
}

void readAddresses(TableCursor& customers, qint64 customerNumber, Report& report) {
    if (!customers.open())
        return;
    if (customer_table::findByNumber(customers, 0))
        report.contractor = addressOf(customers);
    if (customerNumber != 0 && customer_table::findByNumber(customers, customerNumber))
        report.customer = addressOf(customers);
    customers.close();
}

} // namespace

void draw(PrintTarget& target, const Report& report,
          const std::function<void(const QString&)>& tell) {
    TXPrint print(target);
    const auto told = [&](const std::optional<QString>& problem) {
        if (problem)
            tell(*problem);
    };
    if (report.cover != Cover::None) {
        configureCover(print, report.cover);
        told(printCover(print, report));
    }
    configureAppendix(print);
    for (int page = 1; page <= pageCount(report); ++page)
        told(printAppendixPage(print, report, page));
}

QString pdfName(const Report& report, const QDate& today) {
    if (!report.number.trimmed().isEmpty())
        return proposedPdfName({report.number});
    return proposedPdfName({report.customer.name, today.toString(QStringLiteral("dd.MM.yyyy"))});
}

std::optional<Report> customerReport(TableCursor& archive, TableCursor& customers,
                                     qint64 customerNumber) {
    archive.close();
    archive.setFilter(QStringLiteral("Kundennummer = %1").arg(customerNumber));
    archive.setFiltered(true);
    archive.setIndexName(QStringLiteral("Standard"));
    if (!archive.open())
        return std::nullopt;
    Report report;
    for (bool more = archive.first(); more; more = archive.next())
        report.devices.append(deviceOf(archive));
    readAddresses(customers, customerNumber, report);
    return report;
}

void run(Prompter& prompter, TableCursor& archive, TableCursor& customers, FormatQuestion& format,
         const PrintOutput& output) {
    const QString previousIndex = archive.indexName();
    const qint64 stoodOn = archive.rowId();
    if (rebuildIndex(archive, QStringLiteral("Sammel"), QStringLiteral("Ordnung;Zaehler"))) {
        std::optional<FormatChoice> choice;
        if (archive.first()) {
            choice = format.askFormat();
        } else {
            prompter.message(QStringLiteral("Es sind 0 Datensätze zum Druck ausgewählt worden"),
                             QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        }
        qint64 customerNumber = 0;
        if (choice) {
            if (auto report = collect(prompter, archive, customerNumber)) {
                report->cover = choice->cover;
                report->number = choice->number;
                report->remarks = choice->remarks;
                readAddresses(customers, customerNumber, *report);
                deliver(prompter, output, pdfName(*report, QDate::currentDate()),
                        [&](PrintTarget& target) {
                            draw(target, *report, [&](const QString& problem) {
                                prompter.message(problem, QStringLiteral("Hinweis"),
                                                 Prompter::Buttons::Ok);
                            });
                        });
            }
        }
    }
    archive.setIndexName(previousIndex);
    if (!archive.isOpen())
        archive.open();
    if (!archive.gotoRowId(stoodOn))
        archive.first();
}

} // namespace collective_report
