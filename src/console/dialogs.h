#pragma once
// The one way the console talks to the operator in a box: a message with buttons and
// an icon, an input box, and the system's dialogs that choose a file. The window
// supplies the Qt implementation; tests supply a scripted one, so every handler that
// asks or warns can be driven without a screen.

#include <QString>
#include <QStringList>

class Dialogs {
public:
    enum class Buttons { Ok, YesNo, YesNoDefaultNo };  // YesNo: Yes is the default
    enum class Icon { None, Exclamation, Critical };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    // An empty title means the application's own title.
    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                           const QString& title = {}) = 0;
    // A question with answers in words of its own: the index of the one chosen, `escape`
    // when the box is closed without one. `preferred` is the answer Enter gives.
    // Without a face to ask (a benchmark's), the preferred answer.
    virtual int choose(const QString& /*text*/, const QStringList& /*answers*/, int preferred, int /*escape*/,
                       const QString& /*title*/ = {}) {
        return preferred;
    }
    // The operator's answer; empty when the operator cancels.
    virtual QString input(const QString& prompt, const QString& title, const QString& initial = {}) = 0;
    // A file to write, the dialog opening on `proposed` (a path), or to read, the dialog
    // opening in `directory`; empty when the operator cancels. `filters` as Qt's file
    // dialogs take them: "Таблица CSV (*.csv);;Таблица JSON (*.json)".
    virtual QString save_file(const QString& title, const QString& proposed, const QString& filters) = 0;
    virtual QString open_file(const QString& title, const QString& directory, const QString& filters) = 0;
};
