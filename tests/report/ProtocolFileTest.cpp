#include "report/ProtocolFile.h"
#include "report/ReportState.h"

#include "Golden.h"
#include "Printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace protocol_file;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Field {
    const char* name;
    QString Protokoll::*member;
    int offset;
    int width;
};

// The file layout, kept here apart from the code so that a moved field shows.
const Field kTextFields[] = {
    {"AuftragNr", &Protokoll::AuftragNr, 0, 25},
    {"Kunde1", &Protokoll::Kunde1, 25, 40},
    {"Kunde2", &Protokoll::Kunde2, 65, 40},
    {"Kunde3", &Protokoll::Kunde3, 105, 40},
    {"Nehmer1", &Protokoll::Nehmer1, 145, 35},
    {"Nehmer2", &Protokoll::Nehmer2, 180, 35},
    {"Nehmer3", &Protokoll::Nehmer3, 215, 35},
    {"Geraeteart", &Protokoll::Geraeteart, 250, 35},
    {"Hersteller", &Protokoll::Hersteller, 285, 25},
    {"Typenbezeichnung", &Protokoll::Typenbezeichnung, 310, 25},
    {"Schutzklasse", &Protokoll::Schutzklasse, 335, 5},
    {"Nennstrom", &Protokoll::Nennstrom, 340, 10},
    {"Seriennummer", &Protokoll::Seriennummer, 350, 25},
    {"Nennspannung", &Protokoll::Nennspannung, 375, 10},
    {"Nennleistung", &Protokoll::Nennleistung, 385, 10},
    {"FehlerZeile1", &Protokoll::FehlerZeile1, 395, 65},
    {"FehlerZeile2", &Protokoll::FehlerZeile2, 460, 80},
    {"FehlerZeile3", &Protokoll::FehlerZeile3, 540, 80},
    {"RepArbeitenZeile1", &Protokoll::RepArbeitenZeile1, 620, 60},
    {"RepArbeitenZeile2", &Protokoll::RepArbeitenZeile2, 680, 80},
    {"RepArbeitenZeile3", &Protokoll::RepArbeitenZeile3, 760, 80},
    {"Pruefung", &Protokoll::Pruefung, 840, 25},
    {"Messung1", &Protokoll::Messung1, 880, 30},
    {"Messung2", &Protokoll::Messung2, 910, 30},
    {"Messung3", &Protokoll::Messung3, 940, 30},
    {"Einheit1", &Protokoll::Einheit1, 970, 10},
    {"Einheit2", &Protokoll::Einheit2, 980, 10},
    {"Einheit3", &Protokoll::Einheit3, 990, 10},
    {"Wert1", &Protokoll::Wert1, 1000, 15},
    {"Wert2", &Protokoll::Wert2, 1015, 15},
    {"Wert3", &Protokoll::Wert3, 1030, 15},
    {"Termin", &Protokoll::Termin, 1064, 25},
    {"Ort", &Protokoll::Ort, 1089, 40},
    {"Datum", &Protokoll::Datum, 1129, 15},
};

struct Flag {
    const char* name;
    qint32 Protokoll::*member;
    int offset;
};

const Flag kFlags[] = {
    {"Besichtigung1", &Protokoll::Besichtigung1, 868},
    {"Besichtigung2", &Protokoll::Besichtigung2, 872},
    {"Besichtigung3", &Protokoll::Besichtigung3, 876},
    {"Satz1", &Protokoll::Satz1, 1048},
    {"Satz2", &Protokoll::Satz2, 1052},
    {"Satz3", &Protokoll::Satz3, 1056},
    {"Satz4", &Protokoll::Satz4, 1060},
};

// The texts a template brings along.
QString Protokoll::*const kTemplateTexts[] = {
    &Protokoll::AuftragNr,
    &Protokoll::Kunde1,
    &Protokoll::Kunde2,
    &Protokoll::Kunde3,
    &Protokoll::Nehmer1,
    &Protokoll::Nehmer2,
    &Protokoll::Nehmer3,
    &Protokoll::Geraeteart,
    &Protokoll::Hersteller,
    &Protokoll::Typenbezeichnung,
    &Protokoll::Nennstrom,
    &Protokoll::Seriennummer,
    &Protokoll::Nennspannung,
    &Protokoll::Nennleistung,
    &Protokoll::FehlerZeile1,
    &Protokoll::FehlerZeile2,
    &Protokoll::FehlerZeile3,
    &Protokoll::RepArbeitenZeile1,
    &Protokoll::RepArbeitenZeile2,
    &Protokoll::RepArbeitenZeile3,
    &Protokoll::Ort,
    &Protokoll::Datum,
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

// The image with `content` written over it from `offset` on.
QByteArray with(QByteArray image, int offset, const QByteArray& content) {
    return image.replace(offset, content.size(), content);
}

// A distinct text per field: the field's own letter, `length` times.
QString marker(int index, int length) {
    return QString(length, QChar('A' + index));
}

// Every member that the file holds is set, with umlauts where the field allows them.
Protokoll fullRecord() {
    Protokoll r;
    r.AuftragNr = "2011/0815";
    r.Kunde1 = "Müller & Söhne GmbH";
    r.Kunde2 = "Hauptstraße 5";
    r.Kunde3 = "12345 Großenhain";
    r.Nehmer1 = "Elektro Weiß";
    r.Nehmer2 = "Am Ölberg 1";
    r.Nehmer3 = "01234 Dölzig";
    r.Geraeteart = "Bohrmaschine";
    r.Hersteller = "Bäcker";
    r.Typenbezeichnung = "BM-500 €";
    r.Schutzklasse = "1e";
    r.Nennstrom = "2,3";
    r.Seriennummer = "SN 4711";
    r.Nennspannung = "230";
    r.Nennleistung = "500";
    r.FehlerZeile1 = "Gerät läuft nicht an";
    r.FehlerZeile2 = "Schalter klemmt";
    r.FehlerZeile3 = "riecht verschmort";
    r.RepArbeitenZeile1 = "Schalter getauscht";
    r.RepArbeitenZeile2 = "Kohlebürsten erneuert";
    r.RepArbeitenZeile3 = "Zuleitung gekürzt";
    r.Pruefung = "DIN VDE 0701-0702(2)";
    r.Besichtigung1 = 1;
    r.Besichtigung3 = 1;
    r.Messung1 = "Isolationswiderstand";
    r.Messung2 = "Schutzleiterwiderstand";
    r.Messung3 = "Differenzstrom";
    r.Einheit1 = "MW";
    r.Einheit2 = "W";
    r.Einheit3 = "mA";
    r.Wert1 = ">20.0";
    r.Wert2 = "0.12";
    r.Wert3 = "0.45";
    r.Satz1 = 1;
    r.Satz2 = 1;
    r.Satz4 = 1;
    r.Termin = "März 2012";
    r.Ort = "Großenhain";
    r.Datum = "01.03.2011";
    r.Diff = 1;
    r.Niso = 0;
    r.Ordnung = "j";
    return r;
}

TEST(BuildImage, EmptyRecordIsAllZero) {
    EXPECT_EQ(buildProtocolImage(Protokoll{}), QByteArray(kImageSize, '\0'));
}

TEST(BuildImage, EveryTextAtItsOffsetPaddedWithZeros) {
    // Short texts, texts one shorter than their field and texts too long for
    // it: the padding, the single closing zero and the cut show in every field.
    enum Length { Short, OneShorter, TooLong };
    for (Length length : {Short, OneShorter, TooLong}) {
        SCOPED_TRACE(length);
        Protokoll record;
        QByteArray expected(kImageSize, '\0');
        for (int i = 0; i < std::ssize(kTextFields); ++i) {
            const Field& f = kTextFields[i];
            const int stored = length == Short ? 2 : f.width - 1;
            record.*f.member = marker(i, length == TooLong ? f.width + 5 : stored);
            expected = with(expected, f.offset, marker(i, stored).toLatin1());
        }
        const QByteArray image = buildProtocolImage(record);
        ASSERT_EQ(image.size(), kImageSize);
        for (const Field& f : kTextFields)
            EXPECT_EQ(image.mid(f.offset, f.width), expected.mid(f.offset, f.width)) << f.name;
        // Everything outside the texts is padding or a flag left at zero.
        EXPECT_EQ(image, expected);
    }
}

TEST(BuildImage, FlagsAndMethodBytesAtTheirOffsets) {
    struct Case {
        std::string name;
        std::function<void(Protokoll&)> set;
        int offset;
        QByteArray stored;
    };
    std::vector<Case> cases = {
        {"Diff", [](Protokoll& r) { r.Diff = 1; }, 1144, bytes({1})},
        {"Niso", [](Protokoll& r) { r.Niso = 1; }, 1145, bytes({1})},
        {"Ordnung", [](Protokoll& r) { r.Ordnung = "j"; }, 1146, bytes({1})},
        // Flags are stored as they stand, little-endian.
        {"Satz2 as it stands", [](Protokoll& r) { r.Satz2 = 0x01020304; }, 1052,
         bytes({4, 3, 2, 1})},
    };
    for (const Flag& flag : kFlags) {
        cases.push_back({flag.name, [member = flag.member](Protokoll& r) { r.*member = 1; },
                         flag.offset, bytes({1, 0, 0, 0})});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Protokoll record;
        c.set(record);
        EXPECT_EQ(buildProtocolImage(record),
                  with(QByteArray(kImageSize, '\0'), c.offset, c.stored));
    }
}

TEST(BuildImage, OrdnungByteIsOneOnlyForLowercaseJ) {
    const std::pair<QString, char> cases[] = {{"j", 1}, {"n", 0}, {"", 0}, {"J", 0}, {" j", 0}};
    for (const auto& [ordnung, stored] : cases) {
        Protokoll record;
        record.Ordnung = ordnung;
        EXPECT_EQ(buildProtocolImage(record).at(1146), stored) << ordnung.toStdString();
    }
}

TEST(BuildImage, TextsAreWindows1252AndCutToLeaveOneZero) {
    struct Case {
        const char* what;
        QString Protokoll::*member;
        QString text;
        int offset;
        QByteArray field; // the whole field as stored
    };
    const Case cases[] = {
        {"umlaut", &Protokoll::AuftragNr, "Prüfung", 0,
         bytes({0x50, 0x72, 0xfc, 0x66, 0x75, 0x6e, 0x67}) + QByteArray(18, '\0')},
        {"euro sign and sharp s", &Protokoll::Schutzklasse, "€ß", 335,
         bytes({0x80, 0xdf, 0, 0, 0})},
        {"outside the code page", &Protokoll::Nennleistung, "5 Ω", 385,
         bytes({'5', ' ', '?'}) + QByteArray(7, '\0')},
        {"one too long", &Protokoll::AuftragNr, QString(25, 'x'), 0,
         QByteArray(24, 'x') + bytes({0})},
        {"far too long", &Protokoll::Schutzklasse, "1234567", 335, bytes({'1', '2', '3', '4', 0})},
        {"too long in umlauts", &Protokoll::Datum, QString(20, QChar(0xe4)), 1129,
         QByteArray(14, '\xe4') + bytes({0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Protokoll record;
        record.*c.member = c.text;
        // The field behind each of them keeps its own text.
        record.Kunde1 = "K";
        record.Nennstrom = "N";
        const QByteArray image = buildProtocolImage(record);
        EXPECT_EQ(image.mid(c.offset, c.field.size()).toHex(' '), c.field.toHex(' '));
        EXPECT_EQ(image.at(25), 'K');
        EXPECT_EQ(image.at(340), 'N');
        EXPECT_EQ(image.at(1144), '\0');
    }
}

TEST(ParseImage, FullRecordRoundTrips) {
    for (const QString& ordnung : {QStringLiteral("j"), QStringLiteral("n")}) {
        Protokoll record = fullRecord();
        record.Ordnung = ordnung;
        record.Niso = 1;
        record.Satz3 = 1;
        EXPECT_EQ(parseProtocolImage(buildProtocolImage(record)), record);
    }
}

TEST(ParseImage, ArchiveOnlyMembersStayEmptyAndEmptyOrdnungReadsN) {
    Protokoll record = fullRecord();
    record.Alles = "Isolationswiderstand >20.0 MOhm";
    record.Dateiname = "a.pro";
    record.Gefunden = 1;
    record.Kundennummer = 17;
    record.Ordnung = "";
    Protokoll expected = fullRecord();
    expected.Ordnung = "n";
    EXPECT_EQ(parseProtocolImage(buildProtocolImage(record)), expected);
}

TEST(ParseImage, FieldsWithoutZeroByteEndAtTheFieldBoundary) {
    // Every field filled to the brim with its own letter, no zero byte anywhere.
    QByteArray image(kImageSize, '\0');
    for (int i = 0; i < std::ssize(kTextFields); ++i)
        image = with(image, kTextFields[i].offset, marker(i, kTextFields[i].width).toLatin1());
    image = with(image, 1144, bytes({1, 0, 2}));
    const Protokoll record = parseProtocolImage(image);
    for (int i = 0; i < std::ssize(kTextFields); ++i) {
        const Field& f = kTextFields[i];
        EXPECT_EQ(record.*f.member, marker(i, f.width)) << f.name;
    }
    EXPECT_EQ(record.Diff, 1);
    EXPECT_EQ(record.Niso, 0);
    EXPECT_EQ(record.Ordnung, "j");
}

TEST(ParseImage, BytesAfterTheFirstZeroAreIgnored) {
    const QByteArray image = with(QByteArray(kImageSize, '\0'), 840, "DIN\0VDE 0702"_ba);
    EXPECT_EQ(parseProtocolImage(image).Pruefung, "DIN");
}

// The record and state a user has on screen before opening a file.
struct Current {
    Protokoll record;
    ReportState state;
};

Current somethingOpen() {
    Current c;
    c.record.AuftragNr = "alt";
    c.record.Besichtigung2 = 1;
    c.record.Alles = "alles";
    c.record.Dateiname = "vorher.pro";
    c.record.Gefunden = 1;
    c.record.Kundennummer = 99;
    c.record.Ordnung = "n";
    c.state.protectionClass = 2;
    c.state.testKind = 1;
    c.state.oldNorm = 0;
    c.state.diff = 0;
    c.state.niso = 1;
    c.state.values = {"a", "b", "c"};
    c.state.notInOrder = 1;
    c.state.newReport = 1;
    c.state.templateUsed = 1;
    c.state.contractorLine1 = "Firma";
    c.state.contractorLine2 = "Weg";
    c.state.contractorLine3 = "Ort";
    return c;
}

TEST(ReadForOpen, TakesTheFileAndDerivesTheState) {
    Protokoll file = fullRecord();
    file.Wert3 = "1.2345678";
    Current current = somethingOpen();
    readForOpen(buildProtocolImage(file), current.record, current.state);

    Protokoll expectedRecord = file;
    expectedRecord.Alles = "alles";
    expectedRecord.Dateiname = "vorher.pro";
    expectedRecord.Gefunden = 1;
    expectedRecord.Kundennummer = 99;
    EXPECT_EQ(current.record, expectedRecord);

    ReportState expectedState = somethingOpen().state;
    expectedState.protectionClass = 4;
    expectedState.testKind = 2;
    expectedState.oldNorm = 0;
    expectedState.diff = 1;
    expectedState.niso = 0;
    expectedState.values = {">20.0", "0.12", "1.2345"};
    expectedState.notInOrder = 0;
    EXPECT_EQ(current.state, expectedState);
}

TEST(ReadForOpen, KeepsTheVerdictOfTheFile) {
    for (const char* verdict : {"j", "n"}) {
        Protokoll file = fullRecord();
        file.Ordnung = verdict;
        Current current = somethingOpen();
        current.record.Ordnung = verdict == QLatin1String("j") ? "n" : "j";
        current.state.notInOrder = verdict == QLatin1String("j") ? 1 : 0;
        readForOpen(buildProtocolImage(file), current.record, current.state);
        EXPECT_EQ(current.record.Ordnung, verdict);
        EXPECT_EQ(current.state.notInOrder, verdict == QLatin1String("n") ? 1 : 0) << verdict;
        EXPECT_EQ(buildProtocolImage(current.record), buildProtocolImage(file)) << verdict;
    }
}

TEST(ReadForOpen, OldWordingUnknownClassAndMethodBytes) {
    struct Case {
        QString schutzklasse;
        QString pruefung;
        quint8 diff;
        quint8 niso;
        int testKindBefore;
        int protectionClass;
        int testKind;
        int oldNorm;
    };
    // Each case changes what the state held before, except where a value is kept.
    const Case cases[] = {
        {"3", "DIN VDE 0702", 0, 1, 1, 3, 2, 1},
        {"1 ", "DIN VDE 0701", 1, 0, 2, 1, 1, 1},
        {"", "DIN VDE 0701-0702(1)", 0, 0, 2, 2, 1, 0},
        {"9", "Sichtprüfung", 1, 1, 2, 2, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pruefung.toStdString());
        Protokoll file;
        file.Schutzklasse = c.schutzklasse;
        file.Pruefung = c.pruefung;
        file.Diff = c.diff;
        file.Niso = c.niso;
        Current current = somethingOpen();
        current.state.testKind = c.testKindBefore;
        current.state.oldNorm = !c.oldNorm;
        current.state.diff = !c.diff;
        current.state.niso = !c.niso;
        readForOpen(buildProtocolImage(file), current.record, current.state);
        EXPECT_EQ(current.state.protectionClass, c.protectionClass);
        EXPECT_EQ(current.state.testKind, c.testKind);
        EXPECT_EQ(current.state.oldNorm, c.oldNorm);
        EXPECT_EQ(current.state.diff, c.diff);
        EXPECT_EQ(current.state.niso, c.niso);
        EXPECT_EQ(current.record.Diff, c.diff);
        EXPECT_EQ(current.record.Niso, c.niso);
    }
}

TEST(ReadForOpen, ValuesAreTheFirstSixCharactersOfTheValueFields) {
    const std::pair<QByteArray, QString> cases[] = {
        {"123456789012345", "123456"},
        {"1234567", "123456"},
        {"F 1", "F 1"},
        {"12\0xyz"_ba, "12"},
        {bytes({0xe4}) + "23456", "ä23456"},
    };
    for (const auto& [field, value] : cases) {
        SCOPED_TRACE(value.toStdString());
        QByteArray image(kImageSize, '\0');
        for (int offset : {1000, 1015, 1030})
            image = with(image, offset, field);
        Current current = somethingOpen();
        readForOpen(image, current.record, current.state);
        EXPECT_EQ(current.state.values, (std::array<QString, 3>{value, value, value}));
    }
}

TEST(ReadTemplate, TakesOrderCustomerAndDeviceButNotTheMeasurement) {
    Protokoll current = fullRecord();
    current.Alles = "alles";
    current.Kundennummer = 5;
    current.Gefunden = 1;
    current.Niso = 1;
    current.Besichtigung2 = 1;
    current.Satz3 = 1;

    // A saved report that differs from the current one in every text and mark.
    Protokoll file;
    for (int i = 0; i < std::ssize(kTextFields); ++i)
        file.*kTextFields[i].member = marker(i, 3);
    for (const Flag& flag : kFlags)
        file.*flag.member = 1;
    file.Diff = 0;
    file.Niso = 0;
    file.Ordnung = "n";

    Protokoll expected = current;
    for (const auto member : kTemplateTexts)
        expected.*member = file.*member;
    for (const Flag& flag : kFlags)
        expected.*flag.member = 0;

    readTemplate(buildProtocolImage(file), current);
    EXPECT_EQ(current, expected);
}

class ProtocolFileOnDisk : public testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    void writeBytes(const QString& name, const QByteArray& content) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    QTemporaryDir dir_;
};

TEST_F(ProtocolFileOnDisk, MissingFileIsRefusedByName) {
    const ReadResult result = readProtocolFile(path("fehlt.pro"));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.image.isEmpty());
    EXPECT_EQ(result.error, "Die Datei \"" + QDir::toNativeSeparators(path("fehlt.pro")) +
                                "\" kann nicht geöffnet werden.");
}

TEST_F(ProtocolFileOnDisk, FolderIsRefusedByName) {
    const ReadResult result = readProtocolFile(dir_.path());
    EXPECT_EQ(result.error, "Die Datei \"" + QDir::toNativeSeparators(dir_.path()) +
                                "\" kann nicht geöffnet werden.");
}

TEST_F(ProtocolFileOnDisk, ShortFileIsRefusedWithItsLength) {
    // A placeholder in the name must come out as it is.
    const QString name = path("kurz %2.pro");
    const std::pair<int, QString> cases[] = {{0, "0"}, {1, "1"}, {1147, "1147"}};
    for (const auto& [size, sizeText] : cases) {
        SCOPED_TRACE(size);
        writeBytes("kurz %2.pro", QByteArray(size, 'x'));
        const ReadResult result = readProtocolFile(name);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.image.isEmpty());
        EXPECT_EQ(result.error, "Die Datei \"" + QDir::toNativeSeparators(name) +
                                    "\" ist keine Protokolldatei: Sie ist nur " + sizeText +
                                    " Bytes lang, eine Protokolldatei hat 1148 Bytes.");
    }
}

TEST_F(ProtocolFileOnDisk, FullOrLongerFileGivesItsFirst1148Bytes) {
    QByteArray content;
    for (int i = 0; i < 1200; ++i)
        content.append(static_cast<char>(i * 7));
    for (int size : {1148, 1200}) {
        SCOPED_TRACE(size);
        writeBytes("ok.pro", content.left(size));
        const ReadResult result = readProtocolFile(path("ok.pro"));
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.error, QString());
        EXPECT_EQ(result.image, content.left(kImageSize));
    }
}

TEST_F(ProtocolFileOnDisk, WriteIntoMissingFolderIsReported) {
    const QString target = path("gibt-es-nicht/bericht.pro");
    const auto error = writeProtocolFile(target, buildProtocolImage(fullRecord()));
    ASSERT_TRUE(error.has_value());
    const QString prefix =
        "Die Datei \"" + QDir::toNativeSeparators(target) + "\" konnte nicht geschrieben werden: ";
    EXPECT_TRUE(error->startsWith(prefix)) << error->toStdString();
    EXPECT_GT(error->size(), prefix.size()) << "the reason is missing";
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(ProtocolFileOnDisk, WrittenReportReadsBackAndReplacesALongerFile) {
    writeBytes("bericht.pro", QByteArray(3000, 'x'));
    const Protokoll record = fullRecord();
    EXPECT_EQ(writeProtocolFile(path("bericht.pro"), buildProtocolImage(record)), std::nullopt);
    EXPECT_EQ(QFileInfo(path("bericht.pro")).size(), kImageSize);

    const ReadResult result = readProtocolFile(path("bericht.pro"));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(parseProtocolImage(result.image), record);
}

TEST_F(ProtocolFileOnDisk, WrittenReportIsTheCheckedInFileAndReadsBackFromIt) {
    ASSERT_EQ(writeProtocolFile(path("voll.pro"), buildProtocolImage(fullRecord())), std::nullopt);
    QFile written(path("voll.pro"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    expectGolden("full-report.pro", written.readAll());

    const ReadResult result = readProtocolFile(goldenPath("full-report.pro"));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(parseProtocolImage(result.image), fullRecord());
}

} // namespace
