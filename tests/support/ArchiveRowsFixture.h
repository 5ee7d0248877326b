#pragma once

#include "TableFixture.h"

#include "report/ArchiveNumbering.h"

// The archive table with its standard index, and rows appended as the program numbers them.
class ArchiveRowsFixture : public TableFixture {
protected:
    ArchiveRowsFixture()
        : zt(store, QStringLiteral("zt")) {}

    void SetUp() override { ASSERT_TRUE(archive_table::ensureStandardIndex(zt)); }

    qint64 append(const QString& name = QStringLiteral("Kunde")) {
        return archive_table::appendRow(zt, {QVariant(), QStringLiteral("A-1"), name});
    }

    TableCursor zt;
};
