#include "tables/FieldValues.h"
#include "tables/GermanCollation.h"

#include <gtest/gtest.h>

using namespace field_values;

TEST(FieldValues, DatesAreDayMonthYearAndMustExist) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.1.11", "2011-01-01"},
        {"31.12.2011", "2011-12-31"},
        {"29.02.2012", "2012-02-29"},
        {" 05.06.30 ", "2030-06-05"},
        {"29.02.2011", ""},
        {"31.04.2011", ""},
        {"00.01.2011", ""},
        {"01.00.2011", ""},
        {"1..2011", ""},
        {"1.1", ""},
        {"1.1.2011.1", ""},
        {"a.1.2011", ""},
        {"1.1.201", ""},
        {"-1.1.2011", ""},
        {"", ""},
    };
    for (const auto& [text, iso] : cases) {
        const auto date = parseDate(QString::fromUtf8(text));
        EXPECT_EQ(date ? dateToStored(*date) : QString(), QString::fromUtf8(iso)) << text;
    }
}

TEST(FieldValues, TextIntoEachFieldType) {
    const FieldDefinition name{QStringLiteral("Auftraggeber"), FieldType::Text, 5};
    const FieldDefinition date{QStringLiteral("Termin"), FieldType::Date, 0};
    const FieldDefinition flag{QStringLiteral("Satz1"), FieldType::Boolean, 0};
    const FieldDefinition number{QStringLiteral("Zaehler"), FieldType::Integer, 0};
    QString error;
    EXPECT_EQ(fromText(name, QStringLiteral("Müllerstraße"), &error)->toString(), "Mülle");
    EXPECT_EQ(fromText(date, QStringLiteral("1.1.11"), &error)->toString(), "2011-01-01");
    EXPECT_EQ(toText(date, QStringLiteral("2011-01-01")), "01.01.2011");
    EXPECT_EQ(toText(date, QString()), "");
    EXPECT_FALSE(fromText(date, QStringLiteral("30.02.2011"), &error));
    EXPECT_EQ(error, "'30.02.2011' ist kein gültiges Datum");
    for (const char* yes : {"ja", "j", "Ja", "JA"})
        EXPECT_EQ(fromText(flag, QLatin1String(yes), &error)->toLongLong(), 1) << yes;
    for (const char* no : {"nein", "n", "nei", "NEIN", ""})
        EXPECT_EQ(fromText(flag, QLatin1String(no), &error)->toLongLong(), 0) << no;
    EXPECT_FALSE(fromText(flag, QStringLiteral("jein"), &error));
    EXPECT_EQ(toText(flag, qint64(1)), "ja");
    EXPECT_EQ(toText(flag, qint64(0)), "nein");
    EXPECT_EQ(fromText(number, QStringLiteral(" 42 "), &error)->toLongLong(), 42);
    EXPECT_FALSE(fromText(number, QStringLiteral("4 2"), &error));
    EXPECT_EQ(error, "'4 2' ist kein gültiger Integerwert");
}

TEST(GermanCollation, FoldsCaseAndUmlautsAndOrdersGermanNames) {
    QStringList names{"Öl",     "Bart",    "apfel",  "Zander", "Bär",    "baer",   "Ofen",
                      "Straße", "Strasse", "Strand", "müller", "Müller", "Mueller"};
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return german_collation::compare(a, b) < 0;
    });
    EXPECT_EQ(names, (QStringList{"apfel", "baer", "Bär", "Bart", "Mueller", "müller", "Müller",
                                  "Ofen", "Öl", "Strand", "Straße", "Strasse", "Zander"}));
    EXPECT_EQ(german_collation::compare("MÜLLER", "müller"), 0);
    EXPECT_EQ(german_collation::compare("Straße", "STRASSE"), 0);
    EXPECT_LT(german_collation::compare("Mül", "Müller"), 0);
    EXPECT_LT(german_collation::compare("Müllerzzz", german_collation::upperBound("mül")), 0);
    EXPECT_GT(german_collation::compare("Mum", german_collation::upperBound("mül")), 0);
}

// Keys that share a long beginning, as an index build compares them most:
// the same order whether they part in a plain letter, in letter case, inside
// a two-byte letter or by a letter that folds to two.
TEST(GermanCollation, LongSharedBeginningsPartAsTheFoldedLettersSay) {
    const struct {
        const char* left;
        const char* right;
        int sign;
    } cases[] = {
        {"Elektrotechnik Müller", "ELEKTROTECHNIK MÜLLER", 0},
        {"Elektrotechnik Mueller", "Elektrotechnik Müller", -1},
        {"Elektrotechnik Straße 1", "Elektrotechnik Strasse 1", 0},
        {"Elektrotechnik Straße 1", "Elektrotechnik Strasse 2", -1},
        {"Elektrotechnik Ärger", "Elektrotechnik arger", 0},
        {"Elektrotechnik Öl", "Elektrotechnik Om", -1},
        {"Haushaltsgeräte ä", "Haushaltsgeräte ö", -1},
        {"Haushaltsgeräte Ä", "Haushaltsgeräte b", -1},
        {"Bauunternehmen", "Bauunternehmen Nord", -1},
        {"Bauunternehmen Z", "bauunternehmen a", 1},
        {"Bauunternehmen", "bauunternehmen", 0},
    };
    for (const auto& c : cases) {
        const QString left = QString::fromUtf8(c.left), right = QString::fromUtf8(c.right);
        const int forward = german_collation::compare(left, right);
        const int backward = german_collation::compare(right, left);
        EXPECT_EQ((forward > 0) - (forward < 0), c.sign) << c.left << " / " << c.right;
        EXPECT_EQ((backward > 0) - (backward < 0), -c.sign) << c.right << " / " << c.left;
    }
}
