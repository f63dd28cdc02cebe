#include <cstdlib>
#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "com/com_turn.h"
#include "game/survey.h"

namespace velk::cli {

namespace {

// Tenths with exactly one decimal: -99980 -> "-9998.0", 126 -> "12.6".
void printTenths(std::ostream& out, int tenths) {
    if (tenths < 0) out << '-';
    const int magnitude = std::abs(tenths);
    out << magnitude / 10 << '.' << magnitude % 10;
}

// Prints every candidate with the terms of its score.
class TracePrinter final : public ComTracer {
  public:
    explicit TracePrinter(std::ostream& out) : out_(out) {}

    void candidate(const ComMove& tried, const EvalTrace& terms) override {
        out_ << "candidate " << tried.fromX << ' ' << tried.fromY << ' ' << tried.toX << ' '
             << tried.toY << ' ' << tried.placed << ' ' << tried.moving << '\n';
        for (int i = 0; i < terms.count; ++i) {
            out_ << "  " << terms.terms[i].name << ' ';
            printTenths(out_, terms.terms[i].value);
            out_ << '\n';
        }
        out_ << "  total ";
        printTenths(out_, tried.score);
        out_ << '\n';
    }

  private:
    std::ostream& out_;
};

int run(std::istream& in, std::ostream& out, bool trace) {
    return runRequests(in, out, [trace](const std::vector<std::string>& fields, std::ostream& o) {
        GameState s{};
        placeRequestPosition(s, fields);
        s.level = 3;
        // The human's turn surveys the position right after its move.
        勢力調査(s);
        prepareComTurn(s);
        TracePrinter printer(o);
        const ComMove move = scanComCandidates(s, nullptr, nullptr, trace ? &printer : nullptr);
        if (!move.found) {
            o << "none\n";
            return;
        }
        o << "move " << move.fromX << ' ' << move.fromY << ' ' << move.toX << ' ' << move.toY << ' '
          << move.placed << ' ' << move.moving << ' ';
        printTenths(o, move.score);
        o << '\n';
    });
}

}  // namespace

int runCom(std::istream& in, std::ostream& out) {
    return run(in, out, false);
}

int runComTrace(std::istream& in, std::ostream& out) {
    return run(in, out, true);
}

}  // namespace velk::cli
