// The window's controls as designed: name, caption or initial value, position, font,
// colour, tag and the enabled and visible state of each control at start. Positions are
// kept in twips (1/1440 inch, 15 to a pixel at 96 dpi), left, top, width, height,
// relative to the control's container; controls on the tab pages are measured from the
// tab control's corner, tab strip included.

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionButton>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "console/frm_serial.h"
#include "console/present_face.h"

namespace {

struct Twips {
    int left, top, width, height;
};

// To the nearest whole pixel; layout values are never negative.
constexpr int px(int twips) { return (twips + 7) / 15; }

QRect pixels(Twips at) { return {px(at.left), px(at.top), px(at.width), px(at.height)}; }

// A command button whose caption breaks between words when the button is too narrow for
// one line, as the tall buttons of the window ("Установить таблицу") are meant to show it.
class CommandButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);  // bevel and focus frame

        QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        if (option.state & (QStyle::State_Sunken | QStyle::State_On))
            area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
        int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) flags |= Qt::TextHideMnemonic;
        painter.drawItemText(area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
    }
};

// A frame as the console draws its frames: an etched outline whose top edge runs through
// the middle of the caption, so that controls placed just below the caption sit inside
// the outline. The caption can be drawn in the palette's highlight colour, which sets the
// sensor's live values apart.
class Frame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

    void set_caption_highlighted(bool highlighted) {
        highlighted_ = highlighted;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QPalette& colours = palette();
        const int flags = static_cast<int>(
            Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic |
            (style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? 0 : Qt::TextHideMnemonic));
        const QString caption = title();
        const QRect caption_area =
            caption.isEmpty() ? QRect()
                              : metrics.boundingRect(QRect(8, 0, width() - 16, metrics.height()), flags, caption);

        // The outline, etched: a dark line with a light one beside it, the top edge broken
        // where the caption stands.
        const QRect outline = rect().adjusted(0, metrics.height() / 2, -2, -2);
        const int gap_left = caption_area.isNull() ? outline.left() : caption_area.left() - 2;
        const int gap_right = caption_area.isNull() ? outline.left() : caption_area.right() + 2;
        for (const auto& [role, shift] : {std::pair{QPalette::Dark, 0}, std::pair{QPalette::Light, 1}}) {
            const QRect r = outline.translated(shift, shift);
            painter.setPen(colours.color(role));
            painter.drawLine(r.topLeft(), QPoint(gap_left, r.top()));
            painter.drawLine(QPoint(gap_right, r.top()), r.topRight());
            painter.drawLine(r.topRight(), r.bottomRight());
            painter.drawLine(r.bottomRight(), r.bottomLeft());
            painter.drawLine(r.bottomLeft(), r.topLeft());
        }
        if (!caption.isEmpty())
            style()->drawItemText(&painter, caption_area, flags, colours, isEnabled(), caption,
                                  highlighted_ ? QPalette::Highlight : QPalette::WindowText);
    }

private:
    bool highlighted_ = false;
};

// The status line. A report longer than the line (a device path, a table's difference)
// is drawn smaller rather than cut at the window's edge, down to the window's own size;
// longer still, it ends in "…".
class StatusLine final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        constexpr qreal smallest = 8.25;
        const QRect area = contentsRect();
        const QString line = text();
        QFont face = font();
        while (face.pointSizeF() > smallest && QFontMetrics(face).horizontalAdvance(line) > area.width())
            face.setPointSizeF(std::max(smallest, face.pointSizeF() - 0.25));
        QPainter painter(this);
        painter.setFont(face);
        const QString shown = QFontMetrics(face).elidedText(line, Qt::ElideRight, area.width());
        style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

// The tab control; it knows where its pages will lie before it is first laid out.
class TabControl final : public QTabWidget {
public:
    using QTabWidget::QTabWidget;

    // The corner of the page area inside the tab control, as the control's own layout
    // will place its pages (below the tab strip, inside the pane's frame).
    QPoint page_origin() const {
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).topLeft();
    }
};

// Creates the controls of one container. `origin` is where the container's corner lies in
// the coordinates the layout measures it in: zero for the window and the frames, the page
// origin for the tab pages.
class Container {
public:
    explicit Container(QWidget* widget, QPoint origin = {}) : widget_(widget), origin_(origin) {}

    template <class Control>
    Control* add(const char* name, Twips at, const QString& caption = {}) {
        auto* control = new Control(caption, widget_);
        return placed(control, name, at);
    }

    QComboBox* combo(const char* name, Twips at) { return placed(new QComboBox(widget_), name, at); }

    template <class Control>
    Control* placed(Control* control, const QString& name, Twips at) const {
        control->setObjectName(name);
        control->setGeometry(pixels(at).translated(-origin_));
        return control;
    }

private:
    QWidget* widget_;
    QPoint origin_;
};

void set_font(QWidget* control, qreal points, bool bold) {
    QFont font = control->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    control->setFont(font);
}

// `box`'s own palette with its base in `rgb`: boxes of one container share it.
QPalette with_base_colour(const QLineEdit* box, QRgb rgb) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(rgb));
    return palette;
}

// Widens a label to the right until its caption fits. The design font's glyphs are
// narrower than most sans-serif faces; a left-aligned caption keeps its designed place
// and only takes room that is free: inside its frame and clear of the controls beside it.
void widen_to_caption(QLabel* label) {
    const QString caption = label->text();
    if (caption.isEmpty()) return;
    const QFontMetrics metrics(label->font());
    const bool wraps = label->wordWrap();
    QRect area = label->geometry();
    const auto need_at = [&](int width) {
        return metrics.boundingRect(QRect(0, 0, width, 10 * area.height()), wraps ? Qt::TextWordWrap : 0, caption);
    };
    // A caption on one line takes the same room whatever the width offered: lay it out once.
    const QRect one_line = wraps ? QRect() : need_at(area.width());
    const auto fits = [&](int width) {
        const QRect need = wraps ? need_at(width) : one_line;
        return need.width() <= width && need.height() <= area.height();
    };
    if (fits(area.width())) return;

    QWidget* parent = label->parentWidget();
    int limit = area.width() * 2;
    if (qobject_cast<QGroupBox*>(parent)) limit = std::min(limit, parent->width() - area.left() - 2);
    const auto blocked = [&](const QRect& wider) {
        for (QObject* object : parent->children()) {
            auto* sibling = qobject_cast<QWidget*>(object);
            if (sibling && sibling != label && !sibling->isHidden() && sibling->geometry().intersects(wider))
                return true;
        }
        return false;
    };
    for (int width = area.width() + 1; width <= limit; ++width) {
        QRect wider = area;
        wider.setWidth(width);
        if (blocked(wider)) return;
        label->setGeometry(wider);
        if (fits(width)) return;
    }
}

// The window's design size in the system's dialog face, or the face standing in for it.
QFont design_font(QFont font) {
    font.setPointSizeF(8.25);
    return with_present_face(font);
}

QString design_value(int i) { return QString::number(i < 10 ? 100 * (i + 1) : 100); }

QString design_litres(int i) {
    static constexpr int cycle[] = {500, 375, 250, 125};
    return QString::number(i < 10 ? 125 * (i + 1) : cycle[(i - 10) % 4]);
}

}  // namespace

void frmSerial::build_controls() {
    setObjectName(QStringLiteral("frmSerial"));
    setWindowTitle(QStringLiteral("Trelvik Display v5.2"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/trelvik-console.svg")));
    setFixedSize(625, 583);  // client area 9375 x 8745 twips
    setFont(design_font(font()));

    Container window(this);
    Pic = window.placed(new Shape(this), QStringLiteral("Pic"), {360, 480, 555, 495});
    Pic->set_fill_colour(0x808080);

    auto* tabs = window.placed(new TabControl(this), QStringLiteral("SSTab1"), {1080, 120, 8055, 7815});
    SSTab1 = tabs;
    auto* main_page = new QWidget;
    main_page->setObjectName(QStringLiteral("SSTab1_main"));
    auto* calibration_page = new QWidget;
    calibration_page->setObjectName(QStringLiteral("SSTab1_calibration"));
    SSTab1->addTab(main_page, tr("Основное"));
    SSTab1->addTab(calibration_page, tr("Калибровка"));
    SSTab1->setCurrentIndex(1);

    // The status line runs under the whole tab control: a report names the sensor and
    // says what happened, and the longest of them needs more than the 5895 twips the
    // line was first drawn with.
    MsgCom = window.add<StatusLine>("MsgCom", {1080, 8040, 8055, 495});
    set_font(MsgCom, 12, true);

    // ---- Page "Основное" -------------------------------------------------------------
    Container main_tab(main_page, tabs->page_origin());

    Frame6 = main_tab.add<Frame>("Frame6", {360, 720, 2895, 1215}, tr("Связь"));
    Container frame6(Frame6);
    CmbPort = frame6.combo("CmbPort", {120, 240, 975, 315});
    CmbPort->setEditable(true);
    CmbPort->setInsertPolicy(QComboBox::NoInsert);
    BTNOpenCom = frame6.add<CommandButton>("BTNOpenCom", {1440, 240, 1095, 375}, tr("Подключить"));
    BTNCloseCom = frame6.add<CommandButton>("BTNCloseCom", {1440, 720, 1095, 375}, tr("Отключить"));

    Frame10 = main_tab.add<Frame>("Frame10", {360, 2280, 3015, 2655}, tr("Режим"));
    Container frame10(Frame10);
    Check_vedom = frame10.add<QCheckBox>("Check_vedom", {120, 360, 255, 255});
    ref_vedom = frame10.add<QLabel>("ref_vedom", {480, 360, 1095, 255}, tr("Режим ВИРС"));
    Option1 = frame10.add<QRadioButton>("Option1", {120, 840, 255, 255});
    Label2 = frame10.add<QLabel>("Label2", {480, 840, 1695, 255}, tr("Пассивный режим"));
    Option2 = frame10.add<QRadioButton>("Option2", {120, 1320, 255, 255});
    Label6 = frame10.add<QLabel>("Label6", {480, 1320, 1575, 255}, tr("Активный режим"));
    mode_ind = frame10.add<CommandButton>("mode_ind", {240, 1920, 1335, 495}, tr("Установить "));

    pwdIn = main_tab.add<CommandButton>("pwdIn", {3840, 840, 1455, 495}, tr("Ввести пароль"));
    set_pwd = main_tab.add<CommandButton>("set_pwd", {3840, 1800, 1455, 495}, tr("Установить пароль"));
    block = main_tab.add<CommandButton>("block", {3840, 2760, 1455, 615}, tr("Блокировка"));
    prov_ind = main_tab.add<CommandButton>("prov_ind", {3840, 3720, 1455, 615}, tr("Проверка"));

    // Service controls, never shown. They keep to the free part of the page: a column
    // right of the password buttons and the strip below the mode frame, where the traffic
    // box and the sensor modes lie one over the other.
    Frame2 = main_tab.add<Frame>("Frame2", {5400, 480, 2535, 1095}, tr("ВИРС"));
    Container frame2(Frame2);
    chis1 = frame2.add<QLineEdit>("chis1", {120, 360, 975, 285}, QStringLiteral("0"));
    send_zap = frame2.add<CommandButton>("send_zap", {1200, 300, 1215, 375}, tr("послать"));
    zzaapp = main_tab.add<CommandButton>("zzaapp", {5400, 1680, 1215, 375}, tr("запросить"));
    InstSN = main_tab.add<CommandButton>("InstSN", {6720, 1680, 1215, 375}, QStringLiteral("Inst_SN"));
    avtozap = main_tab.add<QCheckBox>("avtozap", {5400, 2160, 2535, 255}, tr("автозапрос"));
    std_zap = main_tab.add<QCheckBox>("std_zap", {5400, 2460, 2535, 255}, tr("станд. запрос"));
    fix_dig = main_tab.add<QCheckBox>("fix_dig", {240, 7440, 2895, 255}, tr("Фиксированное число 900"));

    Frame3 = main_tab.add<Frame>("Frame3", {5400, 3120, 2535, 1455}, tr("Команды"));
    Container frame3(Frame3);
    low = frame3.add<CommandButton>("low", {120, 240, 1575, 315}, tr("Нижний ур"));
    hig = frame3.add<CommandButton>("hig", {120, 600, 1575, 315}, tr("Верхний ур"));
    net = frame3.add<CommandButton>("net", {120, 960, 1575, 315}, tr("Уст.сет.ном."));

    Frame4 = main_tab.add<Frame>("Frame4", {5400, 4680, 2535, 1455}, tr("Установки"));
    Container frame4(Frame4);
    Label_lo = frame4.add<QLabel>("Label_lo", {120, 240, 735, 255}, QStringLiteral("LOW"));
    lo = frame4.add<QLabel>("lo", {960, 240, 855, 255}, QStringLiteral("0"));
    Label_hi = frame4.add<QLabel>("Label_hi", {120, 540, 735, 255}, QStringLiteral("HIGHT"));
    hi = frame4.add<QLabel>("hi", {960, 540, 855, 255}, QStringLiteral("0"));
    Label_ne = frame4.add<QLabel>("Label_ne", {120, 840, 735, 255}, QStringLiteral("Net"));
    ne = frame4.add<QLabel>("ne", {960, 840, 855, 255}, QStringLiteral("0"));
    k = frame4.add<QLabel>("k", {120, 1140, 735, 255}, QStringLiteral("K"));
    ko = frame4.add<QLabel>("ko", {960, 1140, 855, 255}, QStringLiteral("0"));

    Label5 = main_tab.add<QLabel>("Label5", {5400, 6240, 375, 255}, QStringLiteral("S/N"));
    sn = main_tab.add<QLabel>("sn", {5880, 6180, 1935, 375}, QStringLiteral("00000000000"));
    set_font(sn, 12, true);
    ver2[0] = main_tab.add<QLabel>("ver2_0", {5400, 6660, 1095, 255}, tr("Версия ПО"));
    vv = main_tab.add<QLabel>("vv", {6600, 6660, 1335, 255}, QString(20, QLatin1Char('-')));
    Label3 = main_tab.add<QLabel>("Label3", {5400, 7020, 2535, 255}, tr("Устройства в сети:"));
    netdev = main_tab.add<QLabel>("netdev", {5400, 7320, 2535, 255}, tr("Устройства не определены"));

    Frame1 = main_tab.add<Frame>("Frame1", {240, 5040, 4515, 2295}, tr("Commands and Results"));
    Container frame1(Frame1);
    txtRec = frame1.add<QPlainTextEdit>("txtRec", {120, 360, 4275, 1755});
    txtRec->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    modes = main_tab.add<Frame>("modes", {240, 5040, 4455, 1455}, tr("Режимы"));
    Container in_modes(modes);
    R485 = in_modes.add<QRadioButton>("R485", {120, 240, 255, 255});
    R_a = in_modes.add<QRadioButton>("R_a", {120, 600, 255, 255});
    R_f = in_modes.add<QRadioButton>("R_f", {120, 960, 255, 255});
    R_485 = in_modes.add<QLabel>("R_485", {480, 240, 1680, 255}, tr("Режим RS-485"));
    R_analog = in_modes.add<QLabel>("R_analog", {480, 600, 1680, 255}, tr("Аналоговый Режим"));
    R_fr = in_modes.add<QLabel>("R_fr", {480, 960, 1680, 255}, tr("Частотный режим"));
    iinv = in_modes.add<QCheckBox>("iinv", {2160, 120, 255, 255});
    usredn = in_modes.add<QCheckBox>("usredn", {2160, 480, 255, 255});
    invers = in_modes.add<QLabel>("invers", {2400, 120, 1935, 255}, tr("Инверсия индикатора"));
    usred = in_modes.add<QLabel>("usred", {2400, 480, 1935, 255}, tr("Сглаживание"));
    Set_mode = in_modes.add<CommandButton>("Set_mode", {2400, 900, 1335, 375}, tr("&Установить"));
    R485->setChecked(true);

    // ---- Page "Калибровка" -----------------------------------------------------------
    Container calibration_tab(calibration_page, tabs->page_origin());

    Frame8 = calibration_tab.add<Frame>("Frame8", {240, 480, 5655, 7215}, tr("Таблица калибровки"));
    Container frame8(Frame8);
    Cmb_Datchik = frame8.combo("Cmb_Datchik", {120, 480, 1455, 315});
    Label_net_slot = frame8.add<QLabel>("Label_net_slot", {1680, 480, 855, 255}, tr("Сет. номер"));
    Text43 = frame8.add<QLineEdit>("Text43", {2640, 480, 375, 285}, QStringLiteral("13"));
    Label_off = frame8.add<QLabel>("Label_off", {3240, 480, 855, 255}, tr("Отключен"));
    D_otkl = frame8.add<QCheckBox>("D_otkl", {4200, 480, 255, 255});

    // Three column pairs, filled from the bottom up; row 0 sits below row 1 of the first.
    static constexpr int block_first[] = {0, 14, 28};
    static constexpr int block_left[] = {480, 2280, 4080};
    static constexpr int heading_top[] = {1080, 1080, 1800};
    for (int b = 0; b < 3; ++b) {
        const QString n = QString::number(b);
        Label_values[b] = frame8.placed(new QLabel(tr("Значения датчика"), Frame8), "Label_values_" + n,
                                        {block_left[b] - 120, heading_top[b], 855, 495});
        Label_values[b]->setWordWrap(true);
        Label_litres[b] = frame8.placed(new QLabel(tr("Литры"), Frame8), "Label_litres_" + n,
                                        {block_left[b] + 840, heading_top[b] + 120, 615, 255});
        set_font(Label_values[b], 8.25, true);
        set_font(Label_litres[b], 8.25, true);
    }

    const auto grid_box = [&](const QString& name, Twips at, const QString& text) {
        auto* box = frame8.placed(new QLineEdit(text, Frame8), name, at);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setProperty("Tag", QStringLiteral("5"));
        return box;
    };
    const auto row_label = [&](int row, int left, int top) {
        Label_row[row] = frame8.placed(new QLabel(QString::number(row), Frame8), "Label_row_" + QString::number(row),
                                       {left, top, 255, 255});
    };

    row_label(0, 120, 6720);
    Text46 = grid_box(QStringLiteral("Text46"), {480, 6720, 615, 285}, QStringLiteral("0"));
    Text47[0] = grid_box(QStringLiteral("Text47_0"), {1200, 6720, 615, 285}, QStringLiteral("0"));
    set_font(Text46, 8.25, true);
    set_font(Text47[0], 8.25, true);
    const QPalette value_colours = with_base_colour(Text43, qRgb(0xFF, 0xFF, 0xC0));
    const QPalette litre_colours = with_base_colour(Text43, qRgb(0xC0, 0xFF, 0xC0));
    for (int i = 0; i < points; ++i) {
        const int b = i < 14 ? 0 : i < 28 ? 1 : 2;
        const int top = 6360 - 360 * (i - block_first[b]);
        const QString n = QString::number(i);
        row_label(i + 1, block_left[b] - 360, top);
        Text44[i] = grid_box("Text44_" + n, {block_left[b], top, 615, 285}, design_value(i));
        Text45[i] = grid_box("Text45_" + n, {block_left[b] + 720, top, 615, 285}, design_litres(i));
        Text44[i]->setPalette(value_colours);
        Text45[i]->setPalette(litre_colours);
    }

    auto* sensor_frame = calibration_tab.add<Frame>("Frame5", {6000, 3960, 1935, 3375}, tr("Датчик"));
    sensor_frame->set_caption_highlighted(true);
    Frame5 = sensor_frame;
    Container frame5(Frame5);
    ur = frame5.add<QLabel>("ur", {120, 360, 735, 255}, tr("Уровень"));
    uroven = frame5.add<QLabel>("uroven", {960, 360, 855, 255}, QStringLiteral("0"));
    te = frame5.add<QLabel>("te", {120, 720, 735, 255}, tr("Темпер."));
    temp = frame5.add<QLabel>("temp", {960, 720, 855, 255}, QStringLiteral("0"));
    tek_l = frame5.add<QLabel>("tek_l", {120, 1080, 735, 255}, tr("Текущий"));
    tek = frame5.add<QLabel>("tek", {960, 1080, 855, 255}, QStringLiteral("0"));
    for (QLabel* value : {uroven, temp, tek}) set_font(value, 9.75, true);
    Opros = frame5.add<CommandButton>("Opros", {480, 1440, 1095, 615}, tr("&Поиск датчиков"));
    Label4 = frame5.add<QLabel>("Label4", {120, 2520, 855, 255}, tr("Сет. номер"));
    CmbNet = frame5.combo("CmbNet", {1080, 2520, 615, 315});
    CmbNet->setEditable(true);
    CmbNet->setInsertPolicy(QComboBox::NoInsert);

    rd_table =
        calibration_tab.add<CommandButton>("rd_table", {6360, 1680, 1215, 495}, tr("Читать таблицу"));
    write_struct = calibration_tab.add<CommandButton>("write_struct", {6360, 2280, 1215, 495},
                                                      tr("Установить таблицу"));
    zapForm = calibration_tab.add<CommandButton>("zapForm", {6240, 6840, 1215, 375}, tr("Зап.Форму"));
    nn1 = calibration_tab.add<QLineEdit>("nn1", {6840, 480, 495, 285}, QStringLiteral("1"));

    TMRComm = new QTimer(this);
    TMRComm->setObjectName(QStringLiteral("TMRComm"));
    TMRComm->setInterval(tick_interval_ms);
    TMRComm->setSingleShot(false);

    // ---- State at start --------------------------------------------------------------
    // Tag "1": connecting and disconnecting invert the enabled state of these. Most may
    // only be used while connected and start disabled; the traffic box and the version
    // label may only be used while not.
    const std::initializer_list<QWidget*> connected_only{
        CmbNet, Opros, Label4, uroven, temp, tek, Frame3, low, hig, net, Frame4, lo, ne, hi, modes, R_f, R_a,
        R485, iinv, usredn, Set_mode, R_fr, R_485, invers, usred, R_analog, fix_dig, netdev, Label3, ver2[0]};
    for (QWidget* control : connected_only) {
        control->setProperty("Tag", QStringLiteral("1"));
        control->setEnabled(false);
    }
    for (QWidget* control : {static_cast<QWidget*>(txtRec), static_cast<QWidget*>(vv)})
        control->setProperty("Tag", QStringLiteral("1"));
    for (QWidget* control : std::initializer_list<QWidget*>{InstSN, Text46, Text47[0]}) control->setEnabled(false);

    // Explicitly hidden, so that neither showing the window nor changing pages shows them.
    for (QWidget* control : std::initializer_list<QWidget*>{
             zapForm, nn1, tek_l, tek,     Frame1, Frame2, zzaapp, avtozap, std_zap, Frame3, Frame4,
             k,       ko,  modes, fix_dig, InstSN, sn,     vv,     netdev,  Label5,  Label3, ver2[0]})
        control->setVisible(false);

    for (QLabel* label : findChildren<QLabel*>()) widen_to_caption(label);
}
