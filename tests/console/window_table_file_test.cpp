// The grid kept in a file and loaded back through the window, the file dialogs scripted.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "calibration/table_csv.h"
#include "console/frm_serial.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_line.h"

namespace {

class TableFiles : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    ScriptedLine line;
    frmSerial w{dialogs, line};
    QTemporaryDir dir;

    QStringList grid() const {
        QStringList texts{w.Text43->text(), w.D_otkl->isChecked() ? "off" : "on"};
        for (int k = 0; k < frmSerial::points; ++k) texts << w.Text44[k]->text() << w.Text45[k]->text();
        return texts;
    }
    QByteArray contents(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QString& name, const std::string& text) const {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qsizetype>(text.size()));
    }
};

}  // namespace

TEST_F(TableFiles, SaveKeepsTheGridAsItWouldBeSentAndLoadPutsItBackWithoutSending) {
    EXPECT_EQ(w.Frame8->contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(w.Frame8->actions().mid(0, 2), (QList<QAction*>{w.save_table_action, w.load_table_action}));
    EXPECT_EQ(w.save_table_action->text(), QStringLiteral("Сохранить таблицу в файл…"));
    EXPECT_EQ(w.load_table_action->text(), QStringLiteral("Загрузить таблицу из файла…"));
    EXPECT_EQ(w.save_table_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(w.load_table_action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    w.Cmb_Datchik->setCurrentIndex(2);
    w.zapForm_Click();
    w.Text43->setText(QStringLiteral(" 7 "));
    w.D_otkl->setChecked(true);
    w.Text44[0]->setText(QStringLiteral("2.5"));  // goes to the even neighbour, as on the wire
    w.state.wrs.clear();
    dialogs.files.push_back(dir.filePath("Sensor 3.csv"));
    w.save_table_action->trigger();
    ASSERT_EQ(dialogs.file_dialogs.size(), 1u);
    EXPECT_TRUE(dialogs.file_dialogs[0].proposed.endsWith("/Sensor 3.csv"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(w.MsgCom->text(), QStringLiteral("Таблица сохранена в файл Sensor 3.csv."));
    const QByteArray saved = contents("Sensor 3.csv");
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBFСет. номер;7\r\nОтключен;да\r\nСтрока;Значения датчика;Литры\r\n1;2;103\r\n2;206;206\r\n"));

    // The same table from a JSON file written elsewhere, and back from the CSV file.
    w.save_table_action->trigger();  // cancelled: nothing happens
    dialogs.files.push_back(dir.filePath("copy.json"));
    w.save_table();
    const QStringList before = grid();
    w.Cmb_Datchik->setCurrentIndex(5);
    w.zapForm_Click();
    w.Text43->setText(QStringLiteral("13"));
    w.D_otkl->setChecked(false);
    // The typed pattern, then the first file's table, are unsent: each load asks first.
    dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::Yes};
    for (const char* name : {"copy.json", "Sensor 3.csv"}) {
        SCOPED_TRACE(name);
        dialogs.files.push_back(dir.filePath(name));
        w.load_table_action->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.endsWith(QStringLiteral("Загрузить ") + name + " и потерять её?"));
        dialogs.messages.clear();
        EXPECT_EQ(w.MsgCom->text(), QStringLiteral("Таблица загружена из файла ") + name + ".");
        QStringList expected = before;
        expected[0] = "7";
        expected[2] = "2";
        EXPECT_EQ(grid(), expected);
    }
    EXPECT_EQ(dialogs.file_dialogs.back().proposed, dir.path());  // the folder of the last file
    EXPECT_EQ(w.Cmb_Datchik->currentIndex(), 5);
    EXPECT_TRUE(w.state.wrs.empty());
    EXPECT_TRUE(line.written.empty());
}

TEST_F(TableFiles, NothingIsWrittenOrTakenWhenSomethingIsWrong) {
    // A box that cannot be sent: no file is asked for, none is written.
    w.Text45[16]->setText(QStringLiteral("70000"));
    w.save_table();
    EXPECT_TRUE(dialogs.file_dialogs.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Таблица не сохранена. Литры, строка 17: введите число в диапазоне 0....65535"));
    w.Text45[16]->setText(QStringLiteral("500"));

    // A file the system will not write: its reason is shown.
    dialogs.files.push_back(dir.filePath("gone/Sensor 1.csv"));
    w.save_table();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(QStringLiteral("Таблица не сохранена. Sensor 1.csv: ")));
    EXPECT_EQ(dialogs.messages[1].icon, Dialogs::Icon::Exclamation);
    EXPECT_FALSE(QFile::exists(dir.filePath("gone/Sensor 1.csv")));

    // A file that cannot be used leaves the grid, the slot's number and its switch as they were.
    calibration::CalibrationTable table;
    std::string broken = calibration::write_table_csv(table, calibration::CsvLabels::russian);
    broken.replace(broken.find("17;0;0"), 6, "17;0;70000");
    put("broken.csv", broken);
    w.MsgCom->setText(QStringLiteral("as before"));
    const QStringList before = grid();
    dialogs.files.push_back(dir.filePath("broken.csv"));
    w.load_table();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text,
              QStringLiteral("Таблица не загружена. broken.csv, строка файла 20 (строка таблицы 17): литры 70000 вне "
                             "диапазона 0....65535"));
    EXPECT_EQ(grid(), before);
    EXPECT_EQ(w.MsgCom->text(), QStringLiteral("as before"));

    // A unit's sensor value above 32767 loads, but "Установить таблицу" keeps its own check.
    table.values[0] = 40000;
    put("unit.csv", calibration::write_table_csv(table, calibration::CsvLabels::russian));
    dialogs.files.push_back(dir.filePath("unit.csv"));
    w.load_table();
    EXPECT_EQ(w.Text44[0]->text(), QStringLiteral("40000"));
    w.state.wrs.clear();
    w.write_struct_Click();
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages[3].text,
              QStringLiteral("Таблица не записана. Значения датчика, строка 1: введите число в диапазоне 0....32767"));
    EXPECT_TRUE(w.state.wrs.empty());
}
