#include "TForm15.h"

#include "MemoryVersion.h"
#include "common/WindowScaling.h"
#include "tester/TesterState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 360;
constexpr int kHeight = 173;

QChar letterOf(const TesterState& state) {
    return state.memorySoftwareVersion.isEmpty() ? QLatin1Char('B')
                                                 : state.memorySoftwareVersion.at(0);
}
} // namespace

TForm15::TForm15(TesterState& state, QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , Label1(new QLabel(QStringLiteral("Label1"), this))
    , Button1(new QPushButton(QStringLiteral("Ändern "), this))
    , Button2(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("SW-Version Speicher"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm15::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 1);
    layout->addLayout(buttons);

    setFixedSize(kWidth, kHeight);
    scaleWindow(*this);
    setFixedSize(size());
}

void TForm15::showEvent(QShowEvent* event) {
    Label1->setText(memoryVersionText(letterOf(state_), state_.connection.ProtocolVersion, false));
    QDialog::showEvent(event);
}

void TForm15::Button1Click() {
    const QChar letter = otherMemoryLetter(letterOf(state_));
    state_.memorySoftwareVersion = letter;
    Label1->setText(memoryVersionText(letter, state_.connection.ProtocolVersion, true));
}
