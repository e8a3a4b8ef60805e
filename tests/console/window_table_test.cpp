// The calibration grid's safeguards through the window, on a scripted line: a confirmed
// write read back and compared, a table out of order asked about, unsent work asked
// about before a read replaces it; and the sensor's figures greyed while not current.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "calibration/table_csv.h"
#include "calibration/table_file.h"
#include "calibration/table_frame.h"
#include "console/frm_serial.h"
#include "protocol/commands.h"
#include "support/framed.h"
#include "support/hand_ticks.h"
#include "support/rising_table.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

using protocol::Bytes;

namespace {

const Bytes confirmation = framed({0x31, 0xDE, protocol::cmd_table_written});
const Bytes read_slot_1 = calibration::build_read_table(0);


// The operator typing `text` over a box's contents.
void type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &key);
    ASSERT_EQ(box->text(), text);
}

struct Console {
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    void connect_line() {
        hand_ticks::press_connect(w);
        ASSERT_TRUE(w.connected());
    }
    // One tick that reads `reply` (nothing when empty) and returns what it wrote.
    Bytes tick(Bytes reply = {}) { return hand_ticks::tick_reading(w, line, std::move(reply)); }
    // Connected, and slot 1 read from the unit as `rising_table(10)`.
    void read_unit_table() {
        connect_line();
        ASSERT_EQ(tick(), read_slot_1);
        tick(calibration::build_table_reply(rising_table(10), 0x05));
        ASSERT_EQ(w.Text45[39]->text(), "400");
        ASSERT_FALSE(w.grid_unsent());
    }
};

class TableWindow : public ::testing::Test, protected Console {};

}  // namespace

TEST(WindowReadBack, AConfirmedWriteIsReadBackAndComparedWithWhatWasSent) {
    const struct {
        const char* what;
        std::uint16_t row_40_litres;  // as the unit stores them
        const char* status;
    } cases[] = {
        {"stored as sent", 400, "Sensor 1. Таблица проверена: в блоке то же, что отправлено."},
        {"one cell off", 401, "Sensor 1. В блоке другое: строка 40: литры 400 → 401."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Console b;
        ASSERT_NO_FATAL_FAILURE(b.read_unit_table());
        ASSERT_NO_FATAL_FAILURE(type(b.w.Text45[0], "11"));
        ASSERT_TRUE(b.w.grid_unsent());
        auto sent = rising_table(10);
        sent.litres[0] = 11;

        b.w.write_struct_Click();
        EXPECT_TRUE(b.dialogs.messages.empty());
        EXPECT_EQ(b.tick(), calibration::build_write_table(0, sent));
        b.tick(confirmation);
        EXPECT_EQ(b.w.MsgCom->text(), "Sensor 1. CТаблица записана верно.") << "the unit's own line first";
        EXPECT_FALSE(b.w.grid_unsent());
        EXPECT_EQ(b.tick(), read_slot_1);
        EXPECT_EQ(b.w.MsgCom->text(), "Sensor 1. CТаблица записана верно.");

        auto held = sent;
        held.litres[39] = c.row_40_litres;
        b.tick(calibration::build_table_reply(held, 0x05));
        EXPECT_EQ(b.w.MsgCom->text(), c.status);
        EXPECT_EQ(b.w.Text45[39]->text(), QString::number(c.row_40_litres)) << "the grid shows what the unit holds";
        EXPECT_FALSE(b.w.grid_unsent());
        EXPECT_EQ(b.tick(), Bytes{}) << "read back once";
    }
}

// The operator picks another slot while the write is on its way: the written slot is still
// read back and judged, on the status line; the grid keeps the slot the list names.
TEST_F(TableWindow, AnotherSlotPickedAfterAWriteDoesNotSkipItsReadBack) {
    ASSERT_NO_FATAL_FAILURE(read_unit_table());
    w.write_struct_Click();
    ASSERT_EQ(tick(), calibration::build_write_table(0, rising_table(10)));
    EXPECT_EQ(tick(confirmation), Bytes{});
    w.Cmb_Datchik->setCurrentIndex(2);
    w.Cmb_Datchik_Click();
    EXPECT_EQ(tick(), calibration::build_read_table(2));
    // The read-back waits for the answer to his read, late here by a tick.
    EXPECT_EQ(tick(), Bytes{});
    EXPECT_EQ(tick(calibration::build_table_reply(rising_table(30), 0x05)), Bytes{});
    EXPECT_EQ(w.Text45[39]->text(), "1200") << "slot 3 as read";
    EXPECT_EQ(tick(), read_slot_1);

    auto held = rising_table(10);
    held.litres[39] = 401;
    tick(calibration::build_table_reply(held, 0x05));
    EXPECT_EQ(w.MsgCom->text(), "Sensor 1. В блоке другое: строка 40: литры 400 → 401.");
    EXPECT_EQ(w.Text45[39]->text(), "1200") << "the grid still shows Sensor 3";
}

TEST_F(TableWindow, AReadBackOwedWhenTheLineClosesIsNotTakenOnTheNextConnection) {
    ASSERT_NO_FATAL_FAILURE(read_unit_table());
    w.write_struct_Click();
    tick();
    tick(confirmation);
    w.BTNCloseCom_Click();  // before the read-back went out
    ASSERT_NO_FATAL_FAILURE(connect_line());
    // Perhaps another unit, hours later: no read of the old write's slot, judged against it.
    EXPECT_NE(tick(), read_slot_1) << "nothing owed from the last connection";
}

TEST_F(TableWindow, ATableOutOfOrderIsAskedAboutBeforeItGoesOut) {
    // The design values: a tail of 100s below 1000 and litres going round.
    w.state.wrs.clear();
    w.write_struct_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Значения датчика не растут: строки 10–11 (1000 → 100), 11–12 (100 → 100), 12–13 (100 → 100) и ещё 27. "
              "Литры убывают: строки 10–11 (1250 → 500), 11–12 (500 → 375), 12–13 (375 → 250) и ещё 20. "
              "Записать всё равно?");
    EXPECT_EQ(dialogs.messages[0].buttons, Dialogs::Buttons::YesNoDefaultNo);
    EXPECT_TRUE(w.state.wrs.empty()) << "the default sends nothing";

    const auto t = rising_table(10);
    for (int k = 0; k < frmSerial::points; ++k) {
        w.Text44[k]->setText(QString::number(t.values[k]));
        w.Text45[k]->setText(QString::number(t.litres[k]));
    }
    w.Text45[14]->setText("140");
    w.Text45[15]->setText("147");
    w.Text45[16]->setText("16");
    w.Text45[17]->setText("173");
    dialogs.answers = {Dialogs::Answer::Yes};
    w.write_struct_Click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, "Литры убывают: строки 16–17 (147 → 16). Записать всё равно?");
    EXPECT_EQ(w.state.wrs.size(), calibration::table_frame_length);

    // Loading such a table says the same on the status line, and asks nothing.
    QTemporaryDir dir;
    auto loaded = t;
    loaded.litres[16] = 16;
    QFile file(dir.filePath("t.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(calibration::write_table_csv(loaded, calibration::CsvLabels::russian)));
    file.close();
    dialogs.files.push_back(file.fileName());
    w.load_table();
    EXPECT_EQ(w.MsgCom->text(), "Таблица загружена из файла t.csv. Литры убывают: строки 16–17 (160 → 16).");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(w.grid_unsent());
}

TEST_F(TableWindow, UnsentWorkIsAskedAboutBeforeAReadReplacesItAndKeptByDefault) {
    ASSERT_NO_FATAL_FAILURE(read_unit_table());
    ASSERT_NO_FATAL_FAILURE(type(w.Text44[0], "50"));

    w.Cmb_Datchik->setCurrentIndex(2);
    emit w.Cmb_Datchik->activated(2);  // the operator picks "Sensor 3"
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Таблица для Sensor 1 не записана в блок (изменена вручную). Прочитать Sensor 3 и потерять её?");
    EXPECT_EQ(dialogs.messages[0].buttons, Dialogs::Buttons::YesNoDefaultNo);
    EXPECT_EQ(w.Cmb_Datchik->currentText(), "Sensor 1") << "kept: the list names the grid's slot";
    EXPECT_TRUE(w.state.wrs.empty());
    EXPECT_EQ(w.Text44[0]->text(), "50");

    // Nor does a table file's.
    QTemporaryDir dir;
    const QString file = dir.filePath("t.csv");
    ASSERT_FALSE(calibration::write_table_file(file, rising_table(20)));
    dialogs.files.push_back(file);
    w.load_table();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              "Таблица для Sensor 1 не записана в блок (изменена вручную). Загрузить t.csv и потерять её?");
    EXPECT_EQ(w.Text44[0]->text(), "50");
    dialogs.messages.pop_back();

    // Nor does closing the program.
    w.show();
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              "Таблица для Sensor 1 не записана в блок (изменена вручную). Закрыть программу и потерять её?");
    EXPECT_TRUE(w.isVisible());
    dialogs.messages.pop_back();

    // A read asked for before the work came in does not overwrite it either.
    w.state.wrs = read_slot_1;
    EXPECT_EQ(tick(), read_slot_1);
    ASSERT_NO_FATAL_FAILURE(type(w.Text44[1], "150"));
    tick(calibration::build_table_reply(rising_table(10), 0x05));
    EXPECT_EQ(w.Text44[1]->text(), "150");
    EXPECT_EQ(w.MsgCom->text(), "Sensor 1. Прочитанная таблица не показана: в окне незаписанная.");

    dialogs.answers = {Dialogs::Answer::Yes};
    w.rd_table_Click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(w.state.wrs, read_slot_1);
    EXPECT_FALSE(w.grid_unsent());
    tick();
    tick(calibration::build_table_reply(rising_table(10), 0x05));
    EXPECT_EQ(w.Text44[0]->text(), "100") << "a read fills the grid clean";
    w.rd_table_Click();
    EXPECT_EQ(dialogs.messages.size(), 2u) << "nothing to lose, nothing asked";
}

TEST_F(TableWindow, TheSensorsFiguresAreGreyWhileNotCurrent) {
    const auto current = [&] {
        bool all = true, none = true;
        for (QLabel* figure : {w.uroven, w.temp, w.tek, w.lo, w.hi, w.ne}) {
            all = all && figure->isEnabled();
            none = none && !figure->isEnabled();
        }
        EXPECT_TRUE(all || none) << "the figures go together";
        EXPECT_EQ(w.ko->isEnabled(), all);
        return all;
    };
    connect_line();
    w.CmbNet->setCurrentIndex(1);
    w.block_Click();
    tick();  // the serial number of sensor 1
    tick();  // a full poll goes out
    EXPECT_FALSE(current()) << "nothing read since connecting";
    tick(full_poll_reply(0x01, 0x15, 3619));
    EXPECT_TRUE(current());

    tick(full_poll_reply(0x05, 0x15, 1200));  // another sensor's answer
    EXPECT_FALSE(current());
    tick(full_poll_reply(0x01, 0x15, 3619));
    ASSERT_TRUE(current());

    w.CmbNet->setCurrentIndex(0);
    EXPECT_FALSE(current()) << "at once, before any tick";
    EXPECT_EQ(w.uroven->text(), "3619") << "kept, greyed";
    tick(full_poll_reply(0x01, 0x15, 3619));  // the answer to the old address's poll
    EXPECT_FALSE(current());
    tick(full_poll_reply(0x00, 0x15, 10));
    EXPECT_TRUE(current());

    for (int silent = 0; silent < 3; ++silent) tick();
    EXPECT_TRUE(current()) << "an answer or three missed is no silence yet";
    tick();
    EXPECT_FALSE(current()) << "a sensor gone quiet";
    tick(full_poll_reply(0x00, 0x15, 10));
    ASSERT_TRUE(current());

    w.block_Click();  // polling stops
    EXPECT_FALSE(current());
    w.block_Click();
    tick(full_poll_reply(0x00, 0x15, 10));
    ASSERT_TRUE(current());
    w.BTNCloseCom_Click();
    EXPECT_FALSE(current());
    connect_line();
    EXPECT_FALSE(current()) << "figures of the last line are not this one's";
}
