// frmSerial's table files: the grid saved to a file and loaded back. The window keeps
// its design: the two commands live in the context menu of the frame "Таблица
// калибровки" (its labels and row numbers pass a right click on to it; the boxes keep
// their own edit menu) and on Ctrl+S and Ctrl+O, which act while the frame is shown.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "calibration/order_words.h"
#include "calibration/table_file.h"
#include "console/frm_serial.h"
#include "language/language.h"

namespace {

// Worded when asked for: the language is installed after the program starts.
QString save_title() { return QCoreApplication::translate("frmSerial", "Сохранить таблицу в файл"); }
QString load_title() { return QCoreApplication::translate("frmSerial", "Загрузить таблицу из файла"); }
QString save_filters() {
    return QCoreApplication::translate("frmSerial", "Таблица CSV (*.csv);;Таблица JSON (*.json)");
}
QString load_filters() { return QCoreApplication::translate("frmSerial", "Таблицы (*.csv *.json);;Все файлы (*)"); }

// Where the first file dialog of a run opens: on Windows the user's Documents, where
// its programs keep files, elsewhere the home folder.
QString first_table_folder() {
#ifdef _WIN32
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) return documents;
#endif
    return QDir::homePath();
}

}  // namespace

void frmSerial::wire_table_files() {
    table_folder_ = first_table_folder();
    save_table_action = new QAction(tr("Сохранить таблицу в файл…"), Frame8);
    load_table_action = new QAction(tr("Загрузить таблицу из файла…"), Frame8);
    save_table_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    load_table_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    for (QAction* action : {save_table_action, load_table_action}) {
        // A window shortcut of an action on the frame is live only while the frame is shown.
        action->setShortcutVisibleInContextMenu(true);
        Frame8->addAction(action);
    }
    Frame8->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(save_table_action, &QAction::triggered, this, &frmSerial::save_table);
    connect(load_table_action, &QAction::triggered, this, &frmSerial::load_table);
}

void frmSerial::save_table() {
    // The grid is checked before a file is asked for, as "Установить таблицу" checks it.
    const auto table = calibration::table_from_texts(grid_texts(), decimal_separator());
    if (const auto* bad = std::get_if<calibration::FieldError>(&table)) {
        dialogs_.message(language::worded(calibration::field_error_message(*bad, calibration::TableUse::save)));
        return;
    }
    const QString proposed = QDir(table_folder_).filePath(Cmb_Datchik->currentText() + QStringLiteral(".csv"));
    const QString path = dialogs_.save_file(save_title(), proposed, save_filters());
    if (path.isEmpty()) return;
    table_folder_ = QFileInfo(path).absolutePath();
    if (const auto failed = calibration::write_table_file(path, std::get<calibration::CalibrationTable>(table))) {
        dialogs_.message(tr("Таблица не сохранена. %1").arg(*failed), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Exclamation);
        return;
    }
    MsgCom->setText(tr("Таблица сохранена в файл %1.").arg(QFileInfo(path).fileName()));
}

void frmSerial::load_table() {
    const QString path = dialogs_.open_file(load_title(), table_folder_, load_filters());
    if (path.isEmpty()) return;
    table_folder_ = QFileInfo(path).absolutePath();
    // The whole file is read and checked before the grid takes anything from it.
    const auto table = calibration::read_table_file(path);
    if (const auto* refused = std::get_if<QString>(&table)) {
        dialogs_.message(tr("Таблица не загружена. %1").arg(*refused), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Exclamation);
        return;
    }
    if (keeps_unsent_table(QFileInfo(path).fileName())) return;
    const auto& loaded = std::get<calibration::CalibrationTable>(table);
    show_table(loaded);
    grid_changed(Unsent::file);
    QString loaded_text = tr("Таблица загружена из файла %1.").arg(QFileInfo(path).fileName());
    // Said now, and asked again when it is to be written.
    if (const auto breaks = calibration::order_breaks(loaded); !breaks.empty())
        loaded_text += u' ' + calibration::order_problem(breaks, 1);
    MsgCom->setText(loaded_text);
}

void frmSerial::show_table(const calibration::CalibrationTable& table) {
    Text43->setText(QString::number(table.net));
    D_otkl->setChecked((table.status & calibration::slot_in_service) == 0);
    for (int k = 0; k < points; ++k) {
        Text44[k]->setText(QString::number(table.values[k]));
        Text45[k]->setText(QString::number(table.litres[k]));
    }
}
