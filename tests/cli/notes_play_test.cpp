// The move list and the guess markers in scripted games: `movelist` prints the list as the
// window shows it and `movelist N` steps to a line; `marker`, `markers` and `key delete` keep
// the player's notes, which change no other output of a script. A game in which 一時表示 showed
// the computer's pieces says so in the move list and the KIF.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/play.h"

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

struct NotesPlay : ::testing::Test {
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("velk-notes-play-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string run(const std::string& script, int expectedStatus = 0) {
        return runIn(folder, script, expectedStatus);
    }
    static std::string runIn(const fs::path& where, const std::string& script,
                             int expectedStatus = 0) {
        fs::create_directories(where);
        std::istringstream in(script);
        std::ostringstream o;
        EXPECT_EQ(runPlayScript(in, o, where), expectedStatus);
        return o.str();
    }
    static std::string read(const fs::path& file) {
        std::ifstream f(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    // The lines a command printed, up to the next command.
    static std::vector<std::string> printedAfter(const std::string& out, const std::string& cmd,
                                                 std::size_t from = 0) {
        std::vector<std::string> lines;
        std::size_t at = out.find("> " + cmd + "\n", from);
        if (at == std::string::npos) return lines;
        std::istringstream in(out.substr(at + cmd.size() + 3));
        for (std::string line; std::getline(in, line) && line.rfind("> ", 0) != 0;)
            lines.push_back(line);
        return lines;
    }
};

constexpr std::string_view kShownNote = "      一時表示でCOMの駒を見ました";

// The computer moves first: the list numbers the squares as the KIF file does, 先手 at the
// bottom, and both carry the note of the pieces shown during the game.
TEST_F(NotesPlay, TheMoveListReadsAsTheKifAndBothNoteThePiecesShown) {
    const std::string game = "GOTE\nwait 3\nmove 3 7 3 6\nwait 2\nmove 2 7 2 6\n";
    const std::string save = "KIF_WRITE\ntext 1 g.kifu\nRETURN\nKIFU_WRITE\ntext 1 g\nRETURN\n";
    const std::string out = run(game + "ICHIJI\nmovelist\nsquare 5 5\n" + save);
    const std::vector<std::string> list = printedAfter(out, "movelist");
    ASSERT_GE(list.size(), 6u) << out;
    EXPECT_EQ(list[0], kShownNote);
    const std::string kif = read(folder / "g.kifu");
    EXPECT_NE(kif.find("\n*一時表示でCOMの駒を見ました\r\n   1 "), std::string::npos) << kif;
    int moves = 0;
    for (const std::string& line : list) {
        const std::size_t mark =
            line.find("▲") != std::string::npos ? line.find("▲") : line.find("△");
        if (mark == std::string::npos) continue;
        ++moves;
        // "*   1 ▲７六歩" is the KIF line "   1 ７六歩(77) ...".
        const std::string number = line.substr(2, mark - 2);
        const std::string move = line.substr(mark + std::string_view("▲").size());
        EXPECT_NE(kif.find("\n " + number + move), std::string::npos) << line << "\n" << kif;
    }
    EXPECT_EQ(moves, 5);
    // The .棋譜 record is the file a game without 一時表示 writes.
    const std::string plain = runIn(folder / "plain", game + save);
    EXPECT_EQ(read(folder / "g.棋譜"), read(folder / "plain" / "g.棋譜"));
    EXPECT_EQ(read(folder / "plain" / "g.kifu").find("一時表示"), std::string::npos);
    EXPECT_NE(printedAfter(runIn(folder / "plain", game + "movelist\n"), "movelist")[0],
              kShownNote);
}

// The note belongs to the game on record: it stays through 戻, 進, saving and 最初 (the game can
// still be stepped through and saved), comes back with the KIF, and goes with a new game. Pieces
// shown while nobody is to move are not part of a game.
TEST_F(NotesPlay, TheNoteOfThePiecesShownFollowsTheGameOnRecord) {
    const std::string out =
        run("SENTE\nwait 2\nmove 3 7 3 6\nICHIJI\nsquare 5 5\nREPLAY\nAFTER\nmovelist\n"
            "KIF_WRITE\ntext 1 g.kifu\nRETURN\nCANCEL\nmovelist\nAFTER\nAFTER\n"
            "KIF_WRITE\ntext 1 again.kifu\nRETURN\nREPLAY\nREPLAY\nSENTE\nmovelist\n"
            "KIF_READ\nfile g.kifu\nmovelist\nSENTE\nwait 2\nmove 3 7 3 6\nREPLAY\nICHIJI\n"
            "square 5 5\nmovelist\n");
    std::size_t at = 0;
    std::vector<bool> noted;
    for (int i = 0; i < 5; ++i) {
        at = out.find("> movelist\n", at) + 1;
        const std::vector<std::string> list = printedAfter(out, "movelist", at - 1);
        noted.push_back(!list.empty() && list[0] == kShownNote);
    }
    EXPECT_EQ(noted, (std::vector<bool>{true, true, false, true, false})) << out;
    EXPECT_NE(read(folder / "again.kifu").find("*一時表示でCOMの駒を見ました"), std::string::npos);
}

TEST_F(NotesPlay, TheMoveListPrintsAsTheWindowShowsItAndStepsToALine) {
    const std::string out = run(
        "SENTE\nmove 3 7 3 6\nmovelist\nmovelist 2\nmovelist\nICHIJI\nmovelist\nmovelist 9\n", 1);
    EXPECT_NE(out.find("> movelist\n      開始局面\n    1 ▲７六歩\n*   2 △３四？？\n"),
              std::string::npos)
        << out;
    EXPECT_NE(
        out.find("> movelist 2\n> movelist\n      開始局面\n*   1 ▲７六歩\n    2 △３四？？\n"),
        std::string::npos)
        << out;
    // The computer's pieces shown: its move in full.
    EXPECT_NE(out.find("> ICHIJI\n> movelist\n      開始局面\n*   1 ▲７六歩\n    2 △３四歩\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("error: line 8: the move list has lines 1..3"), std::string::npos);
}

TEST_F(NotesPlay, MarkersAreKeptApartFromEverythingElseAScriptPrints) {
    const std::string game =
        "SENTE\nmove 3 7 3 6\nmove 2 8 7 3\nmove 7 7 7 6\nREPLAY\nAFTER\nshow\n";
    const std::string plain = run(game);
    std::string withMarkers;
    std::istringstream lines(game);
    for (std::string line; std::getline(lines, line);)
        withMarkers += "marker 5 1 玉\nmarker 7 3 歩\n" + line + "\nmarker 2 2 飛\n";
    withMarkers += "markers\nkey delete\nmarkers\n";
    const std::string marked = run(withMarkers);

    // Leaving out the marker commands and what they print gives the plain script's output.
    std::istringstream in(marked);
    std::string filtered, tail;
    bool inMarkers = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("> marker", 0) == 0 || line == "> key delete") {
            inMarkers = true;
            tail += line + "\n";
            continue;
        }
        if (line.rfind("> ", 0) == 0) inMarkers = false;
        if (inMarkers) {
            tail += line + "\n";
            continue;
        }
        filtered += line + "\n";
    }
    EXPECT_EQ(filtered, plain);
    // 先手 cleared the markers of before; 玉 and 歩 were chosen again after it an even number of
    // times (each choice of the kind shown removes it), 飛 an odd number.
    EXPECT_NE(tail.find("> markers\nmarker 2 2 飛\n> key delete\n> markers\nmarkers none\n"),
              std::string::npos)
        << tail;
}

}  // namespace
}  // namespace velk::cli
