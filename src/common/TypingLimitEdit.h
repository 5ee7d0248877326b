#pragma once

#include <QLineEdit>

// A line edit whose length limit holds for what the user types, pastes or
// drops; a paste that does not fit is refused. A longer text the program sets,
// from a file or an archive row, stays whole (QLineEdit::setMaxLength would
// cut it): the user may then edit it within its own length.
class TypingLimitEdit : public QLineEdit {
    Q_OBJECT
public:
    TypingLimitEdit(int limit, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    class Limit;

    int limit_;
    // The longest text the user may make: the limit, or the program's longer text.
    int longest_;
    bool handlingInput_ = false;
};
