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
