#include "Progress.h"
#include "Prompter.h"

QString groupedNumber(qint64 number) {
    QString digits = QString::number(number < 0 ? -number : number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

QString progressText(const ProgressTask& task, qint64 done) {
    return QStringLiteral("%1: %2 von %3 %4")
        .arg(task.action, groupedNumber(done), groupedNumber(task.total), task.unit);
}

namespace {
class SilentProgress : public Progress {
public:
    bool update(qint64) override { return true; }
};
} // namespace

std::unique_ptr<Progress> silentProgress() {
    return std::make_unique<SilentProgress>();
}

std::unique_ptr<Progress> Prompter::progress(const ProgressTask&) {
    return silentProgress();
}
