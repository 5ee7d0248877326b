#include "TableFixture.h"
#include "TableHolder.h"
#include "addresses/TFormKundenstamm.h"
#include "common/HelpContext.h"
#include "tables/DataGrid.h"
#include "tables/DataNavigator.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString kRenameNotice =
    QStringLiteral("Hinweis|Die Namensänderung des Auftraggebers  wird in der Protokoll-Datenbank "
                   "berücksichtigt. Je nach Größe der Datenbank kann dies etwas Zeit in Anspruch "
                   "nehmen.");
const QString kCloseQuestion =
    QStringLiteral("Frage|Sollen die Änderungen am aktuellen Datensatz gespeichert werden?");

class CustomerWindowTest : public TableFixture {
protected:
    // Shows the window; `act` works on it while it is open and it is closed
    // afterwards if still open.
    void run(TFormKundenstamm& window, const std::function<void()>& act) {
        QTimer::singleShot(0, &window, [&] {
            act();
            if (window.isVisible())
                window.close();
        });
        window.exec();
    }

    static DataGrid& grid(TFormKundenstamm& window) {
        return *window.findChild<DataGrid*>(QStringLiteral("DBGrid4"));
    }

    // "number name" of every row the grid lists, top to bottom.
    static QStringList listed(TFormKundenstamm& window) {
        const QAbstractItemModel& model = *grid(window).model();
        QStringList rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows << model.index(row, 0).data().toString() + ' ' +
                        model.index(row, 1).data().toString();
        return rows;
    }

    static void key(TFormKundenstamm& window, Qt::Key key,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&grid(window), key, modifiers);
    }

    // Types into the given column of the current row, as the user does.
    static void type(TFormKundenstamm& window, int column, const QString& text) {
        DataGrid& view = grid(window);
        view.setCurrentIndex(view.model()->index(view.currentIndex().row(), column));
        view.edit(view.currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(view.cellEditor());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
    }

    static void click(TFormKundenstamm& window, const char* name) {
        window.findChild<QPushButton*>(QLatin1String(name))->click();
    }

    static TableCursor& cursorOf(TFormKundenstamm& window) {
        return *window.findChild<TableCursor*>(QStringLiteral("Table4"));
    }

    QString messages() const { return prompter.messages().join('\n'); }

    // Customers as this window stores them: the copy of the name is kept, so
    // that editing other fields is no rename.
    void addKnownCustomers(const QList<std::pair<int, QString>>& rows) {
        TableCursor kunden(store, QStringLiteral("kunden"));
        ASSERT_TRUE(kunden.open());
        for (const auto& [number, name] : rows)
            ASSERT_TRUE(kunden.insertRecord({number, name, "", "", "", "", "", "", name}));
    }
};

} // namespace

TEST_F(CustomerWindowTest, ListsEveryCustomerButTheContractorInTheGivenColumns) {
    addCustomers({{2, QStringLiteral("Zander")},
                  {0, QStringLiteral("Elektro Schulze")},
                  {1, QStringLiteral("Müller")}});
    TFormKundenstamm window(store, prompter);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kundenverwaltung"));
    EXPECT_EQ(help::contextOf(window), 4020);
    QStringList rows, titles;
    QList<int> widths;
    bool maximized = false;
    run(window, [&] {
        rows = listed(window);
        maximized = window.isMaximized();
        const QHeaderView& header = *grid(window).horizontalHeader();
        for (int column = 0; column < header.count(); ++column) {
            titles << grid(window).model()->headerData(column, Qt::Horizontal).toString();
            widths << header.sectionSize(column);
        }
    });
    EXPECT_EQ(rows, (QStringList{"1 Müller", "2 Zander"}));
    EXPECT_TRUE(maximized);
    EXPECT_EQ(titles, (QStringList{"Kundennummer", "Auftraggeber", "Straße", "PLZ Ort",
                                   "Ansprechpartner", "Telefon", "Fax", "Bemerkungen"}));
    // The number column grows when the screen font needs it for its title.
    ASSERT_EQ(widths.size(), 8);
    EXPECT_GE(widths[0], 85);
    EXPECT_GT(widths[0], grid(window).horizontalHeader()->fontMetrics().horizontalAdvance(
                             QStringLiteral("Kundennummer")));
    EXPECT_EQ(widths.mid(1), (QList<int>{200, 200, 200, 150, 150, 150, 300}));

    QStringList buttons;
    for (auto* button : window.findChild<DataNavigator*>(QStringLiteral("DBNavigator1"))
                            ->findChildren<QToolButton*>())
        buttons << button->objectName();
    EXPECT_EQ(buttons,
              (QStringList{"First", "Prior", "Next", "Last", "Insert", "Edit", "Post", "Cancel"}));
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("Button1"))->text(),
              QStringLiteral("&Löschen"));
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("Button2"))->text(),
              QStringLiteral("&Schließen"));
    EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();
}

// The new number is the highest one plus 1 whatever the order on screen, and
// the order stays as it was.
TEST_F(CustomerWindowTest, InsertProposesTheHighestNumberPlusOne) {
    struct Case {
        QList<std::pair<int, QString>> customers;
        bool byName;
        qint64 proposed;
        QStringList afterPost;
    };
    const Case cases[] = {
        {{}, false, 1, {"1 Neu"}},
        {{{0, "Elektro Schulze"}}, false, 1, {"1 Neu"}},
        {{{1, "Zander"}, {2, "Abel"}, {5, "Müller"}},
         false,
         6,
         {"1 Zander", "2 Abel", "5 Müller", "6 Neu"}},
        {{{1, "Zander"}, {7, "Abel"}, {3, "Müller"}},
         true,
         8,
         {"7 Abel", "3 Müller", "8 Neu", "1 Zander"}},
    };
    for (const Case& c : cases) {
        TableCursor kunden(store, QStringLiteral("kunden"));
        ASSERT_TRUE(kunden.open());
        ASSERT_TRUE(kunden.emptyTable());
        kunden.close();
        addCustomers(c.customers);
        TFormKundenstamm window(store, prompter);
        QStringList whileInserting, afterPost;
        qint64 proposed = 0;
        int typingColumn = -1;
        QString index;
        run(window, [&] {
            if (c.byName)
                grid(window).horizontalHeader()->sectionClicked(1);
            window.findChild<QToolButton*>(QStringLiteral("Insert"))->click();
            proposed = cursorOf(window).integer("Kundennummer");
            whileInserting = listed(window);
            typingColumn = grid(window).currentIndex().column();
            type(window, 1, QStringLiteral("Neu"));
            key(window, Qt::Key_F4);
            afterPost = listed(window);
            index = cursorOf(window).indexName();
        });
        SCOPED_TRACE(c.afterPost.join(", ").toStdString());
        EXPECT_EQ(proposed, c.proposed);
        EXPECT_EQ(whileInserting.value(0), QString::number(c.proposed) + ' ');
        // The number is given; typing starts in the name.
        EXPECT_EQ(typingColumn, 1);
        EXPECT_EQ(afterPost, c.afterPost);
        EXPECT_EQ(index, c.byName ? QStringLiteral("Kunde") : QStringLiteral("Standard"));
        EXPECT_EQ(cursorOf(window).text("KopieAuftraggeber"), QStringLiteral("Neu"));
    }
    EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();
}

TEST_F(CustomerWindowTest, ACancelledInsertLeavesNoRowAndKeepsItsNumber) {
    addCustomers({{1, QStringLiteral("Müller")}, {2, QStringLiteral("Zander")}});
    TFormKundenstamm window(store, prompter);
    qint64 first = 0, second = 0;
    QStringList afterCancel;
    run(window, [&] {
        key(window, Qt::Key_F6);
        first = cursorOf(window).integer("Kundennummer");
        type(window, 1, QStringLiteral("Verworfen"));
        key(window, Qt::Key_F5);
        afterCancel = listed(window);
        key(window, Qt::Key_F6);
        second = cursorOf(window).integer("Kundennummer");
        window.findChild<QToolButton*>(QStringLiteral("Cancel"))->click();
    });
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 3);
    EXPECT_EQ(afterCancel, (QStringList{"1 Müller", "2 Zander"}));
    EXPECT_EQ(customerRows(), (QStringList{"1|Müller||", "2|Zander||"}));
    EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();
}

// Each key in the state it needs, and in the state where it must do nothing.
TEST_F(CustomerWindowTest, FunctionKeysInTheGrid) {
    using State = TableCursor::State;
    struct Case {
        const char* name;
        bool editFirst;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        qint64 number; // current customer afterwards
        State state;
    };
    const Case cases[] = {
        {"Ctrl+F2 first row", false, Qt::Key_F2, Qt::ControlModifier, 1, State::Browse},
        {"Ctrl+F3 prior row", false, Qt::Key_F3, Qt::ControlModifier, 1, State::Browse},
        {"Ctrl+F4 next row", false, Qt::Key_F4, Qt::ControlModifier, 3, State::Browse},
        {"Ctrl+Shift+F4 next row", false, Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier, 3,
         State::Browse},
        {"Ctrl+F5 last row", false, Qt::Key_F5, Qt::ControlModifier, 4, State::Browse},
        {"F2 edits", false, Qt::Key_F2, Qt::NoModifier, 2, State::Edit},
        {"F2 while editing", true, Qt::Key_F2, Qt::NoModifier, 2, State::Edit},
        {"F4 while browsing", false, Qt::Key_F4, Qt::NoModifier, 2, State::Browse},
        {"F4 posts", true, Qt::Key_F4, Qt::NoModifier, 2, State::Browse},
        {"F5 while browsing", false, Qt::Key_F5, Qt::NoModifier, 2, State::Browse},
        {"F5 cancels", true, Qt::Key_F5, Qt::NoModifier, 2, State::Browse},
        {"F6 inserts", false, Qt::Key_F6, Qt::NoModifier, 5, State::Insert},
        {"a letter while browsing", false, Qt::Key_X, Qt::NoModifier, 2, State::Browse},
    };
    addKnownCustomers({{1, QStringLiteral("Abel")},
                       {2, QStringLiteral("Berger")},
                       {3, QStringLiteral("Conrad")},
                       {4, QStringLiteral("Dietz")}});
    TFormKundenstamm window(store, prompter);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qint64 number = 0;
        State after = State::Inactive;
        QString typed;
        bool editorOpen = true;
        run(window, [&] {
            TableCursor& table = cursorOf(window);
            table.first();
            table.next();
            if (c.editFirst) {
                table.edit();
                table.setText("AuftraggeberStrasse", QStringLiteral("Am Markt"));
            }
            key(window, c.key, c.modifiers);
            number = table.integer("Kundennummer");
            after = table.state();
            typed = table.text("AuftraggeberStrasse");
            editorOpen = grid(window).cellEditor() != nullptr;
            table.cancel();
        });
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(after, c.state);
        EXPECT_FALSE(editorOpen);
        if (c.editFirst && c.state == State::Edit) {
            EXPECT_EQ(typed, QStringLiteral("Am Markt"));
        }
    }
    EXPECT_EQ(customerRows(),
              (QStringList{"1|Abel||", "2|Berger|Am Markt|", "3|Conrad||", "4|Dietz||"}));
    EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();
}

// F4 and F5 reach the window while a cell editor has the focus; F4 takes
// what was typed into the cell.
TEST_F(CustomerWindowTest, PostAndCancelKeysWorkFromAnOpenCellEditor) {
    addKnownCustomers({{1, QStringLiteral("Abel")}});
    TFormKundenstamm window(store, prompter);
    run(window, [&] {
        key(window, Qt::Key_F2);
        type(window, 5, QStringLiteral("030 1234"));
        QTest::keyClick(grid(window).cellEditor(), Qt::Key_F4);
        EXPECT_EQ(cursorOf(window).state(), TableCursor::State::Browse);
        key(window, Qt::Key_F2);
        type(window, 5, QStringLiteral("040 99"));
        QTest::keyClick(grid(window).cellEditor(), Qt::Key_F5);
        EXPECT_EQ(cursorOf(window).state(), TableCursor::State::Browse);
        EXPECT_EQ(grid(window).cellEditor(), nullptr);
    });
    TableCursor kunden(store, QStringLiteral("kunden"));
    ASSERT_TRUE(kunden.open());
    EXPECT_EQ(kunden.text("Telefon"), QStringLiteral("030 1234"));
    EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();
}

TEST_F(CustomerWindowTest, TheNumberTitleSortsByNumberEveryOtherByName) {
    addCustomers({{1, QStringLiteral("Zander")},
                  {2, QStringLiteral("Abel")},
                  {3, QStringLiteral("müller")}});
    TFormKundenstamm window(store, prompter);
    const QStringList byName{"2 Abel", "3 müller", "1 Zander"};
    const QStringList byNumber{"1 Zander", "2 Abel", "3 müller"};
    const std::pair<int, QStringList> cases[] = {
        {5, byName},   {0, byNumber}, {1, byName},   {0, byNumber}, {2, byName},
        {0, byNumber}, {3, byName},   {0, byNumber}, {4, byName},   {0, byNumber},
        {6, byName},   {0, byNumber}, {7, byName},
    };
    QList<QStringList> shown;
    run(window, [&] {
        for (const auto& [column, expected] : cases) {
            grid(window).horizontalHeader()->sectionClicked(column);
            shown << listed(window);
        }
    });
    ASSERT_EQ(shown.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(shown[i], cases[i].second) << "column " << cases[i].first;
}

TEST_F(CustomerWindowTest, TheSortOrderLastsFromOneShowingToTheNext) {
    addCustomers({{1, QStringLiteral("Zander")}, {2, QStringLiteral("Abel")}});
    TFormKundenstamm window(store, prompter);
    run(window, [&] { grid(window).horizontalHeader()->sectionClicked(1); });
    QStringList rows;
    run(window, [&] { rows = listed(window); });
    EXPECT_EQ(rows, (QStringList{"2 Abel", "1 Zander"}));
}

TEST_F(CustomerWindowTest, DeletingACustomerTheArchiveUsesIsRefusedWithoutAQuestion) {
    addCustomers({{1, QStringLiteral("Abel")}, {2, QStringLiteral("Berger")}});
    addArchiveRows({{1, QStringLiteral("Berger"), 2, QString()}});
    TFormKundenstamm window(store, prompter);
    run(window, [&] {
        cursorOf(window).last();
        click(window, "Button1");
    });
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Der Auftraggeber wird noch im Archiv verwendet und kann nicht "
                          "gelöscht werden."});
    EXPECT_EQ(prompter.calls().at(0).buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(customerRows(), (QStringList{"1|Abel||", "2|Berger||"}));
}

TEST_F(CustomerWindowTest, DeletingAFreeCustomerAsksFirst) {
    const std::pair<Prompter::Answer, QStringList> cases[] = {
        {Prompter::Answer::No, {"1|Abel||", "2|Berger||"}},
        {Prompter::Answer::Yes, {"1|Abel||"}},
    };
    addCustomers({{1, QStringLiteral("Abel")}, {2, QStringLiteral("Berger")}});
    addArchiveRows({{1, QStringLiteral("Abel"), 1, QString()}});
    TFormKundenstamm window(store, prompter);
    for (const auto& [answer, remaining] : cases) {
        prompter.answer(answer);
        QStringList rows;
        run(window, [&] {
            cursorOf(window).last();
            click(window, "Button1");
            rows = listed(window);
        });
        EXPECT_EQ(customerRows(), remaining);
        EXPECT_EQ(rows.size(), remaining.size());
    }
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Sicherheitsabfrage|Aktuellen Kunden wirklich löschen ?",
                           "Sicherheitsabfrage|Aktuellen Kunden wirklich löschen ?"}));
    EXPECT_EQ(prompter.calls().at(0).buttons, Prompter::Buttons::YesNo);
}

TEST_F(CustomerWindowTest, ARenameIsAnnouncedOncePerPostAndRewritesTheArchive) {
    addArchiveRows({{1, QStringLiteral("Abel"), 1, QString()},
                    {2, QStringLiteral("Berger"), 2, QString()},
                    {3, QStringLiteral("Abel"), 1, QString()}});
    TFormKundenstamm window(store, prompter);
    run(window, [&] {
        // Created here: the copy of the name is kept, so only a real rename counts.
        key(window, Qt::Key_F6);
        type(window, 1, QStringLiteral("  Abel "));
        key(window, Qt::Key_F4);
        key(window, Qt::Key_F6);
        type(window, 1, QStringLiteral("Berger"));
        key(window, Qt::Key_F4);
        EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();

        key(window, Qt::Key_F5, Qt::ControlModifier);
        key(window, Qt::Key_F2);
        type(window, 2, QStringLiteral("Am Markt 1"));
        key(window, Qt::Key_F4);
        EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();

        key(window, Qt::Key_F2, Qt::ControlModifier);
        key(window, Qt::Key_F2);
        type(window, 1, QStringLiteral("abel"));
        type(window, 2, QStringLiteral("Ringstraße 2"));
        key(window, Qt::Key_F4);
    });
    EXPECT_EQ(prompter.messages(), QStringList{kRenameNotice});
    EXPECT_EQ(customerRows(QStringLiteral("Standard")),
              (QStringList{"1|abel|Ringstraße 2|", "2|Berger|Am Markt 1|"}));
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    EXPECT_EQ(column(zt, "Auftraggeber"), (QStringList{"abel", "Berger", "abel"}));
}

TEST_F(CustomerWindowTest, ARenameWithoutArchiveRowsIsAnnouncedToo) {
    addCustomers({{4, QStringLiteral("Import GmbH")}});
    TFormKundenstamm window(store, prompter);
    run(window, [&] {
        // The import leaves the copy of the name empty: the first edit counts as a rename.
        key(window, Qt::Key_F2);
        type(window, 6, QStringLiteral("0221 1"));
        key(window, Qt::Key_F4);
        key(window, Qt::Key_F2);
        type(window, 6, QStringLiteral("0221 2"));
        key(window, Qt::Key_F4);
    });
    EXPECT_EQ(prompter.messages(), QStringList{kRenameNotice});
}

TEST_F(CustomerWindowTest, ClosingWithAnUnsavedRowAsks) {
    struct Case {
        const char* closeBy;
        Prompter::Answer answer;
        QStringList rows;
    };
    const Case cases[] = {
        {"Button2", Prompter::Answer::Yes, {"1|Abel|Anders|"}},
        {"Button2", Prompter::Answer::No, {"1|Abel||"}},
        {"Escape", Prompter::Answer::Yes, {"1|Abel|Anders|"}},
        {"close box", Prompter::Answer::No, {"1|Abel||"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.closeBy) +
                     (c.answer == Prompter::Answer::Yes ? " Ja" : " Nein"));
        TableCursor kunden(store, QStringLiteral("kunden"));
        ASSERT_TRUE(kunden.open());
        ASSERT_TRUE(kunden.emptyTable());
        kunden.close();
        addKnownCustomers({{1, QStringLiteral("Abel")}});
        ScriptedPrompter asked;
        asked.answer(c.answer);
        TFormKundenstamm window(store, asked);
        bool closed = false;
        run(window, [&] {
            key(window, Qt::Key_F2);
            type(window, 2, QStringLiteral("Anders"));
            if (QString(c.closeBy) == "Button2")
                click(window, "Button2");
            else if (QString(c.closeBy) == "Escape")
                QTest::keyClick(&window, Qt::Key_Escape);
            else
                window.close();
            closed = !window.isVisible();
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(asked.messages(), QStringList{kCloseQuestion});
        EXPECT_EQ(asked.calls().at(0).buttons, Prompter::Buttons::YesNo);
        EXPECT_EQ(customerRows(), c.rows);
        EXPECT_EQ(cursorOf(window).state(), TableCursor::State::Browse);
    }
}

TEST_F(CustomerWindowTest, ClosingWhileBrowsingAsksNothing) {
    addCustomers({{1, QStringLiteral("Abel")}});
    TFormKundenstamm window(store, prompter);
    bool closed = false;
    run(window, [&] {
        click(window, "Button2");
        closed = !window.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(prompter.calls().empty()) << messages().toStdString();
}

// Nothing typed is lost while another program holds the table.
TEST_F(CustomerWindowTest, APostTheTableRefusesKeepsTheWindowOpenAndTheRowEdited) {
    addKnownCustomers({{1, QStringLiteral("Abel")}});
    TFormKundenstamm window(store, prompter);
    TableHolder holder(dir.path(), QStringLiteral("kunden"));
    bool openWhileLocked = false;
    TableCursor::State stateWhileLocked = TableCursor::State::Inactive;
    run(window, [&] {
        key(window, Qt::Key_F2);
        type(window, 2, QStringLiteral("Anders"));
        ASSERT_TRUE(holder.hold());
        click(window, "Button2");
        openWhileLocked = window.isVisible();
        stateWhileLocked = cursorOf(window).state();
        holder.release();
        click(window, "Button2");
    });
    EXPECT_TRUE(openWhileLocked);
    EXPECT_EQ(stateWhileLocked, TableCursor::State::Edit);
    EXPECT_FALSE(window.isVisible());
    ASSERT_GE(prompter.messages().size(), 3);
    EXPECT_EQ(prompter.messages()[0], kCloseQuestion);
    EXPECT_TRUE(prompter.messages()[1].startsWith(holder.message())) << messages().toStdString();
    EXPECT_EQ(prompter.messages().last(), kCloseQuestion);
    EXPECT_EQ(customerRows(), (QStringList{"1|Abel|Anders|"}));
}

// Customers made elsewhere meanwhile (by an import, say) show at the next showing.
TEST_F(CustomerWindowTest, EachShowingReadsTheCustomersAnew) {
    addCustomers({{1, QStringLiteral("Abel")}});
    TFormKundenstamm window(store, prompter);
    QStringList first, second;
    run(window, [&] { first = listed(window); });
    addCustomers({{2, QStringLiteral("Berger")}});
    run(window, [&] { second = listed(window); });
    EXPECT_EQ(first, QStringList{"1 Abel"});
    EXPECT_EQ(second, (QStringList{"1 Abel", "2 Berger"}));
}
