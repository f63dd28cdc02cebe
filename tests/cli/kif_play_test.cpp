// The 棋譜 menu's KIF items in scripted games: written through the record panel in the encoding
// of the name typed, read back for stepping with 進, and bad files leave the game as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "cli/play.h"
#include "record/kif.h"
#include "record/record_file.h"
#include "record/sjis.h"
#include "texts/texts.h"

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

struct KifPlay : ::testing::Test {
    fs::path folder;
    std::string out;

    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("velk-kif-play-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream o;
        const int status = runPlayScript(in, o, folder);
        out = o.str();
        return status;
    }
    std::string read(const std::string& name) const {
        std::ifstream f(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    bool printed(const std::string& line) const {
        return out.find("\n" + line + "\n") != std::string::npos;
    }
    // The line of a message box as the script prints it.
    bool shown(const std::string& text, const std::string& title) const {
        return printed("message [" + title + "] " + text);
    }
    // The lines of the script's last show.
    std::string lastShow() const { return out.substr(out.rfind("> show")); }
};

const char* const kGame =
    "SENTE\n"
    "wait 4\n"
    "move 3 7 3 6\n"
    "wait 2\n"
    "move 2 8 8 2 right\n"
    "move 3 9 8 2\n";

TEST_F(KifPlay, WrittenInTheEncodingOfTheNameAndReadBackForStepping) {
    ASSERT_EQ(run(std::string(kGame) +
                  "KIF_WRITE\ntext 1 対局\ntext 2 練習\ntext 3 山田\ntext 4 COM\nRETURN\n"
                  "KIF_WRITE\ntext 1 対局.kifu\ntext 2 練習\nRETURN\n"
                  "KIFU_WRITE\ntext 1 対局\ntext 2 練習\ntext 3 山田\ntext 4 COM\nRETURN\n"),
              0)
        << out;
    EXPECT_TRUE(shown(texts::kif::WRITTEN, texts::record::NAME_TITLE)) << out;
    const std::string kif = read("対局.kif");
    const std::string kifu = read("対局.kifu");
    const std::string record = read("対局.棋譜");
    ASSERT_FALSE(kif.empty());
    ASSERT_FALSE(kifu.empty());
    // The item after the KIF one writes the .棋譜 record as ever.
    const RecordParseResult game = decodeRecordFile(record);
    ASSERT_TRUE(game.ok) << game.error;

    // .kif is CP932 and .kifu UTF-8; both hold the game on the board.
    const std::optional<std::string> kifText = cp932ToUtf8(kif);
    ASSERT_TRUE(kifText);
    EXPECT_NE(kifText->find("先手：山田\r\n"), std::string::npos) << *kifText;
    EXPECT_EQ(kifu.rfind("#KIF version=2.0 encoding=UTF-8\r\n", 0), 0u);
    for (const std::string& bytes : {kif, kifu}) {
        const RecordParseResult back = decodeKif(bytes);
        ASSERT_TRUE(back.ok) << back.error;
        ASSERT_EQ(back.count, game.count);
        EXPECT_EQ(encodeRecordFile(game.header, back.moves, back.count).bytes,
                  encodeRecordFile(game.header, game.moves, game.count).bytes);
    }

    // Read back with the KIF item, stepped through with 進 like a loaded .棋譜.
    ASSERT_EQ(run("KIF_READ\nfile 対局.kif\nAFTER\nAFTER\nshow\n"), 0) << out;
    EXPECT_TRUE(shown(texts::match::STEP_WITH_AFTER, texts::record::TITLE)) << out;
    EXPECT_NE(lastShow().find("moveNo 2 moveNoLast " + std::to_string(game.count)),
              std::string::npos)
        << out;
    EXPECT_NE(lastShow().find("kifuMode 1"), std::string::npos) << out;
}

TEST_F(KifPlay, ABadKifFileIsNamedAndTheGameOnTheBoardStays) {
    std::ofstream(folder / "駒落ち.kif", std::ios::binary) << "手合割：香落ち\r\n";
    std::ofstream(folder / "反則.kifu", std::ios::binary)
        << "手合割：平手\n   1 ７六歩(77)\n   2 ７五歩(73)\n";
    ASSERT_EQ(run(std::string(kGame) +
                  "show\nKIF_READ\nfile 駒落ち.kif\nKIF_READ\nfile 反則.kifu\nshow\n"),
              0)
        << out;
    EXPECT_TRUE(shown(texts::kif::lineFaulty(1, texts::kif::NOT_EVEN_GAME), texts::record::TITLE))
        << out;
    EXPECT_TRUE(
        shown(texts::kif::lineFaulty(3, texts::kif::CANNOT_MOVE_THERE), texts::record::TITLE))
        << out;
    const std::size_t first = out.find("> show");
    const std::size_t firstEnd = out.find("> KIF_READ", first);
    EXPECT_EQ(out.substr(first, firstEnd - first), lastShow()) << out;
}

TEST_F(KifPlay, ANameTypedWithAKifExtensionInTheRecordPanelWritesKif) {
    ASSERT_EQ(run(std::string(kGame) + "KIFU_WRITE\ntext 1 panel.kifu\nRETURN\n"), 0) << out;
    EXPECT_TRUE(shown(texts::kif::WRITTEN, texts::record::NAME_TITLE)) << out;
    EXPECT_TRUE(decodeKif(read("panel.kifu")).ok);
    EXPECT_FALSE(fs::exists(folder / "panel.kifu.棋譜"));
}

TEST_F(KifPlay, AKifWriteRefusedAfterAReversalWritesNothing) {
    // Outside a game: during one 反転 is refused.
    ASSERT_EQ(run("REVERSE\nKIF_WRITE\ntext 1 x\nRETURN\n"), 0) << out;
    EXPECT_TRUE(shown(texts::record::NO_WRITE_AFTER_REVERSE, texts::record::WRITE_TITLE)) << out;
    EXPECT_FALSE(fs::exists(folder / "x.kif"));
}

}  // namespace
}  // namespace velk::cli
