// The sensor monitor through the window: fed by the window's own poll ticks on a scripted
// line, recording the polls as poll's CSV, and saving the connection's traffic.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "console/frm_serial.h"
#include "exchange/poll_csv.h"
#include "protocol/byte_text.h"
#include "protocol/commands.h"
#include "protocol/requests.h"
#include "support/framed.h"
#include "support/hand_ticks.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

using protocol::Bytes;

namespace {

const protocol::Bytes& identity = sensor1_identity;
const Bytes poll_request = protocol::sensor_request(1, protocol::cmd_poll_full);

QStringList lines_of(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF")) return {QStringLiteral("no byte-order mark")};
    QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    if (lines.back().isEmpty()) lines.removeLast();
    return lines;
}

class Monitor : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    HandTicks hand{w};
    QTemporaryDir dir;
    double now = 1000;

    void SetUp() override {
        w.monitor_clock = [this] { return now; };
        hand_ticks::press_connect(w);
        w.CmbNet->setCurrentIndex(1);  // sensor 1: the next tick asks for its identity
        line.replies.push_back(identity);
        hand_ticks::tick(w);
    }
    SensorMonitor* open() {
        w.monitor_action->trigger();
        return w.sensor_monitor();
    }
    void poll(std::uint16_t level) {
        line.replies.push_back(full_poll_reply(0x01, 0x19, level));
        hand_ticks::tick(w);
        now += 0.5;
    }
};

}  // namespace

TEST_F(Monitor, ChartsThePolledSensorFromTheFramesCtrlMAndAddsNoTraffic) {
    EXPECT_EQ(w.monitor_action->text(), QStringLiteral("Монитор датчика…"));
    EXPECT_EQ(w.monitor_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_TRUE(w.Frame5->actions().contains(w.monitor_action));
    EXPECT_TRUE(w.actions().contains(w.monitor_action)) << "Ctrl+M on either page";
    SensorMonitor* m = open();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->windowTitle(), QStringLiteral("Монитор датчика"));
    EXPECT_FALSE(m->isModal());
    EXPECT_EQ(m->sensor_line->text(), QStringLiteral("Датчик 1, серийный № 151013, версия 1.5.1."));
    EXPECT_FALSE(w.state.block_zapros) << "the poll stays as the operator left it";

    w.block_Click();
    const std::size_t before = line.written.size();
    for (std::uint16_t level : {100, 110, 120}) poll(level);
    // A standard request's answer counts as well.
    w.std_zap->setChecked(true);
    line.replies.push_back(framed({0x3E, 0x01, 0x06, 0x19, 130, 0x00}));
    hand_ticks::tick(w);
    ASSERT_EQ(line.written.size(), before + 4);
    for (std::size_t i = before; i < before + 3; ++i) EXPECT_EQ(line.written[i], poll_request) << "nothing but the poll";

    const monitor::Stats s = m->shown_stats();
    EXPECT_EQ(s.count, 4u);
    EXPECT_EQ(s.min, 100);
    EXPECT_EQ(s.max, 130);
    EXPECT_EQ(s.mean, 115);
    EXPECT_EQ(m->figures_line->text(),
              QStringLiteral("За 5 мин (опросов 4): мин 100, макс 130, среднее 115, разброс 30, СКО 11,2"));
    EXPECT_EQ(m->level_line->text(), QStringLiteral("Уровень 130    Температура 25 °C"));
    m->span_buttons[3]->click();
    EXPECT_TRUE(m->figures_line->text().startsWith(QStringLiteral("За всё время (опросов 4)")));
    for (int i : {0, 1, 2}) EXPECT_FALSE(m->span_buttons[i]->isChecked()) << i;
    m->span_buttons[1]->toggle();  // as the accessibility bus checks a button
    EXPECT_TRUE(m->figures_line->text().startsWith(QStringLiteral("За 5 мин"))) << m->figures_line->text().toStdString();
    EXPECT_FALSE(m->span_buttons[3]->isChecked());
    m->span_buttons[3]->click();

    // Paused, the span stays where it was while polls go on into the series.
    m->pause_Click();
    const auto frozen = m->shown();
    w.std_zap->setChecked(false);
    now += 100;
    poll(140);
    EXPECT_EQ(m->shown(), frozen);
    EXPECT_EQ(m->shown_stats().count, 4u);
    EXPECT_EQ(m->series().stats(0, now).count, 5u);
    m->pause_Click();
    EXPECT_EQ(m->shown_stats().count, 5u);

    // Another sensor polled: a chart of its own.
    w.CmbNet->setCurrentIndex(0);
    hand_ticks::tick(w);
    EXPECT_EQ(m->watched(), 0);
    EXPECT_TRUE(m->series().empty());
    EXPECT_EQ(m->sensor_line->text(), QStringLiteral("Датчик 0, серийный № не прочитан"));
    line.replies.push_back(framed({0x3E, 0x00, 0xFC, 0x07, 0x00, 0x00, 0x00}));  // the tick asked for it
    hand_ticks::tick(w);
    EXPECT_EQ(m->sensor_line->text(), QStringLiteral("Датчик 0, серийный № 7"));
}

TEST_F(Monitor, SaysWhyNoPollsCome) {
    SensorMonitor* m = open();
    const auto said = [&] { return m->level_line->text(); };
    EXPECT_EQ(said(), QStringLiteral("Нет опросов датчика: включите опрос («Блокировка») в главном окне."));
    w.block_Click();
    hand_ticks::tick(w);  // polled, unanswered: too soon to say so
    EXPECT_EQ(said(), QStringLiteral("Датчик 1: ждём ответа на опрос…"));
    now += 6;
    m->span_Click(1);  // as the scrolling does every second
    EXPECT_EQ(said(), QStringLiteral("Датчик 1 не отвечает на опрос: проверьте его подключение к линии."));
    w.CmbNet->setCurrentIndex(-1);
    hand_ticks::tick(w);
    EXPECT_EQ(said(), QStringLiteral("Нет опросов датчика: в главном окне не выбран «Сет. номер»."));
    w.BTNCloseCom_Click();
    EXPECT_EQ(said(), QStringLiteral("Нет опросов датчика: линия не подключена («Подключить» в главном окне)."));
}

TEST_F(Monitor, RecordsEveryPollAsPollsCsvLineAndRefusesAFileItCannotWrite) {
    SensorMonitor* m = open();
    w.block_Click();
    const QString path = dir.filePath("уровень.csv");
    dialogs.files = {path};
    m->record_Click();
    ASSERT_TRUE(m->recording());
    EXPECT_EQ(dialogs.file_dialogs.back().filters, QStringLiteral("Таблица CSV (*.csv)"));
    EXPECT_EQ(m->record->text(), QStringLiteral("Остановить запись"));
    const QDateTime started = QDateTime::currentDateTime().addMSecs(-1);
    poll(4660);
    EXPECT_EQ(lines_of(path).size(), 2) << "on disk as soon as it came";
    // Closed, the monitor only hides: the record and the chart go on.
    m->close();
    EXPECT_EQ(w.MsgCom->text(),
              QStringLiteral("Запись опросов в файл уровень.csv продолжается; остановить её можно в мониторе (Ctrl+M)."));
    poll(4661);
    EXPECT_EQ(open(), m);
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(m->series().stats(0, now).count, 2u);
    m->record_Click();
    EXPECT_FALSE(m->recording());
    EXPECT_EQ(m->record->text(), QStringLiteral("Записывать в файл…"));
    poll(4662);

    const QStringList lines = lines_of(path);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toStdString(), exchange::poll_csv_header);
    const QString time = lines[1].section(u',', 0, 0);
    const QDateTime at = QDateTime::fromString(time, Qt::ISODateWithMs);
    EXPECT_TRUE(at.isValid()) << time.toStdString();
    EXPECT_TRUE(at >= started && at <= QDateTime::currentDateTime()) << time.toStdString();
    EXPECT_EQ(lines[1].section(u',', 1), QStringLiteral("1,25,4660,2147483649,1000,3000,7,"));
    EXPECT_TRUE(dialogs.messages.empty());

    // A folder that is not there: said at once, and nothing else changes.
    dialogs.files = {dir.filePath("нет такой папки/уровень.csv")};
    m->record_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Запись не начата.")));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_FALSE(m->recording());
    EXPECT_EQ(m->record->text(), QStringLiteral("Записывать в файл…"));
    EXPECT_EQ(lines_of(path).size(), 3);

    // A record is of one sensor: another polled ends it, said in the main window too.
    dialogs.files = {dir.filePath("второй.csv")};
    m->record_Click();
    ASSERT_TRUE(m->recording());
    w.CmbNet->setCurrentIndex(0);
    hand_ticks::tick(w);
    EXPECT_FALSE(m->recording());
    EXPECT_EQ(w.MsgCom->text(),
              QStringLiteral("Запись в файл второй.csv остановлена: опрос перешёл на другой датчик (строк 0)."));
}

TEST_F(Monitor, SavesTheFramesOfTheConnectionAndANewConnectionStartsANewLog) {
    SensorMonitor* m = open();
    w.block_Click();
    poll(4660);
    const QString path = dir.filePath("обмен.txt");
    dialogs.files = {path};
    m->save_traffic_Click();

    // Line for line as trelvik-cli --trace writes it: no mark, "\n" ends.
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.startsWith("20") && !bytes.contains('\r'));
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    lines.removeLast();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\S+ port COM1 opened$)")).match(lines[0]).hasMatch())
        << lines[0].toStdString();
    const QRegularExpression frame(QStringLiteral(R"(^(\S+) (->|<-) ([0-9A-F ]+)$)"));
    const auto hex = [](const Bytes& bytes) { return QString::fromStdString(protocol::hex_line(bytes)).trimmed(); };
    const QStringList expected{"<- " + hex(identity), "-> " + hex(protocol::sensor_request(1, protocol::cmd_read_sn)),
                               "<- " + hex(full_poll_reply(0x01, 0x19, 4660)), "-> " + hex(poll_request)};
    for (int i = 0; i < expected.size(); ++i) {
        const auto match = frame.match(lines[i + 1]);
        ASSERT_TRUE(match.hasMatch()) << lines[i + 1].toStdString();
        EXPECT_TRUE(QDateTime::fromString(match.captured(1), Qt::ISODateWithMs).isValid());
        EXPECT_EQ(match.captured(2) + u' ' + match.captured(3), expected[i]);
    }

    // A frame that did not go out is not in the log; what was read before it is.
    const std::size_t frames = w.traffic().frames();
    line.failing_writes = 1;
    line.replies.push_back(full_poll_reply(0x01, 0x19, 4661));
    hand_ticks::tick(w);
    ASSERT_EQ(w.traffic().frames(), frames + 1);
    EXPECT_TRUE(w.traffic().text().ends_with(hex(full_poll_reply(0x01, 0x19, 4661)).toStdString() + "\r\n"));

    w.BTNCloseCom_Click();
    hand_ticks::press_connect(w);
    EXPECT_EQ(w.traffic().frames(), 0u);
    EXPECT_EQ(w.traffic().line(), "COM1");
}
