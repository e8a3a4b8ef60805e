#include "console/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString title_or_application(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

// "csv" of "Таблица CSV (*.csv)".
QString suffix_of(const QString& filter) {
    const qsizetype star = filter.indexOf(QLatin1String("*."));
    if (star < 0) return {};
    qsizetype end = star + 2;
    while (end < filter.size() && filter.at(end).isLetterOrNumber()) ++end;
    return filter.mid(star + 2, end - star - 2);
}

}  // namespace

Dialogs::Answer QtDialogs::message(const QString& text, Buttons buttons, Icon icon, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title_or_application(title));
    box.setText(text);
    box.setIcon(icon == Icon::Exclamation ? QMessageBox::Warning
                : icon == Icon::Critical  ? QMessageBox::Critical
                                          : QMessageBox::NoIcon);
    if (buttons != Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

int QtDialogs::choose(const QString& text, const QStringList& answers, int preferred, int escape,
                      const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title_or_application(title));
    box.setText(text);
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers) buttons << box.addButton(answer, QMessageBox::ActionRole);
    if (preferred >= 0 && preferred < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[preferred]));
    if (escape >= 0 && escape < buttons.size()) box.setEscapeButton(buttons[escape]);
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? escape : static_cast<int>(chosen);
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& initial) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, title_or_application(title), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::save_file(const QString& title, const QString& proposed, const QString& filters) {
    QFileDialog dialog(parent_, title_or_application(title), proposed, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before it replaces a file
    // A name typed without an extension takes the one of the chosen type.
    dialog.setDefaultSuffix(suffix_of(filters.section(QLatin1String(";;"), 0, 0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffix_of(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::open_file(const QString& title, const QString& directory, const QString& filters) {
    return QFileDialog::getOpenFileName(parent_, title_or_application(title), directory, filters);
}
