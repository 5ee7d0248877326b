#include "ReportPage.h"

#include "Protokoll.h"
#include "Vocabulary.h"
#include "common/Prompter.h"
#include "print/MetricCanvas.h"
#include "print/PageStyle.h"
#include "print/PrintOutput.h"
#include "print/TXPrint.h"

namespace report_page {

namespace {

using namespace page_style;

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
        , page_(canvas_)
        , record_(record)
        , variant_(variant)
        , width_(print.PageWidth())
        , height_(print.PageHeight()) {}

    void draw(const LimitTexts& limitTexts) {
        page_.setPenWidth(kRulePen);
        canvas_.setFontName(kLabelFont);
        // Asked for as always; the font system keeps the family.
        canvas_.setFontPitch(FontPitch::Fixed);
        canvas_.setFontBold(true);
        print_.SetFontSize(kTitleSize);
        page_.text(Mm100(50), Mm100(150), QStringLiteral("Prüfprotokoll für elektrische Geräte"));

        canvas_.setFontName(kLabelFont);
        canvas_.setFontPitch(FontPitch::Fixed);
        print_.SetFontSize(kTextSize);
        line_ = 2 * page_.fontHeight();
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

    void rule(Mm100 y) { page_.line(Mm100(0), y, width_, y); }
    // A label row that opens a section of the form.
    void section(Mm100 y, const QString& label) {
        page_.text(Mm100(50), y, label);
        rule(y - kRuleAbove);
    }
    void box(Mm100 x, Mm100 y, qint32 flag) {
        const Mm100 side = line_ / 2;
        page_.setPenWidth(kBoxPen);
        page_.rectangle(x, y, x + side, y + side);
        if (flag != 0) {
            page_.setPenWidth(kCrossPen);
            page_.line(x + tenth_, y + tenth_, x + side - tenth_, y + side - tenth_);
            page_.line(x + side - tenth_, y + tenth_, x + tenth_, y + side - tenth_);
        }
    }
    void centred(std::size_t column, Mm100 y, const QString& text) {
        page_.text(kColumnCentres[column] - page_.textWidth(text) / 2, y, text);
    }

    void drawLabels();
    void drawValues(const LimitTexts& limitTexts);

    TXPrint& print_;
    Canvas& canvas_;
    MetricCanvas page_;
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
    page_.text(Mm100(9500), Mm100(250), QStringLiteral("Auftrag Nr."));
    page_.text(Mm100(50), labelRow(0), QStringLiteral("Auftraggeber (Kunde)"));
    page_.text(Mm100(9500), labelRow(0), QStringLiteral("Auftragnehmer"));
    page_.line(Mm100(9200), Mm100(0), Mm100(9200), labelRow(5) - kRuleAbove);

    section(labelRow(4), QStringLiteral("Geräteart"));
    page_.text(Mm100(9500), labelRow(4), QStringLiteral("Hersteller"));

    const Mm100 type = labelRow(5);
    section(type, QStringLiteral("Typenbezeichnung"));
    page_.text(Mm100(8000), type, QStringLiteral("Schutzklasse"));
    page_.text(Mm100(12500), type, QStringLiteral("Nennstrom"));
    page_.text(Mm100(16500), type, QStringLiteral("A"));
    for (const Mm100 x : {Mm100(7800), Mm100(12300)})
        page_.line(x, type - kRuleAbove, x, type - kRuleAbove + 2 * line_);

    const Mm100 serial = labelRow(6);
    section(serial, QStringLiteral("Serien-Nr."));
    page_.text(Mm100(8000), serial, QStringLiteral("Nennspannung"));
    page_.text(Mm100(11900), serial, QStringLiteral("V"));
    page_.text(Mm100(12500), serial, QStringLiteral("Nennleistung"));
    page_.text(Mm100(16000), serial, QStringLiteral("W/VA"));

    section(labelRow(7), QStringLiteral("Kundenangaben (Fehler):"));
    section(labelRow(10), QStringLiteral("Durchgeführte Reparaturarbeiten:"));
    section(labelRow(13), variant_.testKindLabel);
    section(labelRow(14), QStringLiteral("Besichtigung"));

    const Mm100 pen = page_.penWidth();
    const std::array<Mm100, vocabulary::kInspectionItems> inspectionBoxes = {
        Mm100(7000), Mm100(9800), Mm100(11000)};
    const std::array<qint32, vocabulary::kInspectionItems> inspected = {
        record_.Besichtigung1, record_.Besichtigung2, record_.Besichtigung3};
    for (int item = 1; item <= vocabulary::kInspectionItems; ++item) {
        const Mm100 y = labelRow(14 + item);
        page_.text(Mm100(4500), y, vocabulary::inspectionPrintText(item));
        box(inspectionBoxes[item - 1], y, inspected[item - 1]);
    }
    page_.setPenWidth(pen);

    section(labelRow(18), QStringLiteral("Messung"));
    page_.text(Mm100(50), labelRow(23), QStringLiteral("Grenzwerte:"));

    const std::array<qint32, vocabulary::kStatements> statements = {record_.Satz1, record_.Satz2,
                                                                    record_.Satz3, record_.Satz4};
    for (int item = 1; item <= vocabulary::kStatements; ++item) {
        const Mm100 y = labelRow(23 + item);
        if (item == 1)
            rule(y - kRuleAbove);
        page_.text(Mm100(50), y, vocabulary::statementText(item));
        box(Mm100(9000), y, statements[item - 1]);
    }
    page_.setPenWidth(pen);

    section(labelRow(28), QStringLiteral("Nächster Prüfungstermin:"));
    const Mm100 tester = labelRow(29) + Mm100(200);
    section(tester, QStringLiteral("Verwendetes Prüfgerät:"));
    const Mm100 signature = tester + (3 * line_) / 2;
    section(signature, QStringLiteral("Ort"));
    page_.text(Mm100(8500), signature, QStringLiteral("Datum"));
    page_.text(Mm100(12000), signature, QStringLiteral("Unterschrift"));

    const Mm100 origin(0);
    page_.line(origin, origin, width_, origin);
    page_.lineTo(width_, height_);
    page_.lineTo(origin, height_);
    page_.lineTo(origin, origin);
}

void PageDrawer::drawValues(const LimitTexts& limitTexts) {
    const Protokoll& r = record_;
    page_.text(Mm100(12000), Mm100(280), r.AuftragNr);
    const std::array<const QString*, 3> customer = {&r.Kunde1, &r.Kunde2, &r.Kunde3};
    const std::array<const QString*, 3> contractor = {&r.Nehmer1, &r.Nehmer2, &r.Nehmer3};
    for (int i = 0; i < 3; ++i) {
        page_.text(Mm100(500), valueRow(1 + i), *customer[i]);
        page_.text(Mm100(10000), valueRow(1 + i), *contractor[i]);
    }
    page_.text(Mm100(2000), valueRow(4), r.Geraeteart);
    page_.text(Mm100(12000), valueRow(4), r.Hersteller);
    page_.text(Mm100(3500), valueRow(5), r.Typenbezeichnung);
    page_.text(Mm100(10500), valueRow(5), r.Schutzklasse);
    page_.text(Mm100(15000), valueRow(5), r.Nennstrom);
    page_.text(Mm100(2000), valueRow(6), r.Seriennummer);
    page_.text(Mm100(10800), valueRow(6), r.Nennspannung);
    page_.text(Mm100(15000), valueRow(6), r.Nennleistung);
    // The first line follows its label; the others use the full width.
    page_.text(Mm100(4300), valueRow(7), r.FehlerZeile1);
    page_.text(Mm100(500), valueRow(8), r.FehlerZeile2);
    page_.text(Mm100(500), valueRow(9), r.FehlerZeile3);
    page_.text(Mm100(5600), valueRow(10), r.RepArbeitenZeile1);
    page_.text(Mm100(500), valueRow(11), r.RepArbeitenZeile2);
    page_.text(Mm100(500), valueRow(12), r.RepArbeitenZeile3);
    page_.text(Mm100(2000), valueRow(13), r.Pruefung);

    for (std::size_t column = 0; column < 3; ++column) {
        centred(column, valueRow(19), r.*kNames[column]);
        // Ω and MΩ are drawn in the value font itself; no symbol font needed.
        centred(column, valueRow(20), vocabulary::unitDisplayText(r.*kUnits[column]));
        // The tester pads its readings with blanks ("  0.1 2").
        const QString value = (r.*kValues[column]).left(variant_.valueLength).remove(u' ');
        centred(column, valueRow(21), value);
        centred(column, valueRow(23), limitTexts[column]);
    }

    page_.text(Mm100(5000), valueRow(28), r.Termin);
    page_.text(Mm100(5000), valueRow(29) + Mm100(200),
               QStringLiteral("Zuzoradizizu RU 0701-0702 Veltrax"));
    page_.text(Mm100(500), valueRow(29) + Mm100(2200), r.Ort);
    page_.text(Mm100(8500), valueRow(29) + Mm100(2200), r.Datum);
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

QString pdfName(const Protokoll& record) {
    if (!record.AuftragNr.trimmed().isEmpty())
        return proposedPdfName({record.AuftragNr});
    return proposedPdfName({record.Kunde1, record.Datum});
}

void configure(TXPrint& print) {
    print.setScaling(TScaling::pscMetric100);
    print.setMargins(2000);
    print.setTitle(QStringLiteral("ZT0701"));
    print.setOrientation(TXPrinterOrientation::xpoPortrait);
    CanvasFont font;
    font.name = kLabelFont;
    font.bold = true;
    print.setFont(font);
}

} // namespace report_page
