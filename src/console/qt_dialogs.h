#pragma once

#include <QPointer>
#include <QWidget>

#include "console/dialogs.h"

// Dialogs as Qt message boxes and input dialogs, modal over `parent`.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& initial) override;

private:
    QPointer<QWidget> parent_;
};
