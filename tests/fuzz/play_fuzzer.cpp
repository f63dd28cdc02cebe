// libFuzzer entry for the play command's script reader and the window controller behind it:
// any script must run to its end (or stop on an unanswered question) with exit status 0 or 1,
// within the time out, without a crash. Commands that reach other folders or write records
// are left out, so that every input stays inside its own game folder; the number of commands
// is bounded, as each move lets the computer think.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/play.h"
#include "cli/sfen.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velk::fuzz::GameFolder folder;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::string script;
    int commands = 0;
    std::size_t start = 0;
    while (start < text.size() && commands < 40) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const auto fields = velk::cli::splitFields(line);
        if (!fields.empty()) {
            const std::string& cmd = fields[0];
            if (cmd == "folder" || cmd == "drive" || cmd == "file" || cmd == "RETURN") continue;
            ++commands;
        }
        script.append(line);
        script += '\n';
    }

    folder.reset();
    std::istringstream in(script);
    std::ostringstream out;
    const int status = velk::cli::runPlayScript(in, out, folder.path());
    if (status != 0 && status != 1) std::abort();
    return 0;
}
