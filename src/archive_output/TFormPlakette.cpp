#include "TFormPlakette.h"

#include "TestLabels.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFormPlakette::TFormPlakette(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormPlakette"));
    setWindowTitle(QStringLiteral("Prüfplakette drucken"));
    help::setContext(*this, help::Archive);

    currentRow_ = new QRadioButton(QStringLiteral("&aktueller Datensatz"), this);
    currentRow_->setChecked(true);
    viewRows_ = new QRadioButton(QStringLiteral("a&lle angezeigten Datensätze (Filter)"), this);
    startPosition_ = new QSpinBox(this);
    startPosition_->setRange(1, test_labels::kPerSheet);
    auto* startLabel = new QLabel(QStringLiteral("&Erstes Etikett auf dem Bogen (1 bis 24, "
                                                 "zeilenweise von links oben):"),
                                  this);
    startLabel->setBuddy(startPosition_);
    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* start = new QHBoxLayout;
    start->addWidget(startLabel);
    start->addWidget(startPosition_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(currentRow_);
    layout->addWidget(viewRows_);
    layout->addLayout(start);
    layout->addLayout(buttons);
    scaleWindow(*this);
}

std::optional<test_labels::Choice> TFormPlakette::askChoice() {
    exec();
    return choice_;
}

void TFormPlakette::done(int result) {
    choice_.reset();
    if (result == QDialog::Accepted)
        choice_ = test_labels::Choice{viewRows_->isChecked() ? test_labels::Scope::ViewRows
                                                             : test_labels::Scope::CurrentRow,
                                      startPosition_->value()};
    QDialog::done(result);
}
