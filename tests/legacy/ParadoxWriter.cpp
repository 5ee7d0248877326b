#include "ParadoxWriter.h"

#include "common/Cp1252.h"

#include <QDate>
#include <QFile>

#include <cstdlib>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace paradox_writer {

namespace {

char typeOf(Kind kind) {
    switch (kind) {
    case Kind::Alpha:
        return pxfAlpha;
    case Kind::Date:
        return pxfDate;
    case Kind::Short:
        return pxfShort;
    case Kind::Long:
        return pxfLong;
    case Kind::Logical:
        return pxfLogical;
    }
    return pxfAlpha;
}

int lengthOf(const Column& column) {
    switch (column.kind) {
    case Kind::Alpha:
        return column.size;
    case Kind::Short:
        return 2;
    case Kind::Logical:
        return 1;
    default:
        return 4;
    }
}

void quiet(pxdoc_t*, int, const char*, void*) {}

} // namespace

QList<Column> columnsOf(const TableDefinition& definition) {
    QList<Column> columns;
    for (const FieldDefinition& field : definition.fields) {
        switch (field.type) {
        case FieldType::Text:
            columns.append({field.name, Kind::Alpha, field.size});
            break;
        case FieldType::Integer:
            columns.append({field.name, Kind::Long});
            break;
        case FieldType::Boolean:
            columns.append({field.name, Kind::Logical});
            break;
        case FieldType::Date:
            columns.append({field.name, Kind::Date});
            break;
        }
    }
    return columns;
}

bool write(const QString& path, const QList<Column>& columns, const QList<QVariantList>& rows) {
    PX_boot();
    QFile::remove(path);
    pxdoc_t* doc = PX_new2(quiet, nullptr, nullptr, nullptr);
    // PX_delete frees the field array and its names.
    auto* fields = static_cast<pxfield_t*>(malloc(sizeof(pxfield_t) * columns.size()));
    for (int i = 0; i < columns.size(); ++i) {
        fields[i].px_fname = strdup(columns[i].name.toLatin1().constData());
        fields[i].px_ftype = typeOf(columns[i].kind);
        fields[i].px_flen = lengthOf(columns[i]);
        fields[i].px_fdc = 0;
    }
    if (PX_create_file(doc, fields, int(columns.size()), QFile::encodeName(path).constData(),
                       pxfFileTypNonIndexDB) < 0) {
        PX_delete(doc);
        return false;
    }
    bool ok = true;
    for (const QVariantList& row : rows) {
        QList<QByteArray> texts(columns.size());
        QList<pxval_t> values(columns.size());
        QList<pxval_t*> pointers(columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            pxval_t& value = values[i];
            std::memset(&value, 0, sizeof value);
            value.type = typeOf(columns[i].kind);
            const QVariant given = row.value(i);
            value.isnull = !given.isValid();
            if (columns[i].kind == Kind::Alpha) {
                // pxlib crashes on a text longer than its field.
                texts[i] = cp1252::fromUnicode(given.toString()).left(columns[i].size);
                value.value.str.val = texts[i].data();
                value.value.str.len = int(texts[i].size());
                value.isnull = value.isnull || texts[i].isEmpty();
            } else if (columns[i].kind == Kind::Date && given.isValid()) {
                const QDate date = given.toDate();
                value.value.lval =
                    PX_GregorianToSdn(date.year(), date.month(), date.day()) - 1721425L;
            } else if (columns[i].kind == Kind::Logical) {
                value.value.lval = given.toBool() ? 1 : 0;
            } else {
                value.value.lval = long(given.toLongLong());
            }
            pointers[i] = &value;
        }
        ok = ok && PX_insert_record(doc, pointers.data()) >= 0;
    }
    PX_close(doc);
    PX_delete(doc);
    return ok;
}

} // namespace paradox_writer
