#include "ArchivePdf.h"

#include "ConsolePrompter.h"
#include "addresses/CustomerTable.h"
#include "archive_output/CollectiveReportCommand.h"
#include "archive_output/DeviceListCommand.h"
#include "archive_output/SingleReport.h"
#include "print/PdfFile.h"
#include "report/ArchiveNumbering.h"
#include "report/ReportSession.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

#include <QDate>

#include <functional>

namespace archive_pdf {

namespace {

QString usage(Request::Kind kind) {
    switch (kind) {
    case Request::Kind::Report:
        return QStringLiteral("Ungültiger Aufruf: --report-pdf braucht die Nummer eines "
                              "Archiv-Datensatzes und den Namen der PDF-Datei, zum Beispiel "
                              "\"ztd --data ORDNER --report-pdf 17 AUSGABE.pdf\".");
    case Request::Kind::Collective:
        return QStringLiteral("Ungültiger Aufruf: --collective-pdf braucht eine Kundennummer und "
                              "den Namen der PDF-Datei, zum Beispiel \"ztd --data ORDNER "
                              "--collective-pdf 4711 AUSGABE.pdf --cover landscape\".");
    case Request::Kind::DueList:
        return QStringLiteral("Ungültiger Aufruf: --due-list-pdf braucht eine Kundennummer, zwei "
                              "Daten TTMMJJJJ und den Namen der PDF-Datei, zum Beispiel \"ztd "
                              "--data ORDNER --due-list-pdf 4711 01012027 31122027 AUSGABE.pdf "
                              "--layout 2\".");
    }
    return {};
}

QString unknownCustomer(qint64 number) {
    return QStringLiteral("Die Kundennummer %1 gibt es nicht.").arg(number);
}

int writeReport(TableCursor& archive, TableCursor& customers, Prompter& prompter,
                const Request& request) {
    if (!archive.open())
        return 1;
    if (!archive.locate(QStringLiteral("Zaehler"), {request.number})) {
        say(QStringLiteral("Den Datensatz Nr. %1 gibt es im Archiv nicht.").arg(request.number));
        return 1;
    }
    ReportSession state;
    single_report::loadRow(state, prompter, archive, customers);
    return writePdf(request.pdfFile, [&](PrintTarget& target, const Tell&) {
        single_report::drawRow(target, state, prompter);
    });
}

int writeCollective(TableCursor& archive, TableCursor& customers, const Request& request) {
    if (!customers.open())
        return 1;
    const bool known = customer_table::findByNumber(customers, request.number);
    customers.close();
    if (!known) {
        say(unknownCustomer(request.number));
        return 1;
    }
    auto report = collective_report::customerReport(archive, customers, request.number);
    if (!report)
        return 1;
    if (report->devices.isEmpty()) {
        say(QStringLiteral("Für den Kunden Nr. %1 gibt es keine Protokolle im Archiv.")
                .arg(request.number));
        return 1;
    }
    report->cover = request.cover;
    return writePdf(request.pdfFile, [&](PrintTarget& target, const Tell& tell) {
        collective_report::draw(target, *report, tell);
    });
}

int writeDueList(TableCursor& archive, TableCursor& customers, const Request& request) {
    if (!customers.open() || !archive.open())
        return 1;
    if (!customer_table::findByNumber(customers, request.number)) {
        say(unknownCustomer(request.number));
        return 1;
    }
    const device_list::Request due{customers.text(QStringLiteral("Auftraggeber")),
                                   qint32(request.number),
                                   customers.text(QStringLiteral("AuftraggeberStrasse")),
                                   customers.text(QStringLiteral("AuftraggeberOrt")),
                                   request.firstDate,
                                   request.secondDate};
    customers.close();
    if (!device_list::selectDue(archive, due))
        return 1;
    if (!archive.first()) {
        say(device_list::nothingDueText(due));
        return 1;
    }
    const device_list::List list = device_list::readList(archive, due, request.layout);
    return writePdf(request.pdfFile, [&](PrintTarget& target, const Tell& tell) {
        device_list::draw(target, list, tell);
    });
}

std::optional<qint64> number(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::variant<Request, QString> readRequest(Request::Kind kind, const QStringList& arguments,
                                           const QString& cover, const QString& layout) {
    const qsizetype expected = kind == Request::Kind::DueList ? 4 : 2;
    if (arguments.size() != expected)
        return usage(kind);
    Request request;
    request.kind = kind;
    const auto given = number(arguments.first());
    if (!given)
        return QStringLiteral("Ungültiger Aufruf: \"%1\" ist keine Nummer.").arg(arguments.first());
    request.number = *given;
    request.pdfFile = arguments.last();
    if (kind == Request::Kind::DueList) {
        for (int i : {1, 2}) {
            const QDate date = QDate::fromString(arguments[i], QStringLiteral("ddMMyyyy"));
            if (!date.isValid())
                return QStringLiteral("Ungültiger Aufruf: \"%1\" ist kein Datum TTMMJJJJ.")
                    .arg(arguments[i]);
            (i == 1 ? request.firstDate : request.secondDate) =
                date.toString(QStringLiteral("dd.MM.yyyy"));
        }
    }
    const QStringList covers = {QStringLiteral("portrait"), QStringLiteral("landscape"),
                                QStringLiteral("none")};
    if (!cover.isEmpty()) {
        if (kind != Request::Kind::Collective || !covers.contains(cover))
            return QStringLiteral("Ungültiger Aufruf: --cover gilt für --collective-pdf und ist "
                                  "portrait, landscape oder none.");
        request.cover = collective_report::Cover(covers.indexOf(cover));
    }
    const QStringList layouts = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
    if (!layout.isEmpty()) {
        if (kind != Request::Kind::DueList || !layouts.contains(layout))
            return QStringLiteral(
                "Ungültiger Aufruf: --layout gilt für --due-list-pdf und ist 0, 1 oder 2.");
        request.layout = device_list::Format(layouts.indexOf(layout));
    }
    return request;
}

int writePdf(const QString& path, const std::function<void(PrintTarget&, const Tell&)>& draw) {
    PdfFile pdf(path);
    if (const auto problem = pdf.open()) {
        say(*problem);
        return 1;
    }
    bool failed = false;
    draw(pdf.target(), [&failed](const QString& problem) {
        say(problem);
        failed = true;
    });
    if (failed)
        return 1;
    if (const auto problem = pdf.commit()) {
        say(*problem);
        return 1;
    }
    return 0;
}

int write(const DatabaseLocation& database, const Request& request) {
    ConsolePrompter prompter;
    TableStore store(database, prompter);
    if (!store.open())
        return 1;
    TableCursor archive(store, QStringLiteral("zt"));
    TableCursor customers(store, QStringLiteral("kunden"));
    // As the archive window finds them, even in a folder it never opened.
    if (!archive_table::ensureStandardIndex(archive) ||
        !customer_table::ensureIndexes(customers, false))
        return 1;
    switch (request.kind) {
    case Request::Kind::Report:
        return writeReport(archive, customers, prompter, request);
    case Request::Kind::Collective:
        return writeCollective(archive, customers, request);
    case Request::Kind::DueList:
        return writeDueList(archive, customers, request);
    }
    return 1;
}

} // namespace archive_pdf
