#include "ArchiveTransfers.h"

#include "LegacyImport.h"
#include "common/Progress.h"

#include "RowAddresses.h"

#include "addresses/CustomerTable.h"
#include "common/Prompter.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "tables/TableCursor.h"

#include <QFileInfo>

using namespace record_transfer;

namespace {

const QString kNumber = QStringLiteral("Kundennummer");

void show(const std::function<void()>& window) {
    if (window)
        window();
}

} // namespace

ArchiveTransfers::ArchiveTransfers(ReportSession& state, Prompter& prompter, TableCursor& archive,
                                   TableCursor& customers, Today today)
    : state_(state)
    , prompter_(prompter)
    , archive_(archive)
    , customers_(customers)
    , today_(std::move(today)) {}

QString ArchiveTransfers::correctDate(const QString& rejected, DateKind kind) {
    if (!windows_.askDate)
        return rejected;
    return windows_.askDate({importFileName_, rejected, kind});
}

void ArchiveTransfers::loadRowIntoReport() {
    ReportState& report = state_.report;
    Protokoll& record = state_.record;
    // The wizard edits the row's report: a new, empty one would be written
    // back over the row.
    report.newReport = 0;
    const RowTest test = rowTest(archive_);
    if (test.protectionClass)
        report.protectionClass = *test.protectionClass;
    report.testKind = test.testKind;
    report.oldNorm = test.oldNorm;
    rowToRecord(archive_, record);
    loadAddresses(customers_, prompter_, archive_.integer(kNumber), record);
    report.values = {record.Wert1.left(kMeasuredValueLength),
                     record.Wert2.left(kMeasuredValueLength),
                     record.Wert3.left(kMeasuredValueLength)};
    report.niso = record.Niso;
    report.diff = record.Diff;
    report.notInOrder = record.Ordnung.startsWith(u'n') ? 1 : 0;
}

void ArchiveTransfers::writeBack() {
    const RowValues row = convertImageToRow(
        protocol_file::buildProtocolImage(state_.record),
        [this](const QString& rejected, DateKind kind) { return correctDate(rejected, kind); });
    const Protokoll& t = row.texts;
    const CustomerMatch customer = matchCustomer(archive_.store(), t.Kunde1, t.Kunde2, t.Kunde3);
    if (!customer.failure.isEmpty()) {
        prompter_.message(customer.failure, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return;
    }
    if (customer.added)
        tellNewCustomer();
    if (archive_.state() != TableCursor::State::Edit && !archive_.edit())
        return;
    archive_.setValue(kNumber, customer.number ? QVariant(*customer.number) : QVariant());
    const std::pair<const char*, const QString*> texts[] = {
        {"AuftragNr", &t.AuftragNr},
        {"Auftraggeber", &t.Kunde1},
        {"Geraeteart", &t.Geraeteart},
        {"Hersteller", &t.Hersteller},
        {"Typenbezeichnung", &t.Typenbezeichnung},
        {"Nennstrom", &t.Nennstrom},
        {"Seriennummer", &t.Seriennummer},
        {"Nennspannung", &t.Nennspannung},
        {"Nennleistung", &t.Nennleistung},
        {"FehlerZeile1", &t.FehlerZeile1},
        {"FehlerZeile2", &t.FehlerZeile2},
        {"FehlerZeile3", &t.FehlerZeile3},
        {"RepArbeitenZeile1", &t.RepArbeitenZeile1},
        {"RepArbeitenZeile2", &t.RepArbeitenZeile2},
        {"RepArbeitenZeile3", &t.RepArbeitenZeile3},
        {"Ort", &t.Ort},
        {"Termin", &t.Termin},
        {"Datum", &t.Datum},
    };
    for (const auto& [field, text] : texts)
        archive_.setText(QLatin1String(field), *text);
    for (int i = 0; i < 3; ++i)
        archive_.setBoolean(QStringLiteral("Besichtigung%1").arg(i + 1),
                            row.inspections[i] == u"ja");
    for (int i = 0; i < 4; ++i)
        archive_.setBoolean(QStringLiteral("Satz%1").arg(i + 1), row.statements[i] == u"ja");
    // A refused post leaves the row in edit state with the table's message shown.
    writingBack_ = true;
    archive_.post();
    writingBack_ = false;
}

std::optional<bool> ArchiveTransfers::diffOfWriteBack() const {
    return writingBack_ ? std::optional<bool>(state_.report.diff != 0) : std::nullopt;
}

void ArchiveTransfers::openRowInWizard() {
    if (archive_.isEmpty())
        return;
    loadRowIntoReport();
    show(windows_.wizard);
    show(windows_.savePrint);
    if (prompter_.message(QStringLiteral("Die Daten werden jetzt übernommen"),
                          QStringLiteral("Hinweis"),
                          Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return;
    writeBack();
}

int ArchiveTransfers::importFiles(const QStringList& paths, bool filterActive) {
    ArchiveImport import(archive_.store(), prompter_);
    const ArchiveImport::Outcome outcome = import.importFiles(
        paths, today_(),
        [this](const QString& path, const QString& rejected,
               DateKind kind) -> std::optional<QString> {
            importFileName_ = path;
            return correctDate(rejected, kind);
        },
        [this](const QString&, qint64) { tellNewCustomer(); });
    if (!paths.isEmpty())
        importFileName_ = QFileInfo(paths.last()).absoluteFilePath();
    finishImport(outcome, filterActive);
    return int(outcome.stored.size());
}

int ArchiveTransfers::importMemoryEntries(const QList<QByteArray>& entries, bool filterActive) {
    ArchiveImport import(archive_.store(), prompter_);
    const ArchiveImport::Outcome outcome = import.importEntries(entries, today_());
    finishImport(outcome, filterActive);
    return int(outcome.stored.size());
}

int ArchiveTransfers::importLegacyTables(const QString& folder, bool filterActive) {
    auto prepared = LegacyImport::prepare(archive_.store(), folder);
    if (const auto* error = std::get_if<QString>(&prepared)) {
        prompter_.message(*error, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return 0;
    }
    LegacyImport& import = *std::get<std::unique_ptr<LegacyImport>>(prepared);
    if (prompter_.message(
            import.summary() + QStringLiteral("\n\nSollen die Daten jetzt übernommen werden?"),
            QStringLiteral("Frage"), Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return 0;
    const ArchiveImport::Outcome outcome = import.run(prompter_);
    finishImport(outcome, filterActive);
    if (!outcome.stopped && outcome.failure.isEmpty())
        prompter_.message(
            QStringLiteral("Übernommen: %1 Archiv-Datensätze, %2 Kunden%3.")
                .arg(groupedNumber(outcome.stored.size()), groupedNumber(import.customersWritten()),
                     import.contractorWritten() ? QStringLiteral(" und der Auftragnehmer")
                                                : QString()),
            QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
    return int(outcome.stored.size());
}

void ArchiveTransfers::finishImport(const ArchiveImport::Outcome& outcome, bool filterActive) {
    if (!outcome.stored.isEmpty()) {
        state_.report.diff = outcome.lastDiff;
        state_.report.niso = outcome.lastNiso;
    }
    // The rows came in beside the cursor: the grid learns of them once.
    if (archive_.filtered())
        archive_.refresh();
    else
        archive_.setFiltered(true);
    archive_.first();
    if (const QString skipped = import_account::skippedText(outcome); !skipped.isEmpty())
        prompter_.message(skipped, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
    if (const QString unfinished = import_account::unfinishedText(outcome); !unfinished.isEmpty())
        prompter_.message(unfinished,
                          outcome.stopped ? QStringLiteral("Hinweis") : QStringLiteral("Fehler"),
                          Prompter::Buttons::Ok);
    tellAboutFilter(outcome.total, filterActive);
}

void ArchiveTransfers::tellNewCustomer() {
    prompter_.message(QString::fromUtf8(kNewCustomerNotice), QStringLiteral("Hinweis"),
                      Prompter::Buttons::Ok);
}

void ArchiveTransfers::tellAboutFilter(int rows, bool filterActive) {
    if (!filterActive || rows == 0)
        return;
    prompter_.message(rows == 1 ? QStringLiteral("Der von Ihnen definierte Filter ist aktiv. "
                                                 "Möglicherweise wird Ihre Datei deshalb nicht "
                                                 "angezeigt.")
                                : QStringLiteral("Der von Ihnen definierte Filter ist aktiv. "
                                                 "Möglicherweise werden Ihre Dateien deshalb "
                                                 "nicht angezeigt."),
                      QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
}
