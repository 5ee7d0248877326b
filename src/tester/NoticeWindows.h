#pragma once

#include "TesterNotices.h"

#include <QDialog>

#include <array>

// A small notice: two fixed lines in a bevelled frame and an OK button.
class TesterNoticeWindow : public QDialog {
    Q_OBJECT
public:
    TesterNoticeWindow(Notice notice, QWidget* parent);
};

// Notice: the tester does not react, remote control ends.
class TForm4 : public TesterNoticeWindow {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr)
        : TesterNoticeWindow(Notice::NoReaction, parent) {}
};

// Notice: the port cannot be opened.
class TForm5 : public TesterNoticeWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr)
        : TesterNoticeWindow(Notice::PortNotActivated, parent) {}
};

// Notice: tester and program have no protocol version in common.
class TForm6 : public TesterNoticeWindow {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr)
        : TesterNoticeWindow(Notice::Incompatible, parent) {}
};

// Notice: a message from the tester arrived incomplete.
class TForm7 : public TesterNoticeWindow {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr)
        : TesterNoticeWindow(Notice::TransferError, parent) {}
};

// Notice: the tester ended remote control itself.
class TForm8 : public TesterNoticeWindow {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr)
        : TesterNoticeWindow(Notice::EndedByTester, parent) {}
};

// The program's notices: the five windows, created once in order.
class NoticeWindows : public TesterNotices {
public:
    void createWindows(QWidget* parent);
    void show(Notice notice) override;
    QDialog* window(Notice notice) const { return windows_.at(static_cast<int>(notice)); }

private:
    std::array<QDialog*, 5> windows_{};
};
