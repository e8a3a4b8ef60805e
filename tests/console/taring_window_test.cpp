// Taring through the window: levels from the window's own poll ticks on a scripted line,
// points taken once steady, the session on disk, and the table handed to the grid.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "console/frm_serial.h"
#include "protocol/commands.h"
#include "protocol/requests.h"
#include "console/settle_strip.h"
#include "support/framed.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"
#include "taring/session_file.h"

using protocol::Byte;
using protocol::Bytes;

namespace {

const protocol::Bytes& identity = sensor1_identity;

class Taring : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};
    QTemporaryDir dir;
    double now = 0;

    void SetUp() override {
        w.taring_folder = dir.filePath("Тарировки");
        w.taring_clock = [this] { return now; };
        hand_ticks::press_connect(w);
        w.CmbNet->setCurrentIndex(1);  // sensor 1: the next tick asks for its identity
        line.replies.push_back(identity);
        hand_ticks::tick(w);
    }
    TaringWindow* open() {
        w.tare_action->trigger();
        TaringWindow* t = w.taring_window();
        if (t) t->settle_field->setText("1");
        return t;
    }
    // Ticks with the sensor at `level` until `t` has no point waiting, half a second apart.
    void steady_at(TaringWindow* t, std::uint16_t level) {
        for (int tick = 0; tick < 5 && t->waiting(); ++tick) {
            line.replies.push_back(full_poll_reply(0x01, 0x19, level));
            hand_ticks::tick(w);
            now += 0.5;
        }
        ASSERT_FALSE(t->waiting()) << "no point taken at level " << level;
    }
    void pour(TaringWindow* t, const QString& litres, std::uint16_t level) {
        t->poured->setText(litres);
        t->take_point_Click();
        ASSERT_TRUE(t->waiting());
        steady_at(t, level);
    }
    taring::TaringSession on_disk(const QString& path) const {
        return std::get<taring::TaringSession>(taring::read_session_file(path));
    }
};

}  // namespace

TEST_F(Taring, PointsTakenOnceSteadyUndoneAndTheTableHandedToTheGrid) {
    EXPECT_EQ(w.tare_action->text(), QStringLiteral("Тарировка бака…"));
    EXPECT_EQ(w.tare_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_TRUE(w.Frame8->actions().contains(w.tare_action));
    w.Cmb_Datchik->setCurrentIndex(2);
    TaringWindow* t = open();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->windowTitle(), QStringLiteral("Тарировка бака"));
    EXPECT_FALSE(t->isModal());
    EXPECT_TRUE(w.state.block_zapros) << "the sensor is polled while the window is open";
    EXPECT_EQ(t->sensor_line->text(), QStringLiteral("Датчик 1, серийный № 151013, версия 1.5.1. — таблица для Sensor 3"));
    const QString path = t->session_path();
    EXPECT_EQ(QFileInfo(path).fileName(), QDate::currentDate().toString(Qt::ISODate) + " датчик 151013.json");

    // A level that does not settle takes no point; Enter in the field presses the button.
    t->poured->setText("0");
    emit t->poured->returnPressed();
    EXPECT_EQ(t->take_point->text(), QStringLiteral("Ждём успокоения…"));
    for (std::uint16_t level : {90, 100, 110}) {
        line.replies.push_back(full_poll_reply(0x01, 0x19, level));
        hand_ticks::tick(w);
        now += 0.5;
    }
    EXPECT_TRUE(t->waiting());
    // A silence shorter than the settle time (a box held the window) starts the watch
    // afresh, and its strip with it.
    t->settle_field->setText("10");
    emit t->settle_field->editingFinished();
    for (double gap : {0.0, 0.5, 3.0}) {
        now += gap;
        line.replies.push_back(full_poll_reply(0x01, 0x19, 100));
        hand_ticks::tick(w);
    }
    EXPECT_EQ(t->settle_strip->polls(), 1u);
    t->settle_field->setText("1");
    emit t->settle_field->editingFinished();
    now += 0.5;
    steady_at(t, 100);
    EXPECT_EQ(line.written.back(), protocol::sensor_request(1, protocol::cmd_poll_full));

    pour(t, "50", 300);
    pour(t, "40,5", 450);  // either decimal separator
    EXPECT_EQ(on_disk(path).points.size(), 3u);
    t->undo_point_Click();
    EXPECT_EQ(on_disk(path).points.size(), 2u);
    pour(t, "50", 500);
    EXPECT_EQ(t->point_list->rowCount(), 3);
    EXPECT_EQ(t->point_list->item(2, 0)->text(), "100");

    // Bad litres are refused with a box and leave nothing waiting.
    for (const char* typed : {"", "abc", "0", "-5", "70000"}) {
        t->poured->setText(typed);
        t->take_point_Click();
        EXPECT_FALSE(t->waiting()) << typed;
    }
    EXPECT_EQ(dialogs.messages.size(), 5u);

    // Work typed into the grid meanwhile is asked about first; kept, the table stays here.
    emit w.Text44[5]->textEdited(QStringLiteral("7"));
    dialogs.answers = {Dialogs::Answer::No};
    t->done_Click();
    ASSERT_EQ(dialogs.messages.size(), 6u);
    EXPECT_TRUE(dialogs.messages.back().text.endsWith(QStringLiteral("Загрузить таблицу тарировки и потерять её?")));
    EXPECT_TRUE(t->status_line->text().startsWith(QStringLiteral("Таблица не передана")));
    EXPECT_FALSE(on_disk(path).finished);
    dialogs.answers = {Dialogs::Answer::Yes};

    w.Cmb_Datchik->setCurrentIndex(0);  // the slot moved meanwhile: the table still goes to Sensor 3
    t->done_Click();
    EXPECT_EQ(w.Cmb_Datchik->currentText(), "Sensor 3");
    EXPECT_EQ(w.Text43->text(), "1");
    EXPECT_FALSE(w.D_otkl->isChecked());
    EXPECT_EQ(w.Text44[0]->text(), "100");
    EXPECT_EQ(w.Text45[0]->text(), "0");
    EXPECT_EQ(w.Text44[39]->text(), "500");
    EXPECT_EQ(w.Text45[39]->text(), "100");
    EXPECT_EQ(w.MsgCom->text(), QStringLiteral("Таблица тарировки готова к записи в Sensor 3."));
    EXPECT_TRUE(on_disk(path).finished);
    EXPECT_EQ(line.written.back(), protocol::sensor_request(1, protocol::cmd_poll_full)) << "nothing sent";

    t->close();  // finished: nothing to ask
    EXPECT_EQ(dialogs.messages.size(), 7u);
    EXPECT_FALSE(w.taring_window());
    EXPECT_FALSE(w.state.block_zapros) << "the poll is put back as it was";
    EXPECT_TRUE(QFileInfo::exists(path));

    // Another tank tared into the same slot asks before the first one's table goes.
    TaringWindow* next = open();
    pour(next, "0", 120);
    pour(next, "60", 400);
    next->done_Click();
    ASSERT_EQ(dialogs.messages.size(), 8u);
    EXPECT_TRUE(dialogs.messages.back().text.endsWith(QStringLiteral("Загрузить таблицу тарировки и потерять её?")));
}

TEST_F(Taring, ClosingMidSessionKeepsDeletesOrGoesBack) {
    enum { keep, remove, back };
    TaringWindow* t = open();
    t->show();
    pour(t, "0", 100);
    pour(t, "50", 300);
    const QString path = t->session_path();
    // A point still waiting is named, and the polls that come while the question is up
    // take no point behind it; back in the window, the point is taken.
    t->poured->setText("30");
    t->take_point_Click();
    ASSERT_TRUE(t->waiting());
    dialogs.while_shown = [&] {
        for (int tick = 0; tick < 4; ++tick, now += 0.5) {
            line.replies.push_back(full_poll_reply(0x01, 0x19, 400));
            hand_ticks::tick(w);
        }
    };
    dialogs.chosen_answers = {back};
    t->close();
    dialogs.while_shown = nullptr;
    ASSERT_EQ(dialogs.choices.size(), 1u);
    EXPECT_TRUE(dialogs.choices[0].text.contains(QStringLiteral("Тарировка не закончена, точек: 2.")));
    EXPECT_TRUE(dialogs.choices[0].text.contains(QStringLiteral("Точка 80 л ждёт успокоения")));
    EXPECT_EQ(t->session().points.size(), 2u);
    steady_at(t, 400);
    EXPECT_EQ(t->session().points.size(), 3u);
    EXPECT_EQ(dialogs.choices[0].answers, (QStringList{QStringLiteral("Сохранить и закрыть"),
                                                       QStringLiteral("Удалить и закрыть"), QStringLiteral("Вернуться")}));
    EXPECT_EQ(dialogs.choices[0].preferred, keep);
    EXPECT_EQ(dialogs.choices[0].escape, back);
    EXPECT_EQ(w.taring_window(), t) << "back to the window";
    EXPECT_TRUE(t->isVisible());
    // Closing the main window asks the same: back, both stay open.
    w.show();
    dialogs.chosen_answers = {back};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(dialogs.choices.size(), 2u);
    EXPECT_TRUE(w.isVisible() && t->isVisible());

    dialogs.chosen_answers = {keep};
    t->close();
    EXPECT_FALSE(w.taring_window());
    EXPECT_TRUE(QFileInfo::exists(path));

    t = open();  // offered to go on, and going on where it stopped
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QFileInfo(path).fileName()));
    EXPECT_EQ(t->session_path(), path);
    EXPECT_EQ(t->session().points.size(), 3u);
    pour(t, "50", 500);
    EXPECT_EQ(on_disk(path).points.back().litres, 130);

    dialogs.chosen_answers = {remove};
    t->close();
    EXPECT_FALSE(QFileInfo::exists(path));
    t = open();  // nothing left to offer
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(t->session().points.empty());
}

TEST_F(Taring, TheNextPortionIsTypedWhereItBelongsAndAMistypedOneIsFlagged) {
    TaringWindow* t = open();
    t->poured->setFocus();
    pour(t, "0", 100);
    for (auto [litres, level] : {std::pair{"40", 433}, {"40", 766}, {"4", 1099}, {"40", 1432}}) {
        t->poured->setText(litres);
        t->take_point_Click();
        EXPECT_EQ(t->focusWidget(), t->poured) << "while point " << litres << " waits";
        steady_at(t, static_cast<std::uint16_t>(level));
        EXPECT_EQ(t->focusWidget(), t->poured);
        EXPECT_EQ(t->poured->selectedText(), t->poured->text());
    }
    EXPECT_LE(t->settle_strip->polls(), 4u) << "the strip keeps the last settle time of polls, one second here";
    // Point 4 (4 l for 333 levels, its neighbours 40): flagged in the list with its reason.
    const QString reason = QStringLiteral("Точка 4: 4 л на 333 ед. уровня, у соседних около 40 л; опечатка?");
    EXPECT_EQ(t->point_list->item(3, 0)->toolTip(), reason);
    EXPECT_TRUE(t->point_list->item(2, 0)->toolTip().isEmpty());
    EXPECT_TRUE(t->deviation_line->text().startsWith(QStringLiteral("Таблица проходит через все точки")))
        << "five points, all rows: " << t->deviation_line->text().toStdString();

    t->undo_point_Click();
    EXPECT_TRUE(t->status_line->text().contains(QStringLiteral("осталось в баке: введите долитое заново, не доливая")));
    EXPECT_EQ(t->focusWidget(), t->poured);
}

// The main window's poll moved to another sensor, or switched off: the window says which,
// and greys the last level, rather than sending the technician to the cable.
TEST_F(Taring, APollMovedAwayFromTheSensorIsSaidAsSuch) {
    TaringWindow* t = open();
    ASSERT_TRUE(t);
    line.replies.push_back(full_poll_reply(0x01, 0x19, 500));
    hand_ticks::tick(w);
    hand_ticks::tick(w);
    EXPECT_TRUE(t->level_figure->isEnabled());

    const struct {
        std::function<void()> change;
        const char* said;
    } cases[] = {
        {[&] { w.CmbNet->setCurrentIndex(0); },
         "Главное окно опрашивает датчик 0, а не 1: верните в нём «Сет. номер» 1."},
        {[&] { w.CmbNet->setEditText("7"); }, "В главном окне не выбран «Сет. номер»: выберите в списке 1."},
        {[&] {
             w.CmbNet->setCurrentIndex(1);
             w.block_Click();
         },
         "Опрос выключен: включите его кнопкой «Блокировка» в главном окне."},
    };
    for (const auto& c : cases) {
        c.change();
        hand_ticks::tick(w);
        EXPECT_EQ(t->state_line->text(), c.said);
        EXPECT_FALSE(t->level_figure->isEnabled());
        EXPECT_EQ(t->level_figure->text(), "500");
    }
}

TEST_F(Taring, TheSensorIsIdentifiedBetweenPollsAndItsSessionNamedForIt) {
    w.CmbNet->setCurrentIndex(0);  // the identity request for 0 goes unanswered
    hand_ticks::tick(w);
    TaringWindow* t = open();
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->session_path().isEmpty());
    hand_ticks::tick(w);
    EXPECT_EQ(line.written.back(), protocol::sensor_request(0, protocol::cmd_read_sn));
    line.replies.push_back(framed({0x3E, 0x00, 0xFC, 0x07, 0x00, 0x00, 0x00}));
    hand_ticks::tick(w);
    EXPECT_TRUE(t->sensor_line->text().startsWith(QStringLiteral("Датчик 0, серийный № 7 ")));
    EXPECT_EQ(QFileInfo(t->session_path()).fileName(), QDate::currentDate().toString(Qt::ISODate) + " датчик 7.json");
    hand_ticks::tick(w);
    EXPECT_EQ(line.written.back(), protocol::sensor_request(0, protocol::cmd_poll_full)) << "asked no more";

    // Another sensor put at the address before any point gets a session of its own.
    line.replies.push_back(framed({0x3E, 0x00, 0xFC, 0x08, 0x00, 0x00, 0x00}));
    hand_ticks::tick(w);
    EXPECT_TRUE(t->session_path().endsWith(" датчик 8.json"));
}

TEST_F(Taring, APointThatCannotBeSavedIsNotTaken) {
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    w.taring_folder = dir.filePath("file/Тарировки");  // under a file: no folder can be made
    TaringWindow* t = open();
    t->poured->setText("0");
    t->take_point_Click();
    steady_at(t, 100);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.messages.back().text.startsWith(QStringLiteral("Сессию тарировки не удалось сохранить.")));
    EXPECT_TRUE(t->session().points.empty());
    EXPECT_EQ(t->point_list->rowCount(), 0);
    EXPECT_TRUE(t->take_point->isEnabled()) << "the point can be taken again";
}

TEST_F(Taring, APortionWhoseSessionCannotBeSavedIsTakenAgainWithoutPouring) {
    // The file held mid-session (a folder stands in its place here): the portion poured
    // stays in the field, to be taken again once the file can be written.
    TaringWindow* again = open();
    pour(again, "0", 100);
    const QString path = again->session_path();
    ASSERT_TRUE(QFile::remove(path) && QDir().mkdir(path));
    pour(again, "40", 500);
    EXPECT_EQ(again->session().points.size(), 1u);
    EXPECT_TRUE(again->status_line->text().contains(QStringLiteral("не доливая")));
    ASSERT_TRUE(QDir().rmdir(path));
    again->take_point_Click();
    steady_at(again, 500);
    ASSERT_EQ(on_disk(path).points.size(), 2u);
    EXPECT_EQ(on_disk(path).points.back().litres, 40);
}

TEST_F(Taring, AResumedSessionTakesNoPointFromTheLitresTypedForANewTank) {
    w.CmbNet->setCurrentIndex(0);  // sensor 0 never tells its serial number
    hand_ticks::tick(w);
    TaringWindow* t = open();
    auto at_zero = [&](std::uint16_t level) {
        for (int tick = 0; tick < 5 && t->waiting(); ++tick) {
            line.replies.push_back(full_poll_reply(0x00, 0x19, level));
            hand_ticks::tick(w);
            now += 0.5;
        }
    };
    t->poured->setText("0");
    t->take_point_Click();
    at_zero(100);
    t->poured->setText("50");
    t->take_point_Click();
    at_zero(300);
    ASSERT_EQ(t->session().points.size(), 2u);
    dialogs.answers = {Dialogs::Answer::Yes};
    t->close();

    t = open();  // the session is found only when the first press settles it
    t->poured->setText("0");
    dialogs.answers = {Dialogs::Answer::Yes};
    t->take_point_Click();
    EXPECT_TRUE(dialogs.messages.back().text.startsWith(QStringLiteral("Есть незаконченная тарировка")));
    EXPECT_FALSE(t->waiting()) << "the 0 typed for a new tank is not the next pour";
    EXPECT_EQ(t->session().points.size(), 2u);
    EXPECT_TRUE(t->poured->text().isEmpty());
}

TEST_F(Taring, AnotherSerialNumberMidSessionFeedsNoPointIntoIt) {
    TaringWindow* t = open();
    pour(t, "0", 100);
    const QString first = t->session_path();
    t->poured->setText("50");
    t->take_point_Click();
    ASSERT_TRUE(t->waiting());

    // The press has the sensor asked who it is between polls: another one was put there.
    const Bytes who = protocol::sensor_request(0x01, protocol::cmd_read_sn);
    for (int tick = 0; tick < 3 && std::find(line.written.begin(), line.written.end(), who) == line.written.end(); ++tick)
        hand_ticks::tick(w);
    ASSERT_NE(std::find(line.written.begin(), line.written.end(), who), line.written.end());
    dialogs.answers = {Dialogs::Answer::No};
    hand_ticks::tick_reading(w, line, framed({0x3E, 0x01, 0xFC, 0xE7, 0x03, 0x00, 0x00, 151, 0x00}));  // serial 999
    EXPECT_FALSE(t->waiting()) << "its levels are not this tank's";
    EXPECT_TRUE(dialogs.messages.back().text.contains(QStringLiteral("серийный № 999, а сессия начата с № 151013")));
    EXPECT_TRUE(t->status_line->text().contains(QStringLiteral("не записываются")));
    t->take_point_Click();  // refused again, with the same offer: this time taken
    EXPECT_FALSE(t->waiting());
    EXPECT_TRUE(t->session_path().endsWith(QStringLiteral(" датчик 999.json")));
    EXPECT_TRUE(t->session().points.empty());
    EXPECT_EQ(on_disk(first).points.size(), 1u) << "the old session stays as it was";
    EXPECT_EQ(on_disk(first).serial, 151013u);
    pour(t, "0", 200);
    EXPECT_EQ(on_disk(t->session_path()).serial, 999u);
}
