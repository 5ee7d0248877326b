#include "ReadoutSession.h"

#include "MemoryImage.h"
#include "TesterCommands.h"
#include "TesterConnection.h"
#include "TesterLink.h"
#include "common/Prompter.h"

#include <algorithm>

namespace {
const QString kError = QStringLiteral("Fehler");
const QString kNote = QStringLiteral("Hinweis");
} // namespace

ReadoutSession::ReadoutSession(TesterLink& link, TesterConnection& connection, ReportState& report,
                               Prompter& prompter, ReadoutWindow& window)
    : link_(link)
    , connection_(connection)
    , report_(report)
    , prompter_(prompter)
    , window_(window) {}

bool ReadoutSession::versionAnswered() {
    // A closed port asks nothing: the version of the last connection counts.
    if (!link_.isOpen())
        return true;
    switch (tester_command::queryVersion(link_, connection_, report_)) {
    case tester_command::VersionResult::Answered:
        return true;
    case tester_command::VersionResult::NotAttached:
        prompter_.message(
            QStringLiteral("Gerätetester ist nicht angeschlossen oder eingeschaltet!"),
            QStringLiteral("Warnung"), Prompter::Buttons::Ok);
        return false;
    case tester_command::VersionResult::NoStatus:
        break;
    }
    return false;
}

bool ReadoutSession::versionUsable() {
    const int version = connection_.ProtocolVersion;
    if (version <= 3)
        return true;
    if (version == 9) {
        window_.showInformation(*connection_text::softwareLabel(version));
        return true;
    }
    if (version == 10) {
        window_.showLegend(*connection_text::softwareLabel(version));
        return true;
    }
    prompter_.message(connection_text::kUnusable, connection_text::kAttention,
                      Prompter::Buttons::Ok);
    return false;
}

std::optional<ReadoutPages> ReadoutSession::read(const QString& memorySoftware) {
    window_.showPreparing();
    if (!versionAnswered() || !versionUsable())
        return std::nullopt;
    if (memorySoftware == u"A")
        window_.showInformation(QStringLiteral("SW-Version Speicher : 3.1"));
    window_.showReady();
    if (prompter_.message(QStringLiteral("Auslesen jetzt starten ? "), QStringLiteral("Frage"),
                          Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return std::nullopt;
    window_.addLine(QStringLiteral(" Auslesen der Messwerte beginnt"));

    window_.showProgress(0);
    QByteArray image;
    const auto result = tester_command::readMemoryImage(
        link_, image, [this](qsizetype received, qsizetype expected) {
            if (expected > 2)
                window_.showProgress(int(std::min<qsizetype>(received * 100 / expected, 100)));
        });
    window_.showRead();
    switch (result) {
    case tester_command::ReadResult::Complete:
        break;
    case tester_command::ReadResult::NotReady:
        prompter_.message(QStringLiteral("Speicher nicht bereit zum Auslesen"), kError,
                          Prompter::Buttons::Ok);
        return std::nullopt;
    case tester_command::ReadResult::ReadError:
        prompter_.message(QStringLiteral("Fehler beim Lesen vom Meßwertspeicher"), kError,
                          Prompter::Buttons::Ok);
        return std::nullopt;
    }
    const int count = memory_image::entryCount(image).value_or(0);
    if (count == 0) {
        prompter_.message(QStringLiteral("Der Meßwertspeicher ist leer"), kNote,
                          Prompter::Buttons::Ok);
        return std::nullopt;
    }
    if (count > memory_image::kMaxEntries)
        prompter_.message(
            QStringLiteral("In dieser Version werden nur die ersten 4062 Werte eingelesen"), kNote,
            Prompter::Buttons::Ok);
    return ReadoutPages(memory_image::entries(image),
                        memorySoftware.isEmpty() ? 'B' : char(memorySoftware.at(0).toLatin1()));
}
