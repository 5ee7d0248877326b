#pragma once

#include "PrintTarget.h"
#include "RecordingCanvas.h"

#include <QList>

// A printer for tests: A4 paper, or the job's own, at a chosen resolution, every job kept with
// its settings, mapping and everything drawn on its page.
class RecordingPrintTarget : public PrintTarget {
public:
    struct Mapping {
        double originX = 0;
        double originY = 0;
        double scaleX = 1;
        double scaleY = 1;
    };
    struct Job {
        JobSettings settings;
        Mapping mapping;
        QList<CanvasOp> ops;
        bool ended = false;
    };

    explicit RecordingPrintTarget(int dpi = 600, bool hasPrinter = true);

    const QList<Job>& jobs() const { return jobs_; }
    void setAborted(bool aborted) { aborted_ = aborted; }
    // The next job is refused with this message.
    void failNextJob(const QString& message) { failure_ = message; }

    bool hasPrinter() const override { return hasPrinter_; }
    bool runPrintDialog(Prompter& prompter) override;
    std::optional<QString> beginJob(const JobSettings& settings) override;
    DeviceCaps caps() const override;
    void setMapping(double originX, double originY, double scaleX, double scaleY) override;
    std::optional<QString> endJob() override;
    bool aborted() const override { return aborted_; }
    int copies() const override { return copies_; }
    void setCopies(int copies) override { copies_ = copies; }
    Canvas& canvas() override { return canvas_; }

private:
    int dpi_;
    bool hasPrinter_;
    bool aborted_ = false;
    int copies_ = 1;
    QString failure_;
    RecordingCanvas canvas_;
    QList<Job> jobs_;
};
