#include "cli/requests.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "cli/sfen.h"

namespace velk::cli {

int runRequests(std::istream& in, std::ostream& out, const RequestHandler& handler) {
    int status = 0;
    std::string line;
    while (std::getline(in, line)) {
        const auto fields = splitFields(line);
        if (fields.empty() || fields[0][0] == '#') continue;
        // Answer into a buffer so that a request failing half-way prints only its error line.
        std::ostringstream answer;
        try {
            handler(fields, answer);
            out << answer.str();
        } catch (const ParseError& e) {
            out << "error: " << e.what() << '\n';
            status = 1;
        }
    }
    out.flush();
    return status;
}

int parseIntField(const std::string& text, const char* what) {
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last)
        throw ParseError(std::string(what) + " is not an integer: '" + text + "'");
    return value;
}

}  // namespace velk::cli
