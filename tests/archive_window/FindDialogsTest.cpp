#include "DialogScript.h"
#include "ScriptedPrompter.h"
#include "archive_window/TFormFilter.h"
#include "archive_window/TFormSortier.h"
#include "archive_window/TFormSuchen.h"
#include "common/HelpContext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename T> T& child(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no control " + name.toStdString());
    return *found;
}

QStringList entries(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

class SearchDialogTest : public ::testing::Test {
protected:
    QComboBox& fields() { return child<QComboBox>(dialog, "ComboBox1"); }
    QLineEdit& value() { return child<QLineEdit>(dialog, "Edit1"); }
    void click(const char* name) { child<QPushButton>(dialog, QLatin1String(name)).click(); }

    ScriptedPrompter prompter;
    TFormSuchen dialog{prompter};
    DialogScript script{dialog};
};

class FilterDialogTest : public ::testing::Test {
protected:
    QComboBox& field(int row) {
        return child<QComboBox>(dialog, QStringLiteral("ComboBoxFeld%1").arg(row));
    }
    QComboBox& op(int row) {
        return child<QComboBox>(dialog, QStringLiteral("ComboBoxOperator%1").arg(row));
    }
    QLineEdit& value(int row) {
        return child<QLineEdit>(dialog, QStringLiteral("EditWert%1").arg(row));
    }
    QComboBox& link(int row) {
        return child<QComboBox>(dialog, QStringLiteral("ComboBoxVerknuepfung%1").arg(row));
    }
    QPushButton& button(const char* name) {
        return child<QPushButton>(dialog, QLatin1String(name));
    }
    // Which of the five rows and four link lists are shown, and whether "+" and "-" are.
    QString shownRows() {
        QString shown;
        for (int row = 1; row <= 5; ++row)
            shown += field(row).isVisible() && value(row).isVisible() ? 'R' : '.';
        shown += ' ';
        for (int row = 1; row <= 4; ++row)
            shown += link(row).isVisible() ? 'L' : '.';
        shown += button("ButtonPlus").isVisible() ? " +" : " .";
        shown += button("ButtonMinus").isVisible() ? "-" : ".";
        return shown;
    }

    ScriptedPrompter prompter;
    TFormFilter dialog{prompter};
    DialogScript script{dialog};
};

} // namespace

TEST_F(SearchDialogTest, ControlsAndTheirTexts) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Suchen"));
    EXPECT_EQ(help::contextOf(dialog), help::Archive);
    EXPECT_EQ(fields().count(), 24);
    EXPECT_EQ(fields().itemText(0), QStringLiteral("lfd. Nr."));
    EXPECT_EQ(fields().itemText(11), QStringLiteral("Prüfung"));
    EXPECT_EQ(fields().itemText(13), QStringLiteral("Messwerte"));
    EXPECT_EQ(fields().itemText(21), QStringLiteral("nächste Prüfung"));
    EXPECT_EQ(fields().maxVisibleItems(), 14);
    EXPECT_EQ(fields().currentIndex(), -1);
    EXPECT_EQ(value().text(), QStringLiteral(" "));
    EXPECT_EQ(value().maxLength(), 20);
    EXPECT_EQ(child<QLabel>(dialog, "Label1").text(), QStringLiteral("="));
    EXPECT_EQ(child<QPushButton>(dialog, "ButtonWeiter").text(), QStringLiteral("&Weiter"));
    EXPECT_EQ(child<QPushButton>(dialog, "ButtonAbbruch").text(), QStringLiteral("&Abbruch"));
}

TEST_F(SearchDialogTest, ARefusedValueKeepsTheDialogOpenAndAbbruchClearsIt) {
    bool openAfterRefusal = false;
    script.then([&] {
        fields().setCurrentIndex(0);
        value().setText(QStringLiteral("12a"));
        click("ButtonWeiter");
        value().setText(QString());
        click("ButtonWeiter");
        openAfterRefusal = dialog.isVisible();
        click("ButtonAbbruch");
    });
    dialog.exec();
    EXPECT_TRUE(openAfterRefusal);
    const QString digits = QStringLiteral("Fehler|Im Text für die Suchbedingung  sind nur Zahlen "
                                          "zulässig, keine Buchstaben und Sonderzeichen");
    EXPECT_EQ(prompter.messages(), (QStringList{digits, digits}));
    EXPECT_TRUE(dialog.request().cancelled);
    EXPECT_EQ(fields().currentIndex(), -1);
    EXPECT_EQ(value().text(), QString());

    script.then([&] {
        fields().setCurrentIndex(18);
        value().setText(QStringLiteral(" Ja "));
        click("ButtonWeiter");
    });
    dialog.exec();
    EXPECT_FALSE(dialog.request().cancelled);
    EXPECT_EQ(dialog.request().field, QStringLiteral("Satz2"));
    EXPECT_EQ(dialog.request().value, QStringLiteral("1"));

    // Without a field there is nothing to search.
    script.then([&] {
        fields().setCurrentIndex(-1);
        click("ButtonWeiter");
    });
    dialog.exec();
    EXPECT_TRUE(dialog.request().cancelled);
}

TEST(SortDialog, ShowsTheCriteriaAndTakesThemOnlyOnOk) {
    TFormSortier dialog;
    DialogScript script(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sortierreihenfolge festlegen"));
    EXPECT_EQ(help::contextOf(dialog), help::Archive);
    auto& first = child<QComboBox>(dialog, "ComboBox1");
    auto& second = child<QComboBox>(dialog, "ComboBox2");
    auto& third = child<QComboBox>(dialog, "ComboBox3");
    EXPECT_EQ(entries(first).size(), 12);
    EXPECT_EQ(entries(second), QStringList{QString()} + entries(first));
    EXPECT_EQ(entries(third), entries(second));
    EXPECT_EQ(child<QLabel>(dialog, "Label2").text(), QStringLiteral("2. Kriterium"));

    SortCriteria criteria{4, 12, 0};
    std::array<int, 3> shown{};
    script.then([&] {
        shown = {first.currentIndex(), second.currentIndex(), third.currentIndex()};
        first.setCurrentIndex(5);
        child<QPushButton>(dialog, "BitBtnCancel").click();
    });
    EXPECT_FALSE(dialog.choose(criteria));
    EXPECT_EQ(shown, (std::array{3, 12, 0}));
    EXPECT_EQ(criteria, (SortCriteria{4, 12, 0}));

    script.then([&] {
        first.setCurrentIndex(5);
        third.setCurrentIndex(1);
        child<QPushButton>(dialog, "BitBtnOK").click();
    });
    EXPECT_TRUE(dialog.choose(criteria));
    EXPECT_EQ(criteria, (SortCriteria{6, 12, 1}));
}

TEST_F(FilterDialogTest, RowsComeWithPlusAndGoWithMinus) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Filter definieren"));
    EXPECT_EQ(help::contextOf(dialog), help::Archive);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(entries(field(1)).size(), 25);
    EXPECT_EQ(entries(op(3)), (QStringList{"=", "<", ">", "<>", ">=", "<="}));
    EXPECT_EQ(entries(link(2)), (QStringList{"", "und", "oder"}));
    EXPECT_EQ(value(5).maxLength(), 30);
    const QStringList captions{button("ButtonFilterLoeschen").text(), button("ButtonPlus").text(),
                               button("ButtonMinus").text(), button("ButtonAbbrechen").text(),
                               button("ButtonWeiter").text()};
    EXPECT_EQ(captions, (QStringList{"&Filter löschen", "+", "-", "&Abbrechen", "&Weiter"}));

    QStringList states;
    script.then([&] {
        states << shownRows();
        for (int i = 0; i < 4; ++i) {
            button("ButtonPlus").click();
            states << shownRows();
        }
        field(5).setCurrentIndex(4);
        value(5).setText(QStringLiteral("Meier"));
        link(4).setCurrentIndex(2);
        button("ButtonMinus").click();
        states << shownRows();
        button("ButtonPlus").click();
        states << QStringLiteral("%1|%2|%3")
                      .arg(field(5).currentIndex())
                      .arg(value(5).text())
                      .arg(link(4).currentIndex());
        button("ButtonAbbrechen").click();
    });
    dialog.exec();
    EXPECT_EQ(states, (QStringList{"R.... .... +.", "RR... L... +-", "RRR.. LL.. +-",
                                   "RRRR. LLL. +-", "RRRRR LLLL .-", "RRRR. LLL. +-", "0||0"}));
}

TEST_F(FilterDialogTest, ConfirmedConditionsComeBackAndAbbrechenKeepsThem) {
    script.then([&] {
        field(1).setCurrentIndex(18);
        value(1).setText(QStringLiteral(" ja "));
        button("ButtonPlus").click();
        field(2).setCurrentIndex(4);
        op(2).setCurrentIndex(3);
        value(2).setText(QStringLiteral("Meier"));
        link(1).setCurrentIndex(2);
        button("ButtonWeiter").click();
    });
    dialog.exec();
    const FilterConditions confirmed = dialog.conditions();
    EXPECT_EQ(confirmed.rows, 2);
    EXPECT_EQ(confirmed.value[0], QStringLiteral("1"));
    EXPECT_EQ(archive_filter::filterText(confirmed),
              QStringLiteral("Satz1= 1  OR Auftraggeber<>'Meier'"));
    EXPECT_FALSE(confirmed.deleted);

    // Changed and refused, then cancelled: the confirmed conditions stay.
    QString shownValue;
    script.then([&] {
        shownValue = value(1).text();
        value(1).setText(QStringLiteral("vielleicht"));
        button("ButtonWeiter").click();
        button("ButtonAbbrechen").click();
    });
    dialog.exec();
    EXPECT_EQ(shownValue, QStringLiteral("ja"));
    EXPECT_EQ(prompter.messages(),
              QStringList{"Fehler|Im Text für Bedingung Nr. 1 sind nur j, ja, n, nein zulässig"});
    EXPECT_EQ(archive_filter::filterText(dialog.conditions()),
              archive_filter::filterText(confirmed));

    script.then([&] {
        value(1).setText(QStringLiteral("n"));
        button("ButtonMinus").click();
        dialog.reject(); // Escape
    });
    dialog.exec();
    EXPECT_EQ(archive_filter::filterText(dialog.conditions()),
              archive_filter::filterText(confirmed));

    // The archive was shown again: one empty row.
    QString resetShown;
    dialog.markForReset();
    script.then([&] {
        resetShown =
            shownRows() + '|' + QString::number(field(1).currentIndex()) + '|' + value(1).text();
        button("ButtonAbbrechen").click();
    });
    dialog.exec();
    EXPECT_EQ(resetShown, QStringLiteral("R.... .... +.|0|"));
    EXPECT_EQ(archive_filter::filterText(dialog.conditions()), QString());
    EXPECT_FALSE(dialog.conditions().resetPending);
}

TEST_F(FilterDialogTest, FilterLoeschenEmptiesEverything) {
    script.then([&] {
        field(1).setCurrentIndex(4);
        value(1).setText(QStringLiteral("Meier"));
        button("ButtonPlus").click();
        button("ButtonPlus").click();
        field(3).setCurrentIndex(1);
        button("ButtonFilterLoeschen").click();
    });
    dialog.exec();
    EXPECT_TRUE(dialog.conditions().deleted);
    EXPECT_EQ(dialog.conditions().rows, 1);
    EXPECT_EQ(archive_filter::filterText(dialog.conditions()), QString());
    QString shown;
    script.then([&] {
        shown = shownRows() + '|' + value(1).text();
        button("ButtonAbbrechen").click();
    });
    dialog.exec();
    EXPECT_EQ(shown, QStringLiteral("R.... .... +.|"));
    EXPECT_FALSE(dialog.conditions().deleted);
}
