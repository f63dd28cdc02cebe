#include "cli/connect.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace velk::cli {

bool connectArguments(const std::vector<std::string>& args, std::vector<std::string>& robotArgs,
                      std::string& error) {
    std::string url;
    std::string mode;
    std::string level = "honest";
    std::vector<std::string> passed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (!url.empty()) {
                error = "more than one server address: " + a;
                return false;
            }
            url = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        if (a == "--create" || a == "--join") {
            if (!mode.empty()) {
                error = "give one of --create and --join";
                return false;
            }
            if (a == "--create" && v != "sente" && v != "gote" && v != "random") {
                error = "--create takes sente, gote or random, not " + v;
                return false;
            }
            mode = a;
            passed.insert(passed.end(), {a, v});
        } else if (a == "--level") {
            level = v;
        } else if (a == "--abandon" || a == "--seed" || a == "--think") {
            passed.insert(passed.end(), {a, v});
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (url.empty()) {
        error = "no server address (ws://HOST:PORT)";
        return false;
    }
    if (mode.empty()) {
        error = "give --create SIDE or --join CODE";
        return false;
    }
    // The server sends a seat only what its side sees. Levels 1 to 3 choose their moves from
    // the whole board, so they cannot play through it; the honest player and random moves can.
    if (level == "1" || level == "2" || level == "3") {
        error = "level " + level +
                " chooses its moves from the whole board, which the server shows no seat; "
                "use --level honest or random";
        return false;
    }
    if (level != "honest" && level != "random") {
        error = "--level takes honest, random, 1, 2 or 3, not " + level;
        return false;
    }
    robotArgs = {url};
    robotArgs.insert(robotArgs.end(), passed.begin(), passed.end());
    robotArgs.insert(robotArgs.end(), {"--player", level});
    return true;
}

std::string robotProgram() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto beside = self.parent_path() / "velk-tsuitate-robot";
        if (std::filesystem::exists(beside, ec)) return beside.string();
    }
#ifdef VELK_ROBOT_BUILD_PATH
    return VELK_ROBOT_BUILD_PATH;
#else
    return "velk-tsuitate-robot";
#endif
}

int runConnect(const std::vector<std::string>& args, std::ostream& err) {
    std::vector<std::string> robotArgs;
    std::string error;
    if (!connectArguments(args, robotArgs, error)) {
        err << "velk-tsuitate-cli: connect: " << error << '\n';
        return 2;
    }
    const std::string program = robotProgram();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (std::string& a : robotArgs) argv.push_back(a.data());
    argv.push_back(nullptr);
    err.flush();
    // execvp: a bare name is looked for on PATH, a path is run as it is.
    ::execvp(program.c_str(), argv.data());
    err << "velk-tsuitate-cli: connect: cannot run " << program << ": " << std::strerror(errno)
        << '\n';
    return 1;
}

}  // namespace velk::cli
