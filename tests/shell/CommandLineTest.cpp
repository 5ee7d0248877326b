#include "shell/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, ActionsAndTexts) {
    using Action = ProgramOptions::Action;
    struct Case {
        QStringList arguments;
        Action action;
        QString textStart;
    };
    const Case cases[] = {
        {{}, Action::Run, {}},
        {{QStringLiteral("--version")}, Action::ShowText, QStringLiteral("ztd 1.0.2.15\n")},
        {{QStringLiteral("--help")},
         Action::ShowText,
         QStringLiteral("Aufruf: ztd [Optionen]\nPrüfprotokolle")},
        {{QStringLiteral("--bogus")}, Action::Fail, QStringLiteral("Ungültiger Aufruf (")},
    };
    for (const Case& c : cases) {
        const ProgramOptions options =
            parseCommandLine(QStringList{QStringLiteral("ztd")} + c.arguments);
        EXPECT_EQ(options.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(options.text.startsWith(c.textStart)) << options.text.toStdString();
    }
}

TEST(CommandLine, DataFolder) {
    EXPECT_EQ(parseCommandLine({"ztd", "--data", "/srv/ztd"}).dataDirectory, "/srv/ztd");
    EXPECT_EQ(parseCommandLine({"ztd", "--data=/tmp/x y"}).dataDirectory, "/tmp/x y");
    EXPECT_EQ(parseCommandLine({"ztd"}).dataDirectory, "");
    const ProgramOptions missing = parseCommandLine({"ztd", "--data"});
    EXPECT_EQ(missing.action, ProgramOptions::Action::Fail);
    EXPECT_TRUE(parseCommandLine({"ztd", "--help"}).text.contains("--data <ORDNER>"));
}
