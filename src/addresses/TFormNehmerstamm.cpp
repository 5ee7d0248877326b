#include "TFormNehmerstamm.h"

#include "CustomerTable.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"
#include "tables/TableCursor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormNehmerstamm::TFormNehmerstamm(TableStore& tables, QWidget* parent)
    : QDialog(parent)
    , Table1(std::make_unique<TableCursor>(tables, QStringLiteral("kunden")))
    , EditFirma(new QLineEdit(this))
    , EditOrt(new QLineEdit(this))
    , EditStrasse(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FormNehmerstamm"));
    setWindowTitle(QStringLiteral("Auftragnehmer"));
    help::setContext(*this, help::Addresses);

    customer_table::ensureIndexes(*Table1, false);
    Table1->close();

    auto* grid = new QGridLayout;
    // On screen the street comes before the place; typing goes name, place, street.
    const struct {
        QLineEdit* edit;
        const char* name;
        QString label;
    } lines[] = {{EditFirma, "EditFirma", QStringLiteral("Firma")},
                 {EditStrasse, "EditStrasse", QStringLiteral("Straße")},
                 {EditOrt, "EditOrt", QStringLiteral("PLZ  Ort")}};
    for (int row = 0; row < 3; ++row) {
        lines[row].edit->setObjectName(QLatin1String(lines[row].name));
        lines[row].edit->setMaxLength(customer_table::kContractorLineLength);
        auto* label = new QLabel(lines[row].label, this);
        label->setBuddy(lines[row].edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(lines[row].edit, row, 1);
    }

    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("Button1"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Button2"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &TFormNehmerstamm::Button1Click);
    connect(ok, &QPushButton::clicked, this, &TFormNehmerstamm::Button2Click);
    setTabOrder(EditFirma, EditOrt);
    setTabOrder(EditOrt, EditStrasse);
    setTabOrder(EditStrasse, cancel);
    setTabOrder(cancel, ok);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(420, 180);
    scaleWindow(*this);
}

TFormNehmerstamm::~TFormNehmerstamm() = default;

void TFormNehmerstamm::showEvent(QShowEvent* event) {
    Table1->open();
    // Without a contractor row the edits keep what was typed last time.
    if (const auto contractor = customer_table::readContractor(*Table1)) {
        EditFirma->setText(contractor->name);
        EditOrt->setText(contractor->place);
        EditStrasse->setText(contractor->street);
    }
    save_ = true;
    EditFirma->setFocus();
    QDialog::showEvent(event);
}

void TFormNehmerstamm::Button1Click() {
    save_ = false;
    reject();
}

void TFormNehmerstamm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        Button1Click();
    else
        QDialog::keyPressEvent(event);
}

void TFormNehmerstamm::Button2Click() {
    accept();
}

void TFormNehmerstamm::done(int result) {
    if (save_) {
        const customer_table::ContractorAddress address{
            EditFirma->text().trimmed(), EditStrasse->text().trimmed(), EditOrt->text().trimmed()};
        if (!customer_table::writeContractor(*Table1, address)) {
            Table1->cancel();
            return;
        }
    }
    save_ = false;
    Table1->close();
    QDialog::done(result);
}
