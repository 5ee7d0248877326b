#include "TFormKundenstamm.h"

#include "CustomerTable.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"
#include "tables/DataGrid.h"
#include "tables/DataNavigator.h"
#include "tables/GridSetup.h"
#include "tables/TableCursor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kNumber = QStringLiteral("Kundennummer");

constexpr GridColumn kColumns[] = {
    {"Kundennummer", "Kundennummer", 85, true},
    {"Auftraggeber", "Auftraggeber", 200},
    {"AuftraggeberStrasse", "Straße", 200},
    {"AuftraggeberOrt", "PLZ Ort", 200},
    {"Ansprechpartner", "Ansprechpartner", 150},
    {"Telefon", "Telefon", 150},
    {"Fax", "Fax", 150},
    {"Bemerkungen", "Bemerkungen", 300},
};

bool isEditing(const TableCursor& cursor) {
    return cursor.state() == TableCursor::State::Edit ||
           cursor.state() == TableCursor::State::Insert;
}
} // namespace

TFormKundenstamm::TFormKundenstamm(TableStore& tables, Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , prompter_(prompter)
    , Table4(std::make_unique<TableCursor>(tables, QStringLiteral("kunden"), this)) {
    setObjectName(QStringLiteral("FormKundenstamm"));
    Table4->setObjectName(QStringLiteral("Table4"));
    setWindowTitle(QStringLiteral("Kundenverwaltung"));
    help::setContext(*this, help::Addresses);

    Table4->beforeInsert = [this](TableCursor& table) {
        newNumber_ = customer_table::newCustomerNumber(table);
    };
    Table4->afterInsert = [this](TableCursor& table) { table.setInteger(kNumber, newNumber_); };
    // Another PC may add a customer while this one is typed.
    Table4->keepNumbersUnique(kNumber);
    Table4->beforePost = [this](TableCursor& table) {
        customer_table::beforePost(table, prompter_);
    };
    Table4->setFilter(QStringLiteral("Kundennummer>0"));
    Table4->setFiltered(true);
    customer_table::ensureIndexes(*Table4, true);

    using Button = DataNavigator::Button;
    auto* navigator =
        new DataNavigator(*Table4,
                          {Button::First, Button::Prior, Button::Next, Button::Last, Button::Insert,
                           Button::Edit, Button::Post, Button::Cancel},
                          this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    navigator->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* remove = new QPushButton(QStringLiteral("&Löschen"), this);
    remove->setObjectName(QStringLiteral("Button1"));
    remove->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("Button2"));
    close->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &TFormKundenstamm::Button1Click);
    connect(close, &QPushButton::clicked, this, &TFormKundenstamm::Button2Click);

    // A larger screen font must not cut a title short.
    DBGrid4 = createDataGrid(*Table4, kColumns, LongTitles::WidenColumn, this);
    DBGrid4->setObjectName(QStringLiteral("DBGrid4"));
    connect(DBGrid4, &DataGrid::titleClicked, this, &TFormKundenstamm::DBGrid4TitleClick);
    // The number is given, so a new row is typed into from the name on.
    connect(Table4.get(), &TableCursor::stateChanged, this, [this] {
        const QModelIndex current = DBGrid4->currentIndex();
        if (Table4->state() == TableCursor::State::Insert && current.column() == 0)
            DBGrid4->setCurrentIndex(current.siblingAtColumn(1));
    });
    DBGrid4->installEventFilter(this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(navigator);
    bar->addSpacing(24);
    bar->addWidget(remove);
    bar->addWidget(close);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(DBGrid4, 1);
    resize(800, 500);
    scaleWindow(*this);
    setWindowState(Qt::WindowMaximized);
}

TFormKundenstamm::~TFormKundenstamm() = default;

void TFormKundenstamm::showEvent(QShowEvent* event) {
    // Another window may have changed the customers meanwhile; a table that
    // could not be opened at start-up gets another try.
    if (Table4->isOpen())
        Table4->refresh();
    else
        customer_table::ensureIndexes(*Table4, true);
    DBGrid4->setFocus();
    QDialog::showEvent(event);
}

void TFormKundenstamm::Button1Click() {
    customer_table::deleteCustomer(*Table4, prompter_);
}

void TFormKundenstamm::Button2Click() {
    close();
}

void TFormKundenstamm::DBGrid4TitleClick(const QString& field) {
    Table4->setIndexName(field == kNumber ? QStringLiteral("Standard") : QStringLiteral("Kunde"));
}

void TFormKundenstamm::done(int result) {
    if (isEditing(*Table4)) {
        const auto answer = prompter_.message(
            QStringLiteral("Sollen die Änderungen am aktuellen Datensatz gespeichert werden?"),
            QStringLiteral("Frage"), Prompter::Buttons::YesNo);
        if (answer != Prompter::Answer::Yes)
            Table4->cancel();
        else if (!Table4->post())
            return;
    }
    QDialog::done(result);
}

bool TFormKundenstamm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid4 && event->type() == QEvent::KeyPress &&
        DBGrid4KeyDown(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TFormKundenstamm::DBGrid4KeyDown(const QKeyEvent& key) {
    TableCursor& table = *Table4;
    if (key.modifiers() & Qt::ControlModifier) {
        switch (key.key()) {
        case Qt::Key_F2:
            table.first();
            return true;
        case Qt::Key_F3:
            table.prior();
            return true;
        case Qt::Key_F4:
            table.next();
            return true;
        case Qt::Key_F5:
            table.last();
            return true;
        default:
            break;
        }
    }
    switch (key.key()) {
    case Qt::Key_F2:
        if (table.state() == TableCursor::State::Browse)
            table.edit();
        return true;
    case Qt::Key_F4:
        if (isEditing(table))
            table.post();
        return true;
    case Qt::Key_F5:
        if (isEditing(table))
            table.cancel();
        return true;
    case Qt::Key_F6:
        table.insert();
        return true;
    default:
        return false;
    }
}
