#include "ParadoxTable.h"

#include "common/Cp1252.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <climits>
#include <mutex>

extern "C" {
#include <paradox.h>
}

namespace {

constexpr int kHeaderBytes = 0x60;

quint16 u16(const QByteArray& header, int offset) {
    return qFromLittleEndian<quint16>(header.constData() + offset);
}
quint32 u32(const QByteArray& header, int offset) {
    return qFromLittleEndian<quint32>(header.constData() + offset);
}

// What the header promises must fit the file, and the table must not be
// encrypted; otherwise the German reason.
std::optional<QString> headerProblem(const QString& path, const QByteArray& header,
                                     qint64 fileSize) {
    const QString name = QFileInfo(path).fileName();
    const auto damaged = [&] {
        return QStringLiteral(
                   "Die Datei \"%1\" ist keine lesbare Paradox-Tabelle (Kopf beschädigt).")
            .arg(name);
    };
    if (header.size() < kHeaderBytes)
        return QStringLiteral("Die Datei \"%1\" ist keine Paradox-Tabelle.").arg(name);
    const int recordSize = u16(header, 0x00);
    const int headerSize = u16(header, 0x02);
    const int fileType = quint8(header[0x04]);
    const int blockSize = quint8(header[0x05]) * 1024;
    const quint32 records = u32(header, 0x06);
    const int fileBlocks = u16(header, 0x0C);
    const int firstBlock = u16(header, 0x0E);
    const int lastBlock = u16(header, 0x10);
    const int fieldCount = u16(header, 0x21);
    const int fileVersion = quint8(header[0x39]);
    if (fileType != pxfFileTypIndexDB && fileType != pxfFileTypNonIndexDB)
        return QStringLiteral("Die Datei \"%1\" ist keine Paradox-Tabelle.").arg(name);
    if (recordSize == 0 || headerSize < kHeaderBytes || headerSize % 0x800 != 0 || blockSize == 0 ||
        blockSize > 32 * 1024 || fieldCount == 0 || fieldCount > 255 || firstBlock > fileBlocks ||
        lastBlock > fileBlocks || fileSize < qint64(headerSize) + qint64(fileBlocks) * blockSize ||
        records > quint64(fileBlocks) * quint64((blockSize - 6) / recordSize))
        return damaged();
    // Version 4 and later keep the password's key in a second place.
    const quint32 encryption1 = u32(header, 0x25);
    const bool encrypted = (fileVersion >= 4 && u32(header, 0x5C) != 0) ||
                           (encryption1 != 0 && encryption1 != 0xFF00FF00u);
    if (encrypted)
        return QStringLiteral("Die Tabelle \"%1\" ist mit einem Kennwort geschützt. Entfernen Sie "
                              "das Kennwort mit dem Programm, das sie angelegt hat, und versuchen "
                              "Sie es noch einmal.")
            .arg(name);
    return std::nullopt;
}

void ignoreLibraryMessage(pxdoc_t*, int, const char*, void*) {}

ParadoxField::Kind kindOf(char type) {
    switch (type) {
    case pxfAlpha:
        return ParadoxField::Kind::Text;
    case pxfDate:
        return ParadoxField::Kind::Date;
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
        return ParadoxField::Kind::Integer;
    case pxfLogical:
        return ParadoxField::Kind::Logical;
    default:
        return ParadoxField::Kind::Other;
    }
}

// Days since 31.12. of year 0, as Paradox counts them.
QVariant dateOf(long days) {
    if (days == INT_MIN || days == 0)
        return {};
    int year = 0;
    int month = 0;
    int day = 0;
    PX_SdnToGregorian(days + 1721425L, &year, &month, &day);
    const QDate date(year, month, day);
    return date.isValid() && year >= 1900 && year <= 2999 ? QVariant(date) : QVariant(QDate());
}

} // namespace

std::variant<std::unique_ptr<ParadoxTable>, QString> ParadoxTable::open(const QString& path) {
    static std::once_flag booted;
    std::call_once(booted, [] { PX_boot(); });
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(path);
    if (const auto problem = headerProblem(path, file.read(kHeaderBytes), file.size()))
        return *problem;
    file.close();

    std::unique_ptr<ParadoxTable> table(new ParadoxTable);
    table->doc_ = PX_new2(ignoreLibraryMessage, nullptr, nullptr, nullptr);
    if (!table->doc_ || PX_open_file(table->doc_, QFile::encodeName(path).constData()) < 0)
        return QStringLiteral("Die Datei \"%1\" ist keine lesbare Paradox-Tabelle.").arg(name);
    const int count = PX_get_num_fields(table->doc_);
    for (int i = 0; i < count; ++i) {
        const pxfield_t* field = PX_get_field(table->doc_, i);
        table->fields_.append({cp1252::toUnicode(QByteArray(field->px_fname)),
                               kindOf(field->px_ftype), field->px_flen});
    }
    table->rowCount_ = PX_get_num_records(table->doc_);
    table->record_.resize(PX_get_recordsize(table->doc_));
    return table;
}

ParadoxTable::~ParadoxTable() {
    if (doc_) {
        PX_close(doc_);
        PX_delete(doc_);
    }
}

int ParadoxTable::indexOf(const QString& fieldName) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::optional<QVariantList> ParadoxTable::row(int index) {
    if (index < 0 || index >= rowCount_ || !PX_get_record(doc_, index, record_.data()))
        return std::nullopt;
    QVariantList values;
    values.reserve(fields_.size());
    char* data = record_.data();
    for (int i = 0; i < fields_.size(); ++i) {
        const pxfield_t* field = PX_get_field(doc_, i);
        switch (field->px_ftype) {
        case pxfAlpha: {
            char* text = nullptr;
            if (PX_get_data_alpha(doc_, data, field->px_flen, &text) > 0 && text) {
                values.append(cp1252::toUnicode(QByteArray(text)));
                doc_->free(doc_, text);
            } else {
                values.append(QVariant());
            }
            break;
        }
        case pxfDate: {
            long days = 0;
            values.append(PX_get_data_long(doc_, data, field->px_flen, &days) > 0 ? dateOf(days)
                                                                                  : QVariant());
            break;
        }
        case pxfShort: {
            short number = 0;
            values.append(PX_get_data_short(doc_, data, field->px_flen, &number) > 0
                              ? QVariant(qint64(number))
                              : QVariant());
            break;
        }
        case pxfLong:
        case pxfAutoInc: {
            long number = 0;
            const bool present =
                PX_get_data_long(doc_, data, field->px_flen, &number) > 0 && number != INT_MIN;
            values.append(present ? QVariant(qint64(number)) : QVariant());
            break;
        }
        case pxfLogical: {
            char flag = 0;
            values.append(PX_get_data_byte(doc_, data, field->px_flen, &flag) > 0
                              ? QVariant(flag != 0)
                              : QVariant());
            break;
        }
        default:
            values.append(QVariant());
        }
        data += field->px_flen;
    }
    return values;
}
