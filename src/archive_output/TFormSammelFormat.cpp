#include "TFormSammelFormat.h"

#include "common/HelpContext.h"
#include "common/WindowScaling.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFormSammelFormat::TFormSammelFormat(QWidget* parent)
    : QDialog(parent)
    , Edit1(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FormSammelFormat"));
    setWindowTitle(QStringLiteral("Sammeldruck"));
    help::setContext(*this, help::Archive);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* items = new QVBoxLayout(group);
    const QString captions[] = {QStringLiteral("Deckblatt Hochformat"),
                                QStringLiteral("Deckblatt Querformat"),
                                QStringLiteral("ohne Deckblatt")};
    for (int i = 0; i < 3; ++i) {
        covers_[i] = new QRadioButton(captions[i], group);
        items->addWidget(covers_[i]);
    }
    // The choice is kept from one report to the next.
    covers_[0]->setChecked(true);

    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(25);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    auto* numberRow = new QHBoxLayout;
    auto* numberLabel = new QLabel(QStringLiteral("Sammelprotokoll Nr.:"), this);
    numberLabel->setObjectName(QStringLiteral("Label1"));
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(Edit1);
    layout->addLayout(numberRow);
    auto* remarksLabel =
        new QLabel(QStringLiteral("Bemerkungen (max. 80 Zeichen pro Zeile)"), this);
    remarksLabel->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(remarksLabel);
    for (int i = 0; i < 6; ++i) {
        remarkEdits_[i] = new QLineEdit(this);
        remarkEdits_[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 2));
        remarkEdits_[i]->setMaxLength(80);
        layout->addWidget(remarkEdits_[i]);
    }
    auto* next = new QPushButton(QStringLiteral("&Weiter"), this);
    next->setObjectName(QStringLiteral("Button1"));
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(560, 380);
    scaleWindow(*this);
}

void TFormSammelFormat::showEvent(QShowEvent* event) {
    Edit1->clear();
    for (QLineEdit* edit : remarkEdits_)
        edit->clear();
    choice_ = -1;
    Edit1->setFocus();
    QDialog::showEvent(event);
}

void TFormSammelFormat::done(int result) {
    choice_ = -1;
    if (result == QDialog::Accepted)
        for (int i = 0; i < 3; ++i)
            if (covers_[i]->isChecked())
                choice_ = i;
    QDialog::done(result);
}

std::optional<collective_report::FormatChoice> TFormSammelFormat::askFormat() {
    exec();
    if (choice_ < 0)
        return std::nullopt;
    collective_report::FormatChoice choice;
    choice.cover = static_cast<collective_report::Cover>(choice_);
    choice.number = Edit1->text();
    for (int i = 0; i < 6; ++i)
        choice.remarks[i] = remarkEdits_[i]->text();
    return choice;
}
