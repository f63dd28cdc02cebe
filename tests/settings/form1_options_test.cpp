#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "match/fakes.h"
#include "match/form1.h"
#include "record/file_io.h"
#include "record/sjis.h"
#include "settings/settings_file.h"
#include "texts/texts.h"

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

// Every background item, its code, the tile painted with it and its line in the file agree,
// and reading that file at the next start checks the same item again.
TEST_F(Options, EachBackgroundItemPaintsItsTileAndNamesItInTheFile) {
    struct Case {
        void (Form1::*click)();
        MenuItem item;
        int code;
        const char* line;
    };
    const Case cases[] = {{&Form1::MIDORI_Click, MenuItem::MIDORI, BACKGROUND_MIDORI, "背景画=緑"},
                          {&Form1::TATAMI_Click, MenuItem::TATAMI, BACKGROUND_TATAMI, "背景画=畳"},
                          {&Form1::TAKE_Click, MenuItem::TAKE, BACKGROUND_TAKE, "背景画=竹"},
                          {&Form1::UCHU_Click, MenuItem::UCHU, BACKGROUND_UCHU, "背景画=宇宙"},
                          {&Form1::RENGA_Click, MenuItem::RENGA, BACKGROUND_RENGA, "背景画=煉瓦"}};
    form_.Form_Load();
    form_.UCHU_Click();  // green is checked at the start: begin elsewhere so it changes too
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        p_.canvas.ops.clear();
        (form_.*c.click)();
        EXPECT_EQ(form_.s.background, c.code);
        for (const Case& other : cases) EXPECT_EQ(checked(other.item), other.code == c.code);
        bool tiled = false;
        for (const fakes::CanvasOp& op : p_.canvas.ops) {
            if (op.kind != fakes::CanvasOp::Picture || op.gx != -3) continue;  // tiles only
            EXPECT_EQ(op.code, c.code);
            tiled = true;
        }
        EXPECT_TRUE(tiled);
        EXPECT_EQ(settings(), std::string(c.line) + "\r\n経過時間=ON\r\nBGM=ON\r\n");

        fakes::FakePorts again;
        Form1 next(again.ports(), dir_);
        next.Form_Load();
        EXPECT_EQ(next.s.background, c.code);
        for (const Case& other : cases)
            EXPECT_EQ(again.menu.isChecked(other.item), other.code == c.code);
    }
}

TEST_F(Options, NoSoundDeviceGivesOneWarningAndSilence) {
    putSound("禁止.wav");
    p_.sound.deviceToReturn = 0;
    form_.Form_Load();
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0],
              (Box{Box::Warning, texts::match::NO_SOUND_DEVICE, texts::match::SOUND_TITLE}));
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

const Box NOT_SAVED_IN_A_FOLDER{Box::Message,
                                "設定ﾌｧｲﾙ「Velkついたて将棋.ini」に書き込めません\n"
                                "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです\n\n"
                                "ｵﾌﾟｼｮﾝの設定は終了するまで有効ですが、次回には残りません",
                                "ｵﾌﾟｼｮﾝ"};

TEST_F(Options, SettingsThatCannotBeWrittenKeepThePlayersChoiceAndSaySoOnce) {
    form_.Form_Load();
    p_.dialogs.boxes.clear();
    // A folder in place of the file: every write fails.
    fs::remove(settingsPath());
    fs::create_directory(settingsPath());

    form_.TAKE_Click();
    EXPECT_TRUE(checked(MenuItem::TAKE));
    EXPECT_FALSE(checked(MenuItem::MIDORI));
    EXPECT_EQ(form_.s.background, BACKGROUND_TAKE);
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0], NOT_SAVED_IN_A_FOLDER);

    form_.KEIKA_Click();
    form_.BGM_Click();
    form_.Form_Load();  // as reading a record does: the file is still unusable
    EXPECT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(fs::is_directory(settingsPath()));

    // Once the file can be written again, the next change stores what the player chose.
    fs::remove(settingsPath());
    form_.TAKE_Click();
    form_.KEIKA_Click();
    form_.BGM_Click();
    EXPECT_FALSE(checked(MenuItem::KEIKA));
    EXPECT_FALSE(checked(MenuItem::BGM));
    EXPECT_EQ(settings(), "背景画=竹\r\n経過時間=OFF\r\nBGM=OFF\r\n");
    EXPECT_EQ(p_.dialogs.boxes.size(), 1u);
}

TEST_F(Options, AFolderInPlaceOfTheFileAtStartGivesTheDefaultsAndOneBox) {
    fs::create_directory(settingsPath());
    form_.Form_Load();
    EXPECT_TRUE(checked(MenuItem::MIDORI));
    EXPECT_TRUE(checked(MenuItem::KEIKA));
    EXPECT_TRUE(checked(MenuItem::BGM));
    EXPECT_EQ(p_.dialogs.boxes, (std::vector<Box>{NOT_SAVED_IN_A_FOLDER}));
    form_.UCHU_Click();
    EXPECT_TRUE(checked(MenuItem::UCHU));
    EXPECT_EQ(p_.dialogs.boxes.size(), 1u);
}

TEST_F(Options, FifosInPlaceOfTheSettingsAndSoundFilesCountAsMissing) {
    const std::string fifo = settingsPath();
    const std::string soundFifo = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir_ / "禁止.wav").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(soundFifo.c_str(), 0600), 0);
    fs::create_symlink(soundFifo, dir_ / "駒打音.wav");

    auto loading = std::async(std::launch::async, [this] { form_.Form_Load(); });
    if (loading.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
        ADD_FAILURE() << "the load waited on a FIFO";
        for (const std::string& f : {fifo, (dir_ / "禁止.wav").string(), soundFifo}) {
            const int w = ::open(f.c_str(), O_WRONLY | O_NONBLOCK);
            if (w >= 0) ::close(w);
        }
    }
    loading.get();
    // The defaults, as without a file; the FIFO is neither read nor replaced.
    EXPECT_TRUE(checked(MenuItem::MIDORI));
    EXPECT_TRUE(checked(MenuItem::KEIKA));
    EXPECT_TRUE(checked(MenuItem::BGM));
    EXPECT_TRUE(fs::is_fifo(fifo));
    // Silent sounds, no warning; only the box saying the settings cannot be kept.
    EXPECT_EQ(form_.sndForbidden, 0);
    EXPECT_EQ(form_.sndPiece, 0);
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0].title, texts::match::SETTINGS_TITLE);
    EXPECT_NE(p_.dialogs.boxes[0].text.find(texts::file::NOT_REGULAR), std::string::npos);
}

}  // namespace
}  // namespace velk
