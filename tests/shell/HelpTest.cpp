#include "common/HelpContext.h"
#include "shell/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
const QString kHelp = QStringLiteral(":/help");

QString page(const QString& name) {
    QFile file(kHelp + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

TEST(Help, EveryTopicHasAGermanPageLinkedFromTheContents) {
    const QString contents = page(QStringLiteral("index.html"));
    ASSERT_FALSE(contents.isEmpty());
    for (int context : {4005, 4010, 4015, 4020, 4025}) {
        const QString name = HelpViewer::pageName(context);
        const QString text = page(name);
        EXPECT_FALSE(text.isEmpty()) << context;
        EXPECT_TRUE(text.contains(QStringLiteral("index.html"))) << context;
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"%1\"").arg(name))) << context;
    }
}

TEST(Help, EveryLinkBetweenPagesLeadsToAPageAndItsSection) {
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    for (const QString& name :
         {QStringLiteral("index.html"), QStringLiteral("4005.html"), QStringLiteral("4010.html"),
          QStringLiteral("4015.html"), QStringLiteral("4020.html"), QStringLiteral("4025.html")}) {
        auto it = link.globalMatch(page(name));
        while (it.hasNext()) {
            const QRegularExpressionMatch found = it.next();
            const QString target = found.captured(1);
            EXPECT_TRUE(QFile::exists(kHelp + QLatin1Char('/') + target))
                << name.toStdString() << " -> " << target.toStdString();
            // A link to a section finds it.
            if (const QString anchor = found.captured(2).mid(1); !anchor.isEmpty()) {
                EXPECT_TRUE(page(target).contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << name.toStdString() << " -> " << target.toStdString() << "#"
                    << anchor.toStdString();
            }
        }
    }
}

TEST(Help, ViewerOpensTheTopicPageOrElseTheContents) {
    HelpViewer viewer;
    viewer.setHelpFile(kHelp);
    viewer.showContext(4025);
    EXPECT_EQ(viewer.currentPage(), QUrl(QStringLiteral("qrc:/help/4025.html")));
    viewer.showContext(4711);
    EXPECT_EQ(viewer.currentPage(), QUrl(QStringLiteral("qrc:/help/index.html")));
    viewer.showContext(4005);
    viewer.showContents();
    EXPECT_EQ(viewer.currentPage(), QUrl(QStringLiteral("qrc:/help/index.html")));
    EXPECT_TRUE(viewer.isVisible());
}

TEST(Help, F1OpensThePageOfTheFocusedWindow) {
    HelpViewer viewer;
    viewer.setHelpFile(kHelp);
    HelpKey key(viewer);
    qApp->installEventFilter(&key);

    QWidget window;
    help::setContext(window, help::Addresses);
    auto* edit = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(edit, &f1);
    EXPECT_EQ(viewer.currentPage(), QUrl(QStringLiteral("qrc:/help/4020.html")));
    qApp->removeEventFilter(&key);
}

TEST(Help, F1InAMenuOpensThePageOfTheItemUnderTheCursor) {
    HelpViewer viewer;
    viewer.setHelpFile(kHelp);
    HelpKey key(viewer);
    qApp->installEventFilter(&key);

    QMenu menu;
    help::setContext(menu, help::FileMenu);
    QAction* plain = menu.addAction(QStringLiteral("ohne Thema"));
    QAction* archive = menu.addAction(QStringLiteral("Archiv"));
    help::setContext(*archive, help::Archive);
    menu.popup(QPoint(0, 0));
    ASSERT_EQ(QApplication::activePopupWidget(), &menu);

    menu.setActiveAction(archive);
    EXPECT_EQ(HelpKey::currentContext(), 4025);
    menu.setActiveAction(plain);
    EXPECT_EQ(HelpKey::currentContext(), 4005);

    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&menu, &f1);
    EXPECT_EQ(viewer.currentPage(), QUrl(QStringLiteral("qrc:/help/4005.html")));
    EXPECT_FALSE(menu.isVisible());
    qApp->removeEventFilter(&key);
}
