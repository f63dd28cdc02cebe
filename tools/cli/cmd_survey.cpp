#include <istream>
#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "game/survey.h"

namespace velk::cli {

namespace {

void printMap(const char* name, const Map& m, std::ostream& out) {
    out << name;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) out << ' ' << m[x][y];
    out << '\n';
}

}  // namespace

int runSurvey(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>& fields, std::ostream& o) {
        GameState s{};
        placeRequestPosition(s, fields);
        勢力調査(s);
        const InfluenceMaps& m = s.maps;
        printMap("manInfluence", m.manInfluence, o);
        printMap("comInfluence", m.comInfluence, o);
        printMap("manGuardCode", m.manGuardCode, o);
        printMap("comGuardCode", m.comGuardCode, o);
        printMap("comGuardX", m.comGuardX, o);
        printMap("comGuardY", m.comGuardY, o);
        printMap("manAttackCode", m.manAttackCode, o);
        printMap("manAttackX", m.manAttackX, o);
        printMap("manAttackY", m.manAttackY, o);
        printMap("comAttackCode", m.comAttackCode, o);
        printMap("comAttackX", m.comAttackX, o);
        printMap("comAttackY", m.comAttackY, o);
        printMap("comKingCheck", m.comKingCheck, o);
        printMap("manKingCheck", m.manKingCheck, o);
        o << "kings " << s.kingXMAN << ' ' << s.kingYMAN << ' ' << s.kingXCOM << ' ' << s.kingYCOM
          << "\nend\n";
    });
}

}  // namespace velk::cli
