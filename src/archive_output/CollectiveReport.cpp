#include "CollectiveReport.h"

#include "print/MetricCanvas.h"
#include "print/PageStyle.h"
#include "print/TXPrint.h"

#include <algorithm>
#include <functional>

namespace collective_report {

namespace {

using namespace page_style;

constexpr Mm100 kLeft{50};
constexpr Mm100 kTitleTop{150};
constexpr Mm100 kLabelTop{1100};
// Values sit 30 below the label row they belong to.
constexpr Mm100 kValueTop{1130};
// Rules run this far above the label row they open.
constexpr Mm100 kRuleAbove{525};
constexpr Mm100 kAppendixTop{1000};
constexpr Mm100 kHeadingTop{1200};
constexpr Mm100 kHeaderBottom{2100};
constexpr Mm100 kFirstGridLine{2675};
constexpr Mm100 kSignatureTop{17350};
constexpr Mm100 kColumnLines[] = {Mm100(6500),  Mm100(10900), Mm100(11950), Mm100(14500),
                                  Mm100(16700), Mm100(18400), Mm100(20100), Mm100(21800),
                                  Mm100(23500), Mm100(25200)};

// Line pitch of the labels (twice Times 10 pt) and row step of the values
// (one and a half Courier 10 pt), measured on the open job.
struct Steps {
    Mm100 h;
    Mm100 line;
    Mm100 row;
};

Steps measure(TXPrint& print) {
    const MetricCanvas page(print.canvas());
    print.setFont(kLabelFont, true, kTextSize);
    const Mm100 h = page.fontHeight();
    print.setFont(kValueFont, false, kTextSize);
    return {h, 2 * h, 3 * page.fontHeight() / 2};
}

void drawCover(TXPrint& print, const Report& report) {
    MetricCanvas page(print.canvas());
    const bool landscape = report.cover == Cover::Landscape;
    const Mm100 width(print.PageWidth());
    const Steps steps = measure(print);
    const Mm100 L = steps.line;
    const auto ruleAbove = [&](Mm100 y) {
        page.line(Mm100(0), y - kRuleAbove, width, y - kRuleAbove);
    };
    page.setPenWidth(kListPen);

    print.setFont(kLabelFont, true, kTitleSize);
    page.text(kLeft, kTitleTop, QStringLiteral("Prüfprotokoll für elektrische Geräte"));
    if (!report.number.isEmpty())
        page.text(Mm100(9500), kTitleTop, QStringLiteral("Nr. ") + report.number);
    page.line(Mm100(0), Mm100(900), width, Mm100(900));

    print.setFont(kLabelFont, true, kTextSize);
    const Mm100 contractorLabel(landscape ? 13300 : 9500);
    const Mm100 contractorLines(landscape ? 13800 : 10000);
    page.text(kLeft, kLabelTop, QStringLiteral("Auftraggeber (Kunde)"));
    page.text(contractorLabel, kLabelTop, QStringLiteral("Auftragnehmer"));
    const Mm100 separator(landscape ? 13000 : 9200);
    page.line(separator, Mm100(landscape ? 900 : 0), separator, kLabelTop + 5 * L - Mm100(550));
    const Mm100 y1 = kLabelTop + 5 * L;
    const Mm100 y2 = y1 + 2 * L;
    page.text(kLeft, y1, QStringLiteral("Verwendetes Prüfgerät:"));
    ruleAbove(y1);
    page.text(kLeft, y2, QStringLiteral("Prüflinge ohne Mängel:"));
    ruleAbove(y2);
    Mm100 remarksLabel = y2 + 2 * L;
    if (landscape) {
        page.text(Mm100(8000), y2, QStringLiteral("Prüflinge mit Mängeln:"));
    } else {
        page.text(kLeft, remarksLabel, QStringLiteral("Prüflinge mit Mängeln:"));
        ruleAbove(remarksLabel);
        remarksLabel += 2 * L;
    }
    ruleAbove(remarksLabel);
    page.text(kLeft, remarksLabel, QStringLiteral("Bemerkungen:"));
    const Mm100 signature(landscape ? 16000 : 23000);
    page.text(kLeft, signature,
              landscape ? QStringLiteral("Ort/Datum:") : QStringLiteral("Ort/Datum"));
    page.text(Mm100(landscape ? 17000 : 8000), signature,
              landscape ? QStringLiteral("Unterschrift:") : QStringLiteral("Unterschrift"));
    ruleAbove(signature);
    page.frame(Mm100(0), Mm100(0), width, Mm100(print.PageHeight()));

    print.setFont(kValueFont, false, kTextSize);
    const Address* addresses[] = {&report.customer, &report.contractor};
    const Mm100 columns[] = {Mm100(500), contractorLines};
    for (int i = 0; i < 2; ++i) {
        page.text(columns[i], kValueTop + L, addresses[i]->name);
        page.text(columns[i], kValueTop + 2 * L, addresses[i]->street);
        page.text(columns[i], kValueTop + 3 * L, addresses[i]->place);
    }
    const Mm100 counts(4000);
    page.text(counts, kValueTop + 5 * L, QStringLiteral("Gerätetester ZT 0701/0702 Veltrax"));
    const int without = countWithoutDefects(report);
    const int with = int(report.devices.size()) - without;
    page.text(counts, kValueTop + 7 * L, QString::number(without));
    if (landscape)
        page.text(Mm100(12000), kValueTop + 7 * L, QString::number(with));
    else
        page.text(counts, kValueTop + 9 * L, QString::number(with));
    const Mm100 remarksTop(landscape ? 9000 : 10500);
    for (int i = 0; i < 6; ++i)
        page.text(kLeft, remarksTop + i * L, report.remarks[i]);
}

void drawAppendix(TXPrint& print, const Report& report, int pageNumber) {
    MetricCanvas page(print.canvas());
    const Mm100 width(print.PageWidth());
    const Steps steps = measure(print);
    const int pages = pageCount(report);
    page.setPenWidth(kListPen);
    page.frame(Mm100(0), Mm100(0), width, Mm100(print.PageHeight()));

    print.setFont(kLabelFont, true, kTitleSize);
    QString title = report.cover == Cover::None
                        ? QStringLiteral("Prüfprotokoll für elektrische Geräte")
                        : QStringLiteral("Anhang zum Prüfprotokoll für elektrische Geräte");
    if (!report.number.isEmpty())
        title += QStringLiteral("  Nr. ") + report.number;
    page.text(kLeft, kTitleTop, title);

    print.setFont(kLabelFont, true, kTextSize);
    if (pages > 1)
        page.text(Mm100(24000), kTitleTop, QStringLiteral("Seite %1").arg(pageNumber));
    page.line(Mm100(0), kAppendixTop, width, kAppendixTop);
    for (const Mm100 x : kColumnLines)
        page.line(x, kAppendixTop, x, kHeaderBottom);
    const Mm100 second = kHeadingTop + steps.h;
    const std::tuple<Mm100, const char*, Mm100, const char*> titles[] = {
        {Mm100(50), "Geräteart", Mm100(0), nullptr},
        {Mm100(6600), "Seriennummer", Mm100(0), nullptr},
        {Mm100(11000), "SKL", Mm100(0), nullptr},
        {Mm100(12100), "Prüfung", Mm100(12100), "nach DIN VDE"},
        {Mm100(14600), "Besichtigung", Mm100(15350), "i.O."},
        {Mm100(17300), "Rsl", Mm100(17300), "[Ω]"},
        {Mm100(18900), "Riso", Mm100(18800), "[MΩ]"},
        {Mm100(20700), "Iea", Mm100(20550), "[mA]"},
        {Mm100(22450), "Isl", Mm100(22250), "[mA]"},
        {Mm100(24000), "Iber", Mm100(23900), "[mA]"},
        {Mm100(25500), "Prüfung OK", Mm100(0), nullptr},
    };
    for (const auto& [x1, line1, x2, line2] : titles) {
        page.text(x1, kHeadingTop, QString::fromUtf8(line1));
        if (line2)
            page.text(x2, second, QString::fromUtf8(line2));
    }
    page.line(Mm100(0), kHeaderBottom, width, kHeaderBottom);
    page.line(Mm100(0), Mm100(17100), width, Mm100(17100));
    page.text(kLeft, kSignatureTop, QStringLiteral("Ort/Datum:"));
    page.text(Mm100(17000), kSignatureTop, QStringLiteral("Unterschrift:"));

    print.setFont(kValueFont, false, kTextSize);
    const qsizetype first = qsizetype(pageNumber - 1) * kRowsPerPage;
    const qsizetype end = std::min(first + kRowsPerPage, report.devices.size());
    const int rows = int(end - first);
    constexpr Mm100 valueX[] = {Mm100(16800), Mm100(18500), Mm100(20200), Mm100(21900),
                                Mm100(23600)};
    Mm100 y = kHeadingTop + 3 * steps.h;
    for (qsizetype i = first; i < end; ++i, y += steps.row) {
        const Device& d = report.devices[i];
        const auto values = valueColumns(d);
        page.text(kLeft, y, d.Geraeteart);
        page.text(Mm100(6600), y, d.Seriennummer);
        page.text(Mm100(11250), y, d.Schutzklasse);
        page.text(Mm100(12000), y, d.Pruefung.mid(8));
        page.text(Mm100(15200), y,
                  d.inspectionsPassed ? QStringLiteral("ja") : QStringLiteral("nein"));
        for (int c = 0; c < 5; ++c)
            page.text(valueX[c], y, values[c]);
        page.text(Mm100(26200), y, d.Ordnung.isEmpty() ? QStringLiteral("nein") : d.Ordnung);
    }
    if (pageNumber < pages)
        page.text(Mm100(10600), y + Mm100(200),
                  QStringLiteral("Fortsetzung auf Seite %1").arg(pageNumber + 1));

    page.setPenWidth(kGridPen);
    for (int i = 0; i < rows; ++i)
        page.line(Mm100(0), kFirstGridLine + i * steps.row, width, kFirstGridLine + i * steps.row);
    if (rows > 0)
        for (const Mm100 x : kColumnLines)
            page.line(x, kHeaderBottom, x, kFirstGridLine + (rows - 1) * steps.row);
}

std::optional<QString> printJob(TXPrint& print, const std::function<void()>& draw) {
    if (print.Printing())
        return QStringLiteral("Es läuft gerade eine Druckerausgabe");
    if (!print.BeginDoc())
        return print.lastError();
    draw();
    if (!print.EndDoc())
        return print.lastError();
    return std::nullopt;
}

void setMargins(TXPrint& print, int left, int top, int right, int bottom) {
    print.setScaling(TScaling::pscMetric100);
    print.setMarginLeft(left);
    print.setMarginTop(top);
    print.setMarginRight(right);
    print.setMarginBottom(bottom);
}

} // namespace

bool withoutDefects(const Device& device) {
    return device.inspectionsPassed && (device.Ordnung == u"j" || device.Ordnung == u"ja");
}

int countWithoutDefects(const Report& report) {
    return int(std::count_if(report.devices.begin(), report.devices.end(), withoutDefects));
}

int pageCount(const Report& report) {
    return (int(report.devices.size()) + kRowsPerPage - 1) / kRowsPerPage;
}

std::array<QString, 5> valueColumns(const Device& device) {
    enum { Rsl, Riso, Iea, Isl, Iber };
    std::array<QString, 5> cells;
    const QString kind = device.Pruefung.mid(13);
    // Rows from the measurement memory keep a blank after the class ("1 ").
    const QString cls = device.Schutzklasse.trimmed();
    const bool classOne = cls == u"1" || cls == u"1e";
    const auto& w = device.values;
    if (kind == u"0702(1)") {
        if (classOne && device.niso)
            cells[Rsl] = w[0], cells[Isl] = w[1];
        else if (classOne)
            cells[Rsl] = w[0], cells[Riso] = w[1], cells[Iea] = w[2];
        else if (cls == u"2" && device.niso)
            cells[Iber] = w[0];
        else if (cls == u"2" || cls == u"3")
            cells[Riso] = w[0], cells[Iea] = w[1];
    } else if (kind == u"0702(2)") {
        if (classOne && device.niso)
            cells[Rsl] = w[0], cells[Isl] = w[1];
        else if (classOne)
            cells[Rsl] = w[1], cells[Riso] = w[0], cells[Isl] = w[2];
        else if (cls == u"2" && device.niso)
            cells[Iber] = w[0];
        else if (cls == u"2")
            cells[Riso] = w[0], cells[Iber] = w[1];
        else if (cls == u"3")
            cells[Riso] = w[0];
    }
    return cells;
}

void configureCover(TXPrint& print, Cover cover) {
    if (cover == Cover::Landscape) {
        configureAppendix(print);
        return;
    }
    setMargins(print, 2000, 2000, 2000, 2000);
    print.setOrientation(TXPrinterOrientation::xpoPortrait);
    print.setTitle(QStringLiteral("Sammelprotokoll"));
}

void configureAppendix(TXPrint& print) {
    setMargins(print, 1000, 2000, 1000, 1000);
    print.setOrientation(TXPrinterOrientation::xpoLandscape);
    print.setTitle(QStringLiteral("Sammelprotokoll"));
}

std::optional<QString> printCover(TXPrint& print, const Report& report) {
    return printJob(print, [&] { drawCover(print, report); });
}

std::optional<QString> printAppendixPage(TXPrint& print, const Report& report, int page) {
    return printJob(print, [&] { drawAppendix(print, report, page); });
}

} // namespace collective_report
