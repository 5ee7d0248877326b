#include "ImportSources.h"

#include "ArchiveGenerator.h"
#include "report/ProtocolFile.h"

#include <QDate>
#include <QDir>

#include <cstdio>

namespace import_sources {
namespace {

using archive_generator::Random;

struct Customer {
    QString name;
    QString street;
    QString town;
};

// Two hundred customers the generated archives know, and a hundred new ones.
QList<Customer> customers() {
    QList<Customer> list;
    const QStringList known = archive_generator::customerNames();
    for (int i = 0; i < 200; ++i) {
        const int index = i * 10 + i % 7;
        list << Customer{known[index], QStringLiteral("Hauptstraße %1").arg(index % 120 + 1),
                         QStringLiteral("%1 Musterstadt").arg(10000 + index * 37)};
    }
    const QStringList surnames{"Vogel",   "Friedrich", "Keller",    "Günther", "Berger",
                               "Winkler", "Roth",      "Lorenz",    "Baumann", "Franke",
                               "Böhm",    "Winter",    "Krämer",    "Jäger",   "Groß",
                               "Seidel",  "Brandt",    "Schreiber", "Kühn",    "Pfeiffer"};
    const QStringList forms{"Elektro %1", "%1 Haustechnik", "Bäckerei %1", "%1 & Partner",
                            "Pflegeheim %1"};
    for (const QString& form : forms)
        for (const QString& surname : surnames)
            list << Customer{form.arg(surname),
                             QStringLiteral("Am Markt %1").arg(list.size() % 40 + 1),
                             QStringLiteral("%1 Neustadt").arg(20000 + list.size() * 13)};
    return list;
}

struct Device {
    const char* kind;
    const char* maker;
    const char* type;
    int protectionClass;
    const char* current;
    const char* power;
};

const Device kDevices[] = {
    {"Bohrmaschine", "Bosch", "GSB 18", 2, "3,5", "750"},
    {"Winkelschleifer", "Makita", "GA 9020", 2, "10", "2200"},
    {"Wasserkocher", "Siemens", "TW 86103", 1, "10", "2200"},
    {"Kühlschrank", "Liebherr", "K 2834", 1, "0,5", "90"},
    {"Staubsauger", "Miele", "S 8340", 2, "3,9", "900"},
    {"Verlängerungskabel", "Brennenstuhl", "H07RN-F 25m", 1, "16", ""},
    {"Kaffeemaschine", "Jura", "E8", 1, "6,3", "1450"},
    {"Monitor", "Dell", "P2419H", 1, "0,3", "45"},
    {"Drucker", "Brother", "HL-L2350DW", 1, "2,5", "480"},
    {"Mikrowelle", "Panasonic", "NN-E22", 1, "5", "1150"},
    {"Kreissäge", "Festool", "HK 55", 2, "5,5", "1200"},
    {"Heizlüfter", "Rowenta", "SO 2330", 2, "8,7", "2000"},
    {"Ladegerät", "Ctek", "MXS 5.0", 2, "0,6", "60"},
    {"Tischleuchte", "Osram", "Lunetta", 2, "0,1", "9"},
    {"Toaster", "WMF", "Lono", 1, "3,9", "900"},
    {"Schweißgerät", "Lorch", "MicorStick 160", 1, "16", "5100"},
    {"Netzteil", "Meanwell", "RS-75-24", 2, "0,8", "75"},
    {"Baustrahler", "Brennenstuhl", "L DN 9050", 1, "0,4", "50"},
    {"Rasierapparat", "Braun", "Series 5", 3, "0,1", "5"},
    {"Steckdosenleiste", "Bachmann", "SMART 6", 1, "16", ""},
};

const char* const kFaults[][2] = {
    {"Zuleitung am Knickschutz beschädigt", "Zuleitung erneuert"},
    {"Gehäuse gerissen", "Gehäuse getauscht"},
    {"Stecker lose", "Stecker neu angeschlossen"},
    {"Schalter klemmt", "Schalter getauscht"},
};

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// A value as the tester shows it: five characters, blanks in front.
QString value(Random& random, int whole, int tenths) {
    return QStringLiteral("%1.%2")
        .arg(random.below(whole))
        .arg(random.below(tenths))
        .rightJustified(5, u' ');
}

void setMeasurements(Protokoll& r, int protectionClass, Random& random) {
    if (protectionClass == 1) {
        r.Messung1 = QStringLiteral("Schutzleiterwiderstand");
        r.Einheit1 = QStringLiteral("W");
        r.Wert1 = QStringLiteral(" 0.%1").arg(random.below(28) + 2, 2, 10, QLatin1Char('0'));
        r.Messung2 = QStringLiteral("Isolationswiderstand");
        r.Einheit2 = QStringLiteral("MW");
        r.Wert2 = random.below(5) ? QStringLiteral(">20.0") : value(random, 20, 10);
        r.Messung3 = QStringLiteral("Ersatzableitstrom");
        r.Einheit3 = QStringLiteral("mA");
        r.Wert3 = value(random, 2, 10);
    } else if (protectionClass == 2) {
        r.Messung1 = QStringLiteral("Isolationswiderstand");
        r.Einheit1 = QStringLiteral("MW");
        r.Wert1 = QStringLiteral(">20.0");
        r.Messung2 = QStringLiteral("Berührungsstrom");
        r.Einheit2 = QStringLiteral("mA");
        r.Wert2 = value(random, 1, 10);
    } else {
        r.Messung1 = QStringLiteral("Isolationswiderstand");
        r.Einheit1 = QStringLiteral("MW");
        r.Wert1 = QStringLiteral(">20.0");
    }
}

Protokoll report(int number, const QList<Customer>& customers, Random& random) {
    // A few customers bring most of the work.
    const int pick = random.below(int(customers.size()));
    const Customer& customer = customers[random.below(3) ? pick % 60 : pick];
    const Device& device = kDevices[random.below(int(std::size(kDevices)))];
    const QDate tested = QDate(2024, 1, 2).addDays(random.below(3 * 365));
    Protokoll r;
    r.AuftragNr =
        QStringLiteral("%1-%2").arg(tested.year()).arg(number / 25 + 1, 4, 10, QLatin1Char('0'));
    r.Kunde1 = customer.name;
    r.Kunde2 = customer.street;
    r.Kunde3 = customer.town;
    r.Nehmer1 = QStringLiteral("Elektro Schulze GmbH");
    r.Nehmer2 = QStringLiteral("Industrieweg 4");
    r.Nehmer3 = QStringLiteral("54321 Beispielheim");
    r.Geraeteart = QString::fromUtf8(device.kind);
    r.Hersteller = QString::fromUtf8(device.maker);
    r.Typenbezeichnung = QString::fromUtf8(device.type);
    r.Schutzklasse = QString::number(device.protectionClass);
    r.Nennstrom = QString::fromUtf8(device.current);
    r.Seriennummer = QStringLiteral("SN %1").arg(100000 + number * 7919 % 900000);
    r.Nennspannung = QStringLiteral("230");
    r.Nennleistung = QString::fromUtf8(device.power);
    const bool repaired = random.below(10) == 0;
    if (repaired) {
        const auto& fault = kFaults[random.below(int(std::size(kFaults)))];
        r.FehlerZeile1 = QString::fromUtf8(fault[0]);
        r.RepArbeitenZeile1 = QString::fromUtf8(fault[1]);
    }
    r.Pruefung =
        repaired ? QStringLiteral("DIN VDE 0701-0702(1)") : QStringLiteral("DIN VDE 0701-0702(2)");
    r.Besichtigung1 = r.Besichtigung2 = r.Besichtigung3 = 1;
    setMeasurements(r, device.protectionClass, random);
    r.Satz1 = r.Satz2 = r.Satz3 = 1;
    r.Satz4 = random.below(20) ? 1 : 0;
    r.Termin = dateText(tested.addYears(random.below(2) + 1));
    r.Ort = customer.town.section(u' ', 1);
    r.Datum = dateText(tested);
    r.Ordnung = r.Satz4 ? QStringLiteral("j") : QStringLiteral("n");
    return r;
}

} // namespace

QStringList ensureProtocolFiles(const QString& dataFolder, int count) {
    const QDir folder(QDir(dataFolder).filePath(QStringLiteral("protokolle-%1").arg(count)));
    const auto paths = [&] {
        QStringList list;
        for (const QString& name :
             folder.entryList({QStringLiteral("*.pro")}, QDir::Files, QDir::Name))
            list << folder.filePath(name);
        return list;
    };
    if (folder.exists())
        return paths();
    fprintf(stderr, "Erzeuge %d Protokolldateien in %s ...\n", count, qPrintable(folder.path()));
    const QString part = folder.path() + QStringLiteral(".part");
    QDir(part).removeRecursively();
    QDir().mkpath(part);
    const QList<Customer> known = customers();
    Random random;
    for (int i = 1; i <= count; ++i) {
        const QString path =
            QDir(part).filePath(QStringLiteral("%1.pro").arg(i, 5, 10, QLatin1Char('0')));
        if (const auto error = protocol_file::writeProtocolFile(
                path, protocol_file::buildProtocolImage(report(i, known, random)))) {
            fprintf(stderr, "%s\n", qPrintable(*error));
            std::abort();
        }
    }
    QDir().rename(part, folder.path());
    return paths();
}

QList<QByteArray> memoryEntries(int count) {
    const char* const classes[] = {"1 ", "2 ", "3 ", "1e"};
    Random random;
    QList<QByteArray> entries;
    for (int i = 1; i <= count; ++i) {
        const char* cls = classes[random.below(4)];
        QByteArray entry = QByteArray::number(i).rightJustified(4, ' ') + cls;
        entry += random.below(2) ? '1' : '2';
        entry += QStringLiteral(" 0.%1").arg(random.below(90) + 10).toLatin1();
        entry += random.below(4) ? ">20.0" : " 12.5";
        entry += QStringLiteral("  0.%1").arg(random.below(9) + 1).toLatin1();
        entry += random.below(5) ? 'F' : 'T';  // without insulation test
        entry += random.below(10) ? 'O' : 'F'; // in order
        entry += random.below(3) ? 'F' : 'D';  // differential current
        entries << entry.leftJustified(32, ' ');
    }
    return entries;
}

} // namespace import_sources
