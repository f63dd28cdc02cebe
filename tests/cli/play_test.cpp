// End-to-end scripts through the play command, each in a fresh game folder.
#include "cli/play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

// A tiny valid PCM WAV image: 8 kHz, mono, 16 bit, four silent samples.
void writeWav(const fs::path& path) {
    auto le = [](std::ofstream& o, unsigned v, int bytes) {
        for (int i = 0; i < bytes; ++i) o.put(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    std::ofstream o(path, std::ios::binary);
    o << "RIFF";
    le(o, 36 + 8, 4);
    o << "WAVEfmt ";
    le(o, 16, 4);
    le(o, 1, 2);
    le(o, 1, 2);
    le(o, 8000, 4);
    le(o, 16000, 4);
    le(o, 2, 2);
    le(o, 16, 2);
    o << "data";
    le(o, 8, 4);
    le(o, 0, 4);
    le(o, 0, 4);
}

struct PlayTest : ::testing::Test {
    fs::path folder;
    std::string out;

    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("velk-play-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
            writeWav(folder / name);
    }
    void TearDown() override { fs::remove_all(folder); }

    int run(const std::string& script, bool english = false) {
        std::istringstream in(script);
        std::ostringstream o;
        const int status = runPlayScript(in, o, folder, english);
        out = o.str();
        return status;
    }
    bool printed(const std::string& line) const {
        return out.find("\n" + line + "\n") != std::string::npos || out.rfind(line + "\n", 0) == 0;
    }
};

TEST_F(PlayTest, AGameIsPlayedSteppedBackAndResumed) {
    ASSERT_EQ(run("square 5 5\n"
                  "SENTE\n"
                  "wait 12.5\n"
                  "move 7 7 7 6\n"
                  "show\n"
                  "REPLAY\n"
                  "REPLAY\n"
                  "REPLAY\n"
                  "show\n"
                  "AFTER\n"
                  "square 1 1\n"),
              0)
        << out;
    EXPECT_TRUE(printed("sound 禁止")) << out;
    EXPECT_TRUE(printed("message [開始] 「対局」で始めて下さい")) << out;
    EXPECT_TRUE(printed("message [ ] あなたの番です")) << out;
    EXPECT_TRUE(printed("move 1 MAN 7 7 7 6 -10 -10 0 ３六歩")) << out;
    EXPECT_NE(out.find("\nmove 2 COM "), std::string::npos) << out;
    EXPECT_TRUE(printed("sound 駒打音")) << out;
    EXPECT_NE(out.find("time MAN 12.5 "), std::string::npos) << out;
    EXPECT_TRUE(printed("message [戻る] できません")) << out;
    EXPECT_TRUE(printed("sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"))
        << out;
    EXPECT_TRUE(printed("moveNo 0 moveNoLast 2 moveCount 0")) << out;
    // One move forward, then a click resumes with the computer's move of the record to come.
    EXPECT_TRUE(printed("message [再開] OKですか？")) << out;
    EXPECT_NE(out.find("\nmove 2 COM ", out.find("[再開]")), std::string::npos) << out;
}

TEST_F(PlayTest, KeysByNamePlayAndStepAndTheStatusLineIsPrinted) {
    EXPECT_EQ(run("status\n"
                  "SENTE\n"
                  "status\n"
                  "key up\n"
                  "key left\n"
                  "key left\n"
                  "key space\n"
                  "key up\n"
                  "key enter\n"
                  "key home\n"
                  "show\n"
                  "key end\n"
                  "show\n"
                  "key shift+left\n"
                  "key 37\n"
                  "show\n"),
              1)
        << out;
    EXPECT_TRUE(printed("status ")) << out;
    EXPECT_TRUE(printed("status あなたの番です")) << out;
    EXPECT_NE(out.find("\nmove 1 MAN 3 7 3 6 "), std::string::npos) << out;
    EXPECT_NE(out.find("\nmove 2 COM "), std::string::npos) << out;
    EXPECT_TRUE(printed("moveNo 0 moveNoLast 2 moveCount 0")) << out;
    EXPECT_TRUE(printed("moveNo 2 moveNoLast 2 moveCount 2")) << out;
    EXPECT_NE(out.find("error: line 14: unknown key 'shift+left'"), std::string::npos) << out;
    EXPECT_TRUE(printed("moveNo 1 moveNoLast 2 moveCount 1")) << out;
}

// 公正 from the script, and the hint by its item and its key: a status line, no move, no box.
TEST_F(PlayTest, TheFairLevelAndTheHintFromTheScript) {
    EXPECT_EQ(run("KOUSEI\n"
                  "HINT\n"
                  "SENTE\n"
                  "move 7 7 7 6\n"
                  "HINT\n"
                  "status\n"
                  "key h\n"
                  "status\n"
                  "square 5 5\n"
                  "status\n"
                  "show\n"),
              0)
        << out;
    EXPECT_NE(out.find("> KOUSEI\n> HINT\nsound 禁止\n> SENTE"), std::string::npos) << out;
    EXPECT_NE(out.find("\nmove 2 COM "), std::string::npos) << out;
    const std::size_t first = out.find("status ﾋﾝﾄ：");
    ASSERT_NE(first, std::string::npos) << out;
    const std::string line = out.substr(first, out.find('\n', first) - first);
    EXPECT_NE(out.find("> key h\n> status\n" + line + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find("> square 5 5\n> status\nstatus あなたの番です"), std::string::npos) << out;
    EXPECT_TRUE(printed("moveNo 2 moveNoLast 2 moveCount 2")) << out;
    EXPECT_TRUE(printed("screen up level 4 kifuMode 0 reversed 0 checked KOUSEI KEIKA BGM MIDORI"))
        << out;
}

TEST_F(PlayTest, AQuestionNobodyAnsweredStopsTheScript) {
    const std::string win =
        "position 4k4/4R4/9/9/9/9/9/9/4K4 b - 1\n"
        "SENTE\n"
        "move 5 2 5 1\n";
    EXPECT_EQ(run(win + "show\n"), 1);
    EXPECT_TRUE(printed("message [終了] あなたの勝ちです")) << out;
    EXPECT_TRUE(printed("question [再ゲーム] 続けますか？ -> (no answer queued)")) << out;
    EXPECT_NE(out.find("error: line 3: "), std::string::npos) << out;
    EXPECT_EQ(out.find("sfen"), std::string::npos) << out;  // nothing ran after it

    EXPECT_EQ(run("yes\n" + win + "show\n"), 0) << out;
    EXPECT_TRUE(printed("question [再ゲーム] 続けますか？ -> yes")) << out;
    EXPECT_TRUE(printed("sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"))
        << out;

    // No other game; asked about the unsaved moves, the player quits.
    EXPECT_EQ(run("no\nyes\n" + win + "SENTE\nshow\n"), 1) << out;
    EXPECT_TRUE(printed("quit")) << out;
    EXPECT_NE(out.find("error: line 6: the program has ended"), std::string::npos) << out;
    EXPECT_NE(out.find("\nsfen "), std::string::npos) << out;
}

TEST_F(PlayTest, BadLinesAreReportedAndTheScriptGoesOn) {
    EXPECT_EQ(run("# a comment\n"
                  "\n"
                  "JUMP\n"
                  "square 10 5\n"
                  "click left x 5\n"
                  "wait -1\n"
                  "text 5 name\n"
                  "CANCEL\n"),
              1);
    EXPECT_NE(out.find("error: line 3: unknown command 'JUMP'"), std::string::npos) << out;
    EXPECT_NE(out.find("error: line 4: (10, 5) is neither a square nor a hand slot"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("error: line 5: "), std::string::npos) << out;
    EXPECT_NE(out.find("error: line 6: "), std::string::npos) << out;
    EXPECT_NE(out.find("error: line 7: "), std::string::npos) << out;
    EXPECT_TRUE(printed("> CANCEL")) << out;
    EXPECT_TRUE(printed("sound 駒打音")) << out;
}

TEST_F(PlayTest, EndlessWaitsAndAbsurdCountsAreRefusedAndTheRestIsQuick) {
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(run("SENTE\n"
                  "wait inf\n"
                  "wait 1e300\n"
                  "wait nan\n"
                  "wait 86400.5\n"
                  "tick 2147483647\n"
                  "tick 86401\n"
                  "tick -1\n"
                  "click left inf 100\n"
                  "click left 100 -1e300\n"
                  "wait 86400\n"
                  "tick 86400\n"
                  "wait 3.5\n"
                  "tick 86400\n"
                  "show\n"),
              1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    for (int line = 2; line <= 10; ++line)
        EXPECT_NE(out.find("error: line " + std::to_string(line) + ": "), std::string::npos)
            << line << "\n"
            << out;
    for (int line = 11; line <= 15; ++line)
        EXPECT_EQ(out.find("error: line " + std::to_string(line) + ": "), std::string::npos)
            << line << "\n"
            << out;
    // Only the accepted waits moved the clock: a whole day and three and a half seconds.
    EXPECT_NE(out.find(" clock 36003.5 timer on"), std::string::npos) << out;
}

TEST_F(PlayTest, ReversalFromTheScript) {
    ASSERT_EQ(run("position 4k4/9/9/9/9/9/9/9/4K3R b Pg 1\n"
                  "REVERSE\n"
                  "show\n"),
              0)
        << out;
    EXPECT_TRUE(printed("sfen r3k4/9/9/9/9/9/9/9/4K4 b Gp 1")) << out;
    EXPECT_NE(out.find("hands MAN 1 COM 1 "), std::string::npos) << out;
    EXPECT_NE(out.find(" reversed 1 "), std::string::npos) << out;
}

// 反転 is refused in a game, where it would show the computer's pieces. A game played on a
// board turned before it began is not stepped onto the starting position after 最初.
TEST_F(PlayTest, ReversalIsRefusedInAGameAndATurnedGameIsNotSteppedFromTheStart) {
    ASSERT_EQ(run("SENTE\nmove 7 7 7 6\nREVERSE\nshow\n"), 0) << out;
    EXPECT_TRUE(printed("message [反転] 対局中はできません")) << out;
    EXPECT_TRUE(printed("moveNo 2 moveNoLast 2 moveCount 2")) << out;
    EXPECT_NE(out.find(" reversed 0 "), std::string::npos) << out;

    ASSERT_EQ(run("position 4k4/9/9/9/9/9/9/9/4K3R b - 1\nREVERSE\nSENTE\nmove 5 9 5 8\n"
                  "CANCEL\nAFTER\nshow\n"),
              0)
        << out;
    EXPECT_TRUE(printed("message [進む] できません")) << out;
    EXPECT_TRUE(printed("sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"))
        << out;
    EXPECT_TRUE(printed("moveNo 0 moveNoLast 0 moveCount 0")) << out;
}

// 先手 or 後手 during a game begins a new game from the starting position (after asking, as the
// moves are unsaved): no side ever moves twice in a row.
TEST_F(PlayTest, ANewGameDuringAGameStartsFromTheBeginning) {
    ASSERT_EQ(run("GOTE\nno\nGOTE\nshow\nyes\nGOTE\nshow\nmovelist\n"), 0) << out;
    const std::string question =
        "question [対局] 保存していない手があります\\r\\r最初からやり直しますか？";
    EXPECT_TRUE(printed(question + " -> no")) << out;
    EXPECT_TRUE(printed(question + " -> yes")) << out;
    EXPECT_TRUE(printed("moveNo 1 moveNoLast 1 moveCount 1")) << out;
    EXPECT_EQ(out.find("moveNo 2"), std::string::npos) << out;
    EXPECT_EQ(out.find("move 2 "), std::string::npos) << out;
}

// A game lost on the tenth miss: declining another game asks before the unsaved moves go, and
// the game stays for stepping through and saving with the miss that ended it.
TEST_F(PlayTest, AFinishedGameStaysForSavingWithTheMissThatEndedIt) {
    std::string script = "SENTE\nmove 3 7 3 6\n";
    for (int i = 0; i < 9; ++i) script += "move 2 8 9 1\n";  // the bishop passes a hidden piece
    script += "no\nno\nmove 2 8 9 1\nshow\nAFTER\nAFTER\nKIF_WRITE\ntext 1 対局.kifu\nRETURN\n";
    ASSERT_EQ(run(script), 0) << out;
    EXPECT_TRUE(printed("question [再ゲーム] 続けますか？ -> no")) << out;
    EXPECT_TRUE(printed("question [終わり] 保存していない手があります\\r\\r終わりますか？ -> no"))
        << out;
    EXPECT_FALSE(printed("quit")) << out;
    std::ifstream in(folder / "対局.kifu");
    const std::string kif((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(kif.find("反則負け"), std::string::npos) << kif;
    EXPECT_NE(kif.find("*MANのミスが10回になりました"), std::string::npos) << kif;
}

TEST_F(PlayTest, QuittingWithUnsavedMovesAsksAndNoGoesOnPlaying) {
    ASSERT_EQ(run("SENTE\n"
                  "move 7 7 7 6\n"
                  "no\n"
                  "OWARI\n"
                  "no\n"
                  "CANCEL\n"
                  "show\n"
                  "yes\n"
                  "key escape\n"),
              0)
        << out;
    const std::string unsaved = "保存していない手があります\\r\\r";
    EXPECT_TRUE(printed("question [終わり] " + unsaved + "終わりますか？ -> no")) << out;
    EXPECT_TRUE(printed("question [最初] " + unsaved + "最初からやり直しますか？ -> no")) << out;
    EXPECT_TRUE(printed("moveNo 2 moveNoLast 2 moveCount 2")) << out;
    EXPECT_TRUE(printed("question [終わり] " + unsaved + "終わりますか？ -> yes")) << out;
    EXPECT_TRUE(printed("quit")) << out;

    // With nothing to lose the program ends at once, as before.
    ASSERT_EQ(run("SENTE\nkey escape\n"), 0) << out;
    EXPECT_TRUE(printed("quit")) << out;
    EXPECT_EQ(out.find("question"), std::string::npos) << out;
}

TEST_F(PlayTest, PictureDependsOnWhatIsSeenNotOnWhereHiddenPiecesStand) {
    // The computer's king moves first and its square is framed; then a click on the square of
    // a hidden pawn, or on that square empty, and a click beside the board.
    const auto pictureOf = [&](const std::string& board, const std::string& more = "") {
        EXPECT_EQ(run("position " + board + " b - 1\nGOTE\nsquare 1 1\nclick left 7500 3500\n" +
                      more + "picture\n"),
                  0)
            << out;
        const std::size_t at = out.rfind("\npicture ");
        EXPECT_NE(at, std::string::npos) << out;
        return at == std::string::npos ? std::string() : out.substr(at + 9, 16);
    };
    const std::string pawnLeft = pictureOf("p3k4/9/9/9/9/9/9/9/4K4");
    EXPECT_TRUE(printed("move 1 COM 5 1 4 2 950 950 0 ６二王")) << out;
    EXPECT_EQ(pawnLeft.size(), 16u);
    EXPECT_EQ(pictureOf("4k3p/9/9/9/9/9/9/9/4K4"), pawnLeft);
    EXPECT_EQ(pictureOf("4k4/9/9/9/9/9/9/9/4K4"), pawnLeft);
    EXPECT_EQ(pictureOf("p3k4/9/9/9/9/9/9/9/4K4"), pawnLeft);  // the same every run

    // What the player can see changes it: a piece of his own, the screen lowered, a frame,
    // the record panel, a check mark.
    EXPECT_NE(pictureOf("p3k4/9/9/9/9/9/9/9/3K5"), pawnLeft);
    EXPECT_NE(pictureOf("p3k4/9/9/9/9/9/9/9/4K4", "ICHIJI\n"), pawnLeft);
    EXPECT_NE(pictureOf("p3k4/9/9/9/9/9/9/9/4K4", "square 5 9\n"), pawnLeft);
    EXPECT_NE(pictureOf("p3k4/9/9/9/9/9/9/9/4K4", "KIFU_WRITE\n"), pawnLeft);
    EXPECT_NE(pictureOf("p3k4/9/9/9/9/9/9/9/4K4", "LEVEL2\n"), pawnLeft);
}

// play --lang en: every box in English, line for line where the Japanese run has its boxes.
TEST_F(PlayTest, WithEnglishTheBoxesAreInEnglish) {
    const std::string script =
        "square 5 5\n"
        "SENTE\n"
        "position 4k4/9/9/9/1p7/9/9/1R7/4K4 b - 1\n"
        "move 2 8 2 2\n"
        "move 2 8 2 6\n"
        "KIFU_WRITE\n"
        "RETURN\n"
        "VER\n"
        "no\n"
        "OWARI\n";
    ASSERT_EQ(run(script), 0) << out;
    const std::string japanese = out;
    fs::remove(folder / "Velkついたて将棋.ini");
    EXPECT_TRUE(printed("message [反則]   ** MANのミス! **\\r\\rCOM駒を飛び越えました")) << out;
    ASSERT_EQ(run(script, true), 0) << out;
    EXPECT_TRUE(printed("message [Start] Start a game from the \"Game\" menu")) << out;
    EXPECT_TRUE(printed("message [ ] Your move")) << out;
    EXPECT_TRUE(
        printed("message [Miss]   ** MAN missed! **\\r\\rThe move jumped over a hidden piece"))
        << out;
    EXPECT_TRUE(printed("message [  ] No file name has been entered")) << out;
    EXPECT_TRUE(
        printed("question [Quit] Some moves have not been saved.\\r\\rQuit the game? -> no"))
        << out;
    // The same events in the same order: only the words differ.
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'),
              std::count(japanese.begin(), japanese.end(), '\n'));
    // No box keeps a Japanese word (kana and kanji are three bytes from 0xe3 on in UTF-8).
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("message", 0) == 0 || line.rfind("question", 0) == 0) {
            for (const char c : line) EXPECT_LT(static_cast<unsigned char>(c), 0xe3) << line;
        }
}

// play --lang en: the KIF items' boxes and the KIF reader's reasons in English, composed ones
// part by part; the piece names of the file stay as they are.
TEST_F(PlayTest, WithEnglishTheKifBoxesAreInEnglish) {
    std::ofstream(folder / "駒落ち.kif", std::ios::binary) << "手合割：香落ち\r\n";
    std::ofstream(folder / "持駒.kif", std::ios::binary) << "   1 ５五角打\r\n";
    std::ofstream(folder / "空.kif", std::ios::binary) << "手合割：平手\r\n";
    fs::create_directories(folder / "ﾌｫﾙﾀﾞ.kif");
    const std::string script =
        "KIF_READ\nfile 駒落ち.kif\n"
        "KIF_READ\nfile 持駒.kif\n"
        "KIF_READ\nfile 空.kif\n"
        "KIF_READ\nfile ﾌｫﾙﾀﾞ.kif\n";
    ASSERT_EQ(run(script), 0) << out;
    const std::string japanese = out;
    fs::remove(folder / "Velkついたて将棋.ini");
    EXPECT_TRUE(
        printed("message [棋譜] KIFﾌｧｲﾙの1行目が正しくありません（平手の棋譜ではありません"
                "（駒落ちの棋譜は読み込めません））"))
        << out;
    EXPECT_TRUE(
        printed("message [棋譜] KIFﾌｧｲﾙの1行目が正しくありません（MANの持駒に角がありません）"))
        << out;
    EXPECT_TRUE(printed("message [棋譜] KIFﾌｧｲﾙを読み込めませんでした\\nﾌｧｲﾙではなくﾌｫﾙﾀﾞです"))
        << out;
    ASSERT_EQ(run(script, true), 0) << out;
    EXPECT_TRUE(
        printed("message [Record] Line 1 of the KIF file is not valid (it is not an even "
                "game (handicap games cannot be loaded))"))
        << out;
    EXPECT_TRUE(
        printed("message [Record] Line 1 of the KIF file is not valid (MAN has no 角 in hand)"))
        << out;
    EXPECT_TRUE(printed("message [Record] The KIF file holds no moves")) << out;
    EXPECT_TRUE(
        printed("message [Record] The KIF file could not be loaded\\nThis is a folder, not a file"))
        << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'),
              std::count(japanese.begin(), japanese.end(), '\n'));
}

// play --lang en: the status line and the words of the move list in English, its notation as
// it is; Delete takes the guess marker under the keyboard cursor while the cursor shows.
TEST_F(PlayTest, WithEnglishTheStatusLineAndTheMoveListAreInEnglish) {
    const std::string script =
        "SENTE\n"
        "position 4k4/9/9/9/1p7/9/9/1R7/4K4 b - 1\n"
        "move 2 8 2 2\n"
        "status\n"
        "movelist\n"
        "move 2 8 2 6\n"
        "movelist\n"
        "marker 5 7 金\n"
        "marker 1 1 歩\n"
        "key up\n"
        "key delete\n"
        "markers\n";
    ASSERT_EQ(run(script), 0) << out;
    EXPECT_TRUE(printed("status MANのミス（COM駒を飛び越えました）　あなたの番です")) << out;
    EXPECT_NE(out.find("*     開始局面\n      MANのミス 1回（通算1回）\n"), std::string::npos)
        << out;
    ASSERT_EQ(run(script, true), 0) << out;
    EXPECT_TRUE(printed("status MAN missed (The move jumped over a hidden piece) · Your move"))
        << out;
    EXPECT_NE(out.find("> movelist\n      Starting position\n      MAN misses: 1 (1 in all)\n"
                       "    1 ▲８六飛\n*   2 △同　？？\n"),
              std::string::npos)
        << out;
    // The cursor shows at (5, 7): its marker goes, not the one placed last.
    EXPECT_NE(out.find("> markers\nmarker 1 1 歩\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("\nmarker 5 7 金\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace velk::cli
