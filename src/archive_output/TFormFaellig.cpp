#include "TFormFaellig.h"

#include "DueColours.h"
#include "DueList.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace due_devices;

namespace {

constexpr int kNumberRole = Qt::UserRole;
constexpr int kGroupRole = Qt::UserRole + 1;

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(QLatin1String(name));
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

TFormFaellig::TFormFaellig(Prompter& prompter, TableStore& tables, PrinterSource printers,
                           QWidget* parent)
    : QDialog(parent)
    , prompter_(prompter)
    , tables_(tables)
    , printers_(std::move(printers))
    , today_([] { return QDate::currentDate(); })
    , Tage(new QSpinBox(this))
    , Liste(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("FormFaellig"));
    setWindowTitle(QStringLiteral("Fällige Prüfungen"));
    help::setContext(*this, help::Archive);

    Tage->setObjectName(QStringLiteral("Tage"));
    Tage->setRange(0, 3650);
    Tage->setValue(30);
    Tage->setKeyboardTracking(false);
    connect(Tage, &QSpinBox::valueChanged, this, &TFormFaellig::reload);

    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setHeaderLabels({QStringLiteral("Termin"), QStringLiteral("Nr."),
                            QStringLiteral("Geräteart"), QStringLiteral("Hersteller"),
                            QStringLiteral("Typenbezeichnung"), QStringLiteral("Seriennummer")});
    Liste->setRootIsDecorated(false);
    Liste->setUniformRowHeights(true);
    Liste->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(Liste->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value == Liste->verticalScrollBar()->maximum())
            readMore();
    });
    connect(Liste, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const QVariant number = item->data(0, kNumberRole);
        if (!number.isValid())
            return;
        chosen_ = number.toLongLong();
        accept();
    });

    auto* days = new QHBoxLayout;
    auto* daysLabel = new QLabel(QStringLiteral("Fällig in den nächsten &Tagen:"), this);
    daysLabel->setBuddy(Tage);
    days->addWidget(daysLabel);
    days->addWidget(Tage);
    days->addWidget(new QLabel(
        QStringLiteral("rot: überfällig, gelb: bald fällig; Doppelklick zeigt das Gerät im Archiv"),
        this));
    days->addStretch();
    auto* buttons = new QHBoxLayout;
    QPushButton* print = button(this, "Drucken", QStringLiteral("&Drucken"));
    QPushButton* pdf = button(this, "PdfSpeichern", QStringLiteral("&PDF speichern…"));
    QPushButton* preview = button(this, "Vorschau", QStringLiteral("&Vorschau"));
    QPushButton* close = button(this, "Schliessen", QStringLiteral("&Schließen"));
    connect(print, &QPushButton::clicked, this, [this] { printClick(OutputKind::Printer); });
    connect(pdf, &QPushButton::clicked, this, [this] { printClick(OutputKind::Pdf); });
    connect(preview, &QPushButton::clicked, this, [this] { printClick(OutputKind::Preview); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* pushButton : {print, pdf, preview})
        buttons->addWidget(pushButton);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(days);
    layout->addWidget(Liste);
    layout->addLayout(buttons);
    resize(900, 600);
    scaleWindow(*this);
}

std::optional<qint64> TFormFaellig::chooseRow() {
    chosen_.reset();
    reload();
    exec();
    return chosen_;
}

void TFormFaellig::reload() {
    query_ = {today_(), Tage->value()};
    next_.reset();
    Liste->clear();
    if (const auto page = readPage(tables_, query_, kRowsPerRead)) {
        for (const Group& group : page->groups)
            addGroup(group);
        next_ = page->next;
    }
}

void TFormFaellig::readMore() {
    if (!next_)
        return;
    const auto page = readPage(tables_, query_, kRowsPerRead, next_);
    next_.reset();
    if (!page)
        return;
    for (const Group& group : page->groups)
        addGroup(group);
    next_ = page->next;
}

void TFormFaellig::addGroup(const Group& group) {
    const QString title = groupTitle(group) + QStringLiteral(" – ") + countText(group.count);
    const int count = Liste->topLevelItemCount();
    // A customer begun on the page before goes on under its heading.
    if (count == 0 || Liste->topLevelItem(count - 1)->data(0, kGroupRole) != title) {
        auto* heading = new QTreeWidgetItem(Liste, {title});
        heading->setData(0, kGroupRole, title);
        heading->setFirstColumnSpanned(true);
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
    }
    for (const Device& device : group.devices) {
        auto* item = new QTreeWidgetItem(
            Liste,
            {device.Termin.toString(QStringLiteral("dd.MM.yyyy")), QString::number(device.number),
             device.Geraeteart, device.Hersteller, device.Typenbezeichnung, device.Seriennummer});
        item->setData(0, kNumberRole, device.number);
        item->setData(0, kGroupRole, title);
        const bool overdue = query_.urgencyOf(device.Termin) == Urgency::Overdue;
        for (int column = 0; column < Liste->columnCount(); ++column) {
            item->setBackground(column, overdue ? due_colours::overdue() : due_colours::dueSoon());
            item->setToolTip(column, overdue ? QStringLiteral("Prüfung überfällig")
                                             : QStringLiteral("Prüfung bald fällig"));
        }
    }
}

void TFormFaellig::printClick(OutputKind kind) {
    const auto groups = readAll(tables_, query_);
    if (!groups)
        return;
    if (groups->isEmpty()) {
        prompter_.message(QStringLiteral("Bis zum %1 ist kein Gerät zur Prüfung fällig.")
                              .arg(query_.lastDay().toString(QStringLiteral("dd.MM.yyyy"))),
                          QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        return;
    }
    deliver(prompter_, {printers_, kind}, due_list::pdfName(query_), [&](PrintTarget& target) {
        due_list::draw(target, query_, *groups, [this](const QString& problem) {
            prompter_.message(problem, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        });
    });
}
