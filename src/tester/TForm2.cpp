#include "TForm2.h"

#include "PortBindings.h"
#include "SerialLine.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

TForm2::TForm2(SerialLine& line, Prompter& prompter, const QString& comFilePath,
               const QString& bindingsPath, QWidget* parent)
    : QDialog(parent)
    , line_(line)
    , prompter_(prompter)
    , comFilePath_(comFilePath)
    , bindingsPath_(bindingsPath)
    , Label1(new QLabel(QStringLiteral("&Schnittstelle"), this))
    , ComboBoxPort(new QComboBox(this))
    , LabelGeraet(new QLabel(QStringLiteral("&Gerät"), this))
    , ComboBoxGeraet(new QComboBox(this))
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
    LabelGeraet->setBuddy(ComboBoxGeraet);
    ComboBoxGeraet->setObjectName(QStringLiteral("ComboBoxGeraet"));
    // Any device path may be typed; the list offers what the machine has.
    ComboBoxGeraet->setEditable(true);
    ComboBoxGeraet->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxGeraet->addItems(line.ports().availableDevices());
    ComboBoxGeraet->lineEdit()->setPlaceholderText(QStringLiteral("kein Gerät zugeordnet"));
    ComboBoxGeraet->setMinimumContentsLength(32);
    ButtonAbort->setObjectName(QStringLiteral("ButtonAbort"));
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(ComboBoxPort, 0, 1);
    layout->addWidget(LabelGeraet, 1, 0);
    layout->addWidget(ComboBoxGeraet, 1, 1);
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
    connect(ComboBoxGeraet, &QComboBox::currentTextChanged, this, [this](const QString& device) {
        if (!showingDevice_)
            changedDevices_[ComboBoxPort->currentIndex()] = device.trimmed();
    });
    connect(ButtonAbort, &QPushButton::clicked, this, &TForm2::ButtonAbortClick);
    connect(ButtonOk, &QPushButton::clicked, this, &TForm2::ButtonOkClick);

    resize(kClientWidth, kClientHeight);
    scaleWindow(*this);
    setFixedSize(sizeHint().expandedTo(size()));
}

void TForm2::showEvent(QShowEvent* event) {
    settings_.savedIndex = ComboBoxPort->currentIndex();
    changedDevices_.clear();
    showDeviceOfSelection();
    QDialog::showEvent(event);
}

void TForm2::showDeviceOfSelection() {
    const int index = ComboBoxPort->currentIndex();
    const auto changed = changedDevices_.find(index);
    showingDevice_ = true;
    ComboBoxGeraet->setCurrentText(changed != changedDevices_.end()
                                       ? changed->second
                                       : ComboBoxPort->currentData(kDeviceRole).toString());
    showingDevice_ = false;
}

void TForm2::reject() {
    changedDevices_.clear();
    ComboBoxPort->setCurrentIndex(settings_.savedIndex);
    showDeviceOfSelection();
    QDialog::reject();
}

void TForm2::bindChangedDevices() {
    PortSlots::Bindings remembered =
        bindingsPath_.isEmpty() ? PortSlots::Bindings{} : port_bindings::load(bindingsPath_);
    bool changed = false;
    for (const auto& [index, device] : changedDevices_) {
        if (device == line_.ports().deviceOf(index))
            continue;
        line_.ports().bind(index, device);
        remembered[index] = device;
        ComboBoxPort->setItemText(index, line_.portExists(index) ? portName(index)
                                                                 : QStringLiteral("COMX"));
        ComboBoxPort->setItemData(index, line_.ports().deviceOf(index), kDeviceRole);
        changed = true;
    }
    changedDevices_.clear();
    if (changed && !bindingsPath_.isEmpty() && !port_bindings::save(bindingsPath_, remembered))
        prompter_.message(QStringLiteral("Die Zuordnung der Geräte konnte nicht in \"%1\" "
                                         "gespeichert werden.")
                              .arg(bindingsPath_),
                          QStringLiteral("Fehler"), Prompter::Buttons::Ok);
}

void TForm2::ButtonAbortClick() {
    reject();
}

void TForm2::ButtonOkClick() {
    bindChangedDevices();
    // A COMX entry is taken as well; opening it fails later and says so.
    settings_.portIndex = ComboBoxPort->currentIndex();
    if (!com_file::write(comFilePath_, settings_.portIndex))
        prompter_.message(QStringLiteral("Die Auswahl der Schnittstelle konnte nicht in \"%1\" "
                                         "gespeichert werden.")
                              .arg(comFilePath_),
                          QStringLiteral("Fehler"), Prompter::Buttons::Ok);
    accept();
}
