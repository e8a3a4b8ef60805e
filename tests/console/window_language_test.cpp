// The windows in English: every caption, tooltip, menu entry, heading and placeholder a
// person reads is English, and none that Russian fills is left empty by the translation.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <map>

#include "console/frm_serial.h"
#include "language/language.h"
#include "support/framed.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

namespace {

const protocol::Bytes& identity = sensor1_identity;

using Texts = std::map<QString, QString>;  // where a text is shown → the text

// Every text `top` and its children show, keyed by the widget's place among them (the
// same in both languages: the windows are built the same way) and what the text is.
void collect(QWidget* top, const QString& window, Texts& texts) {
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        QWidget* w = widgets[i];
        const QString at = QStringLiteral("%1/%2 %3 ").arg(window).arg(i).arg(w->objectName());
        const auto add = [&](const QString& kind, const QString& text) { texts[at + kind] = text; };
        if (w->isWindow()) add(QStringLiteral("title"), w->windowTitle());
        add(QStringLiteral("tooltip"), w->toolTip());
        for (qsizetype a = 0; a < w->actions().size(); ++a)
            add(QStringLiteral("action %1").arg(a), w->actions()[a]->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) add(QStringLiteral("caption"), b->text());
        if (auto* l = qobject_cast<QLabel*>(w)) add(QStringLiteral("label"), l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) add(QStringLiteral("group"), g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w)) add(QStringLiteral("placeholder"), e->placeholderText());
        if (auto* e = qobject_cast<QPlainTextEdit*>(w)) add(QStringLiteral("text"), e->toPlainText());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int k = 0; k < t->count(); ++k) add(QStringLiteral("tab %1").arg(k), t->tabText(k));
        // The port list holds the system's names, found while the window runs.
        if (auto* c = qobject_cast<QComboBox*>(w); c && w->objectName() != QLatin1String("CmbPort"))
            for (int k = 0; k < c->count(); ++k) add(QStringLiteral("item %1").arg(k), c->itemText(k));
        if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
            for (int k = 0; k < h->count(); ++k)
                add(QStringLiteral("heading %1").arg(k), h->model()->headerData(k, h->orientation()).toString());
    }
}

// The main window on both pages, connected and polling sensor 1, with its taring window
// and its monitor open.
Texts texts_shown(language::Language language) {
    language::install(*QCoreApplication::instance(), language);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};
    w.taring_folder = dir.path();
    hand_ticks::press_connect(w);
    w.CmbNet->setCurrentIndex(1);
    line.replies.push_back(identity);
    hand_ticks::tick(w);  // the traffic box shows the identity, whose bytes E5 and 97 are letters
    w.tare_action->trigger();
    w.monitor_action->trigger();

    Texts texts;
    for (int page = 0; page < w.SSTab1->count(); ++page) {
        w.SSTab1->setCurrentIndex(page);
        collect(&w, QStringLiteral("main page %1").arg(page), texts);
    }
    if (w.taring_window()) collect(w.taring_window(), QStringLiteral("taring"), texts);
    if (w.sensor_monitor()) collect(w.sensor_monitor(), QStringLiteral("monitor"), texts);
    // A session file's path is a name on disk, not a caption: the same in both languages.
    for (auto& [at, text] : texts)
        if (const qsizetype path = text.indexOf(dir.path()); path >= 0) text.truncate(path);
    return texts;
}

TEST(WindowLanguage, EnglishLeavesNoRussianAndNoCaptionEmpty) {
    const Texts russian = texts_shown(language::Language::russian);
    const Texts english = texts_shown(language::Language::english);
    language::install(*QCoreApplication::instance(), language::Language::russian);

    for (const auto& [at, text] : russian)
        if (!english.count(at)) ADD_FAILURE() << "only in Russian: " << at.toStdString() << " = " << text.toStdString();
    ASSERT_EQ(russian.size(), english.size()) << "the windows are built alike in both languages";
    EXPECT_TRUE(russian.count(QStringLiteral("taring/0  title")) && english.count(QStringLiteral("monitor/0  title")))
        << "both windows opened";
    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    for (const auto& [at, text] : english) {
        EXPECT_FALSE(text.contains(cyrillic)) << at.toStdString() << ": " << text.toStdString();
        const auto before = russian.find(at);
        ASSERT_NE(before, russian.end()) << at.toStdString();
        if (!before->second.trimmed().isEmpty()) {
            EXPECT_FALSE(text.trimmed().isEmpty()) << at.toStdString() << " is empty in English";
        }
    }
}

}  // namespace
