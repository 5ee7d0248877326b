#include "Printers.h"
#include "TableFixture.h"
#include "TableHolder.h"
#include "addresses/CustomerTable.h"
#include "addresses/TFormNehmerstamm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class ContractorTest : public TableFixture {
protected:
    // Shows the window; `act` works on it while it is open.
    void runWindow(TFormNehmerstamm& window, const std::function<void()>& act) {
        QTimer::singleShot(0, &window, act);
        window.exec();
    }

    static QLineEdit& edit(TFormNehmerstamm& window, const char* name) {
        return *window.findChild<QLineEdit*>(QLatin1String(name));
    }

    static void click(TFormNehmerstamm& window, const char* name) {
        window.findChild<QPushButton*>(QLatin1String(name))->click();
    }
};

} // namespace

TEST_F(ContractorTest, FirstOkCreatesRowZeroTrimmed) {
    addCustomers({{5, QStringLiteral("Müller")}});
    TFormNehmerstamm window(store);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Auftragnehmer"));
    runWindow(window, [&] {
        EXPECT_EQ(edit(window, "EditFirma").text(), QString());
        edit(window, "EditFirma").setText(QStringLiteral("  Elektro Schulze GmbH "));
        edit(window, "EditStrasse").setText(QStringLiteral(" Industrieweg 4"));
        edit(window, "EditOrt").setText(QStringLiteral("54321 Beispielheim  "));
        click(window, "Button2");
    });
    EXPECT_EQ(
        customerRows(QStringLiteral("Standard")),
        (QStringList{"0|Elektro Schulze GmbH|Industrieweg 4|54321 Beispielheim", "5|Müller||"}));
    EXPECT_TRUE(prompter.calls().empty()) << prompter.messages().join('\n').toStdString();
}

TEST_F(ContractorTest, AbbruchKeepsTheRowAndTheNextShowingShowsItAgain) {
    addCustomers({{0, QStringLiteral("Elektro Schulze")}});
    TFormNehmerstamm window(store);
    runWindow(window, [&] {
        edit(window, "EditFirma").setText(QStringLiteral("Anders"));
        click(window, "Button1");
    });
    EXPECT_EQ(customerRows(QStringLiteral("Standard")), (QStringList{"0|Elektro Schulze||"}));
    QString shown;
    runWindow(window, [&] {
        shown = edit(window, "EditFirma").text();
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_EQ(shown, QStringLiteral("Elektro Schulze"));
    EXPECT_EQ(customerRows(QStringLiteral("Standard")), (QStringList{"0|Elektro Schulze||"}));
}

TEST_F(ContractorTest, TheCloseBoxSaves) {
    addCustomers({{0, QStringLiteral("Elektro Schulze")}, {1, QStringLiteral("Müller")}});
    TFormNehmerstamm window(store);
    runWindow(window, [&] {
        edit(window, "EditStrasse").setText(QStringLiteral("Neue Straße 9"));
        window.close();
    });
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(customerRows(QStringLiteral("Standard")),
              (QStringList{"0|Elektro Schulze|Neue Straße 9|", "1|Müller||"}));
}

TEST_F(ContractorTest, TabGoesFirmaOrtStrasseAndTextsStopAtThirty) {
    TFormNehmerstamm window(store);
    QStringList order;
    runWindow(window, [&] {
        QWidget* widget = window.focusWidget();
        while (order.size() < 3) {
            order << widget->objectName();
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
        }
        QTest::keyClicks(&edit(window, "EditFirma"), QString(35, u'x'));
        click(window, "Button2");
    });
    EXPECT_EQ(order, (QStringList{"EditFirma", "EditOrt", "EditStrasse"}));
    EXPECT_EQ(customerRows(QStringLiteral("Standard")),
              (QStringList{"0|" + QString(30, u'x') + "||"}));
}

// Nothing typed is lost while another program holds the table: the window
// stays open until the address could be stored.
TEST_F(ContractorTest, ALockedTableKeepsTheWindowOpenUntilTheAddressIsStored) {
    addCustomers({{0, QStringLiteral("Alt")}});
    TFormNehmerstamm window(store);
    TableHolder holder(dir.path(), QStringLiteral("kunden"));
    ASSERT_TRUE(holder.hold());
    bool openWhileLocked = false;
    runWindow(window, [&] {
        edit(window, "EditFirma").setText(QStringLiteral("Neu"));
        click(window, "Button2");
        openWhileLocked = window.isVisible();
        holder.release();
        click(window, "Button2");
    });
    EXPECT_TRUE(openWhileLocked);
    EXPECT_FALSE(window.isVisible());
    ASSERT_FALSE(prompter.messages().isEmpty());
    EXPECT_TRUE(prompter.messages()[0].startsWith(holder.message()))
        << prompter.messages().join('\n').toStdString();
    EXPECT_EQ(customerRows(QStringLiteral("Standard")), (QStringList{"0|Neu||"}));
}
