#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "match/fakes.h"
#include "match/form1.h"
#include "record/file_io.h"
#include "record/sjis.h"
#include "settings/settings_file.h"

namespace velk {
namespace {

namespace fs = std::filesystem;
using fakes::Box;
using fakes::SoundCall;

class Options : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string settingsPath() const { return (dir_ / SETTINGS_FILE_NAME).string(); }
    void writeSettings(const std::string& utf8) {
        ASSERT_TRUE(writeFileAtomic(settingsPath(), *utf8ToCp932(utf8)).ok);
    }
    std::string settings() const {
        const FileReadResult f = readWholeFile(settingsPath(), 1000);
        return f.ok ? *cp932ToUtf8(f.bytes) : "<missing>";
    }
    void putSound(const std::string& name) {
        ASSERT_TRUE(writeFileAtomic((dir_ / name).string(), "RIFF....WAVE").ok);
    }
    bool checked(MenuItem item) const { return p_.menu.isChecked(item); }
    int loops() const {
        int n = 0;
        for (const SoundCall& c : p_.sound.calls) n += c.what == "loop" ? 1 : 0;
        return n;
    }

    fs::path dir_ =
        fs::temp_directory_path() / ("velk_form1_options_" + std::to_string(::getpid()));
    fakes::FakePorts p_;
    Form1 form_{p_.ports(), dir_};
};

TEST_F(Options, FirstRunWritesTheDefaultsWithoutStartingTheMusic) {
    form_.Form_Load();
    EXPECT_EQ(settings(), "背景画=緑\r\n経過時間=ON\r\nBGM=ON\r\n");
    EXPECT_TRUE(checked(MenuItem::MIDORI));
    EXPECT_TRUE(checked(MenuItem::KEIKA));
    EXPECT_TRUE(checked(MenuItem::BGM));
    EXPECT_EQ(form_.s.background, BACKGROUND_MIDORI);
    EXPECT_EQ(loops(), 0);
    EXPECT_TRUE(p_.dialogs.boxes.empty());
}

TEST_F(Options, AStoredFileSetsTheMarksAndStartsTheMusic) {
    putSound("BGM.wav");
    writeSettings("背景画=宇宙\r\n経過時間=OFF\r\nBGM=ON\r\n");
    form_.Form_Load();
    EXPECT_TRUE(checked(MenuItem::UCHU));
    EXPECT_FALSE(checked(MenuItem::MIDORI));
    EXPECT_EQ(form_.s.background, BACKGROUND_UCHU);
    EXPECT_FALSE(checked(MenuItem::KEIKA));
    EXPECT_TRUE(checked(MenuItem::BGM));
    ASSERT_NE(form_.sndBGM, 0);
    EXPECT_EQ(p_.sound.calls.back(), (SoundCall{"loop", form_.sndBGM}));
    EXPECT_EQ(settings(), "背景画=宇宙\r\n経過時間=OFF\r\nBGM=ON\r\n");  // read, not rewritten
}

TEST_F(Options, UnknownBackgroundThenATwoLineFileThenTheDefaults) {
    writeSettings("背景画=海\r\n経過時間=ON\r\nBGM=OFF\r\n");
    form_.Form_Load();
    for (MenuItem item :
         {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE, MenuItem::UCHU, MenuItem::RENGA})
        EXPECT_FALSE(checked(item));
    EXPECT_EQ(form_.s.background, BACKGROUND_MIDORI);  // as it was
    form_.BGM_Click();
    EXPECT_EQ(settings(), "経過時間=ON\r\nBGM=ON\r\n");
    form_.Form_Load();
    EXPECT_EQ(settings(), "背景画=緑\r\n経過時間=ON\r\nBGM=ON\r\n");
    EXPECT_TRUE(checked(MenuItem::MIDORI));
}

TEST_F(Options, MenuItemsChangeMarksStateAndFile) {
    form_.Form_Load();
    p_.canvas.ops.clear();
    form_.TAKE_Click();
    EXPECT_TRUE(checked(MenuItem::TAKE));
    EXPECT_FALSE(checked(MenuItem::MIDORI));
    EXPECT_EQ(form_.s.background, BACKGROUND_TAKE);
    ASSERT_FALSE(p_.canvas.ops.empty());
    EXPECT_EQ(p_.canvas.ops.front().kind, fakes::CanvasOp::FullRedraw);
    form_.TAKE_Click();  // clicking the checked item keeps it
    EXPECT_TRUE(checked(MenuItem::TAKE));
    EXPECT_EQ(settings(), "背景画=竹\r\n経過時間=ON\r\nBGM=ON\r\n");

    form_.KEIKA_Click();
    EXPECT_FALSE(checked(MenuItem::KEIKA));
    EXPECT_FALSE(p_.timer.enabled);
    form_.KEIKA_Click();
    EXPECT_TRUE(p_.timer.enabled);

    form_.BGM_Click();
    EXPECT_EQ(p_.sound.calls.back(), (SoundCall{"stop", form_.sndBGM}));
    EXPECT_EQ(settings(), "背景画=竹\r\n経過時間=ON\r\nBGM=OFF\r\n");
    form_.BGM_Click();
    // No BGM.wav beside the program: the mark and the file change, the library gets handle 0.
    EXPECT_EQ(form_.sndBGM, 0);
    EXPECT_EQ(p_.sound.calls.back(), (SoundCall{"loop", 0}));
    EXPECT_EQ(settings(), "背景画=竹\r\n経過時間=ON\r\nBGM=ON\r\n");
}

TEST_F(Options, NoSoundDeviceGivesOneWarningAndSilence) {
    putSound("禁止.wav");
    p_.sound.deviceToReturn = 0;
    form_.Form_Load();
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0],
              (Box{Box::Warning, "Direct Soundインターフェースが作成できません。",
                   "Velkついたて将棋.dll"}));
    EXPECT_EQ(form_.sndForbidden, 0);
    EXPECT_TRUE(p_.sound.live.empty());
}

TEST_F(Options, SoundsAreLoadedFromTheFolderAndReleasedBeforeASecondLoad) {
    putSound("禁止.wav");
    putSound("駒打音.wav");
    form_.Form_Load();
    EXPECT_EQ(form_.sndOther, 0);  // missing: silent, no message
    EXPECT_NE(form_.sndForbidden, 0);
    EXPECT_NE(form_.sndPiece, 0);
    EXPECT_TRUE(p_.dialogs.boxes.empty());
    form_.Form_Load();
    EXPECT_EQ(p_.sound.live.size(), 2u);
    int inits = 0, terminates = 0;
    for (const SoundCall& c : p_.sound.calls) {
        inits += c.what == "init";
        terminates += c.what == "terminate";
    }
    EXPECT_EQ(inits, 2);
    EXPECT_EQ(terminates, 1);
}

TEST_F(Options, InformationBoxNamesTheGameAndPlaysItsSound) {
    putSound("その他.wav");
    form_.Form_Load();
    p_.panel.setListsVisible(true, true, true);
    form_.VER_Click();
    EXPECT_FALSE(p_.panel.files);
    EXPECT_EQ(p_.sound.calls.back(), (SoundCall{"play", form_.sndOther}));
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_NE(p_.dialogs.boxes[0].text.find("Velkついたて将棋"), std::string::npos);
    EXPECT_NE(p_.dialogs.boxes[0].text.find("1."), std::string::npos);
}

}  // namespace
}  // namespace velk
