#include "TFormPlakette.h"

#include "TestLabels.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"

#include <QGroupBox>
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

    auto* rows = new QGroupBox(QStringLiteral("Datensätze"), this);
    currentRow_ = new QRadioButton(QStringLiteral("&aktueller Datensatz"), rows);
    currentRow_->setChecked(true);
    markedRows_ = new QRadioButton(rows);
    viewRows_ = new QRadioButton(QStringLiteral("a&lle angezeigten Datensätze (Filter)"), rows);
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->addWidget(currentRow_);
    rowsLayout->addWidget(markedRows_);
    rowsLayout->addWidget(viewRows_);

    auto* format = new QGroupBox(QStringLiteral("Format"), this);
    sheet_ = new QRadioButton(QStringLiteral("A4-&Bogen 3 × 8"), format);
    sheet_->setChecked(true);
    single_ = new QRadioButton(QStringLiteral("Einzele&tikett 50 × 30 mm"), format);
    startPosition_ = new QSpinBox(format);
    startPosition_->setRange(1, test_labels::kPerSheet);
    startLabel_ = new QLabel(QStringLiteral("&Erstes Etikett auf dem Bogen (1 bis 24, "
                                            "zeilenweise von links oben):"),
                             format);
    startLabel_->setBuddy(startPosition_);
    // A single label has no place on a sheet.
    connect(sheet_, &QRadioButton::toggled, this, [this](bool onSheet) {
        startLabel_->setEnabled(onSheet);
        startPosition_->setEnabled(onSheet);
    });
    auto* start = new QHBoxLayout;
    start->addWidget(startLabel_);
    start->addWidget(startPosition_);
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(sheet_);
    formatLayout->addWidget(single_);
    formatLayout->addLayout(start);

    auto* cancel = new QPushButton(QStringLiteral("&Abbruch"), this);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows);
    layout->addWidget(format);
    layout->addLayout(buttons);
    scaleWindow(*this);
}

std::optional<test_labels::Choice> TFormPlakette::askChoice(qint64 markedRows) {
    markedRows_->setText(QStringLiteral("&markierte Datensätze (%1)").arg(markedRows));
    markedRows_->setEnabled(markedRows > 0);
    if (markedRows == 0 && markedRows_->isChecked())
        currentRow_->setChecked(true);
    exec();
    return choice_;
}

void TFormPlakette::done(int result) {
    choice_.reset();
    if (result == QDialog::Accepted)
        choice_ = test_labels::Choice{markedRows_->isChecked() ? test_labels::Scope::MarkedRows
                                      : viewRows_->isChecked() ? test_labels::Scope::ViewRows
                                                               : test_labels::Scope::CurrentRow,
                                      startPosition_->value(),
                                      single_->isChecked() ? test_labels::Format::Single
                                                           : test_labels::Format::Sheet};
    QDialog::done(result);
}
