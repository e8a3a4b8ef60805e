#include "console/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString title_or_application(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

}  // namespace

Dialogs::Answer QtDialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title_or_application(title));
    box.setText(text);
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning
                : icon == Icon::Critical  ? QMessageBox::Critical
                                          : QMessageBox::NoIcon);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& initial) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, title_or_application(title), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? answer : QString();
}
