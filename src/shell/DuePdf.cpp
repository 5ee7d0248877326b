#include "DuePdf.h"

#include "ArchivePdf.h"
#include "ConsolePrompter.h"
#include "archive_output/DueDevices.h"
#include "archive_output/DueList.h"
#include "tables/TableStore.h"

namespace due_pdf {

std::variant<Request, QString> readRequest(const QStringList& arguments) {
    if (arguments.size() != 2)
        return QStringLiteral("Ungültiger Aufruf: --due-pdf braucht die Zahl der Tage und den "
                              "Namen der PDF-Datei, zum Beispiel \"ztd --data ORDNER --due-pdf "
                              "30 AUSGABE.pdf\".");
    bool ok = false;
    const int days = arguments[0].toInt(&ok);
    if (!ok || days < 0 || days > 3650)
        return QStringLiteral("Ungültiger Aufruf: \"%1\" ist keine Zahl von Tagen (0 bis 3650).")
            .arg(arguments[0]);
    return Request{days, arguments[1]};
}

int write(const DatabaseLocation& database, const Request& request, const QDate& today) {
    ConsolePrompter prompter;
    TableStore store(database, prompter);
    const due_devices::Query query{today, request.days};
    const auto groups = due_devices::readAll(store, query);
    if (!groups)
        return 1;
    if (groups->isEmpty()) {
        say(QStringLiteral("Bis zum %1 ist kein Gerät zur Prüfung fällig.")
                .arg(query.lastDay().toString(QStringLiteral("dd.MM.yyyy"))));
        return 1;
    }
    return archive_pdf::writePdf(request.pdfFile,
                                 [&](PrintTarget& target, const archive_pdf::Tell& tell) {
                                     due_list::draw(target, query, *groups, tell);
                                 });
}

} // namespace due_pdf
