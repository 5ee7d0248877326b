// The whole archive exported by the program itself (ztd --export, a process
// of its own) beside the same table written in the same layout by the
// engine directly (the sqlite3 tool; on a server, libpq): "§" after every
// field, CR LF lines, customer and contractor addresses joined, dates as
// dd.mm.yyyy and yes/no as "ja"/"nein". The reference writes UTF-8 where the
// program writes Windows-1252; the first iteration checks that both files
// hold the same text.
#include "ArchiveBenchmarks.h"

#include "archive_output/TextExport.h"
#include "common/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <libpq-fe.h>

namespace bench {
namespace {

QString date(const char* column) {
    return QStringLiteral("CASE WHEN length(z.%1) = 10 THEN substr(z.%1, 9, 2) || '.' || "
                          "substr(z.%1, 6, 2) || '.' || substr(z.%1, 1, 4) ELSE '' END")
        .arg(QLatin1String(column));
}

QString yesNo(const char* column) {
    return QStringLiteral("CASE WHEN z.%1 <> 0 THEN 'ja' ELSE 'nein' END")
        .arg(QLatin1String(column));
}

QString column(const char* name) {
    return QLatin1String("z.") + QLatin1String(name);
}

QString contractor(const char* column) {
    return QStringLiteral("(SELECT %1 FROM kunden WHERE Kundennummer = 0 ORDER BY rowid LIMIT 1)")
        .arg(QLatin1String(column));
}

// The export's 44 columns. For sqlite3 they are named by the export's own
// header texts and followed by an empty one, so that "§" ends each line.
QString exportQuery(bool forSqlite) {
    QStringList values{column("Zaehler"),
                       column("AuftragNr"),
                       column("Kundennummer"),
                       column("Auftraggeber"),
                       QStringLiteral("k.AuftraggeberStrasse"),
                       QStringLiteral("k.AuftraggeberOrt"),
                       contractor("Auftraggeber"),
                       contractor("AuftraggeberStrasse"),
                       contractor("AuftraggeberOrt")};
    for (const char* name :
         {"Geraeteart", "Hersteller", "Typenbezeichnung", "Seriennummer", "Nennstrom",
          "Nennspannung", "Nennleistung", "Pruefung", "Schutzklasse", "Ordnung"})
        values << column(name);
    for (const char* measurement : {"1", "2", "3"})
        for (const char* part : {"Messung", "Wert", "Einheit"})
            values << QStringLiteral("z.%1%2").arg(QLatin1String(part), QLatin1String(measurement));
    for (const char* flag :
         {"Besichtigung1", "Besichtigung2", "Besichtigung3", "Satz1", "Satz2", "Satz3", "Satz4"})
        values << yesNo(flag);
    values << date("Termin");
    for (const char* name : {"FehlerZeile1", "FehlerZeile2", "FehlerZeile3", "RepArbeitenZeile1",
                             "RepArbeitenZeile2", "RepArbeitenZeile3", "Ort"})
        values << column(name);
    values << date("Datum") << column("Dateiname");
    if (forSqlite) {
        values << QStringLiteral("''");
        const QStringList headers = text_export::headerLine().split(u'§');
        for (int i = 0; i < values.size(); ++i)
            values[i] = QStringLiteral("%1 AS \"%2\"").arg(values[i], headers[i]);
    }
    return QStringLiteral("SELECT %1 FROM zt z LEFT JOIN kunden k ON k.Kundennummer = "
                          "z.Kundennummer AND z.Kundennummer > 0 ORDER BY z.Zaehler")
        .arg(values.join(QLatin1String(", ")));
}

void run(QProcess& process, const QString& program, const QStringList& arguments) {
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        fprintf(stderr, "%s: %s\n", qPrintable(program), process.readAllStandardError().data());
        std::abort();
    }
}

// Line by line: the program's Windows-1252 against the tool's UTF-8. The
// number of lines that differ, the first of them told on standard error.
int differingLines(const QString& oursPath, const QString& rawPath, qint64* lines) {
    QFile ours(oursPath), raw(rawPath);
    if (!ours.open(QIODevice::ReadOnly) || !raw.open(QIODevice::ReadOnly))
        return -1;
    int differing = 0;
    *lines = 0;
    while (!ours.atEnd() || !raw.atEnd()) {
        const QByteArray a = ours.readLine();
        const QByteArray b = raw.readLine();
        ++*lines;
        if (cp1252::toUnicode(a) == QString::fromUtf8(b))
            continue;
        if (differing++ == 0)
            fprintf(stderr, "Zeile %lld:\n  ztd:    %s  direkt: %s", *lines,
                    qPrintable(cp1252::toUnicode(a)), b.constData());
    }
    return differing;
}

qint64 lineCount(const QString& path) {
    QFile file(path);
    qint64 lines = 0;
    if (file.open(QIODevice::ReadOnly))
        while (!file.atEnd())
            lines += file.readLine().isEmpty() ? 0 : 1;
    return lines;
}

void runSqliteTool(const Dataset& data, const QString& sqlite3, const QString& path) {
    QProcess tool;
    tool.setStandardOutputFile(path);
    run(tool, sqlite3,
        {QStringLiteral("-init"), QStringLiteral("/dev/null"), QStringLiteral("-readonly"),
         QStringLiteral("-batch"), QStringLiteral("-list"), QStringLiteral("-header"),
         QStringLiteral("-separator"), QStringLiteral("§"), QStringLiteral("-newline"),
         QStringLiteral("\r\n"), data.path, exportQuery(true)});
}

bool succeeded(PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    PQclear(result);
    return status == PGRES_COMMAND_OK;
}

// What the program reads for its export on a server: the address book, then
// the rows in their order.
const char* const kServerExportReads[] = {
    "SELECT Kundennummer, Auftraggeber, AuftraggeberStrasse, AuftraggeberOrt FROM kunden ORDER "
    "BY Kundennummer DESC, rowid DESC",
    "SELECT Zaehler, AuftragNr, Kundennummer, Auftraggeber, Geraeteart, Hersteller, "
    "Typenbezeichnung, Seriennummer, Nennstrom, Nennspannung, Nennleistung, Pruefung, "
    "Schutzklasse, Ordnung, Messung1, Wert1, Einheit1, Messung2, Wert2, Einheit2, Messung3, Wert3, "
    "Einheit3, Besichtigung1, Besichtigung2, Besichtigung3, Satz1, Satz2, Satz3, Satz4, Termin, "
    "FehlerZeile1, FehlerZeile2, FehlerZeile3, RepArbeitenZeile1, RepArbeitenZeile2, "
    "RepArbeitenZeile3, Ort, Datum, Dateiname FROM zt ORDER BY rowid"};

// On a server no tool writes the export's layout (psql cannot end each line
// with "§", COPY takes one-byte separators only, and either would have the
// server join and format what the program does itself). The reference is
// less than the program's work: the program's own statements read through
// libpq on a connection of their own, 1 000 rows a fetch, the header and
// each row's values written as they come with "§" after each, in UTF-8,
// without the addresses joined nor dates and yes/no turned into text.
void writeThroughLibpq(const Dataset& data, const QString& path) {
    PGconn* connection = PQconnectdb(data.server.connectionInfo().toUtf8().constData());
    QFile file(path);
    if (PQstatus(connection) != CONNECTION_OK || !file.open(QIODevice::WriteOnly)) {
        fprintf(stderr, "%s\n", PQerrorMessage(connection));
        std::abort();
    }
    const QByteArray separator = QStringLiteral("§").toUtf8();
    file.write(text_export::headerLine().toUtf8() + "\r\n");
    QByteArray buffer;
    for (const char* read : kServerExportReads) {
        if (!succeeded(PQexec(connection, "BEGIN")) ||
            !succeeded(PQexec(connection, (QLatin1String("DECLARE export NO SCROLL CURSOR FOR ") +
                                           quotedFields(QLatin1String(read)))
                                              .toUtf8()
                                              .constData()))) {
            fprintf(stderr, "%s\n", PQerrorMessage(connection));
            std::abort();
        }
        const bool addresses = read == kServerExportReads[0];
        for (;;) {
            PGresult* rows = PQexec(connection, "FETCH 1000 FROM export");
            const int count = PQntuples(rows);
            for (int row = 0; row < count; ++row) {
                for (int column = 0; column < PQnfields(rows); ++column) {
                    // The addresses are only read, the rows written.
                    if (addresses) {
                        benchmark::DoNotOptimize(PQgetvalue(rows, row, column));
                        continue;
                    }
                    buffer.append(PQgetvalue(rows, row, column), PQgetlength(rows, row, column));
                    buffer.append(separator);
                }
                if (!addresses)
                    buffer.append("\r\n");
            }
            PQclear(rows);
            if (count == 0 || buffer.size() > (1 << 20)) {
                file.write(buffer);
                buffer.truncate(0);
            }
            if (count == 0)
                break;
        }
        PQclear(PQexec(connection, "COMMIT"));
    }
    PQfinish(connection);
}

void fullExport(benchmark::State& state, const Dataset& data) {
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!data.onServer() && sqlite3.isEmpty()) {
        state.SkipWithError("sqlite3 fehlt (Debian-Paket sqlite3)");
        return;
    }
    // Beside the archive, on the same disk.
    QTemporaryDir folder(QDir(dataFolder()).filePath(QStringLiteral("export-XXXXXX")));
    const QString oursPath = folder.filePath(QStringLiteral("ztd.txt"));
    const QString rawPath = folder.filePath(QStringLiteral("direkt.txt"));
    QStringList arguments{QStringLiteral("--data"), data.folder()};
    if (data.onServer())
        arguments << QStringLiteral("--database") << data.server.url();
    arguments << QStringLiteral("--export") << oursPath;
    bool checked = false;
    compare(state,
            [&] {
                QProcess ztd;
                run(ztd, QStringLiteral(ZTD_BINARY), arguments);
            },
            {[&] {
                 if (data.onServer())
                     writeThroughLibpq(data, rawPath);
                 else
                     runSqliteTool(data, sqlite3, rawPath);
             },
             [&] {
                 if (!checked) {
                     checked = true;
                     qint64 lines = 0;
                     // On a server the reference writes other text: the lines are counted.
                     if (data.onServer()) {
                         lines = lineCount(oursPath);
                         state.counters["ref_lines"] = double(lineCount(rawPath));
                     } else {
                         state.counters["differing_lines"] =
                             differingLines(oursPath, rawPath, &lines);
                     }
                     state.counters["lines"] = double(lines);
                     state.counters["MB"] = double(QFileInfo(oursPath).size()) / 1e6;
                 }
                 QFile::remove(oursPath);
                 QFile::remove(rawPath);
             }});
}

} // namespace

void addExportBenchmarks(const Dataset& data) {
    add("FullExport", data, fullExport)->Iterations(5);
}

} // namespace bench
