// The trace of `com --trace`: pinned by golden outputs, and checked against the plain answer.
// To renew a golden file after a deliberate change of the evaluation, run the request in its
// first line through `velk-tsuitate-cli com --trace` and put the output between the quotes.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace velk::cli {
namespace {

struct Golden {
    const char* request;
    const char* trace;
};

const Golden GOLDEN[] = {
    {
        "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1",
#include "cli/golden/com_trace_start.inc"
    },
    {
        "ln1g1g1nl/1ks2r3/1pp4pp/p3ppp2/4+B4/2P3P2/PP2+pP1PP/2K1G2R1/LNSG3NL b SPbsp 1",
#include "cli/golden/com_trace_middle_hands.inc"
    },
    {
        "ln1g3nl/1ks3g2/1ppp1p1pp/p3p1p2/9/2P3P2/PP1P1P1PP/7R1/LN1GK2NL b Pbgrs 1",
#include "cli/golden/com_trace_checks.inc"
    },
    // The mating drop ends the scan: it is the last candidate traced.
    {
        "8k/9/9/9/9/9/1gn6/9/K8 b gr 1",
#include "cli/golden/com_trace_mating_drop.inc"
    },
};

// Requests beyond the golden ones: an own king left attacked, a lone pawn, nothing to move.
const char* const MORE_REQUESTS[] = {
    "k8/4R4/9/4B4/R8/9/9/9/8K b - 1",
    "9/9/8p/9/9/9/9/9/K8 b - 1",
    "9/9/9/9/9/9/9/9/4K4 b - 1",
};

std::string run(int (*command)(std::istream&, std::ostream&), const std::string& requests) {
    std::istringstream in(requests);
    std::ostringstream out;
    EXPECT_EQ(command(in, out), 0);
    return out.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// "-12.3" -> -123: the trace prints tenths with exactly one decimal.
int tenths(const std::string& text) {
    const bool negative = text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    const std::size_t dot = digits.find('.');
    EXPECT_EQ(dot, digits.size() - 2) << text;
    const int value = std::stoi(digits.substr(0, dot)) * 10 + (digits[dot + 1] - '0');
    return negative ? -value : value;
}

std::string allRequests() {
    std::string requests;
    for (const Golden& g : GOLDEN) requests += std::string(g.request) + '\n';
    for (const char* r : MORE_REQUESTS) requests += std::string(r) + '\n';
    return requests;
}

TEST(CliComTrace, MatchesTheGoldenTraces) {
    for (const Golden& g : GOLDEN)
        EXPECT_EQ(run(runComTrace, std::string(g.request) + '\n'), g.trace) << g.request;
}

TEST(CliComTrace, LeavesTheAnswersAsTheyAreWithoutTrace) {
    const std::string requests = allRequests();
    std::string answers;
    for (const std::string& line : linesOf(run(runComTrace, requests)))
        if (line.rfind("candidate ", 0) != 0 && line.rfind("  ", 0) != 0) answers += line + '\n';
    EXPECT_EQ(answers, run(runCom, requests));
}

TEST(CliComTrace, TermsAddUpToEachCandidatesTotal) {
    const std::set<std::string> names = {
        "outcome",   "check",  "drop",     "promotion",      "emptySquares", "comPieces",
        "manPieces", "fork",   "approach", "pinnedAttacker", "safety",       "edgeLance",
        "material",  "pawn",   "tokin",    "lance",          "knight",       "silver",
        "gold",      "bishop", "horse",    "rook",           "dragon",       "king"};
    int candidates = 0;
    int sum = 0;
    bool open = false;
    std::set<std::string> seen;
    for (const std::string& line : linesOf(run(runComTrace, allRequests()))) {
        std::istringstream fields(line);
        std::string word, value;
        fields >> word >> value;
        if (word == "candidate") {
            EXPECT_FALSE(open) << line;
            open = true;
            sum = 0;
            ++candidates;
        } else if (word == "total") {
            ASSERT_TRUE(open) << line;
            EXPECT_EQ(tenths(value), sum) << "candidate " << candidates;
            open = false;
        } else if (line.rfind("  ", 0) == 0) {
            ASSERT_TRUE(open) << line;
            EXPECT_TRUE(names.count(word)) << line;
            EXPECT_NE(tenths(value), 0) << line;  // only terms that contributed
            sum += tenths(value);
            seen.insert(word);
        } else {
            EXPECT_FALSE(open) << "answer inside a candidate: " << line;
        }
    }
    EXPECT_FALSE(open);
    EXPECT_GT(candidates, 300);
    // The positions reach the drop, promotion, check, outcome and danger terms.
    for (const char* name : {"outcome", "check", "drop", "promotion", "emptySquares", "comPieces",
                             "manPieces", "material", "safety"})
        EXPECT_TRUE(seen.count(name)) << name;
}

TEST(CliComTrace, TheCandidateThatStopsTheScanIsTracedLast) {
    const std::vector<std::string> lines =
        linesOf(run(runComTrace, "8k/9/9/9/9/9/1gn6/9/K8 b gr 1\n"));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.back(), "move -1 5 1 8 110 110 9998.0");
    EXPECT_EQ(lines[lines.size() - 2], "  total 9998.0");
    std::size_t last = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind("candidate ", 0) == 0) last = i;
    EXPECT_EQ(lines[last], "candidate -1 5 1 8 110 110");
}

}  // namespace
}  // namespace velk::cli
