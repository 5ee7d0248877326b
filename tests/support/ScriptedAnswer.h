#pragma once

#include <functional>

// Stands in for a dialog another window asks: counts the questions and gives
// the scripted answer.
template <typename Answer> struct ScriptedAnswer {
    Answer answer{};
    int shown = 0;

    std::function<Answer()> ask() {
        return [this] {
            ++shown;
            return answer;
        };
    }
};
