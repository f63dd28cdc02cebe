#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>

#include "match/fakes.h"
#include "match/form1.h"
#include "record/file_io.h"
#include "record/kif.h"
#include "record/sjis.h"
#include "texts/texts.h"

namespace velk {
namespace {

namespace fs = std::filesystem;
using fakes::Box;

class RecordPanelHandlers : public ::testing::Test {
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
    void write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(writeFileAtomic((dir_ / name).string(), bytes).ok);
    }
    bool shown(const std::string& text) const { return p_.dialogs.count(text) > 0; }

    // The program's folder (settings file) and the record folder in one.
    fs::path dir_ = fs::temp_directory_path() / ("velk_form1_record_" + std::to_string(::getpid()));
    fakes::FakePorts p_;
    Form1 form_{p_.ports(), dir_};
};

TEST_F(RecordPanelHandlers, WritingIsOfferedOnlyWithoutReversalOrHandicap) {
    form_.s.reversed = YES;
    form_.KIFU_WRITE_Click();
    EXPECT_EQ(p_.dialogs.boxes.back(),
              (fakes::Box{fakes::Box::Message, texts::record::NO_WRITE_AFTER_REVERSE,
                          texts::record::WRITE_TITLE}));
    EXPECT_FALSE(p_.panel.textPanel);
    form_.s.reversed = NO;
    form_.s.handicapSet = YES;
    form_.KIFU_WRITE_Click();
    EXPECT_TRUE(shown(texts::record::NO_WRITE_AFTER_HANDICAP));
    form_.s.handicapSet = NO;
    form_.KIFU_WRITE_Click();
    EXPECT_TRUE(p_.panel.drives && p_.panel.folders && !p_.panel.files && p_.panel.textPanel);
    form_.KIFU_READ_Click();
    EXPECT_TRUE(p_.panel.drives && p_.panel.folders && p_.panel.files && !p_.panel.textPanel);
}

TEST_F(RecordPanelHandlers, WritingRefusesBadNamesAndAnEmptyRecord) {
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.boxes.back(),
              (fakes::Box{fakes::Box::Message, texts::file::NAME_NOT_ENTERED,
                          texts::record::NAME_TITLE}));
    p_.panel.setText(1, "../escape");
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.boxes.size(), 2u);
    p_.panel.setText(1, "game");
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.boxes.back(),
              (fakes::Box{fakes::Box::Message, texts::record::NOTHING_TO_SAVE,
                          texts::record::SAVE_TITLE}));
    EXPECT_FALSE(fs::exists(dir_ / "game.棋譜"));
}

TEST_F(RecordPanelHandlers, WritesTheRecordAndReadsItBackForStepping) {
    playTwoMoves();
    form_.s.roleMAN = SENTE;
    form_.s.roleCOM = GOTE;
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "第一局");
    p_.panel.setText(2, "練習");
    p_.panel.setText(3, "私");
    p_.panel.setText(4, "ｺﾝﾋﾟｭｰﾀ");
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.boxes.back(),
              (fakes::Box{fakes::Box::Message, texts::record::WRITTEN, texts::record::NAME_TITLE}));
    EXPECT_FALSE(p_.panel.textPanel);
    EXPECT_TRUE(p_.panel.texts.empty() || p_.panel.text(1).empty());
    EXPECT_EQ(p_.panel.refreshes, 1);

    const FileReadResult file = readWholeFile((dir_ / "第一局.棋譜").string(), 10000);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.bytes, *utf8ToCp932("練習\r\nｺﾝﾋﾟｭｰﾀ\r\n私\r\n"
                                       " 7776 -10 -10   0    0   12    0    0\r\n"
                                       " 3334  10  10   0   12   12    0    4\r\n"));

    // Reading starts the program afresh, then waits at the start for 進.
    form_.s.level = 3;
    p_.dialogs.boxes.clear();
    form_.File1_Click("第一局.棋譜");
    EXPECT_EQ(form_.s.level, 1);
    EXPECT_EQ(form_.s.kifuMode, YES);
    EXPECT_EQ(form_.s.moveNo, 0);
    EXPECT_EQ(form_.s.moveNoLast, 2);
    EXPECT_EQ(form_.s.board[7][7], MAN_HU);
    EXPECT_EQ(form_.s.record.recTimeCOMAfter[2], 4.0f);
    EXPECT_TRUE(p_.canvas.drewText("練習"));
    EXPECT_TRUE(p_.canvas.drewText("ｺﾝﾋﾟｭｰﾀ"));
    EXPECT_EQ(p_.dialogs.texts(),
              (std::vector<std::string>{texts::record::READ_DONE, texts::match::STEP_WITH_AFTER}));
}

// A good record replaces the game on the board, so a game with unsaved moves asks first;
// いいえ leaves the game as it was.
TEST_F(RecordPanelHandlers, ReadingOverAnUnsavedGameAsksFirst) {
    write("棋譜.棋譜", *utf8ToCp932("t\r\na\r\nb\r\n 7776 -10 -10   0    0   12    0    0\r\n"));
    form_.SENTE_Click();
    playTwoMoves();
    p_.dialogs.boxes.clear();
    p_.dialogs.answers = {false};
    form_.File1_Click("棋譜.棋譜");
    EXPECT_EQ(
        p_.dialogs.boxes,
        (std::vector<fakes::Box>{{fakes::Box::YesNo,
                                  texts::match::unsavedMovesQuestion(texts::record::READ_QUESTION),
                                  texts::record::TITLE, false}}));
    EXPECT_EQ(form_.s.kifuMode, NO);
    EXPECT_EQ(form_.s.moveNoLast, 2);
    EXPECT_EQ(form_.s.board[3][4], COM_HU);

    p_.dialogs.answers = {true};
    form_.File1_Click("棋譜.棋譜");
    EXPECT_EQ(form_.s.kifuMode, YES);
    EXPECT_EQ(form_.s.moveNoLast, 1);
    EXPECT_EQ(form_.s.board[3][3], COM_HU);
}

TEST_F(RecordPanelHandlers, AFailedWriteIsReportedAndKeepsThePanel) {
    playTwoMoves();
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "game");
    p_.panel.folderPath = (dir_ / "missing").string();
    form_.Command1_Click();
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0].text.rfind("棋譜を書き込めませんでした", 0), 0u);
    EXPECT_FALSE(shown(texts::record::WRITTEN));
    EXPECT_TRUE(p_.panel.textPanel);
    EXPECT_EQ(p_.panel.text(1), "game");
}

TEST_F(RecordPanelHandlers, ABadFileLeavesTheGameUntouched) {
    playTwoMoves();
    form_.s.level = 2;
    const GameState before = form_.s;
    const std::size_t soundCalls = p_.sound.calls.size();
    write("bad.棋譜",
          "t\r\na\r\nb\r\n 7776 -10 -10   0    0   12    0    0\r\n"
          " 7776 -10 -10   0    0   12    0    0\r\n");
    form_.File1_Click("bad.棋譜");
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_NE(p_.dialogs.boxes[0].text.find("5行目"), std::string::npos);
    form_.File1_Click("missing.棋譜");
    form_.File1_Click("../x.棋譜");
    EXPECT_EQ(p_.dialogs.boxes.size(), 3u);
    EXPECT_EQ(p_.sound.calls.size(), soundCalls);  // no restart happened
    EXPECT_EQ(form_.s.level, 2);
    EXPECT_EQ(form_.s.moveNo, before.moveNo);
    EXPECT_EQ(form_.s.board, before.board);
    EXPECT_EQ(form_.s.kifuMode, NO);
}

TEST_F(RecordPanelHandlers, AnEmptyRecordSaysSoAndLeavesTheGameAsItWas) {
    playTwoMoves();
    form_.s.level = 2;
    const GameState before = form_.s;
    const std::size_t soundCalls = p_.sound.calls.size();
    // The moves were put in by hand: the first event after them marks the last move.
    form_.STOP_Click();
    const std::size_t drawn = p_.canvas.ops.size();
    write("empty.棋譜", "t\r\na\r\nb\r\n");
    form_.File1_Click("empty.棋譜");
    EXPECT_EQ(p_.dialogs.texts(), (std::vector<std::string>{texts::record::NO_MOVES}));
    EXPECT_EQ(p_.dialogs.boxes[0].title, texts::record::TITLE);
    // Nothing was reset, loaded or drawn.
    EXPECT_EQ(form_.s.kifuMode, NO);
    EXPECT_EQ(form_.s.level, 2);
    EXPECT_EQ(form_.s.moveNo, before.moveNo);
    EXPECT_EQ(form_.s.moveNoLast, before.moveNoLast);
    EXPECT_EQ(form_.s.board, before.board);
    EXPECT_EQ(form_.s.record.recFromX, before.record.recFromX);
    EXPECT_EQ(p_.sound.calls.size(), soundCalls);
    EXPECT_EQ(p_.canvas.ops.size(), drawn);
}

TEST_F(RecordPanelHandlers, SavingOverAnExistingRecordAsksFirst) {
    write("game.棋譜", "old record");
    playTwoMoves();
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "game");
    p_.panel.setText(2, "練習");

    // "No" leaves the file as it was and the panel open with its texts.
    p_.dialogs.answers.push_back(false);
    form_.Command1_Click();
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0],
              (fakes::Box{fakes::Box::YesNo, texts::record::overwriteQuestion("game.棋譜"),
                          texts::record::SAVE_TITLE, false}));
    EXPECT_EQ(readWholeFile((dir_ / "game.棋譜").string(), 100).bytes, "old record");
    EXPECT_TRUE(p_.panel.textPanel);
    EXPECT_EQ(p_.panel.text(1), "game");
    EXPECT_EQ(p_.panel.text(2), "練習");

    // "Yes" replaces it.
    p_.dialogs.answers.push_back(true);
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.texts().back(), texts::record::WRITTEN);
    EXPECT_EQ(
        readWholeFile((dir_ / "game.棋譜").string(), 1000).bytes.rfind(*utf8ToCp932("練習\r\n"), 0),
        0u);
    EXPECT_FALSE(p_.panel.textPanel);

    // A new name is written without a question.
    p_.dialogs.boxes.clear();
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "game2");
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.texts(), (std::vector<std::string>{texts::record::WRITTEN}));
}

TEST_F(RecordPanelHandlers, NamesAsLongAsTheFileSystemAllowsAreSaved) {
    playTwoMoves();
    std::string kana;
    for (int i = 0; i < 82; ++i) kana += "か";
    // 248 letters or 82 kana, with ".棋譜", fill the 255 bytes a name may have.
    for (const std::string& name : {std::string(248, 'a'), kana}) {
        form_.KIFU_WRITE_Click();
        p_.panel.setText(1, name);
        form_.Command1_Click();
        EXPECT_EQ(p_.dialogs.texts().back(), texts::record::WRITTEN);
        EXPECT_TRUE(fs::is_regular_file(dir_ / (name + ".棋譜")));
    }
    p_.dialogs.boxes.clear();
    for (const std::string& name : {std::string(249, 'a'), kana + "か"}) {
        form_.KIFU_WRITE_Click();
        p_.panel.setText(1, name);
        form_.Command1_Click();
        EXPECT_EQ(
            p_.dialogs.boxes.back(),
            (fakes::Box{fakes::Box::Message,
                        "ﾌｧｲﾙ名が長すぎます\n（英数字なら248文字、かなや漢字なら82文字までです）",
                        "  "}));
        EXPECT_TRUE(p_.panel.textPanel);
    }
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 3);  // the two records and the settings file, no temporary file
}

TEST_F(RecordPanelHandlers, FifosAreRefusedWithAClearBoxAndNeverWaitedOn) {
    const std::string fifo = (dir_ / "pipe.棋譜").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, dir_ / "link.棋譜");
    playTwoMoves();
    const GameState before = form_.s;

    for (const char* name : {"pipe.棋譜", "link.棋譜"}) {
        SCOPED_TRACE(name);
        p_.dialogs.boxes.clear();
        auto reading = std::async(std::launch::async, [&] { form_.File1_Click(name); });
        if (reading.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
            ADD_FAILURE() << "reading blocked";
            const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (w >= 0) ::close(w);
        }
        reading.get();
        ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
        EXPECT_EQ(p_.dialogs.boxes[0].text, texts::record::notRead(texts::file::NOT_REGULAR));
        EXPECT_EQ(form_.s.board, before.board);
        EXPECT_EQ(form_.s.kifuMode, NO);
    }

    // Saving under its name asks nothing and leaves it be.
    p_.dialogs.boxes.clear();
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "pipe");
    form_.Command1_Click();
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0].text, texts::record::notWritten(texts::file::NOT_REGULAR));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(p_.panel.textPanel);
}

TEST_F(RecordPanelHandlers, FileErrorsAreExplainedInJapanese) {
    playTwoMoves();
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "game");
    p_.panel.folderPath = (dir_ / "missing").string();
    form_.Command1_Click();
    ASSERT_EQ(p_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p_.dialogs.boxes[0].text,
              "棋譜を書き込めませんでした\nﾌｧｲﾙまたはﾌｫﾙﾀﾞが見つかりません（" +
                  std::string(std::strerror(ENOENT)) + "）");

    p_.panel.folderPath = dir_.string();
    fs::create_directory(dir_ / "folder.棋譜");
    form_.File1_Click("folder.棋譜");
    EXPECT_EQ(p_.dialogs.boxes.back().text,
              "棋譜ﾌｧｲﾙを読み込めませんでした\nﾌｧｲﾙではなくﾌｫﾙﾀﾞです");
    form_.KIFU_WRITE_Click();
    p_.panel.setText(1, "folder");
    form_.Command1_Click();
    EXPECT_EQ(p_.dialogs.boxes.back().text, "棋譜を書き込めませんでした\nﾌｧｲﾙではなくﾌｫﾙﾀﾞです");
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.棋譜"));
}

TEST_F(RecordPanelHandlers, ChangingDriveMovesTheFolder) {
    fs::create_directory(dir_ / "sub");
    form_.Drive1_Change((dir_ / "sub").string());
    EXPECT_EQ(p_.panel.folderPath, (dir_ / "sub").string());
    EXPECT_EQ(p_.panel.refreshes, 1);
    form_.Drive1_Change((dir_ / "none").string());
    EXPECT_EQ(p_.panel.folderPath, (dir_ / "sub").string());
    EXPECT_TRUE(p_.dialogs.boxes.empty());
}

// The KIF items go through the same panel: the boxes of writing and reading KIF, in the order and
// wording the game shows them.
class KifPanelHandlers : public RecordPanelHandlers {
  protected:
    // Opens the panel with the KIF item and presses the write button on the name given.
    void writeAs(const std::string& name, const std::string& title = "") {
        form_.KIF_WRITE_Click();
        p_.panel.setText(1, name);
        p_.panel.setText(2, title);
        form_.Command1_Click();
    }
    std::string read(const std::string& name) const {
        return readWholeFile((dir_ / name).string(), 100000).bytes;
    }
    static Box message(const std::string& text, const std::string& title) {
        return {Box::Message, text, title};
    }
};

TEST_F(KifPanelHandlers, BadNamesAndAnEmptyRecordAreRefusedAsForTheRecordFile) {
    form_.KIF_WRITE_Click();
    EXPECT_EQ(p_.panel.text(1), std::string(texts::record::DEFAULT_GAME_NAME) + ".kif");
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
    writeAs("game", "a\u2028b");  // a line separator would split the line when read
    write("game.kif", "old");
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

    // The KIF panel says it writes KIF and offers the game's name, the one written last; the
    // record panel's own writer has its usual label and an empty name.
    form_.KIF_WRITE_Click();
    EXPECT_EQ(p_.panel.labels[1], texts::record::KIF_FILE_LABEL);
    EXPECT_EQ(p_.panel.text(1), "game.kif");
    form_.KIFU_WRITE_Click();
    EXPECT_EQ(p_.panel.labels[1], texts::record::PANEL_LABELS[0]);
    EXPECT_EQ(p_.panel.text(1), "");
}

TEST_F(KifPanelHandlers, ReadingTellsWhatWentWrongAndAsksOverUnsavedMoves) {
    fs::create_directory(dir_ / "folder.kif");
    write("empty.kif", "手合割：平手\r\n");
    write("bad.kifu", "手合割：平手\n   1 ７五歩(77)\n");
    // Moves that CR-only line ends would hide: the box says why, not that there are none.
    write("mac.kif", "#KIF\r手合割：平手\r   1 ７六歩(77)\r");
    write("good.kifu", "手合割：平手\n   1 ７六歩(77)\n   2 ３四歩(33)\n");
    form_.SENTE_Click();
    playTwoMoves();
    p_.dialogs.boxes.clear();
    for (const char* name : {"../x.kif", "folder.kif", "empty.kif", "bad.kifu", "mac.kif"}) {
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
            message(texts::kif::LONE_CR, texts::record::TITLE),
            unsaved,
            answeredYes,
            message(texts::record::READ_DONE, texts::record::TITLE),
            message(texts::match::STEP_WITH_AFTER, texts::record::TITLE),
        }));
}

}  // namespace
}  // namespace velk
