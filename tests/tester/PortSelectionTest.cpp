#include "FakeClock.h"
#include "ScriptedPrompter.h"
#include "TestSerial.h"
#include "common/HelpContext.h"
#include "tester/PortBindings.h"
#include "tester/PortSettings.h"
#include "tester/PortSlots.h"
#include "tester/SerialLine.h"
#include "tester/TForm2.h"
#include "tester/TermiosSerial.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

class PortSelectionTest : public ::testing::Test {
protected:
    PortSelectionTest() {
        ports.setPresent(0, true);
        ports.setPresent(2, true);
    }

    QString comFile() const { return dir.filePath(QStringLiteral("COM.FIL")); }
    void writeComFile(const QByteArray& bytes) {
        QFile file(comFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray comFileBytes() const {
        QFile file(comFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList entries(const QComboBox& combo) const {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts << combo.itemText(i);
        return texts;
    }

    QTemporaryDir dir;
    FakeClock clock;
    TestSerialDevice device{clock};
    TestSerialPorts ports{device};
    SerialLine line{ports, clock};
    ScriptedPrompter prompter;
};

TEST_F(PortSelectionTest, ListNamesThePortsThatExist) {
    PortSettings settings;
    const PortList list = loadPortSettings(line, comFile(), settings);
    EXPECT_EQ(list.entries, (QStringList{"COM1", "COMX", "COM3", "COMX", "COMX", "COMX"}));
    EXPECT_EQ(list.selection, 0);
    EXPECT_EQ(settings.portIndex, 0);
}

TEST_F(PortSelectionTest, SavedChoiceByFileContent) {
    struct Case {
        QByteArray file;
        int portIndex;
        int selection;
    };
    const Case cases[] = {
        {"3", 2, 2},         {"2", 0, 0}, // COM2 absent
        {"6", 0, 0},                      // COM6 absent
        {"9", 0, 0},                      // no such slot
        {"", 0, 0},                       // empty file
        {"3\r\n", 2, 2},                  // only the first byte counts
        {"<missing>", 0, 0},
    };
    for (const Case& c : cases) {
        QFile::remove(comFile());
        if (c.file != "<missing>")
            writeComFile(c.file);
        PortSettings settings;
        const PortList list = loadPortSettings(line, comFile(), settings);
        EXPECT_EQ(settings.portIndex, c.portIndex) << c.file.toStdString();
        EXPECT_EQ(list.selection, c.selection) << c.file.toStdString();
    }
}

TEST_F(PortSelectionTest, SavedPortAbsentFallsBackToCom1WithoutRewritingTheFile) {
    ports.setPresent(2, false);
    writeComFile("3");
    TForm2 form(line, prompter, comFile());
    EXPECT_EQ(form.settings().portIndex, 0);
    EXPECT_EQ(form.findChild<QComboBox*>("ComboBoxPort")->currentIndex(), 0);
    EXPECT_EQ(comFileBytes(), QByteArray("3"));
}

TEST_F(PortSelectionTest, NoPortAtAllSelectsTheFirstEntry) {
    ports.setPresent(0, false);
    ports.setPresent(2, false);
    writeComFile("1");
    PortSettings settings;
    const PortList list = loadPortSettings(line, comFile(), settings);
    EXPECT_EQ(list.entries, QStringList(6, QStringLiteral("COMX")));
    EXPECT_EQ(list.selection, 0);
    EXPECT_EQ(settings.portIndex, 0);
}

TEST_F(PortSelectionTest, LineSettingsForTheTester) {
    PortSettings settings;
    loadPortSettings(line, comFile(), settings);
    LineSettings expected;
    expected.baudRate = 9600;
    expected.parity = 'N';
    expected.dataBits = 8;
    expected.stopBits = 1;
    expected.binary = true;
    expected.parityCheck = false;
    expected.ctsOutputFlow = true;
    expected.dsrOutputFlow = false;
    expected.dtrOn = false;
    expected.rtsHandshake = true;
    EXPECT_EQ(settings.line, expected);
    EXPECT_EQ(settings.inputQueueSize, 2048);
    EXPECT_EQ(settings.outputQueueSize, 2048);
}

TEST_F(PortSelectionTest, WindowControls) {
    TForm2 form(line, prompter, comFile());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Auswahl Schnittstelle"));
    EXPECT_EQ(help::contextOf(form), 4010);
    const auto* label = form.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("&Schnittstelle"));
    const auto* combo = form.findChild<QComboBox*>("ComboBoxPort");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(label->buddy(), combo);
    EXPECT_EQ(entries(*combo), (QStringList{"COM1", "COMX", "COM3", "COMX", "COMX", "COMX"}));
    EXPECT_EQ(combo->itemData(2).toString(), QStringLiteral("/dev/test2"));
    const auto* deviceLabel = form.findChild<QLabel*>("LabelGeraet");
    const auto* devices = form.findChild<QComboBox*>("ComboBoxGeraet");
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(deviceLabel->text(), QStringLiteral("&Gerät"));
    EXPECT_EQ(deviceLabel->buddy(), devices);
    EXPECT_EQ(devices->currentText(), QStringLiteral("/dev/test0"));
    EXPECT_EQ(devices->lineEdit()->placeholderText(), QStringLiteral("kein Gerät zugeordnet"));
    EXPECT_EQ(form.findChild<QPushButton*>("ButtonAbort")->text(), QStringLiteral("&Abbrechen"));
    EXPECT_EQ(form.findChild<QPushButton*>("ButtonOk")->text(), QStringLiteral("&Ok"));
}

TEST_F(PortSelectionTest, OkWritesTheDigitAndTakesTheChoice) {
    TForm2 form(line, prompter, comFile());
    form.show();
    form.findChild<QComboBox*>("ComboBoxPort")->setCurrentIndex(2);
    form.findChild<QPushButton*>("ButtonOk")->click();
    EXPECT_EQ(comFileBytes(), QByteArray("3"));
    EXPECT_EQ(form.settings().portIndex, 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(PortSelectionTest, OkOnComxIsStoredAndTheNextOpenFails) {
    TForm2 form(line, prompter, comFile());
    form.findChild<QComboBox*>("ComboBoxPort")->setCurrentIndex(3);
    form.ButtonOkClick();
    EXPECT_EQ(comFileBytes(), QByteArray("4"));
    EXPECT_EQ(form.settings().portIndex, 3);
    const PortSettings& s = form.settings();
    EXPECT_EQ(line.open(s.portIndex, s.line, s.inputQueueSize, s.outputQueueSize), nullptr);

    // The next start finds COM4 absent and falls back to COM1.
    PortSettings next;
    loadPortSettings(line, comFile(), next);
    EXPECT_EQ(next.portIndex, 0);
}

TEST_F(PortSelectionTest, AbortRestoresTheSelectionOfWhenTheWindowWasShown) {
    writeComFile("3");
    TForm2 form(line, prompter, comFile());
    auto* combo = form.findChild<QComboBox*>("ComboBoxPort");
    form.show();
    combo->setCurrentIndex(0);
    form.findChild<QPushButton*>("ButtonAbort")->click();
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(form.settings().portIndex, 2);
    EXPECT_EQ(comFileBytes(), QByteArray("3"));

    // Escape or the close box leave the same way.
    form.show();
    combo->setCurrentIndex(1);
    form.reject();
    EXPECT_EQ(combo->currentIndex(), 2);
}

TEST_F(PortSelectionTest, FailedWriteOfTheChoiceIsReported) {
    TForm2 form(line, prompter, dir.filePath(QStringLiteral("fehlt/COM.FIL")));
    form.ButtonOkClick();
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Die Auswahl der Schnittstelle konnte nicht in "
                                         "\"%1\" gespeichert werden.")
                              .arg(dir.filePath(QStringLiteral("fehlt/COM.FIL")))});
}

TEST_F(PortSelectionTest, ADeviceChosenForASlotIsBoundAndRemembered) {
    const QString bindings = dir.filePath(QStringLiteral("config/Schnittstellen.ini"));
    const QString adapter = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
    ports.setAvailableDevices({adapter, QStringLiteral("/dev/ttyS0")});
    TForm2 form(line, prompter, comFile(), bindings);
    auto* slotList = form.findChild<QComboBox*>("ComboBoxPort");
    auto* devices = form.findChild<QComboBox*>("ComboBoxGeraet");
    EXPECT_EQ(entries(*devices), (QStringList{adapter, "/dev/ttyS0"}));
    form.show();
    slotList->setCurrentIndex(1);
    EXPECT_EQ(devices->currentText(), QString());
    devices->setCurrentIndex(0);
    form.findChild<QPushButton*>("ButtonOk")->click();

    EXPECT_EQ(entries(*slotList), (QStringList{"COM1", "COM2", "COM3", "COMX", "COMX", "COMX"}));
    EXPECT_EQ(ports.deviceOf(1), adapter);
    EXPECT_EQ(comFileBytes(), QByteArray("2"));
    EXPECT_EQ(port_bindings::load(bindings), (PortSlots::Bindings{{1, adapter}}));
    EXPECT_TRUE(prompter.messages().isEmpty());

    // Shown again, the slot shows its device; "&Abbrechen" forgets a new choice.
    form.show();
    EXPECT_EQ(devices->currentText(), adapter);
    devices->setCurrentText(QStringLiteral("/dev/ttyS0"));
    form.findChild<QPushButton*>("ButtonAbort")->click();
    EXPECT_EQ(ports.deviceOf(1), adapter);
    EXPECT_EQ(devices->currentText(), adapter);
    EXPECT_EQ(port_bindings::load(bindings), (PortSlots::Bindings{{1, adapter}}));
}

TEST_F(PortSelectionTest, RememberedDevicesTakeTheirSlotsAtTheNextStart) {
    QTemporaryFile present;
    ASSERT_TRUE(present.open());
    const QString bindings = dir.filePath(QStringLiteral("Schnittstellen.ini"));
    ASSERT_TRUE(port_bindings::save(bindings, {{0, present.fileName()}, {1, "/dev/nicht-da"}}));

    // The unplugged adapter keeps its slot, which is absent: the saved choice
    // of it falls back to COM1, as for any absent port.
    TermiosSerialPorts machine(PortSlots({}, port_bindings::load(bindings)));
    SerialLine machineLine(machine, clock);
    writeComFile("2");
    PortSettings settings;
    const PortList list = loadPortSettings(machineLine, comFile(), settings);
    EXPECT_EQ(list.entries, (QStringList{"COM1", "COMX", "COMX", "COMX", "COMX", "COMX"}));
    EXPECT_EQ(settings.portIndex, 0);
    EXPECT_EQ(machine.deviceOf(0), present.fileName());
    EXPECT_EQ(machine.deviceOf(1), QStringLiteral("/dev/nicht-da"));

    // Nothing remembered, nothing read; a file that cannot be written is told.
    EXPECT_TRUE(port_bindings::load(dir.filePath(QStringLiteral("fehlt.ini"))).empty());
    ASSERT_TRUE(QFile(comFile()).copy(dir.filePath(QStringLiteral("datei"))));
    EXPECT_FALSE(port_bindings::save(dir.filePath(QStringLiteral("datei/Schnittstellen.ini")),
                                     {{0, "/dev/ttyS0"}}));
}

TEST_F(PortSelectionTest, ABindingThatCannotBeRememberedIsToldAndHoldsForThisRun) {
    const QString bindings = dir.filePath(QStringLiteral("datei/Schnittstellen.ini"));
    writeComFile("1");
    ASSERT_TRUE(QFile(comFile()).copy(dir.filePath(QStringLiteral("datei"))));
    TForm2 form(line, prompter, comFile(), bindings);
    form.show();
    form.findChild<QComboBox*>("ComboBoxGeraet")->setCurrentText(QStringLiteral("/dev/ttyUSB7"));
    form.ButtonOkClick();
    EXPECT_EQ(ports.deviceOf(0), QStringLiteral("/dev/ttyUSB7"));
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Die Zuordnung der Geräte konnte nicht in \"%1\" "
                                         "gespeichert werden.")
                              .arg(bindings)});
}

TEST(PortSlots, ADeviceIsNamedByItsStableLinkAndFilledInOnce) {
    QTemporaryDir dev;
    const QString adapter = dev.filePath(QStringLiteral("ttyUSB0"));
    const QString other = dev.filePath(QStringLiteral("ttyUSB1"));
    const QString link = dev.filePath(QStringLiteral("by-id/usb-FTDI_FT232R-if00-port0"));
    ASSERT_TRUE(QFile(adapter).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile(other).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dev.path()).mkdir(QStringLiteral("by-id")));
    ASSERT_TRUE(QFile::link(adapter, link));

    EXPECT_EQ(PortSlots::stableName(adapter, dev.filePath(QStringLiteral("by-id"))), link);
    EXPECT_EQ(PortSlots::stableName(other, dev.filePath(QStringLiteral("by-id"))), other);
    EXPECT_EQ(PortSlots::stableName(adapter, dev.filePath(QStringLiteral("fehlt"))), adapter);

    // Bound by its link to COM3, the adapter is not filled into COM1 as well.
    const PortSlots portSlots({adapter, other}, {{2, link}});
    const QStringList expected{other, "", link, "", "", ""};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(portSlots.device(i), expected[i]) << i;
}

TEST(PortSlots, ExplicitBindingsFirstThenFoundPortsInNaturalOrder) {
    const PortSlots portSlots({"/dev/ttyUSB0", "/dev/ttyS10", "/dev/ttyS2", "/dev/pts/4"},
                              {{2, "/dev/pts/4"}, {5, "/dev/ttyACM0"}});
    const QStringList expected{"/dev/ttyS2", "/dev/ttyS10", "/dev/pts/4", "/dev/ttyUSB0",
                               "",           "/dev/ttyACM0"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(portSlots.device(i), expected[i]) << i;
    EXPECT_EQ(portSlots.device(6), QString());
}

} // namespace
