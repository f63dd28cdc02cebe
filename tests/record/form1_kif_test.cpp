// The KIF items of the record panel: every box of writing and reading KIF, in the order and
// wording the game shows them, beside the .棋譜 record's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "match/fakes.h"
#include "match/form1.h"
#include "record/file_io.h"
#include "record/kif.h"
#include "texts/texts.h"

namespace velk {
namespace {

namespace fs = std::filesystem;
using fakes::Box;

class KifPanelHandlers : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        form_.Form_Load();
        p_.panel.folderPath = dir_.string();
        p_.dialogs.boxes.clear();
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Two moves from the start, as the turns would have logged them.
    void playTwoMoves() {
        GameState& s = form_.s;
        form_.手順保存(7, 7, 7, 6, MAN_HU, EMPTY, 0, 12.8f, 0, 0);
        s.record.recPieceAfter[1] = MAN_HU;
        s.board[7][7] = EMPTY;
        s.board[7][6] = MAN_HU;
        form_.手順保存(3, 3, 3, 4, COM_HU, COM_HU, 12.8f, 12.8f, 0, 4.5f);
        s.board[3][3] = EMPTY;
        s.board[3][4] = COM_HU;
        s.moveCount = 2;
    }
    // Opens the panel with the KIF item and presses the write button on the name given.
    void writeAs(const std::string& name, const std::string& title = "") {
        form_.KIF_WRITE_Click();
        p_.panel.setText(1, name);
        p_.panel.setText(2, title);
        form_.Command1_Click();
    }
    void put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(writeFileAtomic((dir_ / name).string(), bytes).ok);
    }
    std::string read(const std::string& name) const {
        return readWholeFile((dir_ / name).string(), 100000).bytes;
    }
    static Box message(const std::string& text, const std::string& title) {
        return {Box::Message, text, title};
    }

    fs::path dir_ = fs::temp_directory_path() / ("velk_form1_kif_" + std::to_string(::getpid()));
    fakes::FakePorts p_;
    Form1 form_{p_.ports(), dir_};
};

TEST_F(KifPanelHandlers, BadNamesAndAnEmptyRecordAreRefusedAsForTheRecordFile) {
    writeAs("");
    writeAs("../escape");
    writeAs(std::string(252, 'a'));
    writeAs(std::string(251, 'a') + ".kifu");  // the room is counted for .kif
    writeAs("game");
    EXPECT_EQ(p_.dialogs.boxes,
              (std::vector<Box>{
                  message(texts::file::NAME_NOT_ENTERED, texts::record::NAME_TITLE),
                  message(checkFileName("../escape"), texts::record::NAME_TITLE),
                  message(texts::record::nameTooLong(251, 83), texts::record::NAME_TITLE),
                  message(texts::record::nameTooLong(251, 83), texts::record::NAME_TITLE),
                  message(texts::record::NOTHING_TO_SAVE, texts::record::SAVE_TITLE),
              }));
    EXPECT_TRUE(p_.panel.textPanel);
    EXPECT_FALSE(fs::exists(dir_ / "game.kif"));
}

TEST_F(KifPanelHandlers, WritingAsksBeforeReplacingAndTellsWhatWentWrong) {
    playTwoMoves();
    // A header CP932 cannot hold is written only as UTF-8; control characters never.
    writeAs("game", "練習 \xF0\x9F\x98\x80");
    writeAs("game", "a\tb");
    put("game.kif", "old");
    p_.dialogs.answers = {false};
    writeAs("game", "練習");
    EXPECT_EQ(read("game.kif"), "old");
    p_.panel.folderPath = (dir_ / "missing").string();
    writeAs("game", "練習");
    const std::string notWritten = p_.dialogs.boxes.back().text;
    EXPECT_EQ(notWritten.rfind(texts::record::notWritten(""), 0), 0u) << notWritten;
    EXPECT_TRUE(p_.panel.textPanel);
    p_.panel.folderPath = dir_.string();
    p_.dialogs.answers = {true};
    writeAs("game", "練習");
    EXPECT_FALSE(p_.panel.textPanel);
    writeAs("game.kifu", "練習 \xF0\x9F\x98\x80");
    EXPECT_EQ(p_.dialogs.boxes,
              (std::vector<Box>{
                  message(texts::kif::NOT_CP932, texts::record::SAVE_TITLE),
                  message(texts::kif::HEADER_HAS_CONTROLS, texts::record::SAVE_TITLE),
                  {Box::YesNo, texts::record::overwriteQuestion("game.kif"),
                   texts::record::SAVE_TITLE, false},
                  message(notWritten, texts::record::SAVE_TITLE),
                  {Box::YesNo, texts::record::overwriteQuestion("game.kif"),
                   texts::record::SAVE_TITLE, true},
                  message(texts::kif::WRITTEN, texts::record::NAME_TITLE),
                  message(texts::kif::WRITTEN, texts::record::NAME_TITLE),
              }));
    EXPECT_TRUE(decodeKif(read("game.kif")).ok);
    EXPECT_TRUE(decodeKif(read("game.kifu")).ok);
    EXPECT_EQ(form_.s.movesUnsaved, 0);
}

TEST_F(KifPanelHandlers, ReadingTellsWhatWentWrongAndAsksOverUnsavedMoves) {
    fs::create_directory(dir_ / "folder.kif");
    put("empty.kif", "手合割：平手\r\n");
    put("bad.kifu", "手合割：平手\n   1 ７五歩(77)\n");
    put("good.kifu", "手合割：平手\n   1 ７六歩(77)\n   2 ３四歩(33)\n");
    form_.SENTE_Click();
    playTwoMoves();
    p_.dialogs.boxes.clear();
    for (const char* name : {"../x.kif", "folder.kif", "empty.kif", "bad.kifu"}) {
        form_.KIF_READ_Click();
        form_.File1_Click(name);
    }
    EXPECT_EQ(form_.s.kifuMode, NO);
    p_.dialogs.answers = {false, true};
    form_.File1_Click("good.kifu");
    EXPECT_EQ(form_.s.kifuMode, NO);
    form_.File1_Click("good.kifu");
    EXPECT_EQ(form_.s.kifuMode, YES);
    EXPECT_EQ(form_.s.moveNoLast, 2);
    const Box unsaved{Box::YesNo, texts::match::unsavedMovesQuestion(texts::record::READ_QUESTION),
                      texts::record::TITLE, false};
    Box answeredYes = unsaved;
    answeredYes.answer = true;
    EXPECT_EQ(
        p_.dialogs.boxes,
        (std::vector<Box>{
            message(checkFileName("../x.kif"), texts::record::TITLE),
            message(texts::kif::notRead(texts::file::A_FOLDER), texts::record::TITLE),
            message(texts::kif::NO_MOVES, texts::record::TITLE),
            message(texts::kif::lineFaulty(2, texts::kif::CANNOT_MOVE_THERE), texts::record::TITLE),
            unsaved,
            answeredYes,
            message(texts::record::READ_DONE, texts::record::TITLE),
            message(texts::match::STEP_WITH_AFTER, texts::record::TITLE),
        }));
}

}  // namespace
}  // namespace velk
