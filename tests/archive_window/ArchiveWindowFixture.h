#pragma once

#include "TableFixture.h"
#include "archive_window/TFormArchiv.h"
#include "print/RecordingPrintTarget.h"
#include "report/ReportSession.h"
#include "tester/TesterState.h"

#include <QAction>
#include <QTimer>

#include <functional>

// The archive window on a fresh store; the tests hand it the dialogs they need.
class ArchiveWindowFixture : public TableFixture {
protected:
    // Shows the archive, lets `act` work in it, closes it.
    void run(const std::function<void()>& act) {
        QTimer::singleShot(0, &window, [&] {
            act();
            if (window.isVisible())
                window.close();
        });
        window.exec();
    }

    QAction& item(const char* name) { return *window.findChild<QAction*>(QLatin1String(name)); }

    ReportSession state;
    TesterState tester;
    std::shared_ptr<RecordingPrintTarget> printer = std::make_shared<RecordingPrintTarget>();
    TFormArchiv window{state, tester.readoutHandover, prompter, store, [this] { return printer; }};
};
