#include "tester/Clock.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

void clickWindow(QWidget& widget) {
    QWindow* window = widget.windowHandle();
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }
}

// A click while the program waits on the line reaches its button after the wait, not during it.
TEST(RealClockTest, ClickDuringAWaitArrivesAfterIt) {
    QPushButton button(QStringLiteral("Weiter"));
    button.resize(100, 30);
    button.show();
    ASSERT_NE(button.windowHandle(), nullptr);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    RealClock clock;
    int clicksDuringWait = -1;
    QTimer::singleShot(0, [&] {
        clickWindow(button);
        clicksDuringWait = clicked.size();
    });
    clock.wait(30);
    EXPECT_EQ(clicksDuringWait, 0);
    EXPECT_EQ(clicked.size(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked.size(), 1);

    // Outside a wait a click goes through at once.
    clickWindow(button);
    EXPECT_EQ(clicked.size(), 2);
}

} // namespace
