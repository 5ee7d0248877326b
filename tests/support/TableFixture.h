#pragma once

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fresh data folder with its store for each test.
class TableFixture : public ::testing::Test {
protected:
    TableFixture()
        : store(test_database::location(dir.path()), prompter) {
        store.setBusyTimeout(50);
    }

    // Archive rows as (Zaehler, Auftraggeber, Kundennummer, Termin).
    void addArchiveRows(const QList<std::tuple<int, QString, int, QString>>& rows) {
        TableCursor zt(store, QStringLiteral("zt"));
        ASSERT_TRUE(zt.open());
        // One transaction: thousands of rows need not wait for the disk each.
        ASSERT_TRUE(store.begin(QStringLiteral("zt")));
        for (const auto& [number, name, customer, date] : rows) {
            QVariantList values(44);
            values[0] = number;
            values[2] = name;
            values[34] = date;
            values[40] = customer;
            for (int i : {1,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                          17, 21, 22, 23, 24, 25, 26, 27, 28, 29, 35, 36, 37, 38, 41})
                values[i] = QString();
            for (int i : {18, 19, 20, 30, 31, 32, 33, 39, 42, 43})
                values[i] = false;
            ASSERT_TRUE(zt.insertRecord(values)) << prompter.messages().join('\n').toStdString();
        }
        ASSERT_TRUE(store.commit(QStringLiteral("zt")));
    }

    void addCustomers(const QList<std::pair<int, QString>>& rows) {
        TableCursor kunden(store, QStringLiteral("kunden"));
        ASSERT_TRUE(kunden.open());
        for (const auto& [number, name] : rows)
            ASSERT_TRUE(kunden.insertRecord({number, name}));
    }

    // The contractor (number 0) and customer 3 with their addresses, in
    // number order under "Standard".
    void addAddressBook() {
        TableCursor k(store, QStringLiteral("kunden"));
        ASSERT_TRUE(k.open());
        ASSERT_TRUE(
            k.insertRecord({0, QStringLiteral("Elektro Schulze"), QStringLiteral("Industrieweg 4"),
                            QStringLiteral("54321 Beispielheim")}));
        ASSERT_TRUE(k.insertRecord({3, QStringLiteral("Müller"), QStringLiteral("Hauptstraße 12"),
                                    QStringLiteral("12345 Musterstadt")}));
        k.close();
        ASSERT_TRUE(k.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer")));
    }

    // Every customer row as "number|name|street|place", in the order of the
    // index given (key order without one).
    QStringList customerRows(const QString& index = {}) {
        TableCursor kunden(store, QStringLiteral("kunden"));
        kunden.open();
        kunden.setIndexName(index);
        QStringList rows;
        for (kunden.first(); !kunden.eof(); kunden.next())
            rows << QStringList{kunden.text("Kundennummer"), kunden.text("Auftraggeber"),
                                kunden.text("AuftraggeberStrasse"), kunden.text("AuftraggeberOrt")}
                        .join('|');
        return rows;
    }

    // The values of one field over the rows the cursor visits from first to last.
    static QStringList column(TableCursor& cursor, const QString& field) {
        QStringList values;
        for (cursor.first(); !cursor.eof(); cursor.next())
            values << cursor.text(field);
        return values;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TableStore store;
};
