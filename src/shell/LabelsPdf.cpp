#include "LabelsPdf.h"

#include "ArchivePdf.h"
#include "ConsolePrompter.h"
#include "archive_output/TestLabels.h"
#include "report/ArchiveNumbering.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

namespace labels_pdf {

std::variant<Request, QString> readRequest(const QStringList& arguments, const QString& start,
                                           const QString& format) {
    if (arguments.size() != 2)
        return QStringLiteral("Ungültiger Aufruf: --labels-pdf braucht die Nummern der "
                              "Archiv-Datensätze, durch Kommas getrennt, und den Namen der "
                              "PDF-Datei, zum Beispiel \"ztd --data ORDNER --labels-pdf 17,18 "
                              "AUSGABE.pdf\".");
    Request request;
    for (const QString& text : arguments[0].split(u',')) {
        bool ok = false;
        const qint64 number = text.toLongLong(&ok);
        if (!ok || number < 0)
            return QStringLiteral("Ungültiger Aufruf: \"%1\" ist keine Nummer.").arg(text);
        request.numbers.append(number);
    }
    if (!start.isEmpty()) {
        bool ok = false;
        request.startPosition = start.toInt(&ok);
        if (!ok || request.startPosition < 1 || request.startPosition > test_labels::kPerSheet)
            return QStringLiteral("Ungültiger Aufruf: --label-start gilt für --labels-pdf und ist "
                                  "1 bis 24.");
    }
    const QStringList formats = {QStringLiteral("bogen"), QStringLiteral("einzeln")};
    if (!format.isEmpty()) {
        if (!formats.contains(format))
            return QStringLiteral("Ungültiger Aufruf: --label-format gilt für --labels-pdf und ist "
                                  "bogen oder einzeln.");
        request.format = test_labels::Format(formats.indexOf(format));
    }
    if (request.format == test_labels::Format::Single && !start.isEmpty())
        return QStringLiteral(
            "Ungültiger Aufruf: --label-start gilt nur für --label-format bogen.");
    request.pdfFile = arguments[1];
    return request;
}

int write(const DatabaseLocation& database, const Request& request) {
    ConsolePrompter prompter;
    TableStore store(database, prompter);
    if (!store.open())
        return 1;
    TableCursor archive(store, QStringLiteral("zt"));
    if (!archive_table::ensureStandardIndex(archive) || !archive.open())
        return 1;
    const QString contractor = test_labels::contractorName(store);
    QList<test_labels::Label> labels;
    for (const qint64 number : request.numbers) {
        if (!archive.locate(QStringLiteral("Zaehler"), {number})) {
            say(QStringLiteral("Den Datensatz Nr. %1 gibt es im Archiv nicht.").arg(number));
            return 1;
        }
        labels.append(test_labels::labelOf(archive, contractor));
    }
    return archive_pdf::writePdf(
        request.pdfFile, [&](PrintTarget& target, const archive_pdf::Tell& tell) {
            test_labels::drawLabels(target, labels, request.format, request.startPosition, tell);
        });
}

} // namespace labels_pdf
