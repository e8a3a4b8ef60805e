#pragma once
// frmSerial: the console's one window. It owns every control (the hidden service
// controls included), the exchange state and the handlers; the handlers read controls,
// call the protocol layer, store the pending frame in `wrs` and show it. The line's work
// runs on a thread of its own (exchange::LineThread), so no handler and no tick waits
// on the port.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "calibration/table_checks.h"
#include "calibration/table_frame.h"
#include "calibration/table_texts.h"
#include "console/dialogs.h"
#include "console/sensor_monitor.h"
#include "console/shape.h"
#include "console/system_ports.h"
#include "console/taring_window.h"
#include "exchange/exchange_state.h"
#include "exchange/line_thread.h"
#include "exchange/table_read_back.h"
#include "exchange/poll_csv.h"
#include "exchange/traffic_log.h"
#include "protocol/bytes.h"
#include "protocol/indicator_check.h"
#include "protocol/requests.h"
#include "serial/line.h"

class frmSerial final : public QWidget {
    Q_OBJECT

public:
    // `dialogs` and `line` must outlive the window; from now on only the window's line
    // thread touches `line`.
    frmSerial(Dialogs& dialogs, serial::Line& line, QWidget* parent = nullptr);

    static constexpr int points = static_cast<int>(calibration::table_points);
    static constexpr int tick_interval_ms = 500;

    // ---- Controls (object names equal the member names) ----------------------------
    Shape* Pic;
    QTabWidget* SSTab1;
    QLabel* MsgCom;

    // Page "Основное".
    QGroupBox* Frame6;
    QComboBox* CmbPort;
    QPushButton* BTNOpenCom;
    QPushButton* BTNCloseCom;
    QPushButton* prov_ind;
    QGroupBox* Frame10;
    QCheckBox* Check_vedom;
    QLabel* ref_vedom;
    QRadioButton* Option1;
    QLabel* Label2;
    QRadioButton* Option2;
    QLabel* Label6;
    QPushButton* mode_ind;
    QPushButton* pwdIn;
    QPushButton* set_pwd;
    QPushButton* block;

    // Page "Калибровка".
    QGroupBox* Frame8;
    QGroupBox* Frame5;
    QPushButton* rd_table;
    QPushButton* write_struct;
    QPushButton* zapForm;  // hidden
    QLineEdit* nn1;        // hidden

    // In Frame5.
    QLabel* ur;
    QLabel* uroven;
    QLabel* te;
    QLabel* temp;
    QLabel* tek_l;  // hidden
    QLabel* tek;    // hidden
    QPushButton* Opros;
    QLabel* Label4;
    QComboBox* CmbNet;

    // In Frame8.
    QComboBox* Cmb_Datchik;
    QLabel* Label_net_slot;  // "Сет. номер"
    QLineEdit* Text43;
    QLabel* Label_off;  // "Отключен"
    QCheckBox* D_otkl;
    std::array<QLabel*, 3> Label_values;  // "Значения датчика" over the three value columns
    std::array<QLabel*, 3> Label_litres;  // "Литры" over the three litre columns
    QLineEdit* Text46;
    std::array<QLineEdit*, 1> Text47;
    std::array<QLineEdit*, points> Text44;  // sensor value of rows 1..40
    std::array<QLineEdit*, points> Text45;  // litres of rows 1..40
    std::array<QLabel*, points + 1> Label_row;  // row numbers 0..40

    // Hidden service controls.
    QGroupBox* Frame1;
    QPlainTextEdit* txtRec;
    QGroupBox* Frame2;
    QLineEdit* chis1;
    QPushButton* send_zap;
    QPushButton* zzaapp;
    QCheckBox* avtozap;
    QCheckBox* std_zap;
    QGroupBox* Frame3;
    QPushButton* low;
    QPushButton* hig;
    QPushButton* net;
    QGroupBox* Frame4;
    QLabel* Label_lo;  // "LOW"
    QLabel* lo;
    QLabel* Label_hi;  // "HIGHT"
    QLabel* hi;
    QLabel* Label_ne;  // "Net"
    QLabel* ne;
    QLabel* k;  // "K", hidden
    QLabel* ko;  // hidden
    QGroupBox* modes;
    QRadioButton* R485;
    QRadioButton* R_a;
    QRadioButton* R_f;
    QLabel* R_485;     // "Режим RS-485"
    QLabel* R_analog;  // "Аналоговый Режим"
    QLabel* R_fr;      // "Частотный режим"
    QCheckBox* iinv;
    QCheckBox* usredn;
    QLabel* invers;  // "Инверсия индикатора"
    QLabel* usred;   // "Сглаживание"
    QPushButton* Set_mode;
    QCheckBox* fix_dig;
    QPushButton* InstSN;
    QLabel* sn;
    QLabel* vv;
    QLabel* netdev;
    QLabel* Label5;
    QLabel* Label3;
    std::array<QLabel*, 1> ver2;

    QTimer* TMRComm;

    // ---- Exchange state -------------------------------------------------------------
    exchange::ExchangeState state;
    bool connected() const { return connected_; }
    bool opening() const { return opening_; }  // "Подключить" pressed, the open not yet done
    bool exchange_in_flight() const { return in_flight_; }  // a tick's line work is under way
    // Whether the port holds its line, once the line's work asked for so far is done.
    // Waits for the line's thread: for tests and diagnostics only.
    bool line_open() { return line_thread_.line_open(); }
    // Whether the grid holds a table not yet written to the unit: loaded from a file, made
    // by the taring window or edited by hand since the last table read or confirmed write.
    bool grid_unsent() const { return unsent_.has_value(); }
    // Whether the sensor's figures ("Уровень", "Темпер." and the hidden ones) are the
    // polled sensor's latest: shown enabled only then.
    bool readings_current() const { return readings_current_; }

signals:
    void open_finished();  // an open's outcome has been shown
    void tick_finished();  // a tick's second half has run

public:
    // ---- Handlers -------------------------------------------------------------------
    void Form_Load();
    void BTNOpenCom_Click();
    void BTNCloseCom_Click();
    void CmbNet_Change();
    void Cmb_Datchik_Click();
    void rd_table_Click();
    void block_Click();
    // The tick's first half: the address change, the indicator check, the poll or the
    // auto-request, the frame shown; then the frame, taken out of `wrs`, goes to the
    // line's thread, which reads and then writes it; finish_tick applies what came back.
    void TMRComm_Timer();

    // Operator commands: each leaves its frame in `wrs` for the next tick.
    void write_struct_Click();
    void zapForm_Click();
    void Opros_Click();
    void pwdIn_Click();
    void set_pwd_Click();
    void Set_mode_Click();
    void mode_ind_Click();
    void prov_ind_Click();
    void low_Click();
    void hig_Click();
    void net_Click();
    void InstSN_Click();
    void send_zap_Click();
    void zzaapp_Click();
    void std_zap_Click();

    // The grid kept in a file and loaded back, from the frame's context menu or by
    // Ctrl+S and Ctrl+O on the page "Калибровка". Nothing is sent.
    void save_table();
    void load_table();
    QAction* save_table_action;
    QAction* load_table_action;

    // "Тарировка бака…" in the same menu, Ctrl+T: opens the taring window for the sensor
    // selected in CmbNet and the slot selected in Cmb_Datchik, or raises the one open.
    // While it is open the sensor is polled every tick.
    void open_taring();
    QAction* tare_action;
    TaringWindow* taring_window() const { return taring_; }
    // Where the taring window keeps its sessions; empty for "Тарировки" in the user's documents.
    QString taring_folder;
    TaringWindow::Clock taring_clock;  // the taring window's clock; empty for a steady one

    // "Монитор датчика…" in the context menu of the frame "Датчик", Ctrl+M anywhere in
    // the window: opens the sensor monitor, or raises the one open. It is fed the polls
    // dispatch decodes and asks for nothing.
    void open_monitor();
    QAction* monitor_action;
    SensorMonitor* sensor_monitor() const { return monitor_; }
    SensorMonitor::Clock monitor_clock;  // the monitor's clock; empty for a steady one
    // The frames of the current connection, or of the last one until the next connects.
    const exchange::TrafficLog& traffic() const { return traffic_log_; }

signals:
    // A full poll with a correct CRC, and an identity, as dispatch decodes them.
    void sensor_level(int address, std::uint16_t level);
    void sensor_identity(int address, std::optional<std::uint32_t> serial, const QString& version);
    // A full poll with a correct CRC or a standard request's answer, and when it was read.
    void sensor_polled(const exchange::PolledSensor& poll, std::chrono::system_clock::time_point at);

public:

    // ---- Helpers --------------------------------------------------------------------
    void SwitchTags();
    void out_win(protocol::ByteView wwrs);
    void Out_modes(protocol::Byte nn);
    void rd_str();
    void rdtab(protocol::ByteView Ans);
    protocol::Bytes Zapros_ser_num() const;
    // `read_back`: what the reply meant for a table write (TableReadBack::received).
    void dispatch(protocol::ByteView rx, protocol::Byte request_crc,
                  const exchange::TableReadBack::Outcome& read_back = {});
    void wrs_prov_ind();  // the indicator check's next frame, called by the tick

    // The port box's entries: "COM1:" to "COM9:", then the system's serial ports by
    // device path, sorted, each once and none that repeats an entry before it.
    static QStringList port_entries(const QStringList& system_ports);
    // Puts `port` into the port box: the entry it equals is selected, any other text is
    // left as typed, so "Подключить" opens it.
    void set_port(const QString& port);

signals:
    // The system's ports are in the port box: they are listed on a thread of their own
    // and come some time after start-up.
    void system_ports_listed();

public:

    // The entry of a list that its text selects: the current entry while the text is
    // its own, else the entry whose text was typed; nullopt when none matches.
    static std::optional<int> selected_index(const QComboBox* box);
    // The selected address of CmbNet as a byte, when an entry is selected and converts.
    std::optional<protocol::Byte> selected_net() const;
    // The address the poll goes to: nn1's (1 when it does not convert) with "станд. запрос"
    // ticked, else the selected one.
    std::optional<protocol::Byte> polled_address() const;

protected:
    // Closing asks first about a table not yet written, and leaves the taring window the
    // last word: kept open ("Вернуться"), the main window stays open with it.
    void closeEvent(QCloseEvent* event) override;

private:
    void show_pending();  // wrs in the traffic box, and a word when no line can take it
    void build_controls();  // creates every control with its design state
    void wire_handlers();
    void wire_commands();
    void wire_table_files();
    void wire_taring();
    void taring_closed();
    protocol::Bytes taring_identity_request();  // the taring sensor's identity, while it is wanted
    // The table of the taring window opened as the `taring`-th; false: unsent work kept.
    bool take_taring_table(const calibration::CalibrationTable& table, int slot, int taring);
    void wire_monitor();
    void watch_polled_sensor();  // tells the monitor which sensor the poll is for
    // Both frames of a tick's line work, as far as they went on the line.
    void log_traffic(const exchange::LineResult& result, protocol::ByteView sent);
    // The grid's texts as "Установить таблицу" reads them.
    calibration::TableTexts grid_texts() const;
    void show_table(const calibration::CalibrationTable& table);

    // Unsent work in the grid. Whatever puts a table into the grid other than a read marks
    // it, with where it came from; a read or a confirmed write of it clears the mark.
    enum class Unsent { typed, file, taring };
    void grid_changed(Unsent how);
    // Before a read, or the table of the file `loading` (its name), replaces unsent work:
    // asks, default keep. Kept, the slot list goes back to the grid's slot and true is
    // returned.
    bool keeps_unsent_table(const std::optional<QString>& loading = std::nullopt);
    QString unsent_how() const;  // how the unsent table came into the grid
    // The unit's answers about a table write on the status line.
    void show_read_back(const exchange::TableReadBack::Outcome& outcome);
    // The sensor's figures enabled only while connected, polling and read from the
    // polled address since it was chosen.
    void readings_stale();
    void tell_polling();  // what the poll does now, to the taring window and the monitor
    void show_readings();
    // The regional decimal separator that operator texts are read with.
    static std::string decimal_separator();
    static std::optional<protocol::Byte> to_byte(const QString& text);
    // The operator's text as a number in `range`.
    static std::optional<std::int32_t> typed(const QString& text, protocol::Range range);
    void append_to_wrs(const protocol::Bytes& frame);
    void opened(const QString& port, const serial::OpenResult& result);
    // The tick's second half: the write's outcome, the lamp, dispatch, the flush.
    void finish_tick(const exchange::LineResult& result, const protocol::Bytes& frame, protocol::Byte request_crc);
    void write_failed();
    // Stops the cycle and closes the port once the line's work in flight is done; what
    // that work brings back is not applied.
    void stop_exchange();
    // The password in the operator's answer; nullopt when cancelled or refused, after a
    // box that says why (`no_address` when no sensor address is selected).
    std::optional<std::uint32_t> typed_password(const QString& answer, const QString& no_address);
    // Appends the system's ports to the port box, its selection and typed text kept.
    void add_system_ports(const QStringList& ports);

    protocol::IndicatorCheck indicator_check_;  // its address and value outlive a stop

    Dialogs& dialogs_;
    exchange::LineThread line_thread_;
    bool connected_ = false;
    bool opening_ = false;
    bool in_flight_ = false;
    bool in_tick_ = false;  // a message box opened by a tick must not let another tick in
    unsigned session_ = 0;  // counts stops: answers for an earlier session are dropped
    exchange::TableReadBack read_back_;
    struct UnsentTable {
        int slot = 0;  // the slot the grid's table is meant for
        Unsent how = Unsent::typed;
        int taring = 0;  // the taring window that made it, counted from 1; 0: none
    };
    std::optional<UnsentTable> unsent_;
    unsigned grid_version_ = 0;     // counts changes that mark the grid
    unsigned written_version_ = 0;  // grid_version_ when the last table write was built
    bool readings_current_ = false;
    int polls_unanswered_ = 0;  // polls sent since the polled sensor last answered
    static constexpr int polls_before_stale = 3;
    QString table_folder_;  // where the last table file was, for this run only
    TaringWindow* taring_ = nullptr;
    int tarings_opened_ = 0;
    bool poll_before_taring_ = false;  // the poll switch as the taring window found it
    int identity_asks_ = 0;            // identity requests left for the taring window
    // The last identity read, for a taring window opened after it.
    struct Identified {
        int address = -1;
        std::optional<std::uint32_t> serial;
        QString version;
    } identified_;
    SensorMonitor* monitor_ = nullptr;
    exchange::TrafficLog traffic_log_;
    // When the reply being dispatched was read, while a tick dispatches it.
    std::optional<std::chrono::system_clock::time_point> reply_read_at_;
    SystemPorts system_ports_;  // last, so its thread is joined first
};
