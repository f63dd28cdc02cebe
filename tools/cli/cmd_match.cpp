// velk-tsuitate-cli match: the honest player plays the human's side of whole games through
// Form1, with the clicks a person makes and the boxes answered as a person would, against the
// computer at a chosen level. The ports are quiet and the clock moves only by what the game
// waits and by the human side's pretended thinking, so the same arguments give the same games.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "cli/match.h"
#include "honest/honest_player.h"
#include "match/controls.h"
#include "match/form1.h"
#include "match/memory_ports.h"
#include "texts/texts.h"
#include "ui/geometry.h"

namespace velk::cli {

namespace {

// The most games one run plays, and the longest seed.
constexpr long MAX_GAMES = 1000000;
constexpr std::size_t MAX_SEED_DIGITS = 18;

// A positive whole number of at most maxDigits digits, nothing else.
bool parsePositive(const std::string& text, std::size_t maxDigits, std::uint64_t& value) {
    if (text.empty() || text.size() > maxDigits) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value > 0;
}

class QuietCanvas : public Canvas {
  public:
    void beginFullRedraw() override {}
    void drawPicture(int, double, double) override {}
    void drawOutline(int, double, double) override {}
    void fillRect(double, double, int, int, int) override {}
    void drawText(double, double, const std::string&, int, int) override {}
};

// Every box is read and closed with OK; "続けますか？" is answered No and the question whether
// to quit with unsaved moves Yes, which after a game ends the program. The last box of the end
// of a game tells who won.
class MatchDialogs : public Dialogs {
  public:
    std::string endText;

    void message(const std::string& text, const std::string& title) override {
        if (title == texts::match::END_TITLE) endText = text;
    }
    void warning(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string& title,
                  DefaultButton = DefaultButton::Yes) override {
        return title == texts::match::QUIT_TITLE;
    }
};

class QuietSound : public SoundDevice {
  public:
    int dsInitialize(long) override { return 1; }
    void dsTerminate(int) override {}
    int dsCreateDSB(int, const unsigned char*, std::size_t, int) override { return next_++; }
    void dsFree(int) override {}
    void dsPlay(int) override {}
    void dsPlayLooping(int) override {}
    void dsStop(int) override {}

  private:
    int next_ = 1;
};

// The time of day moves only when the game waits or the robot pretends to think.
class MatchClock : public Clock {
  public:
    double now = 36000.0;
    float timeOfDay() override { return static_cast<float>(now); }
    void wait(double seconds) override { advance(seconds); }
    void advance(double seconds) {
        now += seconds;
        while (now >= 86400.0) now -= 86400.0;
    }
};

class QuietWindow : public Window {
  public:
    int topTwips = 0;
    void repaint() override {}
    int top() const override { return topTwips; }
    void place(int, int t, int, int) override { topTwips = t; }
    void quit() override {}
    long handle() const override { return 1; }
};

// A folder of its own for the games' settings, removed afterwards; the current folder's
// settings file cannot change the games.
class GameFolder {
  public:
    GameFolder() {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device rd;
        for (int i = 0; i < 100; ++i) {
            path_ = base / ("velk-match-" + std::to_string(rd()));
            std::error_code e;
            if (std::filesystem::create_directory(path_, e)) return;
        }
        throw std::runtime_error("no game folder could be made in " + base.string());
    }
    ~GameFolder() {
        std::error_code e;
        std::filesystem::remove_all(path_, e);
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

void runControl(Form1& form, const std::string& name) {
    (form.*(findControl(name)->handler))();
}

void click(Form1& form, int button, int x, int y) {
    form.Form_MouseDown(button, 0, static_cast<float>(twipsX(x + 0.5)),
                        static_cast<float>(twipsY(y + 0.5)));
}

enum class Winner { Man, Com, Draw };

struct GameResult {
    Winner winner = Winner::Draw;
    int moves = 0;
    int missMAN = 0;
    int missCOM = 0;
};

// One program run from start to end: the level chosen, a game started, played to its end and
// another game declined.
class Game {
  public:
    Game(const MatchOptions& options, long number, const std::filesystem::path& folder)
        : options_(options),
          number_(number),
          man_(gameSeed()),
          rng_(gameSeed() + CLOCK_SEED_OFFSET),
          form_(Ports{canvas_, dialogs_, sound_, clock_, timer_, menu_, panel_, window_}, folder) {
        panel_.folderPath = folder.string();
    }

    // Plays the game; false with the reason in error when the human side's player stuck.
    bool play(GameResult& result, std::vector<double>& thinkMs, std::string& error) {
        form_.Form_Load();
        if (options_.honest) {
            // The computer's side is an honest player too, with a seed of its own.
            runControl(form_, "KOUSEI");
            form_.setHonestSeed(gameSeed() + COM_SEED_OFFSET);
        } else {
            runControl(form_, "LEVEL" + std::to_string(options_.level));
        }
        runControl(form_, number_ % 2 == 1 ? "SENTE" : "GOTE");
        // Each turn ends in a move or a miss; misses and moves are both bounded, so this only
        // guards against a fault of the robot.
        for (long tries = 0; !form_.closed; ++tries) {
            const GameState& s = form_.s;
            if (tries > 100000 || s.turn != s.roleMAN) {
                error = "the game stopped without an end while the human side was to move";
                return false;
            }
            // A person takes a while before each move, which also varies the clock's digits
            // that the computer's fouls are rolled from.
            clock_.advance(static_cast<double>(1 + rng_() % 600) / 100.0);

            const auto start = std::chrono::steady_clock::now();
            const HonestMove m = man_.choose(form_.viewOf(Side::Man));
            const auto stop = std::chrono::steady_clock::now();
            thinkMs.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
            if (!m.found) {
                error = "the human side's player found no move";
                return false;
            }
            const long logged = form_.movesLogged;
            const int misses = s.missCountMAN;
            const bool drop = m.fromX == MAN_HAND_X;
            const int piece =
                drop ? manHandPiece(m.fromY) : form_.viewOf(Side::Man).board[m.fromX][m.fromY];
            click(form_, LEFT_BUTTON, m.fromX, m.fromY);
            if (!form_.closed)
                click(form_, m.placed != piece ? RIGHT_BUTTON : LEFT_BUTTON, m.toX, m.toY);
            if (form_.movesLogged == logged && form_.s.missCountMAN == misses) {
                error = "the human side's move " + std::to_string(m.fromX) + "," +
                        std::to_string(m.fromY) + " -> " + std::to_string(m.toX) + "," +
                        std::to_string(m.toY) + " (" + std::to_string(m.placed) +
                        ") was neither played nor refused as a miss";
                return false;
            }
        }
        const GameState& s = form_.s;
        result.moves = s.moveNo;
        result.missMAN = s.missCountMAN;
        result.missCOM = s.missCountCOM;
        const std::string& end = dialogs_.endText;
        if (end == texts::match::winnerIs(texts::match::WINNER_YOU) ||
            end == texts::match::winnerIs(texts::match::WINNER_MAN_ON_MISSES))
            result.winner = Winner::Man;
        else if (end == texts::match::winnerIs(texts::match::WINNER_COMPUTER) ||
                 end == texts::match::winnerIs(texts::match::WINNER_COM_ON_MISSES))
            result.winner = Winner::Com;
        else
            result.winner = Winner::Draw;
        return true;
    }

  private:
    // The seed of the game's human side; the computer's honest player and the pretended
    // thinking times take seeds of their own from it.
    std::uint64_t gameSeed() const {
        return options_.seed * 1000003u + static_cast<std::uint64_t>(number_);
    }
    static constexpr std::uint64_t COM_SEED_OFFSET = 500009;
    static constexpr std::uint64_t CLOCK_SEED_OFFSET = 0x5DEECE66D;

    const MatchOptions& options_;
    long number_;
    HonestPlayer man_;
    std::mt19937_64 rng_;
    QuietCanvas canvas_;
    MatchDialogs dialogs_;
    QuietSound sound_;
    MatchClock clock_;
    MemoryTimer timer_;
    MemoryMenu menu_;
    MemoryRecordPanel panel_;
    QuietWindow window_;
    Form1 form_;
};

const char* winnerName(Winner w) {
    if (w == Winner::Man) return "MAN";
    if (w == Winner::Com) return "COM";
    return "DRAW";
}

std::string fixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

}  // namespace

bool parseMatchOptions(const std::vector<std::string>& args, MatchOptions& options,
                       std::string& error) {
    options = MatchOptions{};
    bool haveGames = false, haveSeed = false, haveLevel = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--times") {
            options.times = true;
            continue;
        }
        if (a != "--games" && a != "--seed" && a != "--level") {
            error = "unknown argument '" + a + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        std::uint64_t n = 0;
        if (a == "--games") {
            if (!parsePositive(v, 7, n) || n > static_cast<std::uint64_t>(MAX_GAMES)) {
                error = "--games takes a whole number of games from 1 to " +
                        std::to_string(MAX_GAMES) + ", not '" + v + "'";
                return false;
            }
            options.games = static_cast<long>(n);
            haveGames = true;
        } else if (a == "--seed") {
            if (!parsePositive(v, MAX_SEED_DIGITS, n)) {
                error = "--seed takes a positive whole number of at most " +
                        std::to_string(MAX_SEED_DIGITS) + " digits, not '" + v + "'";
                return false;
            }
            options.seed = n;
            haveSeed = true;
        } else {
            if (v == "1" || v == "2" || v == "3") {
                options.level = v[0] - '0';
            } else if (v == "honest") {
                options.honest = true;
            } else {
                error = "--level is 1, 2, 3 or honest, not '" + v + "'";
                return false;
            }
            haveLevel = true;
        }
    }
    if (!haveGames || !haveSeed || !haveLevel) {
        error = std::string("missing ") + (!haveGames  ? "--games N"
                                           : !haveSeed ? "--seed S"
                                                       : "--level L");
        return false;
    }
    return true;
}

int runMatch(const MatchOptions& options, std::ostream& out, std::ostream& err) {
    const GameFolder folder;
    long wins = 0, losses = 0, draws = 0;
    std::vector<double> thinkMs;
    for (long i = 1; i <= options.games; ++i) {
        GameResult r;
        std::string error;
        bool ok = false;
        {
            Game game(options, i, folder.path());
            ok = game.play(r, thinkMs, error);
        }
        if (!ok) {
            out.flush();
            err << "velk-tsuitate-cli: match: game " << i << ": " << error << '\n';
            return 1;
        }
        wins += r.winner == Winner::Man ? 1 : 0;
        losses += r.winner == Winner::Com ? 1 : 0;
        draws += r.winner == Winner::Draw ? 1 : 0;
        out << "game " << i << " first " << (i % 2 == 1 ? "MAN" : "COM") << " result "
            << winnerName(r.winner) << " moves " << r.moves << " missMAN " << r.missMAN
            << " missCOM " << r.missCOM << '\n';
    }
    const double score = 100.0 * (static_cast<double>(wins) + 0.5 * static_cast<double>(draws)) /
                         static_cast<double>(options.games);
    out << "games " << options.games << " wins " << wins << " losses " << losses << " draws "
        << draws << " score " << fixed(score, 1) << "%\n";
    if (options.times) {
        std::vector<double> t = thinkMs;
        std::sort(t.begin(), t.end());
        double median = 0, worst = 0;
        if (!t.empty()) {
            const std::size_t k = t.size() / 2;
            median = t.size() % 2 == 1 ? t[k] : (t[k - 1] + t[k]) / 2;
            worst = t.back();
        }
        out << "think moves " << t.size() << " median " << fixed(median, 2) << " ms worst "
            << fixed(worst, 2) << " ms\n";
    }
    out.flush();
    return 0;
}

}  // namespace velk::cli
