#include "tables/FilterExpression.h"

#include <gtest/gtest.h>

namespace {
struct Valid {
    const char* text;
    const char* sql;
    QVariantList values;
};
struct Invalid {
    const char* text;
    const char* reason;
};
} // namespace

TEST(FilterExpression, TextsTheProgramWrites) {
    const Valid cases[] = {
        {"", "", {}},
        {"   ", "", {}},
        {"Kundennummer>0", R"("Kundennummer" > ?)", {0}},
        {"Kundennummer=12", R"("Kundennummer" = ?)", {12}},
        {"Kundennummer='12'", R"("Kundennummer" = ?)", {12}},
        {"Auftraggeber='Meier' AND Termin<= 31.12.2011 ",
         R"("Auftraggeber" = ? AND ("Termin" <> '' AND "Termin" <= ?))",
         {"Meier", "2011-12-31"}},
        {"Kundennummer = 12 AND  Termin >=01.01.2011 AND Termin<=31.12.2011",
         R"("Kundennummer" = ? AND ("Termin" <> '' AND "Termin" >= ?) AND ("Termin" <> '' AND "Termin" <= ?))",
         {12, "2011-01-01", "2011-12-31"}},
        {"Satz1= 1 ", R"("Satz1" = ?)", {1}},
        {"Besichtigung2= 0 ", R"("Besichtigung2" = ?)", {0}},
        {"Zaehler> 100 ", R"("Zaehler" > ?)", {100}},
        {"Datum<>1.1.11", R"(("Datum" <> '' AND "Datum" <> ?))", {"2011-01-01"}},
        {"zaehler>1 and ZAEHLER<5 or Ort='Köln'",
         R"("Zaehler" > ? AND "Zaehler" < ? OR "Ort" = ?)",
         {1, 5, "Köln"}},
        // Apostrophes and keywords inside a value stay in the value.
        {"Auftraggeber='O'Brien' OR Ort='Köln'",
         R"("Auftraggeber" = ? OR "Ort" = ?)",
         {"O'Brien", "Köln"}},
        {"Auftraggeber='Meier AND Sohn'", R"("Auftraggeber" = ?)", {"Meier AND Sohn"}},
        {"Auftraggeber=''", R"("Auftraggeber" = ?)", {""}},
        {"Ort='a\" OR 1=1 --'", R"("Ort" = ?)", {"a\" OR 1=1 --"}},
        // A doubled apostrophe is one apostrophe of the value, whatever follows it.
        {"Auftraggeber='O''Brien Elektro'", R"("Auftraggeber" = ?)", {"O'Brien Elektro"}},
        {"Auftraggeber='x'' OR Auftraggeber<>''x'",
         R"("Auftraggeber" = ?)",
         {"x' OR Auftraggeber<>'x"}},
        {"Auftraggeber=''' OR 1=1 --'", R"("Auftraggeber" = ?)", {"' OR 1=1 --"}},
        {"Auftraggeber='x'' OR ''1''=''1'", R"("Auftraggeber" = ?)", {"x' OR '1'='1"}},
        {"Auftraggeber='''' AND Ort=''''''", R"("Auftraggeber" = ? AND "Ort" = ?)", {"'", "''"}},
        {"AuftragNr=A-17", R"("AuftragNr" = ?)", {"A-17"}},
    };
    for (const Valid& c : cases) {
        const CompiledFilter filter =
            compileFilter(QString::fromUtf8(c.text), archiveTableDefinition());
        EXPECT_TRUE(filter.ok()) << c.text << ": " << filter.error.toStdString();
        EXPECT_EQ(filter.sql, QString::fromUtf8(c.sql)) << c.text;
        ASSERT_EQ(filter.values.size(), c.values.size()) << c.text;
        for (int i = 0; i < c.values.size(); ++i)
            EXPECT_EQ(filter.values[i].toString(), c.values[i].toString()) << c.text << " #" << i;
    }
}

TEST(FilterExpression, ErrorsNameTheReason) {
    const Invalid cases[] = {
        {"Zaehler", "nach Zaehler fehlt der Vergleich (=, <, >, <>, >=, <=)"},
        {"Zaehler=", "an Stelle 9 fehlt der Wert"},
        {"Zaehler=1 AND", "an Stelle 11 wird AND oder OR erwartet"},
        {"Zaehler=1 Ort='x'", "an Stelle 11 wird AND oder OR erwartet"},
        {"=1", "an Stelle 1 wird ein Feldname erwartet"},
        {"Unbekannt=1", "das Feld Unbekannt gibt es nicht"},
        {"Zaehler=>1", "'>1' ist keine Zahl für das Feld Zaehler"},
        {"Termin<=31.02.2011", "'31.02.2011' ist kein gültiges Datum für das Feld Termin"},
        {"Satz1=2", "'2' ist kein Wahrheitswert (1 oder 0) für das Feld Satz1"},
        {"Auftraggeber='Meier", "das schließende Hochkomma fehlt"},
        // Attempts to reach the SQL behind the filter.
        {"Auftraggeber='Meier'; DROP TABLE zt", "das schließende Hochkomma fehlt"},
        {"Auftraggeber=Meier; DROP TABLE zt", "an Stelle 21 wird AND oder OR erwartet"},
        {"Auftraggeber='x' OR 1=1", "das Feld 1 gibt es nicht"},
        {"Auftraggeber='x''", "das schließende Hochkomma fehlt"},
        {"Zaehler>'1 OR 1=1'", "'1 OR 1=1' ist keine Zahl für das Feld Zaehler"},
        {"\"Zaehler\"=1", "an Stelle 1 wird ein Feldname erwartet"},
        {"Zaehler=1 AND (Ort='x')", "an Stelle 15 wird ein Feldname erwartet"},
        {"Zaehler=1 -- AND Ort='x'", "an Stelle 11 wird AND oder OR erwartet"},
    };
    for (const Invalid& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const CompiledFilter filter = compileFilter(text, archiveTableDefinition());
        EXPECT_FALSE(filter.ok()) << c.text;
        EXPECT_EQ(filter.error, QStringLiteral("Der Filter \"%1\" ist ungültig: %2.")
                                    .arg(text, QString::fromUtf8(c.reason)))
            << c.text;
        EXPECT_TRUE(filter.sql.isEmpty()) << c.text;
    }
}
