#include "TForm3.h"
#include "TForm3Handler.h"

#include "TesterBytes.h"
#include "TesterNotices.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

void TForm3::startRun(int key, bool fromTester) {
    Handler handler(*this);
    run_.start(static_cast<std::uint8_t>(key), fromTester);
}

void TForm3::ButtonWeiter1Click() {
    pressRunKey(tester_byte::kKey0701);
}

void TForm3::ButtonWeiter2Click() {
    pressRunKey(tester_byte::kKey0702);
}

void TForm3::ButtonWeiterAClick() {
    pressRunKey(tester_byte::kKeyAuto);
}

void TForm3::pressRunKey(std::uint8_t key) {
    Handler handler(*this);
    run_.pressKey(key);
}

void TForm3::TimerSendenTimer() {
    if (link_.line().busy() || handlerDepth_ > 0)
        return;
    Handler handler(*this);
    run_.resume();
}

void TForm3::setResultHandover(std::function<bool()> askReport, QDialog* wizard, QDialog* savePrint,
                               TableStore& tables) {
    const auto show = [](QDialog* window) {
        return [window] {
            if (window)
                window->exec();
        };
    };
    setResultHandover(std::make_unique<ResultHandover>(
        state_, tester_, prompter_, tables,
        HandoverWindows{std::move(askReport), show(wizard), show(savePrint)}));
}

void TForm3::setResultHandover(std::unique_ptr<ResultHandover> handover) {
    handover_ = std::move(handover);
    handover_->prepareArchive();
}

void TForm3::handOverResults() {
    if (handover_)
        handover_->handOver(run_.resultsAvailable());
}

void TForm3::setDisplayBackground(const QColor& color) {
    for (QLabel* label : {LabelZeile[0], LabelZeile[1], LabelZeile[2], LabelFehler, LabelPol,
                          LabelNetz, LabelFehlerKreuz, LabelPolKreuz, LabelNetzKreuz}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, color);
        label->setPalette(palette);
    }
}

void TForm3::continueLater() {
    TimerSenden->start();
}

void TForm3::showRunKeys() {
    for (QPushButton* start : {Button0701Mess, Button0702Mess, ButtonAutoMess}) {
        start->hide();
        start->setEnabled(false);
    }
    for (QPushButton* key : {ButtonWeiter1, ButtonWeiter2, ButtonWeiterA}) {
        key->show();
        key->setEnabled(true);
    }
}

void TForm3::showMode(const QString& mode) {
    LabelArt->setText(mode);
}

void TForm3::showLine(int line, const QString& text) {
    LabelZeile.at(line)->setText(text);
}

void TForm3::showMark(run_display::Mark mark, bool set) {
    QLabel* label = mark == run_display::Mark::Fault      ? LabelFehlerKreuz
                    : mark == run_display::Mark::Reversal ? LabelPolKreuz
                                                          : LabelNetzKreuz;
    label->setText(set ? QStringLiteral("X") : QStringLiteral(" "));
}

void TForm3::showStatus(const QString& text) {
    setStatus(text);
}

void TForm3::showVerdict(const QString& verdict) {
    Label6->show();
    Label4->hide();
    for (QLabel* line : {LabelZeile[0], LabelZeile[1], LabelZeile[2], LabelFehlerKreuz,
                         LabelPolKreuz, LabelNetzKreuz}) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        line->setPalette(palette);
    }
    for (QLabel* indicator : {LabelFehler, LabelPol, LabelNetz})
        indicator->hide();
    LabelErgebnis->setText(verdict);
    LabelErgebnis->show();
}

void TForm3::showNotice(Notice notice) {
    notices_.show(notice);
}

void TForm3::endRemoteControl() {
    requestClose();
}
