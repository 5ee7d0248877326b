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
        {{QStringLiteral("--print-pdf"), QStringLiteral("a.pro")},
         Action::Fail,
         QStringLiteral("Ungültiger Aufruf: --print-pdf braucht eine Protokolldatei")},
        {{QStringLiteral("--print-pdf"), QStringLiteral("a.pro"), QStringLiteral("b.pdf"),
          QStringLiteral("c.pdf")},
         Action::Fail,
         QStringLiteral("Ungültiger Aufruf: --print-pdf")},
    };
    for (const Case& c : cases) {
        const ProgramOptions options =
            parseCommandLine(QStringList{QStringLiteral("ztd")} + c.arguments);
        EXPECT_EQ(options.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(options.text.startsWith(c.textStart)) << options.text.toStdString();
    }
}

TEST(CommandLine, PrintPdfNamesBothFiles) {
    const ProgramOptions options =
        parseCommandLine({QStringLiteral("ztd"), QStringLiteral("--print-pdf"),
                          QStringLiteral("Prüfung 1.pro"), QStringLiteral("/tmp/aus.pdf")});
    EXPECT_EQ(options.action, ProgramOptions::Action::PrintPdf);
    EXPECT_EQ(options.protocolFile, QStringLiteral("Prüfung 1.pro"));
    EXPECT_EQ(options.pdfFile, QStringLiteral("/tmp/aus.pdf"));
}

TEST(CommandLine, PortBindings) {
    const ProgramOptions bound =
        parseCommandLine({"ztd", "--port", "COM1=/dev/pts/4", "--port", "com3=/dev/ttyUSB0",
                          "--port", "COM1=/dev/pts/5"});
    EXPECT_EQ(bound.action, ProgramOptions::Action::Run);
    EXPECT_EQ(bound.ports, (std::map<int, QString>{{0, "/dev/pts/5"}, {2, "/dev/ttyUSB0"}}));

    for (const char* wrong :
         {"COM7=/dev/ttyS0", "COM0=/dev/ttyS0", "COM1", "COM1=", "/dev/ttyS0"}) {
        const ProgramOptions options = parseCommandLine({"ztd", "--port", wrong});
        EXPECT_EQ(options.action, ProgramOptions::Action::Fail) << wrong;
        EXPECT_EQ(options.text, QStringLiteral("Ungültige Angabe \"--port %1\". Erwartet wird "
                                               "COMn=GERÄT mit n von 1 bis 6, z. B. "
                                               "--port COM1=/dev/ttyUSB0.")
                                    .arg(QLatin1String(wrong)));
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
