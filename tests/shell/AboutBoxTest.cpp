#include "shell/MyVersionInfo.h"
#include "shell/TForm13.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

VersionResource resourceWith(const QString& fileVersion, std::optional<quint32> flags) {
    VersionResource resource;
    resource.translations = {0x040704E4};
    resource.stringTables[QStringLiteral("040704e4")] = {
        {QStringLiteral("FileVersion"), fileVersion},
        {QStringLiteral("LegalCopyright"), QStringLiteral("(C)")},
        {QStringLiteral("ProductName"), QStringLiteral("ZT")},
    };
    resource.fileFlags = flags;
    return resource;
}

} // namespace

TEST(VersionInfo, ProgramCarriesTheVersionTheBuildStamped) {
    const MyVersionInfo info;
    QString value;
    ASSERT_TRUE(info.FileVersion(value));
    EXPECT_EQ(value, QStringLiteral("1.0.2.15"));
    EXPECT_EQ(info.query(QStringLiteral("\\StringFileInfo\\040704e4\\FileDescription")),
              QStringLiteral("PC-Programm Tester ZTD"));
    EXPECT_EQ(info.query(QStringLiteral("\\StringFileInfo\\040704E4\\CompanyName")),
              QStringLiteral("Veltrax"));
    quint32 flags = 99;
    ASSERT_TRUE(info.FixedFileFlags(flags));
    EXPECT_EQ(flags, 0u);

    const VersionTexts texts = versionTexts(info);
    EXPECT_EQ(texts.version, QStringLiteral("Version 1.0.2 (Build 15) "));
    EXPECT_EQ(texts.comments, QString());
}

TEST(VersionInfo, VersionLineCases) {
    struct Case {
        const char* name;
        std::optional<VersionResource> resource;
        QString version, comments;
    };
    VersionResource otherLanguage = resourceWith(QStringLiteral("1.0.2.15"), 0);
    otherLanguage.translations = {0x040904E4};
    VersionResource noCopyright = resourceWith(QStringLiteral("1.0.2.15"), 0);
    noCopyright.stringTables[QStringLiteral("040704e4")].remove(QStringLiteral("LegalCopyright"));
    VersionResource noTranslation = resourceWith(QStringLiteral("1.0.2.15"), 0);
    noTranslation.translations.clear();

    const Case cases[] = {
        {"no resource", std::nullopt, "Version", "Comments"},
        {"no dot", resourceWith(QStringLiteral("7"), 0), "Version 7 (Build ) ", ""},
        {"last dot splits", resourceWith(QStringLiteral("2.1.30"), 0), "Version 2.1 (Build 30) ",
         ""},
        {"private", resourceWith(QStringLiteral("1.0.2.15"), 0x2), "Version 1.0.2 (Build 15) ",
         "Vertrauliches Material!"},
        {"pre-release", resourceWith(QStringLiteral("1.0.2.15"), 0x1),
         "Version 1.0.2 (Build 15)  - PreRelease", ""},
        {"no fixed block", resourceWith(QStringLiteral("1.0.2.15"), std::nullopt),
         "Version 1.0.2 (Build 15) ", "Comments"},
        {"strings of another language", otherLanguage, "Version", "Comments"},
        {"copyright missing", noCopyright, "Version", "Comments"},
        {"no translation", noTranslation, "Version", "Comments"},
    };
    for (const Case& c : cases) {
        const VersionTexts texts = versionTexts(MyVersionInfo(c.resource));
        EXPECT_EQ(texts.version, c.version) << c.name;
        EXPECT_EQ(texts.comments, c.comments) << c.name;
    }
}

TEST(AboutBox, ShowsNameReleaseAndVersion) {
    const MyVersionInfo info;
    TForm13 about(info, QStringLiteral("/srv/ztd-daten"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Über dieses Programm"));
    EXPECT_EQ(about.size(), QSize(364, 336));
    const std::pair<const char*, QString> labels[] = {
        {"Label1", QStringLiteral("ZT 0701/0702 - PC Software ")},
        {"Label7", QStringLiteral("Release 3.9")},
        {"Label8", QStringLiteral("März 2010")},
        {"Label4", QStringLiteral("Fragen und Hinweise bitte an:")},
        {"Label5", QStringLiteral("Das Programm verwendet die Komponente XPrint 1.4")},
        {"Version", QStringLiteral("Version 1.0.2 (Build 15) ")},
        {"Comments", QString()},
        {"DataFolderCaption", QStringLiteral("Die Daten liegen im Ordner:")},
        {"DataFolder", QStringLiteral("/srv/ztd-daten")},
    };
    for (const auto& [name, text] : labels) {
        auto* label = about.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
    }
    for (const char* name : {"Label2", "Label3", "Label6"}) {
        auto* label = about.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->text().isEmpty()) << name;
    }
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    ASSERT_NE(ok, nullptr);
    about.show();
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}
