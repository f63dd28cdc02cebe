// libFuzzer entry for the position text of the analysis command: any bytes must give either a
// position that could arise in a game, which writes back to the same text, or a reason; and the
// analysis subcommands must answer every request line with an answer or an error line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "board/piece.h"
#include "cli/commands.h"
#include "cli/sfen.h"

namespace {

using velk::PositionText;

constexpr int SUPPLY[8] = {0, 18, 4, 4, 4, 4, 2, 2};

void checkCouldArise(const PositionText& p) {
    int kingsMAN = 0, kingsCOM = 0;
    int total[8] = {};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = p.board[x][y];
            if (code == velk::EMPTY) continue;
            if (!velk::isValidPiece(code)) std::abort();
            kingsMAN += code == velk::MAN_OU;
            kingsCOM += code == velk::COM_OU;
            total[velk::handIndexOf(code)] += 1;
            if (((code == velk::MAN_HU || code == velk::MAN_KYOU) && y == 1) ||
                (code == velk::MAN_KEI && y <= 2) ||
                ((code == velk::COM_HU || code == velk::COM_KYOU) && y == 9) ||
                (code == velk::COM_KEI && y >= 8))
                std::abort();
        }
    if (kingsMAN > 1 || kingsCOM > 1) std::abort();
    for (int k = 1; k <= 7; ++k) {
        if (p.handMAN[k] < 0 || p.handCOM[k] < 0) std::abort();
        if (total[k] + p.handMAN[k] + p.handCOM[k] > SUPPLY[k]) std::abort();
    }
}

int answer(int (*subcommand)(std::istream&, std::ostream&), const std::string& requests) {
    std::istringstream in(requests);
    std::ostringstream out;
    const int status = subcommand(in, out);
    if (status != 0 && status != 1) std::abort();
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto fields = velk::cli::splitFields(std::string_view(text).substr(0, text.find('\n')));

    std::optional<PositionText> p;
    try {
        p = velk::cli::parsePosition(fields);
    } catch (const velk::PositionError& e) {
        if (std::string(e.what()).empty()) std::abort();
    }
    if (p) {
        checkCouldArise(*p);
        // What is accepted writes back to text that reads as the same position, and the
        // notation-only check accepts it too.
        const auto again =
            velk::cli::splitFields(velk::cli::formatPosition(p->board, p->handMAN, p->handCOM));
        const PositionText back = velk::cli::parsePosition(again);
        if (back.board != p->board || back.handMAN != p->handMAN || back.handCOM != p->handCOM)
            std::abort();
        static_cast<void>(
            velk::parsePositionText(fields[0], fields[2], velk::PositionCheck::Structure));
    }

    // The subcommands on every line of the input. The computer's choice is the slowest; it
    // is asked for the first line only.
    answer(velk::cli::runLegal, text);
    answer(velk::cli::runSurvey, text);
    answer(velk::cli::runMate, text);
    answer(velk::cli::runMiss, text);
    answer(velk::cli::runCom, text.substr(0, text.find('\n')));
    return 0;
}
