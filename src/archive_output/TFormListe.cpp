#include "TFormListe.h"

#include "addresses/CustomerTable.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"
#include "report/DateEntry.h"
#include "tables/TableCursor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const QString kError = QStringLiteral("Fehler");

QLineEdit* dateEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setInputMask(QStringLiteral("99.99.9999;_"));
    return edit;
}

} // namespace

TFormListe::TFormListe(Prompter& prompter, TableStore& tables, QWidget* parent)
    : QDialog(parent)
    , prompter_(prompter)
    , customers_(std::make_unique<TableCursor>(tables, QStringLiteral("kunden")))
    , KundeName(new QLineEdit(this))
    , KundeNr(new QLineEdit(this))
    , MaskEdit1(dateEdit(this, "MaskEdit1"))
    , MaskEdit2(dateEdit(this, "MaskEdit2")) {
    setObjectName(QStringLiteral("FormListe"));
    setWindowTitle(QStringLiteral("Geräte-Liste erstellen"));
    help::setContext(*this, help::Archive);
    customers_->setFilter(QStringLiteral("Kundennummer>0"));
    customers_->setFiltered(true);

    KundeName->setObjectName(QStringLiteral("KundeName"));
    KundeNr->setObjectName(QStringLiteral("KundeNr"));
    KundeNr->setMaxLength(10);
    KundeNr->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), KundeNr));
    for (QLineEdit* edit : {KundeName, KundeNr, MaskEdit1, MaskEdit2})
        edit->installEventFilter(this);

    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &TFormListe::Button1Click);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Auftraggeber"), KundeName);
    form->addRow(QStringLiteral("oder Kundennummer"), KundeNr);
    form->addRow(QStringLiteral("Prüfungstermin von"), MaskEdit1);
    form->addRow(QStringLiteral("bis"), MaskEdit2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setTabOrder(KundeName, KundeNr);
    setTabOrder(KundeNr, MaskEdit1);
    setTabOrder(MaskEdit1, MaskEdit2);
    setTabOrder(MaskEdit2, cancel);
    setTabOrder(cancel, ok);
    resize(400, 190);
    scaleWindow(*this);
}

TFormListe::~TFormListe() = default;

std::optional<TFormListe::Request> TFormListe::askRequest() {
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return request_;
}

void TFormListe::showEvent(QShowEvent* event) {
    // The dates stay from the last list: the next one is often the same range.
    KundeName->clear();
    KundeNr->clear();
    KundeName->setFocus();
    QDialog::showEvent(event);
}

bool TFormListe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == MaskEdit1) {
            MaskEdit2->setFocus();
            return true;
        }
        if (enter && watched == MaskEdit2) {
            findChild<QPushButton*>(QStringLiteral("Button1"))->setFocus();
            return true;
        }
        const bool ctrlL = key->key() == Qt::Key_L && key->modifiers() & Qt::ControlModifier;
        if (ctrlL && (watched == KundeName || watched == KundeNr)) {
            refuseCustomer({});
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == KundeName || watched == KundeNr)) {
        refuseCustomer({});
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormListe::refuseCustomer(const QString& message) {
    if (!message.isEmpty())
        prompter_.message(message, kError, Prompter::Buttons::Ok);
    if (!customerLookup_)
        return;
    const std::optional<CustomerChoice> choice = customerLookup_();
    if (!choice)
        return;
    KundeName->setText(choice->name);
    KundeNr->setText(QString::number(choice->number));
}

bool TFormListe::checkCustomer() {
    const QString name = KundeName->text().trimmed();
    const QString numberText = KundeNr->text().trimmed();
    std::optional<qint32> number;
    if (!numberText.isEmpty()) {
        bool ok = false;
        const qint32 value = numberText.toInt(&ok);
        if (!ok) {
            prompter_.message(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(numberText),
                              kError, Prompter::Buttons::Ok);
            return false;
        }
        number = value;
    }
    if (name.isEmpty() && !number) {
        prompter_.message(QStringLiteral("Bitte Kundennummer oder Auftraggeber eingeben!"), kError,
                          Prompter::Buttons::Ok);
        return false;
    }
    if (!customers_->open())
        return false;
    bool found = false;
    if (name.isEmpty()) {
        found = customer_table::findByNumber(*customers_, *number);
        if (found)
            KundeName->setText(customers_->text(QStringLiteral("Auftraggeber")));
        else
            refuseCustomer(QStringLiteral("Die Kundennummer gibt es nicht!"));
    } else if (!customer_table::findByName(*customers_, name)) {
        refuseCustomer(QStringLiteral("Diesen Kunden gibt es nicht!"));
    } else {
        const qint32 stored = qint32(customers_->integer(QStringLiteral("Kundennummer")));
        found = !number || *number == stored;
        if (!number)
            KundeNr->setText(QString::number(stored));
        if (!found)
            refuseCustomer(QStringLiteral("Auftraggeber und Kundennummer stimmen nicht überein!"));
    }
    if (found) {
        request_.customerName = customers_->text(QStringLiteral("Auftraggeber"));
        request_.customerNumber = qint32(customers_->integer(QStringLiteral("Kundennummer")));
        request_.customerStreet = customers_->text(QStringLiteral("AuftraggeberStrasse"));
        request_.customerPlace = customers_->text(QStringLiteral("AuftraggeberOrt"));
    }
    customers_->close();
    return found;
}

bool TFormListe::checkDates() {
    const struct {
        QLineEdit* edit;
        QString format;
        QString noSuchDate;
    } dates[] = {
        {MaskEdit1,
         QStringLiteral(
             "Ihre linke Datumseingabe entspricht nicht dem geforderten Format. Bitte überprüfen."),
         QStringLiteral("Das linke Datum gibt es nicht. Bitte überprüfen.")},
        {MaskEdit2,
         QStringLiteral("Ihre rechte Datumseingabe entspricht nicht dem geforderten Format. Bitte "
                        "überprüfen."),
         QStringLiteral("Das rechte Datum gibt es nicht. Bitte überprüfen.")},
    };
    for (const auto& date : dates)
        if (const auto problem = dateEntryProblem(date.edit->text())) {
            prompter_.message(*problem == DateEntryProblem::Format ? date.format : date.noSuchDate,
                              kError, Prompter::Buttons::Ok);
            return false;
        }
    return true;
}

void TFormListe::Button1Click() {
    if (!checkCustomer() || !checkDates())
        return;
    request_.firstDate = MaskEdit1->text();
    request_.secondDate = MaskEdit2->text();
    accept();
}
