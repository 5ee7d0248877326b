#include "TFormFilter.h"

#include "ScreenCentre.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* list(QWidget* parent, const QString& name, const QStringList& entries) {
    auto* created = new QComboBox(parent);
    created->setObjectName(name);
    created->addItems(entries);
    return created;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* created = new QPushButton(caption, parent);
    created->setObjectName(QLatin1String(name));
    created->setAutoDefault(false);
    return created;
}

} // namespace

TFormFilter::TFormFilter(Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , prompter_(prompter)
    , ButtonPlus(button(this, "ButtonPlus", QStringLiteral("+")))
    , ButtonMinus(button(this, "ButtonMinus", QStringLiteral("-"))) {
    setObjectName(QStringLiteral("FormFilter"));
    setWindowTitle(QStringLiteral("Filter definieren"));
    help::setContext(*this, help::Archive);

    auto* grid = new QGridLayout;
    const QStringList fields = archive_filter::fieldLabels();
    for (int row = 0; row < kRows; ++row) {
        const QString number = QString::number(row + 1);
        fieldLists_[row] = list(this, QStringLiteral("ComboBoxFeld") + number, fields);
        fieldLists_[row]->setMaxVisibleItems(fields.size());
        operatorLists_[row] =
            list(this, QStringLiteral("ComboBoxOperator") + number, archive_filter::operators());
        operatorLists_[row]->setMaxVisibleItems(6);
        valueEdits_[row] = new QLineEdit(this);
        valueEdits_[row]->setObjectName(QStringLiteral("EditWert") + number);
        valueEdits_[row]->setMaxLength(30);
        grid->addWidget(fieldLists_[row], row, 0);
        grid->addWidget(operatorLists_[row], row, 1);
        grid->addWidget(valueEdits_[row], row, 2);
        if (row < kRows - 1) {
            linkLists_[row] = list(this, QStringLiteral("ComboBoxVerknuepfung") + number,
                                   archive_filter::linkLabels());
            grid->addWidget(linkLists_[row], row, 3);
        }
        // Rows keep their places while the ones below are hidden.
        grid->setRowMinimumHeight(row, fieldLists_[row]->sizeHint().height() + 8);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(3, 1);

    QFont large = ButtonPlus->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    for (QPushButton* sign : {ButtonPlus, ButtonMinus}) {
        sign->setFont(large);
        sign->setFixedWidth(sign->sizeHint().height() * 2);
    }
    QPushButton* clear = button(this, "ButtonFilterLoeschen", QStringLiteral("&Filter löschen"));
    QPushButton* cancel = button(this, "ButtonAbbrechen", QStringLiteral("&Abbrechen"));
    QPushButton* next = button(this, "ButtonWeiter", QStringLiteral("&Weiter"));
    next->setDefault(true);
    connect(ButtonPlus, &QPushButton::clicked, this, &TFormFilter::ButtonPlusClick);
    connect(ButtonMinus, &QPushButton::clicked, this, &TFormFilter::ButtonMinusClick);
    connect(clear, &QPushButton::clicked, this, &TFormFilter::ButtonFilterLoeschenClick);
    connect(cancel, &QPushButton::clicked, this, &TFormFilter::ButtonAbbrechenClick);
    connect(next, &QPushButton::clicked, this, &TFormFilter::ButtonWeiterClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ButtonPlus);
    buttons->addWidget(ButtonMinus);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(700, 260);
    scaleWindow(*this);
    showConditions();
}

void TFormFilter::showEvent(QShowEvent* event) {
    if (conditions_.resetPending)
        conditions_.clear();
    conditions_.deleted = false;
    openedWith_ = conditions_;
    showConditions();
    centreOnScreen(*this);
    fieldLists_[0]->setFocus();
    QDialog::showEvent(event);
}

void TFormFilter::showConditions() {
    for (int row = 0; row < kRows; ++row) {
        const int field = conditions_.field[row];
        fieldLists_[row]->setCurrentIndex(field);
        operatorLists_[row]->setCurrentIndex(conditions_.op[row]);
        QString value = conditions_.value[row];
        if (archive_filter::isYesNoField(field))
            value = value == QLatin1String("1") ? QStringLiteral("ja") : QStringLiteral("nein");
        valueEdits_[row]->setText(value);
        if (row < kRows - 1)
            linkLists_[row]->setCurrentIndex(conditions_.link[row]);
    }
    showRows();
}

void TFormFilter::showRows() {
    const int rows = conditions_.rows;
    for (int row = 0; row < kRows; ++row) {
        const bool shown = row < rows;
        fieldLists_[row]->setVisible(shown);
        operatorLists_[row]->setVisible(shown);
        valueEdits_[row]->setVisible(shown);
        if (row < kRows - 1)
            linkLists_[row]->setVisible(row + 1 < rows);
    }
    ButtonMinus->setVisible(rows > 1);
    ButtonMinus->setEnabled(rows > 1);
    ButtonPlus->setVisible(rows < kRows);
    ButtonPlus->setEnabled(rows < kRows);
}

void TFormFilter::copyControls() {
    for (int row = 0; row < kRows; ++row) {
        conditions_.field[row] = std::max(0, fieldLists_[row]->currentIndex());
        conditions_.op[row] = std::max(0, operatorLists_[row]->currentIndex());
        conditions_.value[row] = valueEdits_[row]->text().trimmed();
        if (row < kRows - 1)
            conditions_.link[row] = std::max(0, linkLists_[row]->currentIndex());
    }
}

void TFormFilter::ButtonPlusClick() {
    if (conditions_.rows >= kRows)
        return;
    ++conditions_.rows;
    showRows();
    fieldLists_[conditions_.rows - 1]->setFocus();
}

void TFormFilter::ButtonMinusClick() {
    if (conditions_.rows <= 1)
        return;
    const int removed = conditions_.rows - 1;
    fieldLists_[removed]->setCurrentIndex(0);
    operatorLists_[removed]->setCurrentIndex(0);
    valueEdits_[removed]->clear();
    linkLists_[removed - 1]->setCurrentIndex(0);
    --conditions_.rows;
    showRows();
}

void TFormFilter::ButtonFilterLoeschenClick() {
    conditions_.rows = 1;
    conditions_.deleted = true;
    for (int row = 0; row < kRows; ++row) {
        fieldLists_[row]->setCurrentIndex(0);
        operatorLists_[row]->setCurrentIndex(0);
        valueEdits_[row]->clear();
        if (row < kRows - 1)
            linkLists_[row]->setCurrentIndex(0);
    }
    showRows();
    copyControls();
    accept();
}

void TFormFilter::ButtonAbbrechenClick() {
    reject();
}

void TFormFilter::reject() {
    // Conditions typed but refused by "&Weiter" are not taken over.
    conditions_ = openedWith_;
    QDialog::reject();
}

void TFormFilter::ButtonWeiterClick() {
    copyControls();
    const archive_filter::CheckResult result = archive_filter::check(conditions_);
    if (!result.message.isEmpty())
        prompter_.message(result.message, result.caption, Prompter::Buttons::Ok);
    if (result.valid)
        accept();
}

void TFormFilter::done(int result) {
    conditions_.resetPending = false;
    QDialog::done(result);
}
