// Scripts meeting unusual files in the game folder: FIFOs where the settings or a record should
// be, and a record saved over an existing one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <random>
#include <sstream>
#include <string>

#include "cli/play.h"

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

struct PlayFiles : ::testing::Test {
    fs::path folder;
    std::string out;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("velk-play-files-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs the script; a script still running after five seconds has a writer opened on every
    // FIFO of the folder so that it ends, and the test fails.
    int run(const std::string& script) {
        auto running = std::async(std::launch::async, [&] {
            std::istringstream in(script);
            std::ostringstream o;
            const int status = runPlayScript(in, o, folder);
            return std::make_pair(status, o.str());
        });
        if (running.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "the script waited on a FIFO";
            for (const auto& e : fs::directory_iterator(folder)) {
                if (!fs::is_fifo(e.path())) continue;
                const int w = ::open(e.path().c_str(), O_WRONLY | O_NONBLOCK);
                if (w >= 0) ::close(w);
            }
        }
        const auto [status, text] = running.get();
        out = text;
        return status;
    }
    bool printed(const std::string& line) const {
        return out.find("\n" + line + "\n") != std::string::npos || out.rfind(line + "\n", 0) == 0;
    }
};

TEST_F(PlayFiles, AFifoInPlaceOfTheSettingsFileIsNeverWaitedOn) {
    ASSERT_EQ(::mkfifo((folder / "Velkついたて将棋.ini").c_str(), 0600), 0);
    ASSERT_EQ(run("show\n"), 0) << out;
    // Started with the defaults, and told once that they cannot be kept.
    EXPECT_TRUE(
        printed("message [ｵﾌﾟｼｮﾝ] 設定ﾌｧｲﾙ「Velkついたて将棋.ini」に書き込めません\\n"
                "通常のﾌｧｲﾙではありません（ﾊﾟｲﾌﾟや装置は使えません）\\n\\n"
                "ｵﾌﾟｼｮﾝの設定は終了するまで有効ですが、次回には残りません"))
        << out;
    EXPECT_NE(out.find("checked LEVEL1 KEIKA BGM MIDORI"), std::string::npos) << out;
    EXPECT_TRUE(fs::is_fifo(folder / "Velkついたて将棋.ini"));
}

TEST_F(PlayFiles, AFifoRecordIsRefusedAndAnExistingRecordIsReplacedOnlyOnYes) {
    ASSERT_EQ(::mkfifo((folder / "pipe.棋譜").c_str(), 0600), 0);
    std::ofstream(folder / "old.棋譜") << "keep";
    ASSERT_EQ(run("KIFU_READ\n"
                  "file pipe.棋譜\n"
                  "SENTE\n"
                  "move 7 7 7 6\n"
                  "KIFU_WRITE\n"
                  "text 1 old\n"
                  "no\n"
                  "RETURN\n"
                  "show\n"),
              0)
        << out;
    EXPECT_TRUE(
        printed("message [棋譜] 棋譜ﾌｧｲﾙを読み込めませんでした\\n"
                "通常のﾌｧｲﾙではありません（ﾊﾟｲﾌﾟや装置は使えません）"))
        << out;
    EXPECT_TRUE(
        printed("question [棋譜保存] 「old.棋譜」は既にあります。\\n上書きしますか？ -> no"))
        << out;
    EXPECT_TRUE(printed("panel lists 110 texts shown")) << out;
    std::ifstream kept(folder / "old.棋譜");
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "keep");
}

}  // namespace
}  // namespace velk::cli
