#include <istream>
#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"

namespace velk::cli {

int runCom(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>&, std::ostream&) {
        throw ParseError("com is not available in this build yet");
    });
}

}  // namespace velk::cli
