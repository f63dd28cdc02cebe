// The window's controls by name: which Form1 handler each menu item, menu and button runs. The
// window and the scripted player both look their controls up here.
#pragma once

#include <string_view>

#include "match/form1.h"

namespace velk {

enum class ControlKind {
    MenuItem,    // runs when the item is chosen
    MenuOpened,  // runs when the menu is opened, before an item is chosen
    Button,      // a button of the record panel
};

struct Control {
    std::string_view name;
    void (Form1::*handler)();
    ControlKind kind;
};

inline constexpr Control CONTROLS[] = {
    {"TAIKYOKU", &Form1::TAIKYOKU_Click, ControlKind::MenuOpened},
    {"SENTE", &Form1::SENTE_Click, ControlKind::MenuItem},
    {"GOTE", &Form1::GOTE_Click, ControlKind::MenuItem},
    {"FUTARI", &Form1::FUTARI_Click, ControlKind::MenuItem},
    {"TOURYOU", &Form1::TOURYOU_Click, ControlKind::MenuItem},
    {"LEVEL1", &Form1::LEVEL1_Click, ControlKind::MenuItem},
    {"LEVEL2", &Form1::LEVEL2_Click, ControlKind::MenuItem},
    {"LEVEL3", &Form1::LEVEL3_Click, ControlKind::MenuItem},
    {"KOUSEI", &Form1::KOUSEI_Click, ControlKind::MenuItem},
    {"HINT", &Form1::HINT_Click, ControlKind::MenuItem},
    {"OWARI", &Form1::OWARI_Click, ControlKind::MenuItem},
    {"STOP", &Form1::STOP_Click, ControlKind::MenuOpened},
    {"REPLAY", &Form1::REPLAY_Click, ControlKind::MenuItem},
    {"AFTER", &Form1::AFTER_Click, ControlKind::MenuItem},
    {"REVERSE", &Form1::REVERSE_Click, ControlKind::MenuItem},
    {"ICHIJI", &Form1::ICHIJI_Click, ControlKind::MenuItem},
    {"CANCEL", &Form1::CANCEL_Click, ControlKind::MenuItem},
    {"KIFU_WRITE", &Form1::KIFU_WRITE_Click, ControlKind::MenuItem},
    {"KIFU_READ", &Form1::KIFU_READ_Click, ControlKind::MenuItem},
    {"KIF_WRITE", &Form1::KIF_WRITE_Click, ControlKind::MenuItem},
    {"KIF_READ", &Form1::KIF_READ_Click, ControlKind::MenuItem},
    {"OPTION", &Form1::OPTION_Click, ControlKind::MenuOpened},
    {"MIDORI", &Form1::MIDORI_Click, ControlKind::MenuItem},
    {"TATAMI", &Form1::TATAMI_Click, ControlKind::MenuItem},
    {"TAKE", &Form1::TAKE_Click, ControlKind::MenuItem},
    {"UCHU", &Form1::UCHU_Click, ControlKind::MenuItem},
    {"RENGA", &Form1::RENGA_Click, ControlKind::MenuItem},
    {"KEIKA", &Form1::KEIKA_Click, ControlKind::MenuItem},
    {"BGM", &Form1::BGM_Click, ControlKind::MenuItem},
    {"VER", &Form1::VER_Click, ControlKind::MenuItem},
    {"RETURN", &Form1::Command1_Click, ControlKind::Button},
};

// The control of that name, nullptr when there is none.
constexpr const Control* findControl(std::string_view name) {
    for (const Control& c : CONTROLS) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

}  // namespace velk
