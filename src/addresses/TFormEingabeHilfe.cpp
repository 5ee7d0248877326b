#include "TFormEingabeHilfe.h"

#include "CustomerTable.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"
#include "tables/DataGrid.h"
#include "tables/DataNavigator.h"
#include "tables/TableCursor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kStandard = QStringLiteral("Standard");
const QString kNumber = QStringLiteral("Kundennummer");
} // namespace

TFormEingabeHilfe::TFormEingabeHilfe(TableStore& tables, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , Table2(std::make_unique<TableCursor>(tables, QStringLiteral("kunden"))) {
    setObjectName(QStringLiteral("FormEingabeHilfe"));
    setWindowTitle(QStringLiteral("Datenbank Auftraggeber"));
    help::setContext(*this, help::Archive);

    customer_table::ensureIndexes(*Table2, true);
    Table2->close();
    Table2->setFilter(QStringLiteral("Kundennummer>0"));
    Table2->setFiltered(true);

    auto* navigator = new DataNavigator(*Table2,
                                        {DataNavigator::Button::First, DataNavigator::Button::Prior,
                                         DataNavigator::Button::Next, DataNavigator::Button::Last},
                                        this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    DBGrid2 = new DataGrid(*Table2, {kNumber, QStringLiteral("Auftraggeber")}, this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setReadOnly(true);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    // Tab leaves the grid for the buttons instead of walking its cells.
    DBGrid2->setTabKeyNavigation(false);
    connect(DBGrid2, &DataGrid::titleClicked, this, &TFormEingabeHilfe::DBGrid2TitleClick);
    connect(Table2.get(), &TableCursor::dataChanged, this, &TFormEingabeHilfe::showCustomer);

    auto* fields = new QFormLayout;
    const std::pair<const char*, const char*> shown[] = {{"AuftraggeberStrasse", "Straße"},
                                                         {"AuftraggeberOrt", "PLZ Ort"},
                                                         {"Ansprechpartner", "Ansprechpartner"},
                                                         {"Telefon", "Telefon"},
                                                         {"Fax", "Fax"},
                                                         {"Bemerkungen", "Bemerkungen"}};
    for (const auto& [field, label] : shown) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(fieldEdits_.size() + 1));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        fields->addRow(QString::fromUtf8(label), edit);
        fieldEdits_.append({QLatin1String(field), edit});
    }

    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("ButtonAbbruch"));
    cancel->setAutoDefault(false);
    auto* take = new QPushButton(QStringLiteral("&Übernehmen"), this);
    take->setObjectName(QStringLiteral("ButtonWeiter"));
    take->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &TFormEingabeHilfe::ButtonAbbruchClick);
    connect(take, &QPushButton::clicked, this, &TFormEingabeHilfe::ButtonWeiterClick);

    auto* left = new QVBoxLayout;
    left->addWidget(navigator);
    left->addWidget(DBGrid2);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(take);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    resize(680, 420);
    scaleWindow(*this);
}

TFormEingabeHilfe::~TFormEingabeHilfe() = default;

void TFormEingabeHilfe::showEvent(QShowEvent* event) {
    // Whatever order was chosen last time, every showing starts in number order.
    Table2->close();
    Table2->setIndexName(kStandard);
    Table2->open();
    Table2->first();
    showCustomer();
    DBGrid2->setFocus();
    QDialog::showEvent(event);
}

void TFormEingabeHilfe::showCustomer() {
    for (const auto& [field, edit] : std::as_const(fieldEdits_))
        edit->setText(Table2->text(field));
}

void TFormEingabeHilfe::DBGrid2TitleClick(const QString& field) {
    Table2->setIndexName(field == kNumber ? kStandard : QStringLiteral("Kunde"));
}

std::optional<CustomerChoice> TFormEingabeHilfe::choose() {
    chosen_.reset();
    exec();
    return chosen_;
}

void TFormEingabeHilfe::ButtonWeiterClick() {
    chosen_ = CustomerChoice{Table2->text(QStringLiteral("Auftraggeber")),
                             static_cast<qint32>(Table2->integer(kNumber)),
                             Table2->text(QStringLiteral("AuftraggeberOrt")),
                             Table2->text(QStringLiteral("AuftraggeberStrasse"))};
    accept();
}

void TFormEingabeHilfe::ButtonAbbruchClick() {
    reject();
}

void TFormEingabeHilfe::reject() {
    chosen_.reset();
    QDialog::reject();
}

void TFormEingabeHilfe::done(int result) {
    Table2->close();
    QDialog::done(result);
}
