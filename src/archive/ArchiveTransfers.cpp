#include "ArchiveTransfers.h"

#include "common/AppState.h"
#include "common/Prompter.h"
#include "report/ProtocolFile.h"
#include "report/Vocabulary.h"
#include "tables/ArchiveTable.h"
#include "tables/CustomerTable.h"
#include "tables/TableCursor.h"

#include <QDate>
#include <QDialog>
#include <QFileInfo>

using namespace record_transfer;

namespace {

const QString kNumber = QStringLiteral("Kundennummer");

void showModal(QDialog* window) {
    if (window)
        window->exec();
}

// "12.3.2026": the import date as the origin of a row tells it.
QString todayText() {
    const QDate today = QDate::currentDate();
    return QStringLiteral("%1.%2.%3").arg(today.day()).arg(today.month()).arg(today.year());
}

} // namespace

ArchiveTransfers::ArchiveTransfers(AppState& state, Prompter& prompter, TableCursor& archive,
                                   TableCursor& customers)
    : state_(state)
    , prompter_(prompter)
    , archive_(archive)
    , customers_(customers) {}

QString ArchiveTransfers::correctDate(const QString& rejected, DateKind kind) {
    state_.dateDialog = {importFileName_, rejected, static_cast<int>(kind)};
    showModal(windows_.dateDialog);
    return state_.dateDialog.dateText;
}

void ArchiveTransfers::loadAddresses() {
    Protokoll& record = state_.record;
    record.Kunde2.clear();
    record.Kunde3.clear();
    record.Nehmer1.clear();
    record.Nehmer2.clear();
    record.Nehmer3.clear();
    if (!customers_.open())
        return;
    const qint64 number = archive_.integer(kNumber);
    if (number > 0) {
        if (customer_table::findByNumber(customers_, number)) {
            record.Kunde2 = customers_.text(QStringLiteral("AuftraggeberStrasse"));
            record.Kunde3 = customers_.text(QStringLiteral("AuftraggeberOrt"));
        } else {
            prompter_.message(
                QStringLiteral("Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."),
                QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        }
    }
    if (customer_table::findByNumber(customers_, 0)) {
        record.Nehmer1 = customers_.text(QStringLiteral("Auftraggeber"));
        record.Nehmer2 = customers_.text(QStringLiteral("AuftraggeberStrasse"));
        record.Nehmer3 = customers_.text(QStringLiteral("AuftraggeberOrt"));
    } else {
        prompter_.message(QStringLiteral("Der Auftragnehmer ist in der Datenbank nicht enthalten."),
                          QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
    }
    customers_.close();
}

void ArchiveTransfers::loadRowIntoReport() {
    ReportState& report = state_.report;
    Protokoll& record = state_.record;
    // The wizard edits the row's report: a new, empty one would be written
    // back over the row.
    report.newReport = 0;
    const QString schutzklasse = archive_.text(QStringLiteral("Schutzklasse"));
    if (const auto code = vocabulary::classCode(schutzklasse))
        report.protectionClass = *code;
    const QString pruefung = archive_.text(QStringLiteral("Pruefung"));
    report.testKind = 1;
    if (pruefung.contains(u"0701-0702")) {
        report.oldNorm = 0;
        if (pruefung.contains(u"(2)"))
            report.testKind = 2;
    } else {
        report.oldNorm = 1;
        if (pruefung.contains(u"0702"))
            report.testKind = 2;
    }
    const char* const values[] = {"Wert1", "Wert2", "Wert3"};
    for (int i = 0; i < 3; ++i)
        report.values[i] = archive_.text(QLatin1String(values[i])).left(kMeasuredValueLength);
    record.Niso = archive_.boolean(QStringLiteral("Niso")) ? 1 : 0;
    report.niso = record.Niso;
    loadAddresses();

    const std::pair<QString Protokoll::*, const char*> texts[] = {
        {&Protokoll::AuftragNr, "AuftragNr"},
        {&Protokoll::Kunde1, "Auftraggeber"},
        {&Protokoll::Geraeteart, "Geraeteart"},
        {&Protokoll::Hersteller, "Hersteller"},
        {&Protokoll::Typenbezeichnung, "Typenbezeichnung"},
        {&Protokoll::Nennstrom, "Nennstrom"},
        {&Protokoll::Seriennummer, "Seriennummer"},
        {&Protokoll::Nennspannung, "Nennspannung"},
        {&Protokoll::Nennleistung, "Nennleistung"},
        {&Protokoll::FehlerZeile1, "FehlerZeile1"},
        {&Protokoll::FehlerZeile2, "FehlerZeile2"},
        {&Protokoll::FehlerZeile3, "FehlerZeile3"},
        {&Protokoll::RepArbeitenZeile1, "RepArbeitenZeile1"},
        {&Protokoll::RepArbeitenZeile2, "RepArbeitenZeile2"},
        {&Protokoll::RepArbeitenZeile3, "RepArbeitenZeile3"},
        {&Protokoll::Termin, "Termin"},
        {&Protokoll::Ort, "Ort"},
        {&Protokoll::Datum, "Datum"},
    };
    for (const auto& [member, field] : texts)
        record.*member = archive_.text(QLatin1String(field));
    record.Diff = archive_.boolean(QStringLiteral("Diff")) ? 1 : 0;
    report.diff = record.Diff;
    const std::pair<qint32 Protokoll::*, const char*> flags[] = {
        {&Protokoll::Besichtigung1, "Besichtigung1"},
        {&Protokoll::Besichtigung2, "Besichtigung2"},
        {&Protokoll::Besichtigung3, "Besichtigung3"},
        {&Protokoll::Satz1, "Satz1"},
        {&Protokoll::Satz2, "Satz2"},
        {&Protokoll::Satz3, "Satz3"},
        {&Protokoll::Satz4, "Satz4"}};
    for (const auto& [member, field] : flags)
        record.*member = archive_.boolean(QLatin1String(field)) ? 1 : 0;
    report.notInOrder = archive_.text(QStringLiteral("Ordnung")).startsWith(u'n') ? 1 : 0;
}

void ArchiveTransfers::writeBack() {
    const RowValues row = convertImageToRow(
        protocol_file::buildProtocolImage(state_.record),
        [this](const QString& rejected, DateKind kind) { return correctDate(rejected, kind); });
    const Protokoll& t = row.texts;
    const qint64 customer = matchCustomer(customers_, prompter_, t.Kunde1, t.Kunde2, t.Kunde3);
    if (archive_.state() != TableCursor::State::Edit && !archive_.edit())
        return;
    archive_.setInteger(kNumber, customer);
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
    archive_.post();
}

void ArchiveTransfers::openRowInWizard() {
    if (archive_.isEmpty())
        return;
    loadRowIntoReport();
    showModal(windows_.wizard);
    state_.savePrintMode = 1;
    showModal(windows_.savePrint);
    if (prompter_.message(QStringLiteral("Die Daten werden jetzt übernommen"),
                          QStringLiteral("Hinweis"),
                          Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return;
    writeBack();
}

int ArchiveTransfers::importFiles(const QStringList& paths, bool filterActive) {
    int stored = 0;
    for (const QString& path : paths) {
        importFileName_ = QFileInfo(path).absoluteFilePath();
        const protocol_file::ReadResult file = protocol_file::readProtocolFile(path);
        if (!file.ok()) {
            // Skipped with its reason; the other files still come in.
            prompter_.message(file.error, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
            continue;
        }
        const RowValues row =
            convertImageToRow(file.image, [this](const QString& rejected, DateKind kind) {
                return correctDate(rejected, kind);
            });
        const Protokoll& t = row.texts;
        const qint64 customer = matchCustomer(customers_, prompter_, t.Kunde1, t.Kunde2, t.Kunde3);
        state_.report.diff = row.Diff;
        importRunning_ = true;
        const QString origin = importFileName_ + QStringLiteral("   ") + todayText();
        if (archive_table::appendRow(archive_, newRowFields(row, customer, origin)) > 0)
            ++stored;
        importRunning_ = false;
    }
    if (filterActive && !paths.isEmpty())
        prompter_.message(
            paths.size() == 1
                ? QStringLiteral("Der von Ihnen definierte Filter ist aktiv. Möglicherweise wird "
                                 "Ihre Datei deshalb nicht angezeigt.")
                : QStringLiteral("Der von Ihnen definierte Filter ist aktiv. Möglicherweise werden "
                                 "Ihre Dateien deshalb nicht angezeigt."),
            QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
    return stored;
}
