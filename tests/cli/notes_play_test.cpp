// The move list and the guess markers in scripted games: `movelist` prints the list as the
// window shows it and `movelist N` steps to a line; `marker`, `markers` and `key delete` keep
// the player's notes, which change no other output of a script.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>

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
        std::istringstream in(script);
        std::ostringstream o;
        EXPECT_EQ(runPlayScript(in, o, folder), expectedStatus);
        return o.str();
    }
};

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
