#include "MeasurementRun.h"

#include "RunMessage.h"
#include "SerialLine.h"
#include "TesterBytes.h"
#include "TesterCommands.h"
#include "TesterLink.h"
#include "report/ReportState.h"
#include "tester/TesterConnection.h"

namespace {
using connection_text::kEmptyStatus;
using run_display::Mark;
constexpr int kWaitingTimeout = 500;
constexpr int kMessageTimeout = 10000;
// A tester that keeps sending bytes that mean nothing would hold the run forever.
constexpr int kMeaninglessLimit = 256;
const QString kBlank = QStringLiteral(" ");
} // namespace

MeasurementRun::MeasurementRun(TesterLink& link, TesterConnection& tester, ReportState& report,
                               RunWindow& window)
    : link_(link)
    , tester_(tester)
    , report_(report)
    , window_(window) {
    resetForConnection();
}

void MeasurementRun::resetForConnection() {
    resultShown_ = false;
    acknowledged_ = false;
    fault_ = false;
    results_ = false;
    finished_ = false;
    waitKey_ = false;
    resultReceived_ = false;
    meaningless_ = 0;
    line1_ = line2_ = line3_ = run_display::blankLine();
}

void MeasurementRun::start(std::uint8_t key, bool fromTester) {
    if (!started_) {
        window_.stopTimers();
        const std::uint8_t handKey =
            report_.testKind == 1 ? tester_byte::kKey0701 : tester_byte::kKey0702;
        if (key == handKey || key == tester_byte::kKeyAuto) {
            hand_ = key == handKey;
            auto_ = !hand_;
            window_.showMode(hand_ ? run_display::kHandMode : run_display::kAutoMode);
            started_ = true;
            if (!fromTester && tester_command::pressKey(link_, tester_, key) != LineStatus::Ok) {
                end(Notice::NoReaction);
                return;
            }
        }
    }
    enter();
}

void MeasurementRun::resume() {
    if (link_.isOpen() && !finished_)
        enter();
}

void MeasurementRun::pressKey(std::uint8_t key) {
    window_.stopTimers();
    if (resultShown_ && !acknowledged_) {
        acknowledged_ = true;
        finished_ = true;
    }
    if (tester_command::pressKey(link_, tester_, key) != LineStatus::Ok) {
        end(Notice::NoReaction);
        return;
    }
    waitKey_ = false;
    enter();
}

void MeasurementRun::end(Notice notice) {
    window_.stopTimers();
    window_.showNotice(notice);
    finished_ = true;
    window_.endRemoteControl();
}

void MeasurementRun::enter() {
    window_.stopTimers();
    exit_ = false;
    window_.showRunKeys();
    while (!exit_ && !finished_) {
        const bool waiting = resultShown_ || waitKey_;
        const int valueCount = resultValueCount(report_.protectionClass, report_.niso);
        const tester_command::RunMessageBytes received = tester_command::receiveRunMessage(
            link_, waiting ? kWaitingTimeout : kMessageTimeout, valueCount);
        switch (received.status) {
        case tester_command::RunMessageBytes::Status::NoCode:
            if (!waiting) {
                results_ = false;
                end(Notice::NoReaction);
            }
            break;
        case tester_command::RunMessageBytes::Status::PayloadMissing:
            // An incomplete message changes nothing, least of all the values.
            end(Notice::TransferError);
            break;
        case tester_command::RunMessageBytes::Status::Complete:
            if (const auto message = decodeRunMessage(received.bytes, valueCount))
                handle(*message);
            break;
        }
        if ((hand_ && !finished_) || (auto_ && fault_) || waitKey_ ||
            (resultShown_ && !acknowledged_ && !finished_)) {
            exit_ = true;
            window_.continueLater();
        }
    }
    if (finished_) {
        link_.receive(SerialLine::kFlushTimeout);
        window_.endRemoteControl();
    }
}

void MeasurementRun::showLines(const QString& line1, const QString& line2, const QString& line3) {
    window_.showLine(0, line1);
    window_.showLine(1, line2);
    window_.showLine(2, line3);
}

void MeasurementRun::clearMarks() {
    for (const Mark mark : {Mark::Fault, Mark::Reversal, Mark::Mains})
        window_.showMark(mark, false);
}

void MeasurementRun::handle(const RunMessage& message) {
    using Kind = RunMessage::Kind;
    if (message.kind == Kind::Unknown) {
        if (++meaningless_ >= kMeaninglessLimit)
            end(Notice::TransferError);
        return;
    }
    meaningless_ = 0;
    switch (message.kind) {
    case Kind::KeyAfterResult:
        if (resultShown_) {
            finished_ = true;
            acknowledged_ = true;
        }
        break;
    case Kind::ReversalNotice:
        showLines(run_display::kReversalLines[0], run_display::kReversalLines[1],
                  run_display::kReversalLines[2]);
        waitKey_ = true;
        break;
    case Kind::MainsNotice:
        showLines(run_display::kMainsLines[0], run_display::kMainsLines[1],
                  run_display::kMainsLines[2]);
        waitKey_ = true;
        break;
    case Kind::Step:
        showStep(message.step);
        break;
    case Kind::Limit:
        run_display::putLimit(line3_, message.text);
        window_.showLine(2, run_display::lineText(line3_));
        break;
    case Kind::Reading:
        line2_ = run_display::readingLine(message.text, message.unit);
        window_.showLine(1, run_display::lineText(line2_));
        break;
    case Kind::OverflowOn:
        window_.showLine(1, run_display::kOverflow);
        break;
    case Kind::OverflowOff:
        break;
    case Kind::FaultSearch: {
        line2_[0] = static_cast<char>(message.indication);
        window_.showLine(1, run_display::lineText(line2_));
        fault_ = message.indication != run_message_code::kNoFault;
        window_.showMark(Mark::Fault, fault_);
        if (!fault_)
            window_.showStatus(kEmptyStatus);
        else if (auto_)
            window_.showStatus(run_display::kFaultSearchStatus);
        break;
    }
    case Kind::Result:
        showResult(message);
        break;
    case Kind::EndWithResults:
        window_.showStatus(kEmptyStatus);
        clearMarks();
        finished_ = true;
        // Values of an earlier test are not handed over as this one's.
        results_ = resultReceived_;
        break;
    case Kind::Stop:
        clearMarks();
        window_.showStatus(kEmptyStatus);
        results_ = false;
        finished_ = true;
        break;
    case Kind::Abort:
        end(Notice::EndedByTester);
        break;
    case Kind::Unknown:
        break;
    }
}

void MeasurementRun::showStep(int step) {
    waitKey_ = false;
    clearMarks();
    window_.showStatus(kEmptyStatus);
    const int protectionClass = report_.protectionClass;
    if (const auto name = run_display::stepNameLine(tester_, protectionClass, step))
        window_.showLine(0, *name);
    window_.showLine(1, kBlank);
    line3_ = run_display::stepLine(protectionClass, step);
    const run_display::StepIndicators indicators = run_display::stepIndicators(step);
    window_.showMark(Mark::Reversal, indicators.reversal);
    window_.showMark(Mark::Mains, indicators.mains);
    window_.showLine(2, run_display::lineText(line3_));
}

void MeasurementRun::showResult(const RunMessage& message) {
    line1_ = line2_ = line3_ = run_display::blankLine();
    showLines(kBlank, kBlank, kBlank);
    clearMarks();
    window_.showStatus(kEmptyStatus);
    QByteArray* const lines[] = {&line1_, &line2_, &line3_};
    for (std::size_t i = 0; i < message.values.size() && i < 3; ++i) {
        const RunMessage::MeasuredValue& value = message.values[i];
        *lines[i] = run_display::resultLine(value.name, value.value, value.unit);
    }
    showLines(run_display::lineText(line1_), run_display::lineText(line2_),
              run_display::lineText(line3_));
    const QString verdict = run_display::verdictText(message.text);
    report_.notInOrder =
        run_display::verdictNotInOrder(verdict, tester_.frenchDisplay != 0) ? 1 : 0;
    window_.showVerdict(verdict);
    results_ = true;
    resultShown_ = true;
    resultReceived_ = true;
    window_.showStatus(run_display::kResultStatus);
    for (int i = 0; i < 3; ++i)
        report_.values[i] = run_display::measuredValue(*lines[i]);
}
