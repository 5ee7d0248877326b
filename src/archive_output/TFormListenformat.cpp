#include "TFormListenformat.h"

#include "common/HelpContext.h"
#include "common/WindowScaling.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFormListenformat::TFormListenformat(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormListenformat"));
    setWindowTitle(QStringLiteral("Auswahl Listenformat"));
    help::setContext(*this, help::Archive);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* items = new QVBoxLayout(group);
    for (const QString& caption :
         {QStringLiteral("Hochformat 1 (Geräteart,Seriennummer,Hersteller,Prüfdatum)"),
          QStringLiteral("Hochformat 2 (Geräteart,Seriennummer,Typenbezeichnung,Prüfdatum)"),
          QStringLiteral("Querformat   (Geräteart,Seriennummer,Typenbezeichnung,Hersteller,"
                         "Prüfdatum)")}) {
        auto* item = new QRadioButton(caption, group);
        items->addWidget(item);
        items_.append(item);
    }
    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(480, 170);
    scaleWindow(*this);
}

std::optional<device_list::Format> TFormListenformat::askFormat() {
    exec();
    if (format_ < 0)
        return std::nullopt;
    return static_cast<device_list::Format>(format_);
}

void TFormListenformat::showEvent(QShowEvent* event) {
    items_.first()->setChecked(true);
    format_ = -1;
    QDialog::showEvent(event);
}

void TFormListenformat::done(int result) {
    format_ = -1;
    if (result == QDialog::Accepted)
        for (int i = 0; i < items_.size(); ++i)
            if (items_[i]->isChecked())
                format_ = i;
    QDialog::done(result);
}
