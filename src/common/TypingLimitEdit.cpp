#include "TypingLimitEdit.h"

#include <QValidator>

#include <algorithm>

class TypingLimitEdit::Limit : public QValidator {
public:
    explicit Limit(TypingLimitEdit& edit)
        : QValidator(&edit)
        , edit_(edit) {}

    State validate(QString& input, int&) const override {
        // Refused, not cut: a cut would go through setText and lose the undo steps.
        return edit_.handlingInput_ && input.size() > edit_.longest_ ? Invalid : Acceptable;
    }

private:
    const TypingLimitEdit& edit_;
};

TypingLimitEdit::TypingLimitEdit(int limit, QWidget* parent)
    : QLineEdit(parent)
    , limit_(limit)
    , longest_(limit) {
    setValidator(new Limit(*this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!handlingInput_)
            longest_ = std::max(limit_, static_cast<int>(text.size()));
    });
}

bool TypingLimitEdit::event(QEvent* event) {
    // What changes the text while the edit handles one of its own events is the
    // user (keys, input method, paste, drop); the program sets text from outside.
    const bool outer = handlingInput_;
    handlingInput_ = true;
    const bool handled = QLineEdit::event(event);
    handlingInput_ = outer;
    return handled;
}
