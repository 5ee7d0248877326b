#pragma once

// Why a connection to the tester ended; each cause has its own notice window.
enum class Notice {
    NoReaction,       // TForm4
    PortNotActivated, // TForm5
    Incompatible,     // TForm6
    TransferError,    // TForm7
    EndedByTester,    // TForm8
};

// Shows a notice modally; tests record them instead.
class TesterNotices {
public:
    virtual ~TesterNotices() = default;
    virtual void show(Notice notice) = 0;
};
