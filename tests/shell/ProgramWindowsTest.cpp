#include "shell/ProgramWindows.h"
#include "common/AppState.h"
#include "shell/TForm1.h"
#include "tester/TForm2.h"

#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

TEST(ProgramWindows, PortSelectionIsReachedFromTheMenuWithTheBoundDevices) {
    QTemporaryFile device;
    ASSERT_TRUE(device.open());
    ProgramOptions options;
    options.ports[2] = device.fileName();
    AppState state;
    QTemporaryDir data;
    ProgramWindows windows(state, options, data.path());

    const auto* item = windows.mainWindow().findChild<QAction*>("Schnittstelle");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(windows.portSelection().parent(), &windows.mainWindow());
    const auto* combo = windows.portSelection().findChild<QComboBox*>("ComboBoxPort");
    EXPECT_EQ(combo->itemText(2), QStringLiteral("COM3"));
    EXPECT_EQ(combo->itemData(2).toString(), device.fileName());
}

TEST(ProgramWindows, RemoteControlIsReachedFromTheMenu) {
    ProgramOptions options;
    AppState state;
    QTemporaryDir data;
    ProgramWindows windows(state, options, data.path());
    const auto* item = windows.mainWindow().findChild<QAction*>("Fernbedienung");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    const auto* remote = windows.mainWindow().findChild<QDialog*>("Form3");
    ASSERT_NE(remote, nullptr);
    EXPECT_EQ(remote->windowTitle(), QStringLiteral("Fernbedienung Gerätetester"));
    // The notices come after the remote-control window, and the memory version before it.
    const QStringList order = [&] {
        QStringList names;
        for (const QObject* child : windows.mainWindow().children())
            if (child->inherits("QDialog"))
                names << child->objectName();
        return names;
    }();
    EXPECT_LT(order.indexOf("Form15"), order.indexOf("Form3"));
    for (const char* notice : {"Form4", "Form5", "Form6", "Form7", "Form8"})
        EXPECT_GT(order.indexOf(notice), order.indexOf("Form3")) << notice;
}
