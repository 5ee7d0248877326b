#include "TFormSuchen.h"

#include "ScreenCentre.h"
#include "archive/FindFields.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSuchen::TFormSuchen(Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , prompter_(prompter)
    , ComboBox1(new QComboBox(this))
    , Edit1(new QLineEdit(QStringLiteral(" "), this)) {
    setObjectName(QStringLiteral("FormSuchen"));
    setWindowTitle(QStringLiteral("Suchen"));
    help::setContext(*this, help::Archive);

    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const find_fields::FindField& field : find_fields::fields())
        ComboBox1->addItem(QString::fromUtf8(field.searchLabel));
    ComboBox1->setMaxVisibleItems(14);
    // Styles that open the list as a menu would show all lines at once.
    ComboBox1->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    ComboBox1->setCurrentIndex(-1);
    auto* equals = new QLabel(QStringLiteral("="), this);
    equals->setObjectName(QStringLiteral("Label1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(20);
    auto* next = new QPushButton(QStringLiteral("&Weiter"), this);
    next->setObjectName(QStringLiteral("ButtonWeiter"));
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("ButtonAbbruch"));
    cancel->setAutoDefault(false);
    connect(next, &QPushButton::clicked, this, &TFormSuchen::ButtonWeiterClick);
    connect(cancel, &QPushButton::clicked, this, &TFormSuchen::ButtonAbbruchClick);

    auto* condition = new QHBoxLayout;
    condition->addWidget(ComboBox1, 3);
    condition->addWidget(equals);
    condition->addWidget(Edit1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(condition);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(420, 110);
    scaleWindow(*this);
}

void TFormSuchen::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    ComboBox1->setFocus();
    QDialog::showEvent(event);
}

void TFormSuchen::ButtonWeiterClick() {
    const int entry = ComboBox1->currentIndex();
    request_.cancelled = entry < 0;
    if (entry >= 0)
        request_.field = QLatin1String(find_fields::fields()[entry].field);
    const archive_search::CheckedValue checked = archive_search::checkValue(entry, Edit1->text());
    request_.value = checked.value;
    if (!checked.error.isEmpty()) {
        prompter_.message(checked.error, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        Edit1->setFocus();
        return;
    }
    accept();
}

void TFormSuchen::ButtonAbbruchClick() {
    reject();
}

void TFormSuchen::reject() {
    request_.cancelled = true;
    ComboBox1->setCurrentIndex(-1);
    Edit1->clear();
    QDialog::reject();
}
