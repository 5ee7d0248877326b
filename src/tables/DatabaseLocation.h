#pragma once

#include <QString>

#include <optional>

// A PostgreSQL server holding a shared archive. The password never comes
// with it: the server's client library reads ~/.pgpass, PGPASSFILE or
// PGPASSWORD itself.
struct ServerAddress {
    QString user;
    QString host;
    int port = 5432;
    QString database;
    // Where the tables live inside the database; empty is the usual "public".
    QString schema;

    bool isSet() const { return !host.isEmpty(); }
    // "postgresql://USER@HOST:PORT/NAME"
    QString url() const;
    // Settings for the server's client library, with the schema as the search path.
    QString connectionInfo() const;

    // Only "postgresql://USER@HOST[:PORT]/NAME"; the German reason otherwise.
    static std::optional<ServerAddress> parse(const QString& url, QString* error);
};

// Where the tables are: the SQLite file in the data folder, or a server.
// The data folder stays in use either way (settings, backups, the lock).
struct DatabaseLocation {
    QString folder;
    ServerAddress server;

    DatabaseLocation(const QString& dataFolder, const ServerAddress& on = {})
        : folder(dataFolder)
        , server(on) {}
};
