#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace velk::cli {
namespace {

struct Answer {
    int status;
    std::vector<std::string> lines;
};

Answer run(int (*subcommand)(std::istream&, std::ostream&), const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    Answer r{subcommand(in, out), {}};
    std::istringstream answer(out.str());
    for (std::string line; std::getline(answer, line);) r.lines.push_back(line);
    return r;
}

std::vector<int> values(const std::string& line, std::string& name) {
    std::istringstream fields(line);
    fields >> name;
    std::vector<int> v;
    for (int n; fields >> n;) v.push_back(n);
    return v;
}

constexpr const char* START = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

TEST(CliSurvey, PrintsEveryMapInOrderThenKingsAndEnd) {
    const Answer r = run(runSurvey, std::string(START) + "\n");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 16u);
    const char* names[] = {"manInfluence", "comInfluence",  "manGuardCode",  "comGuardCode",
                           "comGuardX",    "comGuardY",     "manAttackCode", "manAttackX",
                           "manAttackY",   "comAttackCode", "comAttackX",    "comAttackY",
                           "comKingCheck", "manKingCheck"};
    std::vector<std::vector<int>> maps;
    for (int i = 0; i < 14; ++i) {
        std::string name;
        maps.push_back(values(r.lines[i], name));
        EXPECT_EQ(name, names[i]);
        ASSERT_EQ(maps.back().size(), 81u) << name;
    }
    const auto at = [&](int map, int x, int y) { return maps[map][(x - 1) * 9 + (y - 1)]; };
    EXPECT_EQ(at(0, 5, 8), 4);
    EXPECT_EQ(at(2, 2, 8), -900);
    EXPECT_EQ(at(3, 8, 2), 100);
    EXPECT_EQ(at(4, 8, 2), 7);
    EXPECT_EQ(at(5, 8, 2), 1);
    EXPECT_EQ(r.lines[14], "kings 5 9 5 1");
    EXPECT_EQ(r.lines[15], "end");
}

TEST(CliSurvey, EachRequestStartsFromAFreshState) {
    // The first position leaves a guard square on (5, 5); in the second only a gold covers
    // (5, 5), which stores no square, so the map must read 0 there again.
    const Answer r = run(runSurvey,
                         "9/9/9/3s5/4p4/9/9/9/9 b - 1\n"
                         "# comment\n\n"
                         "9/9/9/9/4p4/4g4/9/9/9 b - 1\n");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 32u);
    std::string name;
    EXPECT_EQ(values(r.lines[4], name)[4 * 9 + 4], 4);
    EXPECT_EQ(values(r.lines[16 + 3], name)[4 * 9 + 4], 110);
    EXPECT_EQ(values(r.lines[16 + 4], name)[4 * 9 + 4], 0);
    EXPECT_EQ(r.lines[30], "kings 0 0 0 0");
}

TEST(CliSurvey, AMalformedLineAnswersAnErrorAndTheRestGoesOn) {
    const Answer r =
        run(runSurvey, "9/9/9 b - 1\n" + std::string(START) + " extra\n" + START + "\n");
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.lines.size(), 18u);
    EXPECT_EQ(r.lines[0].rfind("error: ", 0), 0u);
    EXPECT_EQ(r.lines[1].rfind("error: ", 0), 0u);
    EXPECT_EQ(r.lines[17], "end");
}

TEST(CliMate, AnswersTheFourTestsInOneLine) {
    const Answer r = run(runMate, std::string(START) + "\n" +
                                      "4k4/9/9/9/4r4/9/9/3P1P3/3LKL3 b - 1\n"
                                      "4k4/9/9/9/4r4/9/9/3P1P3/3LKL3 b G 1\n"
                                      "3lkl3/3pGp3/9/9/4R4/9/9/9/4K4 b - 1\n");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0], "escapes 3 mateMAN 0 comReachesMANKing 0 mateCOM 0");
    EXPECT_EQ(r.lines[1], "escapes 0 mateMAN 1 comReachesMANKing 1 mateCOM 0");
    EXPECT_EQ(r.lines[2], "escapes 0 mateMAN 0 comReachesMANKing 1 mateCOM 0");
    EXPECT_EQ(r.lines[3], "escapes 5 mateMAN 0 comReachesMANKing 0 mateCOM 1");
}

TEST(CliMiss, ClassifiesAfterRebuildingTheTwoPawnFlags) {
    const std::string pos = "4k4/9/9/9/9/9/9/5p1R1/4K4 b P 1 ";
    const Answer r = run(runMiss, pos + "8 8 3 8 -900\n" +       // jumps the hidden pawn
                                      pos + "11 5 6 8 -110\n" +  // drop on the hidden pawn
                                      pos + "8 8 6 8 -900\n" +   // plain capture
                                      "4k4/9/9/9/4l4/9/9/4G4/4K4 b - 1 5 8 4 8 -110\n" +
                                      "4k4/9/9/9/9/9/4P4/9/4K4 b P 1 11 3 5 5 -10\n");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[0], "kind 1");
    EXPECT_EQ(r.lines[1], "kind 2");
    EXPECT_EQ(r.lines[2], "kind 0");
    EXPECT_EQ(r.lines[3], "kind 3");
    EXPECT_EQ(r.lines[4], "kind 0");  // two pawns on a column: refused, but no miss
}

TEST(CliMiss, RefusesWhatCannotBeAMoveAndJudgesTheRest) {
    const std::string pos = "4k4/9/9/9/9/9/9/5p1R1/4K4 b - 1 ";
    const char* bad[] = {
        "0 8 3 8 -900", "10 8 3 8 -900", "8 0 3 8 -900", "8 8 0 8 -900",   "8 8 3 10 -900",
        "8 8 3 8 -905", "8 8 3 8 0",     "8 8 3 8",      "8 8 3 8 -900 1", "8 8 3 x -900",
    };
    std::string input;
    for (const char* move : bad) input += pos + move + "\n";
    // The referee does not look at the source: a hand row out of range or a piece the source
    // does not hold is still judged.
    input += pos + "8 8 3 8 -900\n" + pos + "11 0 6 8 -110\n" + pos + "1 1 3 8 -900\n";
    const Answer r = run(runMiss, input);
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.lines.size(), std::size(bad) + 3);
    for (std::size_t i = 0; i < std::size(bad); ++i)
        EXPECT_EQ(r.lines[i].rfind("error: ", 0), 0u) << bad[i] << " -> " << r.lines[i];
    EXPECT_EQ(r.lines[std::size(bad)], "kind 1");
    EXPECT_EQ(r.lines[std::size(bad) + 1], "kind 2");
    EXPECT_EQ(r.lines[std::size(bad) + 2], "kind 0");
}

TEST(CliMiss, ExtremeIntegersAreJudgedOrRefusedWithoutOverflow) {
    const std::string pos = "4k4/9/9/9/9/9/9/9/4K4 b P 1 ";
    const Answer r = run(runMiss, pos + "7 7 7 6 -2147483648\n" + pos + "7 7 7 6 2147483647\n" +
                                      pos + "-2147483648 5 5 5 -900\n" +
                                      pos + "5 5 5 -2147483648 -900\n" +
                                      // A drop's hand row may be any number: it is judged.
                                      pos + "11 -2147483648 5 5 -10\n" +
                                      pos + "11 2147483647 5 5 -20\n" +
                                      pos + "-1 -2147483648 5 5 10\n" +
                                      pos + "-1 2147483647 5 8 30\n");
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.lines.size(), 8u);
    EXPECT_EQ(r.lines[0], "error: no piece has the code -2147483648");
    EXPECT_EQ(r.lines[1], "error: no piece has the code 2147483647");
    EXPECT_EQ(r.lines[2].rfind("error: the source ", 0), 0u) << r.lines[2];
    EXPECT_EQ(r.lines[3].rfind("error: the destination ", 0), 0u) << r.lines[3];
    EXPECT_EQ(r.lines[4], "kind 0");
    EXPECT_EQ(r.lines[5], "kind 0");
    EXPECT_EQ(r.lines[6], "kind 0");
    EXPECT_EQ(r.lines[7], "kind 0");
}

}  // namespace
}  // namespace velk::cli
