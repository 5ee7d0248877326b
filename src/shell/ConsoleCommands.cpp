#include "ConsoleCommands.h"

#include "ConsolePrompter.h"
#include "archive/ArchiveImport.h"
#include "archive/LegacyImport.h"
#include "archive_output/TextExport.h"
#include "common/Progress.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

#include <QDir>
#include <QSaveFile>

namespace console_commands {

int exportArchive(const DatabaseLocation& database, const QString& textFile) {
    ConsolePrompter prompter;
    TableStore store(database, prompter);
    TableCursor archive(store, QStringLiteral("zt"));
    if (!archive.open())
        return 1;
    QSaveFile file(textFile);
    if (!file.open(QIODevice::WriteOnly)) {
        say(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                .arg(QDir::toNativeSeparators(textFile), file.errorString()));
        return 1;
    }
    const auto progress = silentProgress();
    const text_export::ViewWritten written =
        text_export::writeView(archive, std::nullopt, file, *progress);
    if (!written.error.isEmpty() || !file.commit()) {
        say(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                .arg(QDir::toNativeSeparators(textFile),
                     written.error.isEmpty() ? file.errorString() : written.error));
        return 1;
    }
    if (written.rows == 0)
        say(QStringLiteral("Hinweis: Sie haben keinen Datensatz ausgewählt."));
    if (written.customerMissing)
        say(QStringLiteral(
            "Hinweis: Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."));
    if (written.contractorMissing)
        say(QStringLiteral("Hinweis: Der Auftragnehmer ist in der Datenbank nicht enthalten."));
    return 0;
}

int importFiles(const DatabaseLocation& database, const QStringList& files) {
    ConsolePrompter prompter;
    TableStore store(database, prompter);
    if (!store.open())
        return 1;
    ArchiveImport import(store, prompter);
    const ArchiveImport::Outcome outcome = import.importFiles(
        files, QDate::currentDate(),
        // Nobody can correct a date here: the file is left out.
        [](const QString&, const QString&, record_transfer::DateKind) { return std::nullopt; },
        [](const QString& name, qint64 number) {
            say(QStringLiteral("Neuer Kunde Nr. %1: %2").arg(number).arg(name));
        });
    for (const QString& skipped : outcome.skipped)
        say(QStringLiteral("Nicht übernommen: ") + skipped);
    const QString unfinished = import_account::unfinishedText(outcome);
    if (!unfinished.isEmpty())
        say(unfinished);
    say(QStringLiteral("Übernommen: %1 von %2 Dateien.")
            .arg(groupedNumber(outcome.stored.size()), groupedNumber(outcome.total)));
    return outcome.stored.size() == outcome.total ? 0 : 1;
}

int importLegacyTables(const DatabaseLocation& database, const QString& folder) {
    ConsolePrompter prompter;
    TableStore store(database, prompter);
    if (!store.open())
        return 1;
    auto prepared = LegacyImport::prepare(store, folder);
    if (const auto* error = std::get_if<QString>(&prepared)) {
        say(*error);
        return 1;
    }
    LegacyImport& import = *std::get<std::unique_ptr<LegacyImport>>(prepared);
    fprintf(stdout, "%s\n", qPrintable(import.summary()));
    fflush(stdout);
    const ArchiveImport::Outcome outcome = import.run(prompter);
    for (const QString& skipped : outcome.skipped)
        say(QStringLiteral("Nicht übernommen: ") + skipped);
    const QString unfinished = import_account::unfinishedText(outcome);
    if (!unfinished.isEmpty())
        say(unfinished);
    say(QStringLiteral("Übernommen: %1 von %2 Archiv-Datensätzen, %3 Kunden%4.")
            .arg(groupedNumber(outcome.stored.size()), groupedNumber(outcome.total),
                 groupedNumber(import.customersWritten()),
                 import.contractorWritten() ? QStringLiteral(" und der Auftragnehmer")
                                            : QString()));
    return outcome.stored.size() == outcome.total ? 0 : 1;
}

} // namespace console_commands
