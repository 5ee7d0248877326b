#include "TForm2.h"

#include "SerialLine.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {
constexpr int kClientWidth = 330;
constexpr int kClientHeight = 130;
constexpr int kDeviceRole = Qt::UserRole;

// Shows the device bound to a slot beside its name in the open list, so the
// user sees which adapter is which; the entry's own text stays the slot name.
class SlotDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString device = index.data(kDeviceRole).toString();
        if (!device.isEmpty())
            option->text += QStringLiteral("    ") + device;
    }
};
} // namespace

TForm2::TForm2(SerialLine& line, Prompter& prompter, const QString& comFilePath, QWidget* parent)
    : QDialog(parent)
    , prompter_(prompter)
    , comFilePath_(comFilePath)
    , Label1(new QLabel(QStringLiteral("&Schnittstelle"), this))
    , ComboBoxPort(new QComboBox(this))
    , LabelGeraet(new QLabel(this))
    , ButtonAbort(new QPushButton(QStringLiteral("&Abbrechen"), this))
    , ButtonOk(new QPushButton(QStringLiteral("&Ok"), this)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Auswahl Schnittstelle"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    help::setContext(*this, help::PortSelection);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(ComboBoxPort);
    ComboBoxPort->setObjectName(QStringLiteral("ComboBoxPort"));
    ComboBoxPort->setItemDelegate(new SlotDelegate(ComboBoxPort));
    LabelGeraet->setObjectName(QStringLiteral("LabelGeraet"));
    ButtonAbort->setObjectName(QStringLiteral("ButtonAbort"));
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(ComboBoxPort, 0, 1);
    layout->addWidget(LabelGeraet, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonAbort);
    buttons->addWidget(ButtonOk);
    layout->addLayout(buttons, 2, 0, 1, 2);

    const PortList list = loadPortSettings(line, comFilePath_, settings_);
    for (int index = 0; index < list.entries.size(); ++index) {
        ComboBoxPort->addItem(list.entries.at(index), line.ports().deviceOf(index));
        ComboBoxPort->setCurrentIndex(0);
    }
    ComboBoxPort->setCurrentIndex(list.selection);
    showDeviceOfSelection();
    connect(ComboBoxPort, &QComboBox::currentIndexChanged, this,
            [this] { showDeviceOfSelection(); });
    connect(ButtonAbort, &QPushButton::clicked, this, &TForm2::ButtonAbortClick);
    connect(ButtonOk, &QPushButton::clicked, this, &TForm2::ButtonOkClick);

    setFixedSize(kClientWidth, kClientHeight);
    scaleWindow(*this);
    setFixedSize(size());
}

void TForm2::showEvent(QShowEvent* event) {
    settings_.savedIndex = ComboBoxPort->currentIndex();
    QDialog::showEvent(event);
}

void TForm2::showDeviceOfSelection() {
    const QString device = ComboBoxPort->currentData(kDeviceRole).toString();
    LabelGeraet->setText(device.isEmpty() ? QStringLiteral("kein Gerät zugeordnet") : device);
}

void TForm2::reject() {
    ComboBoxPort->setCurrentIndex(settings_.savedIndex);
    QDialog::reject();
}

void TForm2::ButtonAbortClick() {
    reject();
}

void TForm2::ButtonOkClick() {
    // A COMX entry is taken as well; opening it fails later and says so.
    settings_.portIndex = ComboBoxPort->currentIndex();
    if (!com_file::write(comFilePath_, settings_.portIndex))
        prompter_.message(QStringLiteral("Die Auswahl der Schnittstelle konnte nicht in \"%1\" "
                                         "gespeichert werden.")
                              .arg(comFilePath_),
                          QStringLiteral("Fehler"), Prompter::Buttons::Ok);
    accept();
}
