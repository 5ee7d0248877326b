// The whole archive exported by the program itself (ztd --export, a process
// of its own) beside the sqlite3 tool writing the same table in the same
// layout: "§" after every field, CR LF lines, customer and contractor
// addresses joined, dates as dd.mm.yyyy and yes/no as "ja"/"nein". The tool
// writes UTF-8 where the program writes Windows-1252; the first iteration
// checks that both files hold the same text.
#include "ArchiveBenchmarks.h"

#include "archive_output/TextExport.h"
#include "common/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace bench {
namespace {

QString date(const char* column) {
    return QStringLiteral("CASE WHEN length(z.%1) = 10 THEN substr(z.%1, 9, 2) || '.' || "
                          "substr(z.%1, 6, 2) || '.' || substr(z.%1, 1, 4) ELSE '' END")
        .arg(QLatin1String(column));
}

QString yesNo(const char* column) {
    return QStringLiteral("CASE WHEN z.%1 THEN 'ja' ELSE 'nein' END").arg(QLatin1String(column));
}

QString column(const char* name) {
    return QLatin1String("z.") + QLatin1String(name);
}

QString contractor(const char* column) {
    return QStringLiteral("(SELECT %1 FROM kunden WHERE Kundennummer = 0 ORDER BY rowid LIMIT 1)")
        .arg(QLatin1String(column));
}

// The export's 45 columns, under the export's own header texts.
QString exportQuery() {
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
    // Every field, the last one too, is followed by the separator.
    values << QStringLiteral("''");
    const QStringList headers = text_export::headerLine().split(u'§');
    QStringList named;
    for (int i = 0; i < values.size(); ++i)
        named << QStringLiteral("%1 AS \"%2\"").arg(values[i], headers[i]);
    return QStringLiteral("SELECT %1 FROM zt z LEFT JOIN kunden k ON k.Kundennummer = "
                          "z.Kundennummer AND z.Kundennummer > 0 ORDER BY z.Zaehler")
        .arg(named.join(QLatin1String(", ")));
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
            fprintf(stderr, "Zeile %lld:\n  ztd:     %s  sqlite3: %s", *lines,
                    qPrintable(cp1252::toUnicode(a)), b.constData());
    }
    return differing;
}

void fullExport(benchmark::State& state, const Dataset& data) {
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty()) {
        state.SkipWithError("sqlite3 fehlt (Debian-Paket sqlite3)");
        return;
    }
    // Beside the archive, on the same disk.
    QTemporaryDir folder(QDir(dataFolder()).filePath(QStringLiteral("export-XXXXXX")));
    const QString oursPath = folder.filePath(QStringLiteral("ztd.txt"));
    const QString rawPath = folder.filePath(QStringLiteral("sqlite3.txt"));
    const QString query = exportQuery();
    bool checked = false;
    compare(
        state,
        [&] {
            QProcess ztd;
            run(ztd, QStringLiteral(ZTD_BINARY),
                {QStringLiteral("--data"), data.folder(), QStringLiteral("--export"), oursPath});
        },
        {[&] {
             QProcess tool;
             tool.setStandardOutputFile(rawPath);
             run(tool, sqlite3,
                 {QStringLiteral("-init"), QStringLiteral("/dev/null"), QStringLiteral("-readonly"),
                  QStringLiteral("-batch"), QStringLiteral("-list"), QStringLiteral("-header"),
                  QStringLiteral("-separator"), QStringLiteral("§"), QStringLiteral("-newline"),
                  QStringLiteral("\r\n"), data.path, query});
         },
         [&] {
             if (!checked) {
                 checked = true;
                 qint64 lines = 0;
                 state.counters["differing_lines"] = differingLines(oursPath, rawPath, &lines);
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
