#include "shell/ProgramWindows.h"
#include "shell/AppState.h"
#include "shell/TForm1.h"
#include "tester/TForm2.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
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

TEST(ProgramWindows, WindowsAreCreatedOnceInTheirOrderAndReachedFromTheMenu) {
    AppState state;
    QTemporaryDir data;
    ProgramWindows windows(state, {}, data.path());

    QStringList created;
    for (const QDialog* dialog :
         windows.mainWindow().findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        created << dialog->objectName();
    EXPECT_EQ(created, (QStringList{"Form13",
                                    "Form9",
                                    "FormNehmerstamm",
                                    "FormListe",
                                    "FormListenformat",
                                    "FormSammelFormat",
                                    "FormPlakette",
                                    "FormArchiv",
                                    "FormFaellig",
                                    "FormDatum",
                                    "FormSortier",
                                    "FormFilter",
                                    "FormSuchen",
                                    "FormEingabeHilfe",
                                    "FormKdnr",
                                    "FormKundenstamm",
                                    "Form2",
                                    "Form11",
                                    "Form10",
                                    "Form12",
                                    "FormAuslesen",
                                    "Form15",
                                    "Form3",
                                    "Form4",
                                    "Form5",
                                    "Form6",
                                    "Form7",
                                    "Form8"}));
    const auto enabled = [&](const char* name) {
        const auto* item = windows.mainWindow().findChild<QAction*>(QLatin1String(name));
        return item && item->isEnabled();
    };
    EXPECT_TRUE(enabled("Fernbedienung"));
    EXPECT_TRUE(enabled("Auftragnehmer1"));
    EXPECT_TRUE(enabled("Kunden1"));
    EXPECT_TRUE(enabled("Mewertspeicher1"));
    for (const char* item :
         {"vomMWSpeicher1", "SWVersionSpeicher1", "Liste1", "Sammelprotokoll1", "NeueSuche1",
          "Filtern1", "Sortieren1", "FaelligePruefungen1", "Pruefplakette1"})
        EXPECT_TRUE(enabled(item)) << item;
    const auto* archive = windows.mainWindow().findChild<QDialog*>("FormArchiv");
    EXPECT_TRUE(archive->findChild<QAction*>("FaelligePruefungen1")->isEnabled());
    const auto* remote = windows.mainWindow().findChild<QDialog*>("Form3");
    ASSERT_NE(remote, nullptr);
    EXPECT_EQ(remote->windowTitle(), QStringLiteral("Fernbedienung Gerätetester"));
}
