#pragma once

#include <QString>

#include <memory>

// A long step as the user sees it: "Export: 12 000 von 100 000 Datensätzen"
// in a window with the caption, and "Abbrechen" where stopping is safe.
struct ProgressTask {
    QString caption; // "Daten-Export"
    QString action;  // "Export"
    QString unit;    // "Datensätzen"
    qint64 total = 0;
    bool cancellable = false;
};

// The counting that a long step reports to; the window behind it keeps
// painting while the step runs.
class Progress {
public:
    virtual ~Progress() = default;
    // done of the task's total; false once the user asked to stop.
    virtual bool update(qint64 done) = 0;
};

// Counts nothing and never stops: for steps that show no progress.
std::unique_ptr<Progress> silentProgress();

// "Export: 12 000 von 100 000 Datensätzen".
QString progressText(const ProgressTask& task, qint64 done);
// 1234567 → "1 234 567", as the counts read in messages.
QString groupedNumber(qint64 number);
