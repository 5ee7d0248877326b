#include "ProtocolFile.h"

#include "ReportState.h"
#include "Vocabulary.h"
#include "common/Cp1252.h"
#include "common/FolderSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace protocol_file {

namespace {

struct TextField {
    QString Protokoll::*member;
    int offset;
    int width;
    bool inTemplate; // taken over when a saved report serves as template
};

// Every text of the image, in file order. The writer and all readers go
// through this one table, so a field cannot move for one of them only.
constexpr TextField kTextFields[] = {
    {&Protokoll::AuftragNr, 0, 25, true},
    {&Protokoll::Kunde1, 25, 40, true},
    {&Protokoll::Kunde2, 65, 40, true},
    {&Protokoll::Kunde3, 105, 40, true},
    {&Protokoll::Nehmer1, 145, 35, true},
    {&Protokoll::Nehmer2, 180, 35, true},
    {&Protokoll::Nehmer3, 215, 35, true},
    {&Protokoll::Geraeteart, 250, 35, true},
    {&Protokoll::Hersteller, 285, 25, true},
    {&Protokoll::Typenbezeichnung, 310, 25, true},
    {&Protokoll::Schutzklasse, 335, 5, false},
    {&Protokoll::Nennstrom, 340, 10, true},
    {&Protokoll::Seriennummer, 350, 25, true},
    {&Protokoll::Nennspannung, 375, 10, true},
    {&Protokoll::Nennleistung, 385, 10, true},
    {&Protokoll::FehlerZeile1, 395, 65, true},
    {&Protokoll::FehlerZeile2, 460, 80, true},
    {&Protokoll::FehlerZeile3, 540, 80, true},
    {&Protokoll::RepArbeitenZeile1, 620, 60, true},
    {&Protokoll::RepArbeitenZeile2, 680, 80, true},
    {&Protokoll::RepArbeitenZeile3, 760, 80, true},
    {&Protokoll::Pruefung, 840, 25, false},
    // 865..867 pad the flags below to a 4-byte boundary.
    {&Protokoll::Messung1, 880, 30, false},
    {&Protokoll::Messung2, 910, 30, false},
    {&Protokoll::Messung3, 940, 30, false},
    {&Protokoll::Einheit1, 970, 10, false},
    {&Protokoll::Einheit2, 980, 10, false},
    {&Protokoll::Einheit3, 990, 10, false},
    {&Protokoll::Wert1, 1000, 15, false},
    {&Protokoll::Wert2, 1015, 15, false},
    {&Protokoll::Wert3, 1030, 15, false},
    // 1045..1047 pad the statement flags.
    {&Protokoll::Termin, 1064, 25, false},
    {&Protokoll::Ort, 1089, 40, true},
    {&Protokoll::Datum, 1129, 15, true},
};

// The check marks, stored as little-endian int32.
struct FlagField {
    qint32 Protokoll::*member;
    int offset;
};
constexpr FlagField kFlagFields[] = {
    {&Protokoll::Besichtigung1, 868}, {&Protokoll::Besichtigung2, 872},
    {&Protokoll::Besichtigung3, 876}, {&Protokoll::Satz1, 1048},
    {&Protokoll::Satz2, 1052},        {&Protokoll::Satz3, 1056},
    {&Protokoll::Satz4, 1060},
};

constexpr int kDiffOffset = 1144;
constexpr int kNisoOffset = 1145;
constexpr int kOrdnungOffset = 1146;
// 1147 pads the image to a multiple of four.

// The bytes of a text field up to its first zero byte, never beyond the field.
QString readText(const QByteArray& image, int offset, int width) {
    const char* field = image.constData() + offset;
    const void* zero = std::memchr(field, 0, width);
    const int length = zero ? static_cast<int>(static_cast<const char*>(zero) - field) : width;
    return cp1252::toUnicode(field, length);
}

enum class Which { All, Template };

void readTexts(const QByteArray& image, Protokoll& record, Which which) {
    for (const TextField& field : kTextFields) {
        if (which == Which::All || field.inTemplate)
            record.*field.member = readText(image, field.offset, field.width);
    }
}

void readFlags(const QByteArray& image, Protokoll& record) {
    for (const FlagField& flag : kFlagFields)
        record.*flag.member = qFromLittleEndian<qint32>(image.constData() + flag.offset);
}

void readMethod(const QByteArray& image, Protokoll& record) {
    record.Diff = static_cast<quint8>(image.at(kDiffOffset));
    record.Niso = static_cast<quint8>(image.at(kNisoOffset));
}

} // namespace

QByteArray buildProtocolImage(const Protokoll& record) {
    QByteArray image(kImageSize, '\0');
    char* data = image.data();
    for (const TextField& field : kTextFields) {
        // Readers stop at the first zero byte, so one has to stay in the field.
        const QByteArray text = cp1252::fromUnicode(record.*field.member).left(field.width - 1);
        std::memcpy(data + field.offset, text.constData(), text.size());
    }
    for (const FlagField& flag : kFlagFields)
        qToLittleEndian<qint32>(record.*flag.member, data + flag.offset);
    data[kDiffOffset] = static_cast<char>(record.Diff);
    data[kNisoOffset] = static_cast<char>(record.Niso);
    data[kOrdnungOffset] = record.Ordnung.startsWith(u'j') ? 1 : 0;
    return image;
}

Protokoll parseProtocolImage(const QByteArray& image) {
    Q_ASSERT(image.size() >= kImageSize);
    Protokoll record;
    readTexts(image, record, Which::All);
    readFlags(image, record);
    readMethod(image, record);
    record.Ordnung = image.at(kOrdnungOffset) != 0 ? QStringLiteral("j") : QStringLiteral("n");
    return record;
}

void readForOpen(const QByteArray& image, Protokoll& record, ReportState& state) {
    Q_ASSERT(image.size() >= kImageSize);
    readTexts(image, record, Which::All);
    readFlags(image, record);
    readMethod(image, record);
    vocabulary::readStateFromRecord(record, state);
    // The tester's values are six characters; the field has room for more.
    state.values = {record.Wert1.left(kMeasuredValueLength),
                    record.Wert2.left(kMeasuredValueLength),
                    record.Wert3.left(kMeasuredValueLength)};
    // Names, units and limits of the printed report follow from the method.
    state.diff = record.Diff != 0;
    state.niso = record.Niso != 0;
    // Saving an opened report again must not change its verdict.
    record.Ordnung = image.at(kOrdnungOffset) != 0 ? QStringLiteral("j") : QStringLiteral("n");
    state.notInOrder = record.Ordnung == QLatin1String("n");
}

void readTemplate(const QByteArray& image, Protokoll& record) {
    Q_ASSERT(image.size() >= kImageSize);
    readTexts(image, record, Which::Template);
    // The marks belong to the device just tested, not to the one of the template.
    for (const FlagField& flag : kFlagFields)
        record.*flag.member = 0;
}

ReadResult readProtocolFile(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(shown)};
    // A longer file is read as far as the image goes; a shorter one cannot be a report.
    QByteArray image = file.read(kImageSize);
    if (image.size() < kImageSize) {
        return {{},
                QStringLiteral("Die Datei \"%1\" ist keine Protokolldatei: Sie ist nur %2 Bytes "
                               "lang, eine Protokolldatei hat %3 Bytes.")
                    .arg(shown, QString::number(image.size()), QString::number(kImageSize))};
    }
    return {image, {}};
}

std::optional<QString> writeProtocolFile(const QString& path, const QByteArray& image) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(image) == image.size() && file.commit()) {
        // The rename into place is kept through a power cut only once the folder is on disk.
        syncFolder(QFileInfo(path).absolutePath());
        return std::nullopt;
    }
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
}

} // namespace protocol_file
