#include "TForm11.h"

#include "common/HelpContext.h"
#include "common/WindowScaling.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm11::TForm11(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Protokoll"));
    help::setContext(*this, help::RemoteControlAndReport);

    auto* question = new QLabel(QStringLiteral("Protokoll gewünscht ?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    question->setAlignment(Qt::AlignCenter);
    auto* yes = new QPushButton(QStringLiteral("&Ja"), this);
    yes->setObjectName(QStringLiteral("ButtonProtja"));
    yes->setDefault(true);
    auto* no = new QPushButton(QStringLiteral("&Nein"), this);
    no->setObjectName(QStringLiteral("ButtonProtnein"));
    connect(yes, &QPushButton::clicked, this, [this] { answer(true); });
    connect(no, &QPushButton::clicked, this, [this] { answer(false); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(buttons);
    resize(280, 120);
    scaleWindow(*this);
}

bool TForm11::askReport() {
    reportWanted_ = false;
    exec();
    return reportWanted_;
}

void TForm11::answer(bool reportWanted) {
    reportWanted_ = reportWanted;
    accept();
}
