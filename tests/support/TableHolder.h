#pragma once

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

// Another program on the file, or another PC on a server, holding a table so
// that this one cannot write to it: an exclusive cursor on the file, a bulk
// writer's lock on the server (where an exclusive cursor keeps no one out).
class TableHolder {
public:
    TableHolder(const QString& folder, const QString& table)
        : store_(test_database::location(folder), prompter_)
        , cursor_(store_, table)
        , table_(table) {}
    ~TableHolder() { release(); }

    bool hold() {
        if (test_database::onServer())
            return !store_.beginWrite(table_).has_value();
        cursor_.setExclusive(true);
        return cursor_.open();
    }
    void release() {
        if (test_database::onServer())
            store_.rollbackWrite();
        else
            cursor_.close();
    }
    // How the prompter records the failure it causes here.
    QString message() const {
        return test_database::onServer()
                   ? QStringLiteral("Fehler|Die Tabelle \"%1\" ist gerade von einem anderen "
                                    "Arbeitsplatz gesperrt. Bitte versuchen Sie es noch einmal.")
                         .arg(table_)
                   : QStringLiteral("Fehler|Die Tabelle \"%1\" ist von einem anderen Programm "
                                    "gesperrt. Bitte schließen Sie das andere Programm und "
                                    "versuchen Sie es noch einmal.")
                         .arg(table_);
    }

private:
    ScriptedPrompter prompter_;
    TableStore store_;
    TableCursor cursor_;
    QString table_;
};
