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
    std::deque<Answer> answers;  // for Yes/No questions; the default button when the script runs out
    std::deque<QString> inputs;  // for input boxes; empty (cancel) when the script runs out
    std::function<void()> while_shown;  // runs while a box or a question is up, as its event loop would
    struct FileAsked {
        QString title;
        QString proposed;  // the path a save dialog proposes, the folder an open dialog shows
        QString filters;
    };
    std::vector<FileAsked> file_dialogs;
    std::deque<QString> files;  // for file dialogs; empty (cancel) when the script runs out

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override {
        messages.push_back({text, buttons, icon, title});
        if (while_shown) while_shown();
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return buttons == Buttons::YesNoDefaultNo ? Answer::No : Answer::Yes;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Choice {
        QString text;
        QStringList answers;
        int preferred;
        int escape;
    };
    std::vector<Choice> choices;
    std::deque<int> chosen_answers;  // the preferred answer when the script runs out

    int choose(const QString& text, const QStringList& answers, int preferred, int escape,
               const QString& /*title*/) override {
        choices.push_back({text, answers, preferred, escape});
        if (while_shown) while_shown();
        if (chosen_answers.empty()) return preferred;
        const int answer = chosen_answers.front();
        chosen_answers.pop_front();
        return answer;
    }

    QString save_file(const QString& title, const QString& proposed, const QString& filters) override {
        return chosen({title, proposed, filters});
    }
    QString open_file(const QString& title, const QString& directory, const QString& filters) override {
        return chosen({title, directory, filters});
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

private:
    QString chosen(FileAsked asked) {
        file_dialogs.push_back(std::move(asked));
        if (files.empty()) return {};
        QString file = files.front();
        files.pop_front();
        return file;
    }
};
