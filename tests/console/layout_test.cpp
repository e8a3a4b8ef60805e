// The window as the operator first sees it: title, pages, the grid's design values, which
// controls are usable before connecting, which are never shown, and every control in its
// designed place, inside its container, clear of its neighbours, with a caption that fits.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QSet>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "console/frm_serial.h"
#include "support/scripted_dialogs.h"

namespace {

constexpr int px(int twips) { return (twips + 7) / 15; }

struct Console {
    ScriptedDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial w{dialogs, line};
};

// Every control of the window with the name it must carry.
std::vector<std::pair<QString, QWidget*>> controls(const frmSerial& w) {
#define C(m) {#m, w.m}
    std::vector<std::pair<QString, QWidget*>> all{
        C(Pic), C(SSTab1), C(MsgCom), C(Frame6), C(CmbPort), C(BTNOpenCom), C(BTNCloseCom), C(prov_ind), C(Frame10),
        C(Check_vedom), C(ref_vedom), C(Option1), C(Label2), C(Option2), C(Label6), C(mode_ind), C(pwdIn),
        C(set_pwd), C(block), C(Frame8), C(Frame5), C(rd_table), C(write_struct), C(zapForm), C(nn1), C(ur),
        C(uroven), C(te), C(temp), C(tek_l), C(tek), C(Opros), C(Label4), C(CmbNet), C(Cmb_Datchik),
        C(Label_net_slot), C(Text43), C(Label_off), C(D_otkl), C(Text46), C(Frame1), C(txtRec), C(Frame2),
        C(chis1), C(send_zap), C(zzaapp), C(avtozap), C(std_zap), C(Frame3), C(low), C(hig), C(net), C(Frame4),
        C(Label_lo), C(lo), C(Label_hi), C(hi), C(Label_ne), C(ne), C(k), C(ko), C(modes), C(R485), C(R_a),
        C(R_f), C(R_485), C(R_analog), C(R_fr), C(iinv), C(usredn), C(invers), C(usred), C(Set_mode), C(fix_dig),
        C(InstSN), C(sn), C(vv), C(netdev), C(Label5), C(Label3)};
#undef C
    const auto array = [&all](const QString& name, const auto& members) {
        for (std::size_t i = 0; i < members.size(); ++i) all.emplace_back(name + QString::number(i), members[i]);
    };
    array("Text44_", w.Text44);
    array("Text45_", w.Text45);
    array("Text47_", w.Text47);
    array("ver2_", w.ver2);
    array("Label_row_", w.Label_row);
    array("Label_values_", w.Label_values);
    array("Label_litres_", w.Label_litres);
    return all;
}

const QSet<QString> connected_only{"CmbNet", "Opros", "Label4", "uroven", "temp", "tek", "Frame3", "low", "hig",
                                   "net", "Frame4", "lo", "ne", "hi", "modes", "R_f", "R_a", "R485", "iinv",
                                   "usredn", "Set_mode", "R_fr", "R_485", "invers", "usred", "R_analog",
                                   "fix_dig", "netdev", "Label3", "ver2_0"};
const QSet<QString> disconnected_only{"txtRec", "vv"};
const QSet<QString> never_enabled{"InstSN", "Text46", "Text47_0"};
const QSet<QString> hidden{"zapForm", "nn1", "tek_l",  "tek",   "Frame1", "Frame2", "zzaapp", "avtozap",
                           "std_zap", "Frame3", "Frame4", "k",   "ko",     "modes",  "fix_dig", "InstSN",
                           "sn",      "vv",     "netdev", "Label5", "Label3", "ver2_0"};

QString text_of(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    return qobject_cast<const QGroupBox*>(control)->title();
}

TEST(Layout, StartsWithTheDesignedCaptionsValuesTagsAndEnabledControls) {
    Console console;
    const frmSerial& w = console.w;
    EXPECT_EQ(w.windowTitle(), "Trelvik Display v5.2");
    EXPECT_EQ(w.minimumSize(), QSize(625, 583));
    EXPECT_EQ(w.maximumSize(), QSize(625, 583));
    EXPECT_FALSE(w.windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(w.SSTab1->tabText(0), "Основное");
    EXPECT_EQ(w.SSTab1->tabText(1), "Калибровка");
    EXPECT_EQ(w.SSTab1->currentIndex(), 1);
    EXPECT_EQ(w.TMRComm->interval(), 500);
    EXPECT_FALSE(w.TMRComm->isActive());
    EXPECT_TRUE(w.R485->isChecked());
    EXPECT_FALSE(w.Cmb_Datchik->isEditable());
    EXPECT_TRUE(w.CmbPort->isEditable() && w.CmbNet->isEditable());
    EXPECT_EQ(w.CmbNet->insertPolicy(), QComboBox::NoInsert);

    const std::pair<const QWidget*, QString> texts[] = {
        {w.MsgCom, ""},        {w.Text43, "13"},       {w.Text47[0], "0"},     {w.Text44[0], "100"},
        {w.Text44[9], "1000"}, {w.Text44[10], "100"},  {w.Text45[9], "1250"},  {w.Text45[10], "500"},
        {w.Text45[13], "125"}, {w.Text45[14], "500"},  {w.Text45[39], "375"},  {w.Label_row[40], "40"},
        {w.Opros, "&Поиск датчиков"}, {w.mode_ind, "Установить "}, {w.vv, QString(20, '-')}, {w.D_otkl, ""}};
    for (const auto& [control, text] : texts) EXPECT_EQ(text_of(control), text) << control->objectName().toStdString();

    // Bold where marked; everything else keeps the window's design size, frames' contents included.
    const std::tuple<const QWidget*, qreal, bool> fonts[] = {
        {w.MsgCom, 12, true}, {w.uroven, 9.75, true}, {w.Label_litres[2], 8.25, true}, {w.ur, 8.25, false},
        {w.Opros, 8.25, false}, {w.Text44[0], 8.25, false}};
    for (const auto& [control, points, bold] : fonts) {
        EXPECT_EQ(control->font().pointSizeF(), points) << control->objectName().toStdString();
        EXPECT_EQ(control->font().bold(), bold) << control->objectName().toStdString();
    }
    EXPECT_EQ(w.Text44[5]->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(w.Text45[5]->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xC0));

    for (const auto& [name, control] : controls(w)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(control->objectName(), name);
        EXPECT_EQ(w.findChildren<QObject*>(name).size(), 1);
        // The control's own state, not the one it inherits: connecting flips each tagged one.
        EXPECT_EQ(control->testAttribute(Qt::WA_ForceDisabled),
                  connected_only.contains(name) || never_enabled.contains(name));
        EXPECT_EQ(control->property("Tag").toString() == "1",
                  connected_only.contains(name) || disconnected_only.contains(name));
    }
}

// Designed places in twips; `on_tab`: measured from the tab control's corner, not the page's.
struct Placement {
    const char* name;
    QRect twips;
    bool on_tab;
};
const Placement placements[] = {
    {"Pic", {360, 480, 555, 495}, false},         {"SSTab1", {1080, 120, 8055, 7815}, false},
    {"Frame6", {360, 720, 2895, 1215}, true},     {"BTNCloseCom", {1440, 720, 1095, 375}, false},
    {"prov_ind", {3840, 3720, 1455, 615}, true},  {"Frame8", {240, 480, 5655, 7215}, true},
    {"Frame5", {6000, 3960, 1935, 3375}, true},   {"CmbNet", {1080, 2520, 615, 315}, false},
    {"Text44_13", {480, 1680, 615, 285}, false},  {"Text45_39", {4800, 2400, 615, 285}, false},
    {"Text47_0", {1200, 6720, 615, 285}, false},  {"Label_row_15", {1920, 6360, 255, 255}, false}};

TEST(Layout, EveryPageShowsItsControlsInPlaceAndNeverTheHiddenOnes) {
    // Labels are widened to their captions, which takes glyph metrics.
    if (QFontDatabase::families().isEmpty()) GTEST_SKIP() << "no fonts on this platform (Qt's offscreen on Windows)";
    Console console;
    frmSerial& w = console.w;
    w.show();
    const auto all = controls(w);
    const auto never_shown = [&w](const QWidget* control) {
        for (; control != &w; control = control->parentWidget())
            if (hidden.contains(control->objectName())) return true;
        return false;
    };
    for (const int page : {1, 0, 1}) {
        w.SSTab1->setCurrentIndex(page);
        QCoreApplication::processEvents();  // the tab control lays out the page it shows
        for (const auto& [name, control] : all) {
            SCOPED_TRACE(name.toStdString() + " on page " + std::to_string(page));
            const bool elsewhere = control != w.SSTab1 && w.SSTab1->isAncestorOf(control) &&
                                   !w.SSTab1->widget(page)->isAncestorOf(control);
            ASSERT_EQ(control->isVisible(), !never_shown(control) && !elsewhere);
            if (!control->isVisible()) continue;
            EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
            for (const QWidget* sibling : control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_TRUE(sibling == control || !sibling->isVisible() ||
                            !sibling->geometry().intersects(control->geometry()))
                    << "overlaps " << sibling->objectName().toStdString();
            if (auto* label = qobject_cast<QLabel*>(control)) {
                const QRect need = QFontMetrics(label->font())
                                       .boundingRect(label->rect(), label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
                EXPECT_TRUE(need.width() <= label->width() && need.height() <= label->height())
                    << "needs " << need.width() << "x" << need.height() << ", has " << label->width() << "x"
                    << label->height() << " for \"" << label->text().toStdString() << "\" in "
                    << label->font().family().toStdString();
            }
        }
        for (const auto& [name, twips, on_tab] : placements) {
            const QWidget* control = w.findChild<QWidget*>(name);
            if (!control->isVisible()) continue;
            const QPoint corner = on_tab ? control->mapTo(w.SSTab1, QPoint(0, 0)) : control->pos();
            EXPECT_EQ(QRect(corner, control->size()),
                      QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()))) << name;
        }
    }
    // The status line keeps its designed corner and height and runs under the whole tab control.
    EXPECT_EQ(w.MsgCom->geometry(), QRect(px(1080), px(8040), w.SSTab1->width(), px(495)));
}

}  // namespace
