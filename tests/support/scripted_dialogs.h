#pragma once
// Dialogs for tests: records every box the code under test raises and answers from a script.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "console/dialogs.h"

class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    std::vector<Shown> messages;
    QStringList prompts;
    QStringList titles;    // of the input boxes, in order
    QStringList initials;  // the text each input box opened with
    std::deque<Answer> answers;  // for Yes/No questions; Yes when the script runs out
    std::deque<QString> inputs;  // for input boxes; empty (cancel) when the script runs out
    std::function<void()> while_shown;  // runs while a message box is up, as its event loop would

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override {
        messages.push_back({text, buttons, icon, title});
        if (while_shown) while_shown();
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::Yes;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QString input(const QString& prompt, const QString& title, const QString& initial) override {
        prompts << prompt;
        titles << title;
        initials << initial;
        if (inputs.empty()) return {};
        QString answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
};
