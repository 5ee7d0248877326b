#include "CollectiveReport.h"

#include "print/TXPrint.h"

#include <algorithm>
#include <functional>

namespace collective_report {

namespace {

const QString kLabelFont = QStringLiteral("Times New Roman");
const QString kValueFont = QStringLiteral("Courier New");
constexpr int kPen = 30;
constexpr int kGridPen = 15;
constexpr int kAppendixTop = 1000;
constexpr int kHeaderBottom = 2100;
constexpr int kColumnLines[] = {6500,  10900, 11950, 14500, 16700,
                                18400, 20100, 21800, 23500, 25200};

// Line pitch of the labels (twice Times 10 pt) and row step of the values
// (one and a half Courier 10 pt), measured on the open job.
struct Steps {
    int h;
    int line;
    int row;
};

Steps measure(TXPrint& print) {
    Canvas& canvas = print.canvas();
    print.setFont(kLabelFont, true, 10);
    const int h = canvas.fontHeight();
    print.setFont(kValueFont, false, 10);
    return {h, 2 * h, 3 * canvas.fontHeight() / 2};
}

void drawCover(TXPrint& print, const Report& report) {
    Canvas& canvas = print.canvas();
    const bool landscape = report.cover == Cover::Landscape;
    const int width = print.PageWidth();
    const Steps steps = measure(print);
    const int L = steps.line;
    canvas.setPenWidth(kPen);

    print.setFont(kLabelFont, true, 16);
    canvas.textOut(50, 150, QStringLiteral("Prüfprotokoll für elektrische Geräte"));
    if (!report.number.isEmpty())
        canvas.textOut(9500, 150, QStringLiteral("Nr. ") + report.number);
    canvas.line(0, 900, width, 900);

    print.setFont(kLabelFont, true, 10);
    const int contractorLabel = landscape ? 13300 : 9500;
    const int contractorLines = landscape ? 13800 : 10000;
    canvas.textOut(50, 1100, QStringLiteral("Auftraggeber (Kunde)"));
    canvas.textOut(contractorLabel, 1100, QStringLiteral("Auftragnehmer"));
    const int separator = landscape ? 13000 : 9200;
    canvas.line(separator, landscape ? 900 : 0, separator, 1100 + 5 * L - 550);
    const int y1 = 1100 + 5 * L;
    const int y2 = y1 + 2 * L;
    canvas.textOut(50, y1, QStringLiteral("Verwendetes Prüfgerät:"));
    canvas.line(0, y1 - 525, width, y1 - 525);
    canvas.textOut(50, y2, QStringLiteral("Prüflinge ohne Mängel:"));
    canvas.line(0, y2 - 525, width, y2 - 525);
    int remarksLabel = y2 + 2 * L;
    if (landscape) {
        canvas.textOut(8000, y2, QStringLiteral("Prüflinge mit Mängeln:"));
    } else {
        canvas.textOut(50, remarksLabel, QStringLiteral("Prüflinge mit Mängeln:"));
        canvas.line(0, remarksLabel - 525, width, remarksLabel - 525);
        remarksLabel += 2 * L;
    }
    canvas.line(0, remarksLabel - 525, width, remarksLabel - 525);
    canvas.textOut(50, remarksLabel, QStringLiteral("Bemerkungen:"));
    const int signature = landscape ? 16000 : 23000;
    canvas.textOut(50, signature,
                   landscape ? QStringLiteral("Ort/Datum:") : QStringLiteral("Ort/Datum"));
    canvas.textOut(landscape ? 17000 : 8000, signature,
                   landscape ? QStringLiteral("Unterschrift:") : QStringLiteral("Unterschrift"));
    canvas.line(0, signature - 525, width, signature - 525);
    canvas.frame(0, 0, width, print.PageHeight());

    print.setFont(kValueFont, false, 10);
    const Address* addresses[] = {&report.customer, &report.contractor};
    const int columns[] = {500, contractorLines};
    for (int i = 0; i < 2; ++i) {
        canvas.textOut(columns[i], 1130 + L, addresses[i]->name);
        canvas.textOut(columns[i], 1130 + 2 * L, addresses[i]->street);
        canvas.textOut(columns[i], 1130 + 3 * L, addresses[i]->place);
    }
    canvas.textOut(4000, 1130 + 5 * L, QStringLiteral("Gerätetester ZT 0701/0702 Veltrax"));
    const int without = countWithoutDefects(report);
    const int with = int(report.devices.size()) - without;
    canvas.textOut(4000, 1130 + 7 * L, QString::number(without));
    if (landscape)
        canvas.textOut(12000, 1130 + 7 * L, QString::number(with));
    else
        canvas.textOut(4000, 1130 + 9 * L, QString::number(with));
    const int remarksTop = landscape ? 9000 : 10500;
    for (int i = 0; i < 6; ++i)
        canvas.textOut(50, remarksTop + i * L, report.remarks[i]);
}

void drawAppendix(TXPrint& print, const Report& report, int page) {
    Canvas& canvas = print.canvas();
    const int width = print.PageWidth();
    const Steps steps = measure(print);
    const int pages = pageCount(report);
    canvas.setPenWidth(kPen);
    canvas.frame(0, 0, width, print.PageHeight());

    print.setFont(kLabelFont, true, 16);
    QString title = report.cover == Cover::None
                        ? QStringLiteral("Prüfprotokoll für elektrische Geräte")
                        : QStringLiteral("Anhang zum Prüfprotokoll für elektrische Geräte");
    if (!report.number.isEmpty())
        title += QStringLiteral("  Nr. ") + report.number;
    canvas.textOut(50, 150, title);

    print.setFont(kLabelFont, true, 10);
    if (pages > 1)
        canvas.textOut(24000, 150, QStringLiteral("Seite %1").arg(page));
    canvas.line(0, kAppendixTop, width, kAppendixTop);
    for (const int x : kColumnLines)
        canvas.line(x, kAppendixTop, x, kHeaderBottom);
    const int second = 1200 + steps.h;
    const std::tuple<int, const char*, int, const char*> titles[] = {
        {50, "Geräteart", 0, nullptr},
        {6600, "Seriennummer", 0, nullptr},
        {11000, "SKL", 0, nullptr},
        {12100, "Prüfung", 12100, "nach DIN VDE"},
        {14600, "Besichtigung", 15350, "i.O."},
        {17300, "Rsl", 17300, "[Ω]"},
        {18900, "Riso", 18800, "[MΩ]"},
        {20700, "Iea", 20550, "[mA]"},
        {22450, "Isl", 22250, "[mA]"},
        {24000, "Iber", 23900, "[mA]"},
        {25500, "Prüfung OK", 0, nullptr},
    };
    for (const auto& [x1, line1, x2, line2] : titles) {
        canvas.textOut(x1, 1200, QString::fromUtf8(line1));
        if (line2)
            canvas.textOut(x2, second, QString::fromUtf8(line2));
    }
    canvas.line(0, kHeaderBottom, width, kHeaderBottom);
    canvas.line(0, 17100, width, 17100);
    canvas.textOut(50, 17350, QStringLiteral("Ort/Datum:"));
    canvas.textOut(17000, 17350, QStringLiteral("Unterschrift:"));

    print.setFont(kValueFont, false, 10);
    const qsizetype first = qsizetype(page - 1) * kRowsPerPage;
    const qsizetype end = std::min(first + kRowsPerPage, report.devices.size());
    const int rows = int(end - first);
    int y = 1200 + 3 * steps.h;
    for (qsizetype i = first; i < end; ++i, y += steps.row) {
        const Device& d = report.devices[i];
        const auto values = valueColumns(d);
        canvas.textOut(50, y, d.Geraeteart);
        canvas.textOut(6600, y, d.Seriennummer);
        canvas.textOut(11250, y, d.Schutzklasse);
        canvas.textOut(12000, y, d.Pruefung.mid(8));
        canvas.textOut(15200, y,
                       d.inspectionsPassed ? QStringLiteral("ja") : QStringLiteral("nein"));
        const int valueX[] = {16800, 18500, 20200, 21900, 23600};
        for (int c = 0; c < 5; ++c)
            canvas.textOut(valueX[c], y, values[c]);
        canvas.textOut(26200, y, d.Ordnung.isEmpty() ? QStringLiteral("nein") : d.Ordnung);
    }
    if (page < pages)
        canvas.textOut(10600, y + 200, QStringLiteral("Fortsetzung auf Seite %1").arg(page + 1));

    canvas.setPenWidth(kGridPen);
    for (int i = 0; i < rows; ++i)
        canvas.line(0, 2675 + i * steps.row, width, 2675 + i * steps.row);
    if (rows > 0)
        for (const int x : kColumnLines)
            canvas.line(x, kHeaderBottom, x, 2675 + (rows - 1) * steps.row);
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
