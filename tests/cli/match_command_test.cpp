// The match command: its arguments, the lines it prints, and that the same arguments give the
// same games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/match.h"

namespace velk::cli {
namespace {

struct MatchRun {
    int status = 0;
    std::string out;
    std::string err;
};

// The runs below give the honest player a small budget: they check the lines, not its strength.
MatchRun runWith(const std::vector<std::string>& args) {
    MatchOptions options;
    std::string error;
    MatchRun r;
    if (!parseMatchOptions(args, options, error)) {
        r.status = 2;
        r.err = error;
        return r;
    }
    std::ostringstream out, err;
    r.status = runMatch(options, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(MatchCommand, ArgumentsAreReadInAnyOrder) {
    MatchOptions o;
    std::string error;
    ASSERT_TRUE(
        parseMatchOptions({"--level", "2", "--times", "--seed", "99", "--games", "12"}, o, error))
        << error;
    EXPECT_EQ(o.games, 12);
    EXPECT_EQ(o.seed, 99u);
    EXPECT_EQ(o.level, 2);
    EXPECT_TRUE(o.times);
    EXPECT_FALSE(o.honest);
    ASSERT_TRUE(parseMatchOptions({"--games", "1", "--seed", "1", "--level", "3"}, o, error));
    EXPECT_FALSE(o.times);
    EXPECT_FALSE(o.honest);
    ASSERT_TRUE(parseMatchOptions({"--games", "1", "--seed", "1", "--level", "honest"}, o, error));
    EXPECT_TRUE(o.honest);
    EXPECT_FALSE(o.firstVersion);
    ASSERT_TRUE(
        parseMatchOptions({"--games", "1", "--seed", "1", "--level", "honest-v1"}, o, error));
    EXPECT_TRUE(o.honest);
    EXPECT_TRUE(o.firstVersion);
    EXPECT_FALSE(o.guesses);
    ASSERT_TRUE(
        parseMatchOptions({"--guesses", "--games", "1", "--seed", "1", "--level", "1"}, o, error));
    EXPECT_TRUE(o.guesses);
    EXPECT_EQ(o.thinkMs, 50);
    ASSERT_TRUE(parseMatchOptions({"--think", "500", "--games", "1", "--seed", "1", "--level", "1"},
                                  o, error));
    EXPECT_EQ(o.thinkMs, 500);
}

TEST(MatchCommand, BadArgumentsAreRefusedWithTheReason) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--seed", "1", "--level", "1"},
        {"--games", "2", "--level", "1"},
        {"--games", "2", "--seed", "1"},
        {"--games", "0", "--seed", "1", "--level", "1"},
        {"--games", "-3", "--seed", "1", "--level", "1"},
        {"--games", "x", "--seed", "1", "--level", "1"},
        {"--games", "2.5", "--seed", "1", "--level", "1"},
        {"--games", "2", "--seed", "0", "--level", "1"},
        {"--games", "2", "--seed", "-1", "--level", "1"},
        {"--games", "2", "--seed", "12ab", "--level", "1"},
        {"--games", "2", "--seed", "1234567890123456789012", "--level", "1"},
        {"--games", "2", "--seed", "1", "--level", "4"},
        {"--games", "2", "--seed", "1", "--level", "fair"},
        {"--games", "2", "--seed", "1", "--level", "honest-v2"},
        {"--games", "2", "--seed", "1", "--level"},
        {"--games", "2", "--seed", "1", "--level", "1", "--fast"},
        {"--games", "2", "--seed", "1", "--level", "1", "--think", "0"},
        {"--games", "2", "--seed", "1", "--level", "1", "--think", "501"},
        {"--games", "2", "--seed", "1", "--level", "1", "--think"},
    };
    for (const auto& args : bad) {
        MatchOptions o;
        std::string error;
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(parseMatchOptions(args, o, error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}

TEST(MatchCommand, PrintsOneLinePerGameAndTotalsThatAddUp) {
    // Two games: one with each side moving first.
    const MatchRun r = runWith({"--think", "5", "--games", "2", "--seed", "3", "--level", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> l = lines(r.out);
    ASSERT_EQ(l.size(), 8u) << r.out;
    const std::regex game(
        R"(game (\d+) first (MAN|COM) result (MAN|COM|DRAW) moves (\d+) missMAN (\d+) missCOM (\d+))");
    int wins = 0, losses = 0, draws = 0;
    int byHundred[6] = {};
    int longest = 0;
    std::map<std::string, int> ends;  // winner and how the game ended, as the last lines say
    for (int i = 0; i < 2; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(l[static_cast<std::size_t>(i)], m, game)) << l[i];
        EXPECT_EQ(std::stoi(m[1]), i + 1);
        // The human side moves first in the odd games.
        EXPECT_EQ(m[2], i % 2 == 0 ? "MAN" : "COM");
        const int moves = std::stoi(m[4]), missMAN = std::stoi(m[5]), missCOM = std::stoi(m[6]);
        EXPECT_GE(moves, 1);
        EXPECT_LE(moves, 500);
        EXPECT_LE(missMAN, 10);
        EXPECT_LE(missCOM, 10);
        // A side that made its tenth miss lost.
        if (missMAN == 10) {
            EXPECT_EQ(m[3], "COM") << l[i];
        }
        if (missCOM == 10) {
            EXPECT_EQ(m[3], "MAN") << l[i];
        }
        if (m[3] == "DRAW") {
            EXPECT_EQ(moves, 500) << l[i];
        }
        ++byHundred[std::min(moves / 100, 5)];
        longest = std::max(longest, moves);
        if (m[3] == "DRAW") ++ends["DRAW moveLimit"];
        if (missMAN == 10 || missCOM == 10) ++ends[m[3].str() + " tenthMiss"];
        wins += m[3] == "MAN";
        losses += m[3] == "COM";
        draws += m[3] == "DRAW";
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_match(
        l[2], m, std::regex(R"(games 2 wins (\d+) losses (\d+) draws (\d+) score (\d+\.\d)%)")))
        << l[2];
    EXPECT_EQ(std::stoi(m[1]), wins);
    EXPECT_EQ(std::stoi(m[2]), losses);
    EXPECT_EQ(std::stoi(m[3]), draws);
    char score[32];
    std::snprintf(score, sizeof score, "%.1f", 100.0 * (wins + 0.5 * draws) / 2);
    EXPECT_EQ(m[4], score);

    // Then how the games went: lengths by hundreds, how each ended, the material at the end,
    // and how many games differ.
    char lengths[128];
    std::snprintf(lengths, sizeof lengths,
                  "lengths 1-99 %d 100-199 %d 200-299 %d 300-399 %d 400-499 %d 500 %d median ",
                  byHundred[0], byHundred[1], byHundred[2], byHundred[3], byHundred[4],
                  byHundred[5]);
    EXPECT_EQ(l[3].rfind(lengths, 0), 0u) << l[3];
    ASSERT_TRUE(std::regex_match(
        l[4], m,
        std::regex(R"(ends MAN kingTaken (\d+) mate (\d+) tenthMiss (\d+) COM kingTaken (\d+) )"
                   R"(mate (\d+) tenthMiss (\d+) DRAW moveLimit (\d+) other (\d+))")))
        << l[4];
    EXPECT_EQ(std::stoi(m[1]) + std::stoi(m[2]) + std::stoi(m[3]), wins) << l[4];
    EXPECT_EQ(std::stoi(m[4]) + std::stoi(m[5]) + std::stoi(m[6]), losses) << l[4];
    EXPECT_EQ(std::stoi(m[3]), ends["MAN tenthMiss"]) << l[4];
    EXPECT_EQ(std::stoi(m[6]), ends["COM tenthMiss"]) << l[4];
    EXPECT_EQ(std::stoi(m[7]), ends["DRAW moveLimit"]) << l[4];
    EXPECT_EQ(m[8], "0");
    ASSERT_TRUE(std::regex_match(
        l[5], m,
        std::regex(R"(material MAN-COM mean (-?\d+\.\d) median (-?\d+\.\d) min (-?\d+\.\d) )"
                   R"(max (-?\d+\.\d) drawn ahead (\d+) even (\d+) behind (\d+) by move )"
                   R"(100 (-?\d+\.\d|-) 200 (-?\d+\.\d|-) 300 (-?\d+\.\d|-) )"
                   R"(400 (-?\d+\.\d|-) 450 (-?\d+\.\d|-))")))
        << l[5];
    EXPECT_LE(std::stod(m[3]), std::stod(m[1]));
    EXPECT_LE(std::stod(m[1]), std::stod(m[4]));
    EXPECT_EQ(std::stoi(m[5]) + std::stoi(m[6]) + std::stoi(m[7]), draws);
    // The material along the way is there for the marks some game reached, and only for those.
    for (const auto& [group, mark] :
         {std::pair{8, 100}, {9, 200}, {10, 300}, {11, 400}, {12, 450}}) {
        const bool reached = longest >= mark;
        EXPECT_EQ(m[group] != "-", reached) << l[5];
    }
    EXPECT_TRUE(std::regex_match(l[6], std::regex(R"(repeats MAN \d+\.\d% COM \d+\.\d%)"))) << l[6];
    // Games 1 and 2 differ at least in who moved first; each share comes with its interval.
    ASSERT_TRUE(std::regex_match(
        l[7], m,
        std::regex(R"(distinct games 2 score (\d+\.\d)% \(95% (\d+\.\d)-(\d+\.\d)\) )"
                   R"(won (\d+\.\d)% \(95% (\d+\.\d)-(\d+\.\d)\) )"
                   R"(moveLimit (\d+\.\d)% \(95% (\d+\.\d)-(\d+\.\d)\))")))
        << l[7];
    EXPECT_EQ(m[1], score);
    EXPECT_EQ(std::stod(m[4]), 50.0 * wins);
    EXPECT_EQ(std::stod(m[7]), 50.0 * draws);
    for (const int at : {1, 4, 7}) {
        EXPECT_LE(std::stod(m[at + 1]), std::stod(m[at])) << l[7];
        EXPECT_GE(std::stod(m[at + 2]), std::stod(m[at])) << l[7];
        EXPECT_LE(std::stod(m[at + 2]), 100.0) << l[7];
    }
}

TEST(MatchCommand, SameArgumentsGiveTheSameGames) {
    const MatchRun a = runWith({"--think", "5", "--games", "2", "--seed", "13", "--level", "1"});
    ASSERT_EQ(a.status, 0) << a.err;
    // Another seed plays other games.
    const MatchRun c = runWith({"--think", "5", "--games", "2", "--seed", "14", "--level", "1"});
    EXPECT_NE(a.out, c.out);
    // The same games again, and with --times only a last line is added.
    const MatchRun t =
        runWith({"--think", "5", "--games", "2", "--seed", "13", "--level", "1", "--times"});
    ASSERT_EQ(t.status, 0) << t.err;
    const std::vector<std::string> l = lines(t.out);
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(t.out.substr(0, a.out.size()), a.out);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(
        l[8], m, std::regex(R"(think moves (\d+) median (\d+\.\d\d) ms worst (\d+\.\d\d) ms)")))
        << l[8];
    EXPECT_LE(std::stod(m[2]), std::stod(m[3]));
    // One choice for each move and each miss of the human side, which moves first in the odd
    // games.
    int choices = 0;
    const std::regex game(R"(game \d+ first (MAN|COM) result \w+ moves (\d+) missMAN (\d+) .*)");
    for (int i = 0; i < 2; ++i) {
        std::smatch g;
        ASSERT_TRUE(std::regex_match(l[static_cast<std::size_t>(i)], g, game));
        const int moves = std::stoi(g[2]);
        choices += (g[1] == "MAN" ? (moves + 1) / 2 : moves / 2) + std::stoi(g[3]);
    }
    EXPECT_EQ(std::stoi(m[1]), choices);
    // --guesses adds four lines of its own after the others, and changes no game.
    const MatchRun g =
        runWith({"--think", "5", "--games", "2", "--seed", "13", "--level", "1", "--guesses"});
    ASSERT_EQ(g.status, 0) << g.err;
    EXPECT_EQ(g.out.substr(0, a.out.size()), a.out);
    const std::vector<std::string> gl = lines(g.out);
    ASSERT_EQ(gl.size(), lines(a.out).size() + 4);
    const std::string share = R"( (\d+\.\d%|-))";
    const std::string hundreds = " 0-99" + share + " 100-199" + share + " 200-299" + share +
                                 " 300-399" + share + " 400-499" + share;
    EXPECT_TRUE(std::regex_match(gl[gl.size() - 4], std::regex("guesses right" + hundreds)))
        << gl[gl.size() - 4];
    std::string curve = "guesses likeliest";
    for (const int from : {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400})
        curve += " " + std::to_string(from) + share;
    EXPECT_TRUE(std::regex_match(gl[gl.size() - 3], std::regex(curve))) << gl[gl.size() - 3];
    std::string kinds = "guesses kinds";
    for (const char* kind : {"pawn", "lance", "knight", "silver", "gold", "bishop", "rook", "king"})
        kinds += std::string(" ") + kind + share;
    EXPECT_TRUE(std::regex_match(gl[gl.size() - 2], std::regex(kinds))) << gl[gl.size() - 2];
    EXPECT_TRUE(std::regex_match(gl.back(), std::regex("guesses king" + hundreds))) << gl.back();
}

TEST(MatchCommand, HonestAgainstHonestIsPlayedAtTheFairLevelAndRepeats) {
    const MatchRun a =
        runWith({"--think", "5", "--games", "1", "--seed", "5", "--level", "honest"});
    ASSERT_EQ(a.status, 0) << a.err;
    const std::vector<std::string> l = lines(a.out);
    ASSERT_EQ(l.size(), 7u) << a.out;
    EXPECT_EQ(l[1].rfind("games 1 wins ", 0), 0u) << l[1];
    EXPECT_EQ(runWith({"--think", "5", "--games", "1", "--seed", "5", "--level", "honest"}).out,
              a.out);
    // Against the player's first version, seated on the computer's side.
    const MatchRun v1 =
        runWith({"--think", "5", "--games", "1", "--seed", "5", "--level", "honest-v1"});
    ASSERT_EQ(v1.status, 0) << v1.err;
    EXPECT_EQ(lines(v1.out).size(), l.size()) << v1.out;
    // That the computer's side then plays at 公正 is checked on the window itself (Fair tests):
    // two careful players and the level-3 scan all draw this game, so its line cannot tell them
    // apart.
}

}  // namespace
}  // namespace velk::cli
