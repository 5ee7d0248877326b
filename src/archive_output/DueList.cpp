#include "DueList.h"

#include "print/MetricCanvas.h"
#include "print/PageStyle.h"
#include "print/PrintOutput.h"
#include "print/TXPrint.h"

namespace due_list {

namespace {

using namespace due_devices;
using namespace page_style;

constexpr Mm100 kLeft{50};
constexpr Mm100 kHeadings{1500};
constexpr Mm100 kFirstLine{2100};
constexpr Mm100 kLineStep{500};
constexpr Mm100 kFooter{27200};
constexpr int kRowSize = 8;

// A customer's heading (device null) or one of its devices.
struct Line {
    const Group* group;
    const Device* device;
    bool continued;
};

// A page that starts inside a customer repeats its heading.
QList<QList<Line>> paginate(const QList<Group>& groups) {
    QList<QList<Line>> pages;
    auto startLine = [&pages](const Group& group, const Device* device) {
        if (pages.isEmpty() || pages.last().size() == kLinesPerPage) {
            pages.append(QList<Line>());
            if (device)
                pages.last().append(Line{&group, nullptr, true});
        }
        pages.last().append(Line{&group, device, false});
    };
    for (const Group& group : groups) {
        // A heading never stands alone at the foot of a page.
        if (!pages.isEmpty() && pages.last().size() >= kLinesPerPage - 1)
            pages.append(QList<Line>());
        startLine(group, nullptr);
        for (const Device& device : group.devices)
            startLine(group, &device);
    }
    return pages;
}

struct Column {
    Mm100 x;
    QString title;
};

const Column kColumns[] = {
    {kLeft, QStringLiteral("Termin")},
    {Mm100(1900), QStringLiteral("Zustand")},
    {Mm100(3900), QStringLiteral("Nr.")},
    {Mm100(5200), QStringLiteral("Geräteart")},
    {Mm100(10500), QStringLiteral("Hersteller")},
    {Mm100(14100), QStringLiteral("Seriennummer")},
};

std::optional<QString> printPage(TXPrint& print, const Query& query, const QList<Line>& lines,
                                 int page, int pages) {
    if (!print.BeginDoc())
        return print.lastError();
    MetricCanvas canvas(print.canvas());
    const Mm100 width(print.PageWidth());
    canvas.setPenWidth(kListPen);
    print.setFont(kLabelFont, true, kTitleSize);
    canvas.text(kLeft, Mm100(150),
                QStringLiteral("Fällige Prüfungen bis ") +
                    query.lastDay().toString(QStringLiteral("dd.MM.yyyy")));
    print.setFont(kLabelFont, false, kTextSize);
    canvas.text(kLeft, Mm100(900),
                QStringLiteral("Stand ") + query.today.toString(QStringLiteral("dd.MM.yyyy")));
    print.setFont(kLabelFont, true, kTextSize);
    for (const Column& column : kColumns)
        canvas.text(column.x, kHeadings, column.title);
    canvas.line(Mm100(0), kFirstLine - Mm100(100), width, kFirstLine - Mm100(100));
    Mm100 y = kFirstLine;
    for (const Line& line : lines) {
        if (!line.device) {
            print.setFont(kLabelFont, true, kTextSize);
            canvas.text(kLeft, y,
                        groupTitle(*line.group) + QStringLiteral(" – ") +
                            countText(line.group->count) +
                            (line.continued ? QStringLiteral(" (Fortsetzung)") : QString()));
        } else {
            const Device& device = *line.device;
            print.setFont(kValueFont, false, kRowSize);
            const QString texts[] = {device.Termin.toString(QStringLiteral("dd.MM.yyyy")),
                                     urgencyText(query.urgencyOf(device.Termin)),
                                     QString::number(device.number),
                                     device.Geraeteart,
                                     device.Hersteller,
                                     device.Seriennummer};
            for (int i = 0; i < 6; ++i)
                canvas.text(kColumns[i].x, y, texts[i]);
        }
        y += kLineStep;
    }
    print.setFont(kLabelFont, false, kTextSize);
    canvas.text(Mm100(16000), kFooter, QStringLiteral("Seite %1 von %2").arg(page).arg(pages));
    if (!print.EndDoc())
        return print.lastError();
    return std::nullopt;
}

} // namespace

int pageCount(const QList<Group>& groups) {
    return int(paginate(groups).size());
}

void draw(PrintTarget& target, const Query& query, const QList<Group>& groups,
          const std::function<void(const QString&)>& tell) {
    TXPrint print(target);
    print.setScaling(TScaling::pscMetric100);
    print.setMarginLeft(1000);
    print.setMarginRight(1000);
    print.setMarginTop(1000);
    print.setMarginBottom(1000);
    print.setTitle(QStringLiteral("Fällige Prüfungen"));
    print.setOrientation(TXPrinterOrientation::xpoPortrait);
    const QList<QList<Line>> pages = paginate(groups);
    for (int page = 0; page < pages.size(); ++page)
        if (const auto problem = printPage(print, query, pages[page], page + 1, int(pages.size())))
            tell(*problem);
}

QString pdfName(const Query& query) {
    return proposedPdfName({QStringLiteral("Fällige Prüfungen bis"),
                            query.lastDay().toString(QStringLiteral("dd.MM.yyyy"))});
}

} // namespace due_list
