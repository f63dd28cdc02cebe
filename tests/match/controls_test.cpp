// The one table from a control's name to its handler, read by the window and the scripted player.
#include "match/controls.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "match/fakes.h"
#include "texts/texts.h"

namespace velk {
namespace {

TEST(Controls, EveryNameIsFoundOnceAndExactly) {
    std::set<std::string_view> names;
    for (const Control& c : CONTROLS) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        EXPECT_EQ(findControl(c.name), &c) << c.name;
        EXPECT_NE(c.handler, nullptr) << c.name;
    }
    EXPECT_EQ(names.size(), std::size(CONTROLS));
    EXPECT_EQ(findControl("sente"), nullptr);
    EXPECT_EQ(findControl("SENTE "), nullptr);
    EXPECT_EQ(findControl(""), nullptr);
    EXPECT_EQ(findControl("KIFU"), nullptr);  // the 棋譜 menu runs nothing when opened
}

TEST(Controls, KindsTellMenusOpenedFromItemsAndTheButton) {
    std::set<std::string_view> opened, buttons;
    for (const Control& c : CONTROLS) {
        if (c.kind == ControlKind::MenuOpened) opened.insert(c.name);
        if (c.kind == ControlKind::Button) buttons.insert(c.name);
    }
    EXPECT_EQ(opened, (std::set<std::string_view>{"TAIKYOKU", "STOP", "OPTION"}));
    EXPECT_EQ(buttons, (std::set<std::string_view>{"RETURN"}));
}

// Each name reaches its own handler: a few whose boxes or marks tell them apart.
TEST(Controls, NamesReachTheirHandlers) {
    fakes::FakePorts f;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("velk_controls_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Form1 form(f.ports(), dir);
    form.Form_Load();
    auto run = [&](std::string_view name) {
        const Control* c = findControl(name);
        ASSERT_NE(c, nullptr) << name;
        f.dialogs.boxes.clear();
        (form.*(c->handler))();
    };

    run("LEVEL3");
    EXPECT_TRUE(f.menu.isChecked(MenuItem::LEVEL3));
    EXPECT_FALSE(f.menu.isChecked(MenuItem::LEVEL1));
    run("LEVEL2");
    EXPECT_TRUE(f.menu.isChecked(MenuItem::LEVEL2));
    run("KOUSEI");
    EXPECT_TRUE(f.menu.isChecked(MenuItem::KOUSEI));
    EXPECT_FALSE(f.menu.isChecked(MenuItem::LEVEL2));
    EXPECT_EQ(form.s.level, LEVEL_KOUSEI);
    run("RENGA");
    EXPECT_TRUE(f.menu.isChecked(MenuItem::RENGA));
    run("RETURN");  // the record panel's button with no name typed
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.dialogs.boxes[0].text, texts::file::NAME_NOT_ENTERED);
    run("VER");
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.dialogs.boxes[0].title, texts::match::ABOUT_TITLE);
    run("SENTE");
    ASSERT_FALSE(f.dialogs.boxes.empty());
    EXPECT_EQ(f.dialogs.boxes[0].text, texts::match::YOUR_TURN);
    EXPECT_EQ(form.s.roleMAN, SENTE);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velk
