// Velkついたて将棋: the game window.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/main_window.h"

namespace {

constexpr const char* PROGRAM = "velk-tsuitate";

void printUsage(std::ostream& out) {
    out << "usage: velk-tsuitate [--help | --version] [--create URL [--side SIDE] [--abandon S] |\n"
           "                     --join URL CODE] [Qt options]\n"
           "\n"
           "Velkついたて将棋: tsuitate shogi (screen shogi) against the computer, in a window.\n"
           "The game keeps its settings, sounds and records in the current folder; when that\n"
           "folder no longer exists, in $XDG_DATA_HOME/velk-tsuitate\n"
           "(~/.local/share/velk-tsuitate).\n"
           "\n"
           "options:\n"
           "  --help, -h  print this help and exit\n"
           "  --version   print the version and exit\n"
           "  --create URL   create a network game on the server at URL (ws://HOST:PORT)\n"
           "                 and show its join code; --side sente, gote or random (the\n"
           "                 default), --abandon: seconds a dropped player may be gone (300)\n"
           "  --join URL CODE  join the network game with that code on the server at URL\n"
           "\n"
           "Qt's own options (-platform, -style, ...) are taken as well.\n";
}

// --help and --version are answered before Qt starts, so that they need no display and touch
// no file. Returns the exit status, or -1 when the program should run.
int answerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage(std::cout);
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << PROGRAM << ' ' << VELK_VERSION << '\n';
        } else {
            continue;
        }
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    return -1;
}

// The network game the command line asks for, taken out of the arguments. False, with the
// reason said on standard error, when the options are wrong.
bool takeNetOptions(int& argc, char** argv, std::optional<velk::app::NetClient::Options>& net) {
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                std::cerr << PROGRAM << ": " << arg << " needs " << what << '\n';
                return nullptr;
            }
            return argv[++i];
        };
        if (arg == "--create" || arg == "--join") {
            const char* url = value("a server address");
            if (url == nullptr) return false;
            if (!net) net.emplace();
            net->url = QUrl(QString::fromLocal8Bit(url));
            net->create = arg == "--create";
            if (!net->create) {
                const char* code = value("a join code");
                if (code == nullptr) return false;
                net->code = QString::fromLocal8Bit(code);
            }
        } else if (arg == "--side") {
            const char* side = value("sente, gote or random");
            if (side == nullptr) return false;
            if (!net) net.emplace();
            net->side = QString::fromLocal8Bit(side);
            if (net->side != "sente" && net->side != "gote" && net->side != "random") {
                std::cerr << PROGRAM << ": --side takes sente, gote or random\n";
                return false;
            }
        } else if (arg == "--abandon") {
            const char* seconds = value("a number of seconds");
            if (seconds == nullptr) return false;
            if (!net) net.emplace();
            bool ok = false;
            net->abandonSeconds = QString::fromLocal8Bit(seconds).toInt(&ok);
            if (!ok || net->abandonSeconds < 1 || net->abandonSeconds > 604800) {
                std::cerr << PROGRAM << ": --abandon takes whole seconds from 1 to 604800\n";
                return false;
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (net && !velk::app::isServerAddress(net->url)) {
        std::cerr << PROGRAM << ": not a server address (ws://HOST:PORT): "
                  << net->url.toString().toStdString() << '\n';
        return false;
    }
    argc = static_cast<int>(rest.size());
    for (int i = 0; i < argc; ++i) argv[i] = rest[static_cast<std::size_t>(i)];
    return true;
}

// What Qt did not take of the arguments is a mistake: said on standard error before anything
// is opened or written. False when there was none.
bool refusedArguments(int argc, char** argv) {
    if (argc <= 1) return false;
    const std::string arg = argv[1];
    std::cerr << PROGRAM << ": "
              << (arg.size() > 1 && arg[0] == '-' ? "unknown option '" : "unexpected argument '")
              << arg << "'\nTry '" << PROGRAM << " --help' for the options.\n";
    return true;
}

// The pipe through which the handler of SIGTERM, SIGINT and SIGHUP wakes the event loop: a
// handler may do next to nothing itself, so it only writes one byte.
int signalPipe[2] = {-1, -1};
// SIGHUP as the program found it, for the box that waits without the event loop.
struct sigaction startHangup {};

extern "C" void onTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

bool catchTerminationSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A hangup (the terminal closed, a logout) ends the program as SIGTERM does, unless it was
    // started to ignore hangups (nohup).
    const bool hangupKnown = ::sigaction(SIGHUP, nullptr, &startHangup) == 0;
    const bool hangupIgnored = hangupKnown && startHangup.sa_handler == SIG_IGN;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0 &&
           (hangupIgnored || ::sigaction(SIGHUP, &action, nullptr) == 0);
}

// The player's data folder, where the launcher starts the game: $XDG_DATA_HOME/velk-tsuitate or
// ~/.local/share/velk-tsuitate. Empty when neither variable gives an absolute path.
std::filesystem::path dataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::filesystem::path(xdg) / "velk-tsuitate";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::filesystem::path(home) / ".local" / "share" / "velk-tsuitate";
    return {};
}

// The game keeps its settings, sounds and records in the current folder. When that folder no
// longer exists, the game starts in the data folder instead, made if need be. False when
// neither can serve; data and reason then say why (data empty when no folder is known).
bool haveGameFolder(std::filesystem::path& data, std::string& reason) {
    std::error_code error;
    static_cast<void>(std::filesystem::current_path(error));
    if (!error) return true;
    data = dataFolder();
    if (data.empty()) return false;
    std::filesystem::create_directories(data, error);
    if (!error) std::filesystem::current_path(data, error);
    if (!error) return true;
    reason = error.message();
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = answerInformationOptions(argc, argv); status >= 0) return status;
    // Before anything else, so that no library takes these signals for itself.
    const bool signalsCaught = catchTerminationSignals();

    QApplication app(argc, argv);
    // Qt has taken its own options out of the arguments.
    std::optional<velk::app::NetClient::Options> net;
    if (!takeNetOptions(argc, argv, net)) return 2;
    if (refusedArguments(argc, argv)) return 2;
    QApplication::setApplicationName(QStringLiteral("velk-tsuitate"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velkついたて将棋"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velk.Tsuitate"));
    // Qt's own texts (はい, いいえ) follow the window's language, which the window installs.

    std::filesystem::path data;
    std::string reason;
    if (!haveGameFolder(data, reason)) {
        // The box below waits for the player; meanwhile the signals end the program at once.
        ::signal(SIGTERM, SIG_DFL);
        ::signal(SIGINT, SIG_DFL);
        ::sigaction(SIGHUP, &startHangup, nullptr);
        std::cerr << "velk-tsuitate: the current folder no longer exists, and "
                  << (data.empty() ? std::string("neither XDG_DATA_HOME nor HOME names a folder")
                                   : data.string() + " cannot be used: " + reason)
                  << '\n';
        const QString text = data.empty()
                                 ? QStringLiteral(
                                       "起動したフォルダがありません\n"
                                       "データ用のフォルダの場所も分かりません")
                                 : QStringLiteral(
                                       "起動したフォルダがありません\n"
                                       "データ用のフォルダも使えません\n") +
                                       QString::fromStdString(data.string() + "\n(" + reason + ")");
        velk::app::installJapanese(&app);
        QMessageBox::warning(nullptr, QStringLiteral("Velkついたて将棋"), text);
        return 1;
    }

    velk::app::AppOptions options;
    options.net = net;
    velk::app::MainWindow window(options);
    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (signalsCaught) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [&window] {
            char bytes[16];
            while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            window.endOnSignal();
        });
    }
    window.start();
    if (window.hasEnded()) return 0;
    return QApplication::exec();
}
