#include "ReportPage.h"

#include "Protokoll.h"
#include "Vocabulary.h"
#include "common/Prompter.h"
#include "print/Mm100.h"
#include "print/TXPrint.h"

namespace report_page {

namespace {

const QString kLabelFont = QStringLiteral("Times New Roman");
const QString kValueFont = QStringLiteral("Courier New");
constexpr int kTitleSize = 16;
constexpr int kTextSize = 10;
constexpr int kRulePen = 20;
constexpr int kBoxPen = 25;
constexpr int kCrossPen = 45;

constexpr Mm100 kLabelTop{1100};
// Values sit 30 below the label row they belong to.
constexpr Mm100 kValueTop{1130};
// Rules run this far above the row they open.
constexpr Mm100 kRuleAbove{175};
constexpr std::array<Mm100, 3> kColumnCentres = {Mm100(2833), Mm100(8500), Mm100(14167)};

constexpr std::array<QString Protokoll::*, 3> kNames = {&Protokoll::Messung1, &Protokoll::Messung2,
                                                        &Protokoll::Messung3};
constexpr std::array<QString Protokoll::*, 3> kUnits = {&Protokoll::Einheit1, &Protokoll::Einheit2,
                                                        &Protokoll::Einheit3};
constexpr std::array<QString Protokoll::*, 3> kValues = {&Protokoll::Wert1, &Protokoll::Wert2,
                                                         &Protokoll::Wert3};

// Draws the page on the canvas of an open job.
class PageDrawer {
public:
    PageDrawer(TXPrint& print, const Protokoll& record, const Variant& variant)
        : print_(print)
        , canvas_(print.canvas())
        , record_(record)
        , variant_(variant)
        , width_(print.PageWidth())
        , height_(print.PageHeight()) {}

    void draw(const LimitTexts& limitTexts) {
        canvas_.setPenWidth(kRulePen);
        canvas_.setFontName(kLabelFont);
        // Asked for as always; the font system keeps the family.
        canvas_.setFontPitch(FontPitch::Fixed);
        canvas_.setFontBold(true);
        print_.SetFontSize(kTitleSize);
        text(Mm100(50), Mm100(150), QStringLiteral("Prüfprotokoll für elektrische Geräte"));

        canvas_.setFontName(kLabelFont);
        canvas_.setFontPitch(FontPitch::Fixed);
        print_.SetFontSize(kTextSize);
        line_ = Mm100(2 * canvas_.fontHeight());
        tenth_ = line_ / 10;
        drawLabels();

        canvas_.setFontName(kValueFont);
        canvas_.setFontPitch(FontPitch::Default);
        canvas_.setFontBold(false);
        print_.SetFontSize(kTextSize);
        drawValues(limitTexts);
    }

private:
    Mm100 labelRow(int rows) const { return kLabelTop + rows * line_; }
    Mm100 valueRow(int rows) const { return kValueTop + rows * line_; }

    void text(Mm100 x, Mm100 y, const QString& text) { canvas_.textOut(x.value, y.value, text); }
    void line(Mm100 x1, Mm100 y1, Mm100 x2, Mm100 y2) {
        canvas_.moveTo(x1.value, y1.value);
        canvas_.lineTo(x2.value, y2.value);
    }
    void rule(Mm100 y) { line(Mm100(0), y, width_, y); }
    // A label row that opens a section of the form.
    void section(Mm100 y, const QString& label) {
        text(Mm100(50), y, label);
        rule(y - kRuleAbove);
    }
    void box(Mm100 x, Mm100 y, qint32 flag) {
        const Mm100 side = line_ / 2;
        canvas_.setPenWidth(kBoxPen);
        canvas_.rectangle(x.value, y.value, (x + side).value, (y + side).value);
        if (flag != 0) {
            canvas_.setPenWidth(kCrossPen);
            line(x + tenth_, y + tenth_, x + side - tenth_, y + side - tenth_);
            line(x + side - tenth_, y + tenth_, x + tenth_, y + side - tenth_);
        }
    }
    void centred(std::size_t column, Mm100 y, const QString& text) {
        canvas_.textOut((kColumnCentres[column] - Mm100(canvas_.textWidth(text)) / 2).value,
                        y.value, text);
    }

    void drawLabels();
    void drawValues(const LimitTexts& limitTexts);

    TXPrint& print_;
    Canvas& canvas_;
    const Protokoll& record_;
    const Variant& variant_;
    const Mm100 width_;
    const Mm100 height_;
    // Line pitch: twice the character height of the 10-point label font.
    Mm100 line_;
    Mm100 tenth_;
};

void PageDrawer::drawLabels() {
    rule(Mm100(900));
    text(Mm100(9500), Mm100(250), QStringLiteral("Auftrag Nr."));
    text(Mm100(50), labelRow(0), QStringLiteral("Auftraggeber (Kunde)"));
    text(Mm100(9500), labelRow(0), QStringLiteral("Auftragnehmer"));
    line(Mm100(9200), Mm100(0), Mm100(9200), labelRow(5) - kRuleAbove);

    section(labelRow(4), QStringLiteral("Geräteart"));
    text(Mm100(9500), labelRow(4), QStringLiteral("Hersteller"));

    const Mm100 type = labelRow(5);
    section(type, QStringLiteral("Typenbezeichnung"));
    text(Mm100(8000), type, QStringLiteral("Schutzklasse"));
    text(Mm100(12500), type, QStringLiteral("Nennstrom"));
    text(Mm100(16500), type, QStringLiteral("A"));
    for (const Mm100 x : {Mm100(7800), Mm100(12300)})
        line(x, type - kRuleAbove, x, type - kRuleAbove + 2 * line_);

    const Mm100 serial = labelRow(6);
    section(serial, QStringLiteral("Serien-Nr."));
    text(Mm100(8000), serial, QStringLiteral("Nennspannung"));
    text(Mm100(11900), serial, QStringLiteral("V"));
    text(Mm100(12500), serial, QStringLiteral("Nennleistung"));
    text(Mm100(16000), serial, QStringLiteral("W/VA"));

    section(labelRow(7), QStringLiteral("Kundenangaben (Fehler):"));
    section(labelRow(10), QStringLiteral("Durchgeführte Reparaturarbeiten:"));
    section(labelRow(13), variant_.testKindLabel);
    section(labelRow(14), QStringLiteral("Besichtigung"));

    const int pen = canvas_.penWidth();
    const std::array<Mm100, vocabulary::kInspectionItems> inspectionBoxes = {
        Mm100(7000), Mm100(9800), Mm100(11000)};
    const std::array<qint32, vocabulary::kInspectionItems> inspected = {
        record_.Besichtigung1, record_.Besichtigung2, record_.Besichtigung3};
    for (int item = 1; item <= vocabulary::kInspectionItems; ++item) {
        const Mm100 y = labelRow(14 + item);
        text(Mm100(4500), y, vocabulary::inspectionPrintText(item));
        box(inspectionBoxes[item - 1], y, inspected[item - 1]);
    }
    canvas_.setPenWidth(pen);

    section(labelRow(18), QStringLiteral("Messung"));
    text(Mm100(50), labelRow(23), QStringLiteral("Grenzwerte:"));

    const std::array<qint32, vocabulary::kStatements> statements = {record_.Satz1, record_.Satz2,
                                                                    record_.Satz3, record_.Satz4};
    for (int item = 1; item <= vocabulary::kStatements; ++item) {
        const Mm100 y = labelRow(23 + item);
        if (item == 1)
            rule(y - kRuleAbove);
        text(Mm100(50), y, vocabulary::statementText(item));
        box(Mm100(9000), y, statements[item - 1]);
    }
    canvas_.setPenWidth(pen);

    section(labelRow(28), QStringLiteral("Nächster Prüfungstermin:"));
    const Mm100 tester = labelRow(29) + Mm100(200);
    section(tester, QStringLiteral("Verwendetes Prüfgerät:"));
    const Mm100 signature = tester + (3 * line_) / 2;
    section(signature, QStringLiteral("Ort"));
    text(Mm100(8500), signature, QStringLiteral("Datum"));
    text(Mm100(12000), signature, QStringLiteral("Unterschrift"));

    const Mm100 origin(0);
    line(origin, origin, width_, origin);
    canvas_.lineTo(width_.value, height_.value);
    canvas_.lineTo(origin.value, height_.value);
    canvas_.lineTo(origin.value, origin.value);
}

void PageDrawer::drawValues(const LimitTexts& limitTexts) {
    const Protokoll& r = record_;
    text(Mm100(12000), Mm100(280), r.AuftragNr);
    const std::array<const QString*, 3> customer = {&r.Kunde1, &r.Kunde2, &r.Kunde3};
    const std::array<const QString*, 3> contractor = {&r.Nehmer1, &r.Nehmer2, &r.Nehmer3};
    for (int i = 0; i < 3; ++i) {
        text(Mm100(500), valueRow(1 + i), *customer[i]);
        text(Mm100(10000), valueRow(1 + i), *contractor[i]);
    }
    text(Mm100(2000), valueRow(4), r.Geraeteart);
    text(Mm100(12000), valueRow(4), r.Hersteller);
    text(Mm100(3500), valueRow(5), r.Typenbezeichnung);
    text(Mm100(10500), valueRow(5), r.Schutzklasse);
    text(Mm100(15000), valueRow(5), r.Nennstrom);
    text(Mm100(2000), valueRow(6), r.Seriennummer);
    text(Mm100(10800), valueRow(6), r.Nennspannung);
    text(Mm100(15000), valueRow(6), r.Nennleistung);
    // The first line follows its label; the others use the full width.
    text(Mm100(4300), valueRow(7), r.FehlerZeile1);
    text(Mm100(500), valueRow(8), r.FehlerZeile2);
    text(Mm100(500), valueRow(9), r.FehlerZeile3);
    text(Mm100(5600), valueRow(10), r.RepArbeitenZeile1);
    text(Mm100(500), valueRow(11), r.RepArbeitenZeile2);
    text(Mm100(500), valueRow(12), r.RepArbeitenZeile3);
    text(Mm100(2000), valueRow(13), r.Pruefung);

    for (std::size_t column = 0; column < 3; ++column) {
        centred(column, valueRow(19), r.*kNames[column]);
        // Ω and MΩ are drawn in the value font itself; no symbol font needed.
        centred(column, valueRow(20), vocabulary::unitDisplayText(r.*kUnits[column]));
        // The tester pads its readings with blanks ("  0.1 2").
        const QString value = (r.*kValues[column]).left(variant_.valueLength).remove(u' ');
        centred(column, valueRow(21), value);
        centred(column, valueRow(23), limitTexts[column]);
    }

    text(Mm100(5000), valueRow(28), r.Termin);
    text(Mm100(5000), valueRow(29) + Mm100(200),
         QStringLiteral("Zuzoradizizu RU 0701-0702 Veltrax"));
    text(Mm100(500), valueRow(29) + Mm100(2200), r.Ort);
    text(Mm100(8500), valueRow(29) + Mm100(2200), r.Datum);
}

} // namespace

std::optional<Problem> print(TXPrint& print, const Protokoll& record, const ReportState& state,
                             LimitTexts& limitTexts, const Variant& variant) {
    if (print.Printing())
        return Problem{QStringLiteral("Es läuft gerade eine Druckerausgabe"),
                       QStringLiteral("Hinweis")};
    if (!print.HasPrinter())
        return Problem{QStringLiteral("Kein Drucker im System vorhanden!"),
                       QStringLiteral("Fehler")};
    if (const auto limits =
            vocabulary::limitTexts(state.protectionClass, state.testKind, state.niso))
        limitTexts = *limits;
    if (!print.BeginDoc())
        return Problem{print.lastError(), QStringLiteral("Fehler")};
    PageDrawer(print, record, variant).draw(limitTexts);
    if (!print.EndDoc())
        return Problem{print.lastError(), QStringLiteral("Fehler")};
    return std::nullopt;
}

void printWithMessages(TXPrint& print, Prompter& prompter, const Protokoll& record,
                       const ReportState& state, LimitTexts& limitTexts, const Variant& variant) {
    if (const auto problem = report_page::print(print, record, state, limitTexts, variant))
        prompter.message(problem->text, problem->caption, Prompter::Buttons::Ok);
}

void configure(TXPrint& print) {
    print.setScaling(TScaling::pscMetric100);
    print.setMargins(2000);
    print.setTitle(QStringLiteral("ZT0701"));
    print.setOrientation(TXPrinterOrientation::xpoPortrait);
    CanvasFont font;
    font.name = QStringLiteral("Times New Roman");
    font.bold = true;
    print.setFont(font);
}

} // namespace report_page
