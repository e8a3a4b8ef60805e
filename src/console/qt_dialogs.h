#pragma once

#include <QPointer>
#include <QWidget>

#include "console/dialogs.h"

// Dialogs as Qt message boxes and input dialogs, modal over `parent`.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    int choose(const QString& text, const QStringList& answers, int preferred, int escape,
               const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& initial) override;
    QString save_file(const QString& title, const QString& proposed, const QString& filters) override;
    QString open_file(const QString& title, const QString& directory, const QString& filters) override;

    // Boxes raised after this are modal over `parent`.
    void set_parent(QWidget* parent) { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
};
