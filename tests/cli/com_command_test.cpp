#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace velk::cli {
namespace {

TEST(CliCom, AnswersTheChosenMoveWithItsScoreInTenths) {
    std::istringstream in(
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1\n"
        "k8/4R4/9/4B4/R8/9/9/9/8K b - 1\n"  // every move leaves the king attacked
        "9/9/8p/9/9/9/9/9/K8 b - 1\n"       // a pawn step: -0.1
        "8k/9/9/9/9/9/1gn6/9/K8 b gr 1\n"   // a mating gold drop
        "9/9/9/9/9/9/9/9/4K4 b - 1\n");     // nothing to move
    std::ostringstream out;
    EXPECT_EQ(runCom(in, out), 0);
    std::istringstream answer(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(answer, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "move 7 3 7 4 10 10 10.0");  // opens the bishop's diagonal
    EXPECT_EQ(lines[1], "move 1 1 1 2 950 950 -9998.0");
    EXPECT_EQ(lines[2], "move 9 3 9 4 10 10 -0.1");
    EXPECT_EQ(lines[3], "move -1 5 1 8 110 110 9998.0");
    EXPECT_EQ(lines[4], "none");
}

}  // namespace
}  // namespace velk::cli
