#include "cli/sfen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "cli/commands.h"

namespace velk::cli {
namespace {

constexpr const char* START = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

Position parse(const std::string& line) {
    return parsePosition(splitFields(line));
}

std::string errorOf(const std::string& line) {
    try {
        parse(line);
    } catch (const ParseError& e) {
        return e.what();
    }
    return "";
}

TEST(Sfen, StartingPositionPutsTheHumanAtTheBottom) {
    const Position p = parse(START);
    EXPECT_EQ(p.board[5][9], MAN_OU);
    EXPECT_EQ(p.board[2][8], MAN_KAKU);
    EXPECT_EQ(p.board[8][8], MAN_SYA);
    EXPECT_EQ(p.board[5][1], COM_OU);
    EXPECT_EQ(p.board[2][2], COM_SYA);
    EXPECT_EQ(p.board[8][2], COM_KAKU);
    EXPECT_EQ(p.board[1][1], COM_KYOU);
}

TEST(Sfen, PromotedPiecesAndHands) {
    const Position p = parse("4k4/9/9/9/4+p4/9/9/+R8/4K4 b 2PS3pr 1");
    EXPECT_EQ(p.board[5][5], COM_TO);
    EXPECT_EQ(p.board[1][8], MAN_RYU);
    EXPECT_EQ(p.handMAN[1], 2);
    EXPECT_EQ(p.handMAN[4], 1);
    EXPECT_EQ(p.handCOM[1], 3);
    EXPECT_EQ(p.handCOM[7], 1);
    EXPECT_EQ(p.handCOM[2], 0);
}

TEST(Sfen, RoundTripsThroughFormat) {
    for (const char* text : {START, "4k4/9/9/9/4+p4/9/9/+R8/4K4 b S2Pr3p 1",
                             "9/9/9/9/9/9/9/9/9 b - 1", "+b+s+n+l5/9/9/9/9/9/9/9/4K4 b 18p 1"}) {
        const Position p = parse(text);
        EXPECT_EQ(formatPosition(p.board, p.handMAN, p.handCOM), text);
    }
}

TEST(Sfen, MalformedPositionsAreRefusedWithAReason) {
    EXPECT_NE(errorOf("lnsgkgsn/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"), "");
    EXPECT_NE(errorOf("lnsgkgsnll/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"), "");
    EXPECT_NE(errorOf("55/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("x8/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("+k8/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("+G8/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("+8/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("8+/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("K3K4/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("k3k4/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9"), "");
    EXPECT_NE(errorOf(""), "");
}

TEST(Sfen, PiecesThatCouldNeverMoveAreRefused) {
    EXPECT_NE(errorOf("P8/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("L8/9/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("9/N8/9/9/9/9/9/9/9 b - 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/p8 b - 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/n8/9 b - 1"), "");
    // Promoted ones move anywhere a gold does.
    EXPECT_EQ(errorOf("+P8/9/9/9/9/9/9/9/+p8 b - 1"), "");
}

TEST(Sfen, BadHandsAreRefused) {
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b 0P 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b 1P 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b 19P 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b 3B 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b K 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b +P 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b PP 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b 2 1"), "");
    EXPECT_NE(errorOf("9/9/9/9/9/9/9/9/9 b 100P 1"), "");
    // More rooks on the board and in hand than a set has.
    EXPECT_NE(errorOf("R8/9/9/9/9/9/9/9/r8 b R 1"), "");
}

std::string runLegalOn(const std::string& input, int* status = nullptr) {
    std::istringstream in(input);
    std::ostringstream out;
    const int rc = runLegal(in, out);
    if (status) *status = rc;
    return out.str();
}

TEST(LegalCommand, StartingPositionHasThirtyMovesEachSide) {
    const std::string out = runLegalOn(std::string(START) + "\n");
    std::istringstream lines(out);
    std::string line;
    int man = 0, com = 0, ends = 0;
    while (std::getline(lines, line)) {
        if (line == "end") {
            ++ends;
            continue;
        }
        std::istringstream f(line);
        int fx, fy, tx, ty, piece;
        ASSERT_TRUE(f >> fx >> fy >> tx >> ty >> piece) << line;
        (piece < 0 ? man : com) += 1;
    }
    EXPECT_EQ(man, 30);
    EXPECT_EQ(com, 30);
    EXPECT_EQ(ends, 1);
}

TEST(LegalCommand, OrderIsBoardMovesThenDropsHumanFirst) {
    // Human king and pawn in hand, computer king and pawn in hand; columns 1 hold pawns.
    const std::string out = runLegalOn("k8/9/p8/9/9/9/P8/9/8K b Pp 1\n");
    std::istringstream lines(out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), "end");
    // First the human pawn, then the king, then drops from column 11 row 3.
    EXPECT_EQ(all[0], "1 7 1 6 -10");
    const auto firstDrop = std::find_if(
        all.begin(), all.end(), [](const std::string& l) { return l.rfind("11 3", 0) == 0; });
    ASSERT_NE(firstDrop, all.end());
    // Column 1 already holds a human pawn: the first human drop is in column 2, and never row 1.
    EXPECT_EQ(*firstDrop, "11 3 2 2 -10");
    const auto firstCom = std::find_if(all.begin(), all.end(), [](const std::string& l) {
        return l.size() > 2 && l.substr(l.rfind(' ') + 1)[0] != '-';
    });
    ASSERT_NE(firstCom, all.end());
    EXPECT_LT(firstDrop, firstCom);
    EXPECT_EQ(*firstCom, "1 1 1 2 950");
}

TEST(LegalCommand, BadLinesAnswerErrorAndTheRestGoOn) {
    int status = 0;
    const std::string out =
        runLegalOn("# a comment\n\nnonsense\n9/9/9/9/9/9/9/9/9 b - 1\n", &status);
    EXPECT_EQ(out.rfind("error: ", 0), 0u);
    EXPECT_NE(out.find("\nend\n"), std::string::npos);
    EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace velk::cli
