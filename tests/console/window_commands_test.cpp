// The operator commands driven through the window on a scripted line: what each leaves
// in `wrs`, which boxes it raises for bad input, and what the tick then sends.

#include <gtest/gtest.h>

#include "console/frm_serial.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

using protocol::Bytes;

namespace {

const Bytes Q{0x31, 0xFB, 0x32, 0x06, 0x00, 0x97};
const Bytes pending{0x31, 0x01, 0xFA, 0xBB};  // a frame some earlier click left behind

class Commands : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};

    void SetUp() override { select_net(QStringLiteral("5")); }

    void select_net(const QString& text) {
        if (w.CmbNet->findText(text) < 0) w.CmbNet->addItem(text);
        w.CmbNet->setCurrentIndex(w.CmbNet->findText(text));
    }
    void select_no_net() { w.CmbNet->setEditText(QStringLiteral("9")); }  // typed, matches no entry
    QStringList shown() const {
        QStringList texts;
        for (const auto& m : dialogs.messages) texts << m.text;
        return texts;
    }
    Bytes tick() { return hand_ticks::tick_reading(w, line); }
};

// One typed answer to a command that asks for a number, and what must follow.
struct Answer {
    QString typed;
    QString message;        // empty: no box
    bool address = true;    // an entry of CmbNet is selected
    Bytes wrs;              // afterwards
};

void run_answers(void (frmSerial::*click)(), const std::vector<Answer>& rows) {
    for (const Answer& row : rows) {
        ScriptedDialogs dialogs;
        ScriptedLine line;
        frmSerial w{dialogs, line};
        HandTicks hand{w};
        w.CmbNet->addItem(QStringLiteral("5"));
        w.CmbNet->setCurrentIndex(row.address ? 2 : -1);
        if (!row.address) w.CmbNet->setEditText(QStringLiteral("9"));
        w.state.wrs = pending;
        dialogs.inputs.push_back(row.typed);
        (w.*click)();
        SCOPED_TRACE(row.typed.toStdString());
        ASSERT_EQ(dialogs.messages.size(), row.message.isEmpty() ? 0u : 1u);
        if (!row.message.isEmpty()) { EXPECT_EQ(dialogs.messages[0].text, row.message); }
        EXPECT_EQ(w.state.wrs, row.wrs);
    }
}

Bytes then(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

TEST_F(Commands, NetworkNumberAppendsAndRefusesWhatItCannotSend) {
    const QString range = QStringLiteral("Введите число в диапазоне 0....200");
    const QString address = QStringLiteral("Установите существующий сетевой адрес");
    const Bytes to200{0x31, 0x05, 0xFB, 0xC8, 0x40};
    run_answers(&frmSerial::net_Click, {
        {"200", {}, true, then(pending, to200)},
        {"0", {}, true, then(pending, {0x31, 0x05, 0xFB, 0x00, 0x48})},
        {"2.5", {}, true, then(pending, {0x31, 0x05, 0xFB, 0x02, 0xF4})},  // halves go to the even neighbour
        {"", {}, true, pending},
        {"201", range, true, pending},
        {"256", range, true, pending},
        {"-1", range, true, pending},
        {"x", range, true, pending},
        {"7", address, false, pending},
    });
    w.net_Click();
    EXPECT_EQ(dialogs.titles, QStringList{"Ввод сетевого номера"});
    EXPECT_EQ(dialogs.initials, QStringList{"0"});
}

TEST_F(Commands, SerialNumberStartsFromAnEmptyFrame) {
    const QString range = QStringLiteral("Введите число в диапазоне 0....2 000 000");
    run_answers(&frmSerial::InstSN_Click, {
        {"2000000", {}, true, {0x31, 0x05, 0xF6, 0x00, 0x1E, 0x84, 0x80, 0xDE}},
        {"", {}, true, {}},
        {"2000001", range, true, {}},
        {"-1", range, true, {}},
        {"1e3", range, true, {}},
        {"5", QStringLiteral("Установите существующий сетевой адрес"), false, {}},
    });
    // With no address the box shows the empty frame: two line breaks.
    select_no_net();
    dialogs.inputs.push_back(QStringLiteral("5"));
    w.InstSN_Click();
    EXPECT_EQ(w.txtRec->toPlainText(), "\n\n");
}

TEST_F(Commands, PasswordsReplaceThePendingFrame) {
    const QString range = QStringLiteral("Enter numeric password in range 0....2 000 000 000");
    run_answers(&frmSerial::pwdIn_Click, {
        {"2000000000", {}, true, {0x3E, 0xDE, 0xF8, 0x77, 0x35, 0x94, 0x00, 0x19}},
        {"0", {}, true, {0x3E, 0xDE, 0xF8, 0x00, 0x00, 0x00, 0x00, 0x24}},
        {"", {}, true, {}},
        {"2000000001", range, true, {}},
        {"-5", range, true, {}},
        {"12 345", range, true, {}},
        {"1", QStringLiteral("Enter correct password"), false, {}},
    });
    run_answers(&frmSerial::set_pwd_Click, {
        {"0", QStringLiteral("Changing password. Are you sure?"), true, {0x3E, 0xDE, 0xF7, 0x00, 0x00, 0x00, 0x00, 0x4B}},
    });

    w.pwdIn_Click();
    w.set_pwd_Click();
    EXPECT_EQ(dialogs.initials, (QStringList{"", "0"}));
    EXPECT_EQ(dialogs.titles, (QStringList{"Password", "Password"}));
    EXPECT_EQ(dialogs.prompts, (QStringList{"Enter password", "Enter new password"}));
    EXPECT_EQ(dialogs.messages.at(0).buttons, Dialogs::Buttons::YesNo);

    // "No" at the question: nothing sent, and the frame pending before is gone too.
    w.state.wrs = pending;
    dialogs.answers.push_back(Dialogs::Answer::No);
    w.set_pwd_Click();
    EXPECT_TRUE(w.state.wrs.empty());
    EXPECT_EQ(dialogs.prompts.size(), 2);

    select_no_net();
    dialogs.inputs.push_back(QStringLiteral("7"));
    w.set_pwd_Click();
    EXPECT_EQ(shown().back(), "Invalid password");
}

TEST_F(Commands, AppendingAndReplacingBuilders) {
    w.state.wrs.clear();
    w.low_Click();
    w.low_Click();
    EXPECT_EQ(w.state.wrs, then({0x31, 0x05, 0xFA, 0x80}, {0x31, 0x05, 0xFA, 0x80}));
    w.hig_Click();
    EXPECT_EQ(w.state.wrs.size(), 12u);

    w.R_a->setChecked(true);
    w.iinv->setChecked(true);
    w.usredn->setCheckState(Qt::PartiallyChecked);  // greyed counts as set
    select_net(QStringLiteral("3"));
    w.state.mode_yes = false;
    w.Set_mode_Click();
    EXPECT_EQ(Bytes(w.state.wrs.end() - 5, w.state.wrs.end()), (Bytes{0x31, 0x03, 0xF2, 0x0B, 0x0B}));
    EXPECT_EQ(w.state.wrs.size(), 17u);
    EXPECT_TRUE(w.state.mode_yes);

    w.Option1->setChecked(true);
    w.Check_vedom->setChecked(true);
    w.mode_ind_Click();
    EXPECT_EQ(w.state.wrs, (Bytes{0x3E, 0xDE, 0xF2, 0x05, 0x87}));
    w.Option2->setChecked(true);
    w.Check_vedom->setChecked(false);
    w.mode_ind_Click();
    EXPECT_EQ(w.state.wrs, (Bytes{0x3E, 0xDE, 0xF2, 0x00, 0xB8}));

    w.zzaapp_Click();
    w.zzaapp_Click();
    EXPECT_EQ(w.state.wrs, Q);

    // Without an address the sensor commands send nothing and say nothing.
    select_no_net();
    w.state.wrs.clear();
    w.low_Click();
    w.hig_Click();
    w.Set_mode_Click();
    EXPECT_TRUE(w.state.wrs.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Commands, ValueRequestAcceptsExactly0To9999) {
    for (const char* bad : {"10000", "-1", "a", ""}) {
        w.state.wrs = pending;
        w.chis1->setText(QString::fromLatin1(bad));
        w.send_zap_Click();
        EXPECT_EQ(w.state.wrs, pending) << bad;
    }
    EXPECT_EQ(shown(), QStringList(4, QStringLiteral("Enter value in range 0....9999")));

    w.chis1->setText(QStringLiteral("9999"));
    w.send_zap_Click();
    ASSERT_EQ(w.state.wrs.size(), 29u);
    EXPECT_EQ(Bytes(w.state.wrs.begin(), w.state.wrs.begin() + 6), Q);
    EXPECT_EQ(Bytes(w.state.wrs.end() - 6, w.state.wrs.end()), Q);
    EXPECT_EQ(w.state.wrs[22], 0xFA);
}

TEST_F(Commands, TableWriteFromTheGrid) {
    w.zapForm_Click();
    EXPECT_EQ(w.Text44[0]->text(), "103");
    EXPECT_EQ(w.Text45[39]->text(), "4120");
    w.Text43->setText(QStringLiteral("13"));
    w.write_struct_Click();
    ASSERT_EQ(w.state.wrs.size(), 167u);
    EXPECT_EQ(Bytes(w.state.wrs.begin(), w.state.wrs.begin() + 10),
              (Bytes{0x3E, 0xDE, 0xEF, 0x00, 0x0D, 0x01, 0x00, 0x67, 0x00, 0xCE}));
    EXPECT_EQ(Bytes(w.state.wrs.end() - 5, w.state.wrs.end()), (Bytes{0x0F, 0xB1, 0x10, 0x18, 0x72}));

    // Connected (a write built while disconnected is dropped at connecting: window_test.cpp),
    // the frame goes out at the next tick.
    select_net(QStringLiteral("0"));  // the address the tick starts from: no serial-number request
    hand_ticks::press_connect(w);
    w.Cmb_Datchik->setCurrentIndex(9);
    w.D_otkl->setChecked(true);
    w.write_struct_Click();
    EXPECT_EQ(w.state.wrs[3], 0x09);
    EXPECT_EQ(w.state.wrs[5], 0x00);
    const Bytes table = w.state.wrs;
    EXPECT_EQ(tick(), table);
}

TEST_F(Commands, ATableThatCannotBeEncodedIsNeverQueued) {
    w.zapForm_Click();
    w.Text43->setText(QStringLiteral("13"));
    const std::vector<std::pair<QLineEdit*, QString>> spoilt{
        {w.Text43, QStringLiteral("256")},   {w.Text44[4], QStringLiteral("32768")},
        {w.Text45[16], QStringLiteral("65536")}, {w.Text44[0], QString()},
        {w.Text45[0], QStringLiteral("сто")}, {w.Text44[1], QStringLiteral("-1")},
    };
    for (const auto& [box, text] : spoilt) {
        const QString good = box->text();
        box->setText(text);
        w.state.wrs = pending;
        dialogs.messages.clear();
        w.write_struct_Click();
        EXPECT_EQ(w.state.wrs, pending) << text.toStdString();
        EXPECT_EQ(dialogs.messages.size(), 1u);
        box->setText(good);
    }
    EXPECT_EQ(shown().back(), "Таблица не записана. Значения датчика, строка 2: введите число в диапазоне 0....32767");
}

TEST_F(Commands, IndicatorCheckOwnsEveryTickUntilStopped) {
    hand_ticks::press_connect(w);
    select_net(QStringLiteral("0"));  // no serial-number request: address 0 is where the tick starts
    w.block_Click();
    tick();  // the start-up table read

    w.prov_ind_Click();
    EXPECT_EQ(w.prov_ind->text(), "СТОП");
    w.state.wrs = pending;  // replaced, never sent
    EXPECT_EQ(tick(), (Bytes{0x3E, 0x01, 0x06, 0x00, 0x00, 0x00, 0x12, 0x18, 0xE8}));
    EXPECT_EQ(tick(), (Bytes{0x3E, 0x02, 0x06, 0x00, 0x0A, 0x00, 0x12, 0x18, 0xB4}));

    w.prov_ind_Click();
    EXPECT_EQ(w.prov_ind->text(), "Проверка");
    const Bytes poll = tick();
    ASSERT_EQ(poll.size(), 4u);
    EXPECT_EQ(poll[2], 0xF0);

    // A restart goes on from where the check stopped.
    w.fix_dig->setCheckState(Qt::PartiallyChecked);  // greyed does not hold the value
    w.prov_ind_Click();
    EXPECT_EQ(tick(), (Bytes{0x3E, 0x03, 0x06, 0x00, 0x14, 0x00, 0x12, 0x18, 0xA4}));
    w.fix_dig->setChecked(true);
    tick();
    const Bytes held = tick();
    EXPECT_EQ(Bytes(held.begin() + 1, held.begin() + 6), (Bytes{0x01, 0x06, 0x00, 0x84, 0x03}));
}

TEST_F(Commands, SearchQueuesItsFrameAndTakesTheNextListAsItsResult) {
    hand_ticks::press_connect(w);
    tick();  // the serial-number request of sensor 5
    w.state.wrs = pending;
    w.state.mode_yes = false;
    w.Opros_Click();
    EXPECT_EQ(w.state.wrs, (Bytes{0x31, 0xFF, 0xDC}));
    EXPECT_EQ(w.txtRec->toPlainText(), "31 FF DC \n\n1яЬ");
    EXPECT_TRUE(w.state.net_opr && w.state.mode_yes);
    EXPECT_EQ(tick(), (Bytes{0x31, 0xFF, 0xDC}));

    // The first sensor to answer sits at 49, so the list starts like a display reply.
    line.replies.push_back({0x31, 0x02, 0x05});
    tick();
    QStringList entries;
    for (int i = 0; i < w.CmbNet->count(); ++i) entries << w.CmbNet->itemText(i);
    EXPECT_EQ(entries, (QStringList{"49", "2", "5"}));
    EXPECT_EQ(w.CmbNet->currentText(), "49");
    EXPECT_EQ(w.netdev->text(), "49 2 5 ");
    EXPECT_EQ(w.MsgCom->text(), "Произошел опрос сети.");
    EXPECT_FALSE(w.state.net_opr);
    EXPECT_EQ(tick(), (Bytes{0x31, 0x31, 0xFC, 0x4B}));
}

TEST_F(Commands, TypedAddressSwapsWithTheList) {
    const int selected = w.CmbNet->currentIndex();
    w.std_zap->setChecked(true);
    EXPECT_TRUE(w.CmbNet->isHidden());
    EXPECT_FALSE(w.nn1->isHidden());
    EXPECT_EQ(w.nn1->text(), "1");
    w.std_zap->setChecked(false);
    EXPECT_FALSE(w.CmbNet->isHidden());
    EXPECT_TRUE(w.nn1->isHidden());
    EXPECT_EQ(w.CmbNet->currentIndex(), selected);
}
