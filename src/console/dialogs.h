#pragma once
// The one way the console talks to the operator in a box: a message with buttons and
// an icon, and an input box. The window supplies the Qt implementation; tests supply a
// scripted one, so every handler that asks or warns can be driven without a screen.

#include <QString>

class Dialogs {
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Exclamation, Critical };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    // An empty title means the application's own title.
    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                           const QString& title = {}) = 0;
    // The operator's answer; empty when the operator cancels.
    virtual QString input(const QString& prompt, const QString& title, const QString& initial = {}) = 0;
};
