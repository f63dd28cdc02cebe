#include <istream>
#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "game/mate.h"
#include "game/move_exec.h"
#include "game/survey.h"

namespace velk::cli {

int runMate(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>& fields, std::ostream& o) {
        GameState s{};
        placeRequestPosition(s, fields);
        調査_2歩フラグ設定(s);
        勢力調査(s);
        // In this order: the last test runs on whatever maps the earlier ones left.
        const int escapes = 調査_自王逃道(s);
        const int mateMAN = 詰めかMAN(s);
        const int comReaches = 詰めかMAN_COM移動(s);
        const int mateCOM = 詰めかCOM(s);
        o << "escapes " << escapes << " mateMAN " << mateMAN << " comReachesMANKing " << comReaches
          << " mateCOM " << mateCOM << '\n';
    });
}

}  // namespace velk::cli
