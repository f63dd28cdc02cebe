// The built programs in child processes: started from a current folder that no longer exists,
// and ended by SIGTERM or SIGINT. Every wait is bounded; a child that outlives it is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const char* const SETTINGS_FILE = "Velkついたて将棋.ini";
const char* const LANGUAGE_FILE = "Velkついたて将棋.lang";

struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string name = (fs::temp_directory_path() / "velk-program-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

struct Launch {
    std::string program;
    std::vector<std::string> args;
    fs::path folder;               // the child's current folder
    bool removeFolder = false;     // removed by the child once it stands in it
    std::vector<std::string> env;  // NAME=VALUE added to the test's environment
    fs::path output;               // standard output and error go here
    std::string input;             // written to a file that is the child's standard input
};

// Starts the child; returns its process id.
pid_t start(const Launch& l) {
    // Everything the child needs is prepared here: between fork and exec it may only make
    // system calls.
    std::vector<std::string> argStore{l.program};
    argStore.insert(argStore.end(), l.args.begin(), l.args.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        bool replaced = false;
        for (const auto& mine : l.env)
            replaced =
                replaced || entry.compare(0, mine.find('=') + 1, mine, 0, mine.find('=') + 1) == 0;
        if (!replaced) envStore.push_back(entry);
    }
    envStore.insert(envStore.end(), l.env.begin(), l.env.end());
    std::vector<char*> envp;
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    const fs::path inputFile = l.output.string() + ".in";
    std::ofstream(inputFile) << l.input;
    const int in = ::open(inputFile.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(l.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const std::string folder = l.folder.string();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0) ::_exit(126);
        if (::chdir(folder.c_str()) != 0) ::_exit(126);
        if (l.removeFolder && ::rmdir(folder.c_str()) != 0) ::_exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(in);
    ::close(out);
    return pid;
}

// The child's wait status once it has ended, or nothing when it is still running after the
// limit (it is then killed).
std::optional<int> finish(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(20ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return std::nullopt;
}

// Waits until the file exists (or the child ended, or the limit passed).
bool appears(const fs::path& file, pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (fs::exists(file)) return true;
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return false;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string describe(const std::optional<int>& status) {
    if (!status) return "still running after the limit";
    if (WIFEXITED(*status)) return "exit status " + std::to_string(WEXITSTATUS(*status));
    if (WIFSIGNALED(*status)) return "killed by signal " + std::to_string(WTERMSIG(*status));
    return "wait status " + std::to_string(*status);
}

TEST(CommandLineTool, PlayInARemovedFolderSaysSoAndExitsOne) {
    TempFolder temp;
    Launch l;
    l.program = VELK_CLI_PROGRAM;
    l.args = {"play"};
    l.folder = temp.path / "gone";
    fs::create_directory(l.folder);
    l.removeFolder = true;
    l.output = temp.path / "out.txt";
    l.input = "show\n";
    const auto status = finish(start(l), 60s);
    const std::string out = contents(l.output);
    ASSERT_TRUE(status && WIFEXITED(*status)) << describe(status) << "\n" << out;
    EXPECT_EQ(WEXITSTATUS(*status), 1) << out;
    EXPECT_EQ(out.rfind("error: the current folder cannot be found (", 0), 0u) << out;
}

TEST(CommandLineTool, MatchWithBadArgumentsSaysWhyAndExitsTwo) {
    TempFolder temp;
    Launch l;
    l.program = VELK_CLI_PROGRAM;
    l.folder = temp.path;
    l.output = temp.path / "out.txt";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"match", "--games", "0", "--seed", "1", "--level", "1"},
          {"match", "--games", "2", "--level", "1"},
          {"match", "--games", "2", "--seed", "1", "--level", "9"},
          {"match", "--games", "2", "--seed", "1", "--level", "1", "--trace", "3"}}) {
        l.args = args;
        const auto status = finish(start(l), 60s);
        const std::string out = contents(l.output);
        ASSERT_TRUE(status && WIFEXITED(*status)) << describe(status) << "\n" << out;
        EXPECT_EQ(WEXITSTATUS(*status), 2) << out;
        EXPECT_EQ(out.rfind("velk-tsuitate-cli: match: ", 0), 0u) << out;
    }
    // The traced game comes move by move right after its own line: every move it played, each
    // move or miss once, in order.
    l.args = {"match", "--games", "2", "--seed",  "5", "--level",
              "3",     "--think", "5", "--trace", "2"};
    const auto status = finish(start(l), 120s);
    ASSERT_TRUE(status && WIFEXITED(*status)) << describe(status);
    const std::string out = contents(l.output);
    EXPECT_EQ(WEXITSTATUS(*status), 0) << out;
    std::istringstream lines(out);
    std::string line;
    int gameMoves = -1, played = 0, lastMove = 0;
    bool inTrace = false, ordered = true;
    while (std::getline(lines, line)) {
        if (line.rfind("game ", 0) == 0) {
            inTrace = line.rfind("game 2 ", 0) == 0;
            if (inTrace) gameMoves = std::stoi(line.substr(line.find(" moves ") + 7));
        } else if (line.rfind("move ", 0) == 0) {
            EXPECT_TRUE(inTrace) << line;
            const int number = std::stoi(line.substr(5));
            const bool wasPlayed = line.find(" played ") != std::string::npos;
            ordered = ordered && number == lastMove + (wasPlayed ? 1 : 0);
            lastMove = number;
            played += wasPlayed ? 1 : 0;
        } else if (line.rfind("position ", 0) != 0) {
            inTrace = false;
        }
    }
    EXPECT_TRUE(ordered) << out;
    EXPECT_GT(gameMoves, 0) << out;
    EXPECT_EQ(played, gameMoves) << out;
}

#ifdef VELK_WINDOW_PROGRAM

// The window program on the offscreen platform with a silent sound driver, its home in the
// temporary folder.
Launch windowLaunch(const TempFolder& temp) {
    Launch l;
    l.program = VELK_WINDOW_PROGRAM;
    l.output = temp.path / "window.txt";
    l.env = {"QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy",
             "HOME=" + (temp.path / "home").string(),
             "XDG_DATA_HOME=" + (temp.path / "data").string(),
             "XDG_RUNTIME_DIR=" + (temp.path / "runtime").string()};
    fs::create_directories(temp.path / "home");
    fs::create_directories(temp.path / "runtime");
    fs::permissions(temp.path / "runtime", fs::perms::owner_all);
    return l;
}

TEST(WindowProgram, TerminationSignalsEndItAsTheEndMenuDoes) {
    const struct {
        int sig;
        bool languageFifo;  // a FIFO in place of the language file, read at the start
    } table[] = {{SIGTERM, false}, {SIGINT, false}, {SIGHUP, false}, {SIGTERM, true}};
    for (const auto& [sig, languageFifo] : table) {
        SCOPED_TRACE("signal " + std::to_string(sig) + (languageFifo ? " with a FIFO" : ""));
        TempFolder temp;
        Launch l = windowLaunch(temp);
        l.folder = temp.path / "game";
        fs::create_directory(l.folder);
        const fs::path language = l.folder / LANGUAGE_FILE;
        if (languageFifo) {
            ASSERT_EQ(::mkfifo(language.c_str(), 0600), 0);
        }
        const pid_t pid = start(l);
        // The load handler opens the sound and then writes the missing settings file.
        const fs::path settings = l.folder / SETTINGS_FILE;
        if (!appears(settings, pid, 60s)) {
            const auto status = finish(pid, 0ms);
            FAIL() << "the window did not start: " << describe(status) << "\n"
                   << contents(l.output);
        }
        std::this_thread::sleep_for(200ms);
        const std::string before = contents(settings);
        ::kill(pid, sig);
        const auto status = finish(pid, 15s);
        ASSERT_TRUE(status && WIFEXITED(*status)) << describe(status) << "\n" << contents(l.output);
        EXPECT_EQ(WEXITSTATUS(*status), 0) << contents(l.output);
        EXPECT_EQ(contents(settings), before);
        EXPECT_EQ(fs::is_fifo(language), languageFifo);
    }
}

// --help and --version are answered without a display, an unknown option is refused, and none
// of them writes a file or makes a folder.
TEST(WindowProgram, HelpVersionAndUnknownOptionsOpenNoWindowAndWriteNothing) {
    const struct {
        std::vector<std::string> args;
        bool display;  // whether a (virtual) display is there
        int exitStatus;
        std::string outputStart;
    } table[] = {
        {{"--help"}, false, 0, "usage: velk-tsuitate "},
        {{"-h"}, false, 0, "usage: velk-tsuitate "},
        {{"--version"}, false, 0, "velk-tsuitate 1."},
        {{"--frobnicate"}, true, 2, "velk-tsuitate: unknown option '--frobnicate'\n"},
        {{"-platform", "offscreen", "-x"}, true, 2, "velk-tsuitate: unknown option '-x'\n"},
        {{"game.棋譜"}, true, 2, "velk-tsuitate: unexpected argument 'game.棋譜'\n"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.args.front());
        TempFolder temp;
        Launch l = windowLaunch(temp);
        l.args = row.args;
        l.folder = temp.path / "game";
        fs::create_directory(l.folder);
        // Without a display, a program that started Qt's window system would abort.
        if (!row.display) {
            for (auto& e : l.env)
                if (e.rfind("QT_QPA_PLATFORM=", 0) == 0) e = "QT_QPA_PLATFORM=xcb";
            l.env.insert(l.env.end(), {"DISPLAY=", "WAYLAND_DISPLAY="});
        }
        const auto status = finish(start(l), 60s);
        const std::string out = contents(l.output);
        ASSERT_TRUE(status && WIFEXITED(*status)) << describe(status) << "\n" << out;
        EXPECT_EQ(WEXITSTATUS(*status), row.exitStatus) << out;
        EXPECT_EQ(out.rfind(row.outputStart, 0), 0u) << out;
        EXPECT_TRUE(fs::is_empty(l.folder));
        EXPECT_FALSE(fs::exists(temp.path / "data"));
    }
}

TEST(WindowProgram, InARemovedFolderItStartsInTheDataFolder) {
    TempFolder temp;
    Launch l = windowLaunch(temp);
    l.folder = temp.path / "gone";
    fs::create_directory(l.folder);
    l.removeFolder = true;
    const pid_t pid = start(l);
    const bool started = appears(temp.path / "data" / "velk-tsuitate" / SETTINGS_FILE, pid, 60s);
    ::kill(pid, SIGTERM);
    const auto status = finish(pid, 15s);
    EXPECT_TRUE(started) << describe(status) << "\n" << contents(l.output);
    ASSERT_TRUE(status && WIFEXITED(*status)) << describe(status) << "\n" << contents(l.output);
    EXPECT_EQ(WEXITSTATUS(*status), 0) << contents(l.output);
}

TEST(WindowProgram, WithoutAnyUsableFolderItSaysWhyAndStillEndsOnASignal) {
    TempFolder temp;
    Launch l = windowLaunch(temp);
    std::ofstream(temp.path / "a-file") << "x";
    for (auto& e : l.env)
        if (e.rfind("XDG_DATA_HOME=", 0) == 0)
            e = "XDG_DATA_HOME=" + (temp.path / "a-file").string();
    l.folder = temp.path / "gone";
    fs::create_directory(l.folder);
    l.removeFolder = true;
    const pid_t pid = start(l);
    const auto end = std::chrono::steady_clock::now() + 60s;
    while (contents(l.output).find("velk-tsuitate: ") == std::string::npos &&
           std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(50ms);
    ::kill(pid, SIGTERM);
    const auto status = finish(pid, 15s);
    const std::string out = contents(l.output);
    EXPECT_NE(out.find("velk-tsuitate: the current folder no longer exists, and " +
                       (temp.path / "a-file" / "velk-tsuitate").string() + " cannot be used"),
              std::string::npos)
        << out;
    ASSERT_TRUE(status.has_value()) << out;
    EXPECT_TRUE((WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM) ||
                (WIFEXITED(*status) && WEXITSTATUS(*status) == 1))
        << describe(status) << "\n"
        << out;
}

#endif

}  // namespace
