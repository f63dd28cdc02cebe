// velk-tsuitate-cli match: the honest player plays the human's side of whole games against the
// computer at a chosen level, both seats submitting their moves to the referee. The clock moves
// only by the pauses the window would make and by the human side's pretended thinking, so the
// same arguments give the same games as the window would.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/match.h"
#include "cli/sfen.h"
#include "game/invariants.h"
#include "game/setup.h"
#include "honest/evaluate.h"
#include "match/pacing.h"
#include "players/design_computer.h"
#include "players/honest_seat.h"
#include "referee/match.h"

namespace velk::cli {

namespace {

// The most games one run plays, and the longest seed.
constexpr long MAX_GAMES = 1000000;
constexpr std::size_t MAX_SEED_DIGITS = 18;
constexpr std::uint64_t MAX_JOBS = 256;

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

// The time of day moves only when the window would pause or the robot pretends to think.
class MatchClock {
  public:
    double now = 36000.0;
    float timeOfDay() const { return static_cast<float>(now); }
    void advance(double seconds) {
        now += seconds;
        while (now >= 86400.0) now -= 86400.0;
    }
    // The pauses the window makes: the miss counter blinking, the computer's move standing.
    void missShown() {
        for (int i = 0; i < MISS_BLINKS * 2; ++i) advance(MISS_BLINK_SECONDS);
    }
    void comMoveShown() { advance(COM_MOVE_PAUSE_SECONDS); }
};

enum class Winner { Man, Com, Draw };

// The moves after which the material is taken as well as at the end: where a game is won or lost
// on material, the line shows when.
constexpr int MATERIAL_MARKS[] = {100, 200, 300, 400, 450};
constexpr std::size_t MATERIAL_POINTS = std::size(MATERIAL_MARKS);

// The points of the guesses' curve: moves 0-9, 10-19, ... 90-99, then 100-199 ... 400-499.
constexpr std::size_t CURVE_POINTS = 14;
std::size_t curvePoint(int moveNo) {
    if (moveNo < 100) return static_cast<std::size_t>(std::max(moveNo, 0) / 10);
    return static_cast<std::size_t>(std::min(9 + moveNo / 100, 13));
}
int curveStart(std::size_t point) {
    return point < 10 ? static_cast<int>(point) * 10 : static_cast<int>(point - 9) * 100;
}

// The kinds of the guesses' count by kind: a promoted piece counts with its kind, the king last.
constexpr std::size_t KIND_SLOTS = 8;
constexpr const char* KIND_NAMES[KIND_SLOTS] = {"pawn", "lance",  "knight", "silver",
                                                "gold", "bishop", "rook",   "king"};
std::size_t kindSlot(int code) {
    const int kind = handIndexOf(code);
    return kind == 0 ? KIND_SLOTS - 1 : static_cast<std::size_t>(kind - 1);
}

std::string fixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

struct GameResult {
    Winner winner = Winner::Draw;
    GameEnd end = GameEnd::None;
    int moves = 0;
    int missMAN = 0;
    int missCOM = 0;
    int material = 0;  // the human side's material less the computer's, at the end
    // The same after each of MATERIAL_MARKS' moves, for the marks up to moves.
    int materialAt[MATERIAL_POINTS] = {};
    std::uint64_t trace = 0;  // every move submitted and its verdict, folded: equal games agree
    // Moves of each side played, and those that put its own pieces and hand back as they stood
    // after one of its earlier moves.
    int movesMAN = 0;
    int movesCOM = 0;
    int repeatsMAN = 0;
    int repeatsCOM = 0;
    // With --guesses: the computer's pieces judged, over the human side's guesses at each of
    // its choices, and those guessed on their square, by the hundred moves of the game.
    long guessed[5] = {};
    long guessedRight[5] = {};
    // The same pieces, and those that the likeliest guess of their square gets right (more
    // guesses put the piece there than anything else), by the tens of moves up to 100, then
    // by the hundreds.
    long judged[CURVE_POINTS] = {};
    long likeliestRight[CURVE_POINTS] = {};
    // The first count again by kind (see kindSlot), and those guessed on their square.
    long kindGuessed[KIND_SLOTS] = {};
    long kindRight[KIND_SLOTS] = {};
    // The computer's king, moved or not: the guesses judged and those that put it on its square,
    // by the hundred moves of the game (what a mating attack needs to know).
    long kingGuessed[5] = {};
    long kingRight[5] = {};
    // With --trace naming this game: its moves, one line each (see Game::traceMove).
    std::string moveTrace;
};

// The honest player as it first played, on the computer's side: the comparison for the present
// one. The referee judges it as a player; its turn notes are fixed as at any level.
class FirstHonestComputer : public Player {
  public:
    FirstHonestComputer(GameState& s, std::uint64_t seed)
        : s_(s), player_(seed, 48, HonestVersion::First) {}
    void turnBegins(const SideView& /*view*/) override { prepareComTurn(s_); }
    std::optional<Move> choose(const SideView& view) override {
        const HonestMove h = player_.choose(view);
        if (!h.found) return std::nullopt;
        return moveOf(h, view);
    }

  private:
    GameState& s_;
    HonestPlayer player_;
};

// The material on the board and in both hands, kings aside, for the human side less the
// computer's.
int materialBalance(const GameState& s) {
    int balance = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int p = s.board[x][y];
            if (p == EMPTY || p == MAN_OU || p == COM_OU) continue;
            balance += isManPiece(p) ? honest::pieceValue(p) : -honest::pieceValue(p);
        }
    for (int k = 1; k <= 7; ++k)
        balance +=
            (s.handMAN[static_cast<std::size_t>(k)] - s.handCOM[static_cast<std::size_t>(k)]) *
            honest::pieceValue(MAN_HAND_CODES[k]);
    return balance;
}

// One game: the honest player on the human's side against the computer's seat, refereed by the
// match alone.
class Game {
  public:
    Game(const MatchOptions& options, long number)
        : options_(options),
          number_(number),
          man_(gameSeed()),
          rng_(gameSeed() + CLOCK_SEED_OFFSET),
          designCom_(match_.state(), [this] { return clock_.timeOfDay(); }) {
        match_.setClock([this] { return clock_.timeOfDay(); });
        man_.setThinkMs(options.thinkMs);
        man_.setOpeningVariety(true);
    }

    // Plays the game; false with the reason in error when the human side's player stuck.
    bool play(GameResult& result, std::vector<double>& thinkMs, std::string& error) {
        GameState& s = match_.state();
        loadDefaults(s);
        Player* com = &designCom_;
        if (options_.honest) {
            s.level = LEVEL_KOUSEI;
            if (options_.firstVersion) {
                firstCom_.emplace(s, gameSeed() + COM_SEED_OFFSET);
                com = &*firstCom_;
            } else {
                honestCom_.emplace(s, gameSeed() + COM_SEED_OFFSET);
                honestCom_->setThinkMs(options_.thinkMs);
                com = &*honestCom_;
            }
            match_.setJudging(Side::Com, Judging::Player);
        } else {
            s.level = options_.level;
            match_.setJudging(Side::Com, Judging::DesignComputer);
        }
        match_.startGame(number_ % 2 == 1 ? Side::Man : Side::Com);

        Verdict v;
        // Each turn ends in a move or a miss; misses and moves are both bounded, so this only
        // guards against a fault of a player.
        for (long tries = 0; v.end == GameEnd::None; ++tries) {
            if (tries > 100000) {
                error = "the game stopped without an end";
                return false;
            }
            const Side side = match_.sideToMove();
            if (side == Side::Man) {
                if (!manMoves(v, thinkMs, error)) return false;
            } else {
                v = comTurn(*com);
            }
            check(s);
        }
        result.end = v.end;
        result.moves = s.moveNo;
        result.missMAN = s.missCountMAN;
        result.missCOM = s.missCountCOM;
        result.material = materialBalance(s);
        std::copy(std::begin(materialAt_), std::end(materialAt_), std::begin(result.materialAt));
        result.trace = trace_;
        result.moveTrace = std::move(moveTrace_);
        result.movesMAN = static_cast<int>(stood_[0].size());
        result.movesCOM = static_cast<int>(stood_[1].size());
        result.repeatsMAN = repeats_[0];
        result.repeatsCOM = repeats_[1];
        std::copy(std::begin(guessed_), std::end(guessed_), std::begin(result.guessed));
        std::copy(std::begin(guessedRight_), std::end(guessedRight_),
                  std::begin(result.guessedRight));
        std::copy(std::begin(judged_), std::end(judged_), std::begin(result.judged));
        std::copy(std::begin(likeliestRight_), std::end(likeliestRight_),
                  std::begin(result.likeliestRight));
        std::copy(std::begin(kindGuessed_), std::end(kindGuessed_), std::begin(result.kindGuessed));
        std::copy(std::begin(kindRight_), std::end(kindRight_), std::begin(result.kindRight));
        std::copy(std::begin(kingGuessed_), std::end(kingGuessed_), std::begin(result.kingGuessed));
        std::copy(std::begin(kingRight_), std::end(kingRight_), std::begin(result.kingRight));
        result.winner = v.winner == Side::Man   ? Winner::Man
                        : v.winner == Side::Com ? Winner::Com
                                                : Winner::Draw;
        return true;
    }

  private:
    // One move or miss of the human's side.
    bool manMoves(Verdict& v, std::vector<double>& thinkMs, std::string& error) {
        // A person takes a while before each move, which also varies the clock's digits that the
        // computer's fouls are rolled from.
        clock_.advance(static_cast<double>(1 + rng_() % 600) / 100.0);
        const auto start = std::chrono::steady_clock::now();
        const SideView& view = match_.view(Side::Man);
        const HonestMove h = man_.choose(view);
        const auto stop = std::chrono::steady_clock::now();
        thinkMs.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        if (options_.guesses) judgeGuesses();
        const std::optional<Move> m = h.found ? std::optional<Move>(moveOf(h, view)) : std::nullopt;
        if (!m) {
            error = "the human side's player found no move";
            return false;
        }
        v = match_.submit(Side::Man, *m);
        note(Side::Man, *m, v);
        if (v.isMiss()) clock_.missShown();
        if (v.kind == Verdict::Kind::Refused && v.refusal != Verdict::Refusal::RecordFull) {
            error = "the human side's move " + std::to_string(m->sourceX()) + "," +
                    std::to_string(m->sourceY()) + " -> " + std::to_string(m->toX) + "," +
                    std::to_string(m->toY) + " (" + std::to_string(m->placed) +
                    ") was neither played nor refused as a miss";
            return false;
        }
        return true;
    }

    // The computer's turn: moves until one is played, the game ends, or none is left.
    Verdict comTurn(Player& com) {
        if (match_.recordFull()) {
            Verdict full;
            full.end = GameEnd::MoveLimit;
            return full;
        }
        match_.startClock();
        com.turnBegins(match_.view(Side::Com));
        for (;;) {
            const std::optional<Move> m = com.choose(match_.view(Side::Com));
            if (!m) return match_.cannotMove(Side::Com);
            const Verdict v = match_.submit(Side::Com, *m);
            note(Side::Com, *m, v);
            if (v.isMiss()) {
                clock_.missShown();
                if (v.end != GameEnd::None) return v;
                continue;
            }
            if (v.accepted()) {
                clock_.comMoveShown();
                match_.startClock();
            }
            return v;
        }
    }

    // Folds a submitted move and its verdict into the game's trace; after a move played, whether
    // the mover's own pieces and hand stand as they stood after one of its earlier moves.
    void note(Side side, const Move& m, const Verdict& v) {
        if (options_.trace == number_) traceMove(side, m, v);
        if (v.accepted()) {
            const GameState& s = match_.state();
            for (std::size_t k = 0; k < MATERIAL_POINTS; ++k)
                if (s.moveNo == MATERIAL_MARKS[k]) materialAt_[k] = materialBalance(s);
            std::uint64_t own = 0xCBF29CE484222325ULL;
            const auto fold = [&own](int part) {
                own ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(part));
                own *= 0x100000001B3ULL;
            };
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    fold(sideOf(s.board[x][y]) == side ? s.board[x][y] : EMPTY);
            for (const int n : side == Side::Man ? s.handMAN : s.handCOM) fold(n);
            std::vector<std::uint64_t>& stood = stood_[side == Side::Man ? 0 : 1];
            repeats_[side == Side::Man ? 0 : 1] +=
                std::find(stood.begin(), stood.end(), own) != stood.end() ? 1 : 0;
            stood.push_back(own);
        }
        for (const int part :
             {static_cast<int>(side), m.sourceX(), m.sourceY(), static_cast<int>(m.toX),
              static_cast<int>(m.toY), static_cast<int>(m.placed), static_cast<int>(v.kind)}) {
            trace_ ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(part));
            trace_ *= 0x100000001B3ULL;
        }
    }

    // One line of --trace: the move number, the mover, the move (from, to, the code placed), how
    // the referee took it, and the material after it in pawns. After a choice of the human side,
    // how many of its guesses put each of the computer's rooks, bishops and its king on its true
    // square; every 50 moves the true position.
    void traceMove(Side side, const Move& m, const Verdict& v) {
        const GameState& s = match_.state();
        std::string line = "move " + std::to_string(s.moveNo) +
                           (side == Side::Man ? " MAN " : " COM ") + std::to_string(m.sourceX()) +
                           "," + std::to_string(m.sourceY()) + " " + std::to_string(m.toX) + "," +
                           std::to_string(m.toY) + " " + std::to_string(m.placed) +
                           (v.accepted() ? " played"
                            : v.isMiss() ? " miss"
                                         : " refused") +
                           " material " + fixed(materialBalance(s) / 100.0, 1);
        if (side == Side::Man) {
            const std::vector<velk::Position>& guesses = man_.belief().samples();
            line += " guesses";
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    const int code = s.board[x][y];
                    if (code != COM_SYA && code != COM_RYU && code != COM_KAKU && code != COM_UMA &&
                        code != COM_OU)
                        continue;
                    const auto right = std::count_if(
                        guesses.begin(), guesses.end(),
                        [&](const velk::Position& w) { return w.board[x][y] == code; });
                    line += " " + std::to_string(code) + "@" + std::to_string(x) + "," +
                            std::to_string(y) + " " + std::to_string(right) + "/" +
                            std::to_string(guesses.size());
                }
        }
        moveTrace_ += line + '\n';
        if (v.accepted() && s.moveNo % 50 == 0)
            moveTrace_ += "position " + formatPosition(s.board, s.handMAN, s.handCOM) + '\n';
    }

    // How many of the computer's pieces that left their square of the start the human side's
    // guesses put on their square, by the hundred moves of the game.
    void judgeGuesses() {
        const GameState& s = match_.state();
        const std::size_t at = static_cast<std::size_t>(std::min(s.moveNo / 100, 4));
        const std::size_t curve = curvePoint(s.moveNo);
        if (const auto king = kingSquare(s.board, Side::Com); king[0] != 0)
            for (const velk::Position& w : man_.belief().samples()) {
                kingGuessed_[at] += 1;
                kingRight_[at] += w.board[king[0]][king[1]] == COM_OU ? 1 : 0;
            }
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                // Pieces still on their square of the start are guessed right by any guess.
                if (!isComPiece(s.board[x][y]) ||
                    match_.view(Side::Man).startBoard[x][y] == s.board[x][y])
                    continue;
                // The likeliest content of the square: the code most guesses put there.
                int right = 0, rival = 0;
                const std::size_t kind = kindSlot(s.board[x][y]);
                for (const velk::Position& w : man_.belief().samples()) {
                    const int hit = w.board[x][y] == s.board[x][y] ? 1 : 0;
                    guessed_[at] += 1;
                    guessedRight_[at] += hit;
                    kindGuessed_[kind] += 1;
                    kindRight_[kind] += hit;
                    right += hit;
                }
                for (const velk::Position& w : man_.belief().samples()) {
                    const int code = w.board[x][y];
                    if (code == s.board[x][y]) continue;
                    int same = 0;
                    for (const velk::Position& v : man_.belief().samples())
                        same += v.board[x][y] == code;
                    rival = std::max(rival, same);
                }
                judged_[curve] += 1;
                likeliestRight_[curve] += right > rival ? 1 : 0;
            }
    }

    static void check([[maybe_unused]] const GameState& s) {
#ifndef NDEBUG
        if (const std::string broken = checkGameState(s); !broken.empty())
            throw std::logic_error("game state broken: " + broken);
#endif
    }

    // The seed of the game's human side; the computer's honest player and the pretended
    // thinking times take seeds of their own from it.
    std::uint64_t gameSeed() const {
        return options_.seed * 1000003u + static_cast<std::uint64_t>(number_);
    }
    static constexpr std::uint64_t COM_SEED_OFFSET = 500009;
    static constexpr std::uint64_t CLOCK_SEED_OFFSET = 0x5DEECE66D;

    const MatchOptions& options_;
    long number_;
    HonestPlayer man_;  // seated as HonestSeat seats it, its guesses open to judgeGuesses
    std::mt19937_64 rng_;
    MatchClock clock_;
    Match match_;
    DesignComputer designCom_;
    std::optional<HonestComputer> honestCom_;
    std::optional<FirstHonestComputer> firstCom_;
    std::uint64_t trace_ = 0xCBF29CE484222325ULL;
    std::vector<std::uint64_t> stood_[2];
    int repeats_[2] = {0, 0};
    int materialAt_[MATERIAL_POINTS] = {};
    long guessed_[5] = {};
    long guessedRight_[5] = {};
    long judged_[CURVE_POINTS] = {};
    long likeliestRight_[CURVE_POINTS] = {};
    long kindGuessed_[KIND_SLOTS] = {};
    long kindRight_[KIND_SLOTS] = {};
    long kingGuessed_[5] = {};
    long kingRight_[5] = {};
    std::string moveTrace_;
};

const char* winnerName(Winner w) {
    if (w == Winner::Man) return "MAN";
    if (w == Winner::Com) return "COM";
    return "DRAW";
}

// part of whole as a percentage with one decimal, or "-" when there is nothing to share.
std::string shareOrDash(long part, long whole) {
    if (whole == 0) return "-";
    return fixed(100.0 * static_cast<double>(part) / static_cast<double>(whole), 1) + "%";
}

// The label of the I-th hundred moves of a game on the lines of --guesses.
std::string hundredsLabel(std::size_t i) {
    return std::to_string(i * 100) + '-' + std::to_string(i * 100 + 99);
}

// One line of --guesses: the title, then for each point its label and the share of the first
// count that the second holds, both added up over every game.
template <std::size_t N, typename Label>
void printShares(std::ostream& out, const char* title, const std::vector<GameResult>& results,
                 long (GameResult::*whole)[N], long (GameResult::*part)[N], Label label) {
    out << title;
    for (std::size_t i = 0; i < N; ++i) {
        long all = 0, hit = 0;
        for (const GameResult& r : results) {
            all += (r.*whole)[i];
            hit += (r.*part)[i];
        }
        out << ' ' << label(i) << ' ' << shareOrDash(hit, all);
    }
    out << '\n';
}

}  // namespace

bool parseMatchOptions(const std::vector<std::string>& args, MatchOptions& options,
                       std::string& error) {
    options = MatchOptions{};
    options.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    bool haveGames = false, haveSeed = false, haveLevel = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--times") {
            options.times = true;
            continue;
        }
        if (a == "--guesses") {
            options.guesses = true;
            continue;
        }
        if (a != "--games" && a != "--seed" && a != "--level" && a != "--jobs" && a != "--think" &&
            a != "--trace") {
            error = "unknown argument '" + a + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        std::uint64_t n = 0;
        if (a == "--jobs") {
            if (!parsePositive(v, 3, n) || n > MAX_JOBS) {
                error = "--jobs takes a whole number of threads from 1 to " +
                        std::to_string(MAX_JOBS) + ", not '" + v + "'";
                return false;
            }
            options.jobs = static_cast<int>(n);
        } else if (a == "--think") {
            if (!parsePositive(v, 3, n) || n > HonestPlayer::MAX_THINK_MS) {
                error = "--think takes a whole number of milliseconds from 1 to " +
                        std::to_string(HonestPlayer::MAX_THINK_MS) + ", not '" + v + "'";
                return false;
            }
            options.thinkMs = static_cast<int>(n);
        } else if (a == "--trace") {
            if (!parsePositive(v, 7, n) || n > static_cast<std::uint64_t>(MAX_GAMES)) {
                error = "--trace takes the number of a game from 1 to " +
                        std::to_string(MAX_GAMES) + ", not '" + v + "'";
                return false;
            }
            options.trace = static_cast<long>(n);
        } else if (a == "--games") {
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
            } else if (v == "honest" || v == "honest-v1") {
                options.honest = true;
                options.firstVersion = v == "honest-v1";
            } else {
                error = "--level is 1, 2, 3, honest or honest-v1, not '" + v + "'";
                return false;
            }
            haveLevel = true;
        }
    }
    if (haveGames && options.trace > options.games) {
        error = "--trace " + std::to_string(options.trace) + " names no game of the " +
                std::to_string(options.games) + " played";
        return false;
    }
    if (!haveGames || !haveSeed || !haveLevel) {
        error = std::string("missing ") + (!haveGames  ? "--games N"
                                           : !haveSeed ? "--seed S"
                                                       : "--level L");
        return false;
    }
    return true;
}

namespace {

// One game's outcome as the run reports it.
struct Played {
    bool ok = false;
    std::string error;
    GameResult result;
    std::vector<double> thinkMs;
};

// Plays games 1..n on up to `jobs` threads (each game is independent: its own match, players and
// clock) and hands each outcome to report in the games' order as soon as all before it are done.
// Stops handing out games once report returns false.
template <class Report>
void playAll(const MatchOptions& options, int jobs, Report&& report) {
    const long n = options.games;
    std::vector<Played> played(static_cast<std::size_t>(n));
    std::vector<char> done(static_cast<std::size_t>(n), 0);
    std::mutex mutex;
    std::condition_variable finished;
    long next = 0;
    bool stop = false;
    const auto work = [&] {
        for (;;) {
            long i;
            {
                const std::lock_guard lock(mutex);
                if (stop || next >= n) return;
                i = next++;
            }
            Played p;
            Game game(options, i + 1);
            p.ok = game.play(p.result, p.thinkMs, p.error);
            const std::lock_guard lock(mutex);
            played[static_cast<std::size_t>(i)] = std::move(p);
            done[static_cast<std::size_t>(i)] = 1;
            finished.notify_all();
        }
    };
    std::vector<std::thread> workers;
    for (int j = 1; j < jobs; ++j) workers.emplace_back(work);
    std::thread reporter([&] {
        for (long i = 0; i < n; ++i) {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return done[static_cast<std::size_t>(i)] != 0; });
            Played p = std::move(played[static_cast<std::size_t>(i)]);
            lock.unlock();
            if (!report(i + 1, p)) {
                const std::lock_guard again(mutex);
                stop = true;
                return;
            }
        }
    });
    work();
    for (std::thread& t : workers) t.join();
    {
        // Games never handed out (after a failure) count as done for the reporter.
        const std::lock_guard lock(mutex);
        for (long i = next; i < n; ++i) done[static_cast<std::size_t>(i)] = 1;
        finished.notify_all();
    }
    reporter.join();
}

}  // namespace

namespace {

// The value at fraction q of sorted values (the nearest rank below).
template <class T>
T quantile(const std::vector<T>& sorted, double q) {
    return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
}

std::string pawns(int material) {
    return fixed(material / 100.0, 1);
}

// How the games went, so that a reader sees at once whether they were played out and how they
// were won: their lengths, how each ended, the material at the end, how many differ.
void printSummary(const std::vector<GameResult>& games, std::ostream& out) {
    std::vector<int> lengths;
    std::vector<int> material;
    for (const GameResult& r : games) {
        lengths.push_back(r.moves);
        material.push_back(r.material);
    }
    std::sort(lengths.begin(), lengths.end());
    std::sort(material.begin(), material.end());
    int byHundred[6] = {};
    for (const int m : lengths) ++byHundred[std::min(m / 100, 5)];
    out << "lengths 1-99 " << byHundred[0] << " 100-199 " << byHundred[1] << " 200-299 "
        << byHundred[2] << " 300-399 " << byHundred[3] << " 400-499 " << byHundred[4] << " 500 "
        << byHundred[5] << " median " << quantile(lengths, 0.5) << '\n';

    // Each game by its winner and how it ended; other: a side had no move at all.
    long listed = 0;
    const auto ended = [&](Winner w, GameEnd end) {
        const long n = std::count_if(games.begin(), games.end(), [&](const GameResult& r) {
            return r.winner == w && r.end == end;
        });
        listed += n;
        return n;
    };
    out << "ends";
    for (const Winner w : {Winner::Man, Winner::Com}) {
        out << ' ' << winnerName(w) << " kingTaken " << ended(w, GameEnd::KingTaken);
        out << " mate " << ended(w, GameEnd::Mate);
        out << " tenthMiss " << ended(w, GameEnd::TenthMiss);
    }
    out << " DRAW moveLimit " << ended(Winner::Draw, GameEnd::MoveLimit);
    out << " other " << static_cast<long>(games.size()) - listed << '\n';

    long sum = 0;
    int ahead = 0, even = 0, behind = 0;
    for (const GameResult& r : games) {
        sum += r.material;
        if (r.winner != Winner::Draw) continue;
        ahead += r.material > 0;
        even += r.material == 0;
        behind += r.material < 0;
    }
    out << "material MAN-COM mean "
        << fixed(static_cast<double>(sum) / static_cast<double>(games.size()) / 100.0, 1)
        << " median " << pawns(quantile(material, 0.5)) << " min " << pawns(material.front())
        << " max " << pawns(material.back()) << " drawn ahead " << ahead << " even " << even
        << " behind " << behind << " by move";
    for (std::size_t k = 0; k < MATERIAL_POINTS; ++k) {
        // The mean over the games still played at that move.
        long at = 0, still = 0;
        for (const GameResult& r : games)
            if (r.moves >= MATERIAL_MARKS[k]) {
                at += r.materialAt[k];
                ++still;
            }
        out << ' ' << MATERIAL_MARKS[k] << ' '
            << (still == 0
                    ? std::string("-")
                    : fixed(static_cast<double>(at) / static_cast<double>(still) / 100.0, 1));
    }
    out << '\n';

    long moves[2] = {0, 0}, repeats[2] = {0, 0};
    for (const GameResult& r : games) {
        moves[0] += r.movesMAN;
        moves[1] += r.movesCOM;
        repeats[0] += r.repeatsMAN;
        repeats[1] += r.repeatsCOM;
    }
    const auto share = [](long part, long whole) {
        return fixed(
            whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole), 1);
    };
    out << "repeats MAN " << share(repeats[0], moves[0]) << "% COM " << share(repeats[1], moves[1])
        << "%\n";

    // Games that repeat each other are one observation: the intervals are taken over the
    // distinct games alone, each counted once.
    std::vector<GameResult> distinct = games;
    std::stable_sort(distinct.begin(), distinct.end(),
                     [](const GameResult& a, const GameResult& b) { return a.trace < b.trace; });
    distinct.erase(
        std::unique(distinct.begin(), distinct.end(),
                    [](const GameResult& a, const GameResult& b) { return a.trace == b.trace; }),
        distinct.end());
    const double k = static_cast<double>(distinct.size());
    double score = 0, won = 0, limit = 0;
    for (const GameResult& r : distinct) {
        score += r.winner == Winner::Man ? 1.0 : r.winner == Winner::Draw ? 0.5 : 0.0;
        won += r.winner == Winner::Man ? 1.0 : 0.0;
        limit += r.end == GameEnd::MoveLimit ? 1.0 : 0.0;
    }
    // Each share with its Wilson interval, sound for small counts and shares near 0 or 1; the
    // score is taken as the share of the points played for (a draw half a point).
    constexpr double Z = 1.96;
    const auto percent = [](double part) { return fixed(100.0 * part, 1); };
    const auto interval = [&](double low, double high) {
        return " (95% " + percent(std::max(0.0, low)) + "-" + percent(std::min(1.0, high)) + ")";
    };
    const auto wilson = [&](double count) {
        const double p = count / k, z2 = Z * Z;
        const double centre = (p + z2 / (2 * k)) / (1 + z2 / k);
        const double width = Z * std::sqrt(p * (1 - p) / k + z2 / (4 * k * k)) / (1 + z2 / k);
        return percent(p) + "%" + interval(centre - width, centre + width);
    };
    out << "distinct games " << distinct.size() << " score " << wilson(score) << " won "
        << wilson(won) << " moveLimit " << wilson(limit) << '\n';
}

}  // namespace

int runMatch(const MatchOptions& options, std::ostream& out, std::ostream& err) {
    long wins = 0, losses = 0, draws = 0;
    std::vector<GameResult> results;
    std::vector<double> thinkMs;
    bool failed = false;
    const int jobs = static_cast<int>(std::min<long>(options.jobs, options.games));
    playAll(options, jobs, [&](long i, Played& p) {
        if (!p.ok) {
            out.flush();
            err << "velk-tsuitate-cli: match: game " << i << ": " << p.error << '\n';
            failed = true;
            return false;
        }
        const GameResult& r = p.result;
        results.push_back(r);
        thinkMs.insert(thinkMs.end(), p.thinkMs.begin(), p.thinkMs.end());
        wins += r.winner == Winner::Man ? 1 : 0;
        losses += r.winner == Winner::Com ? 1 : 0;
        draws += r.winner == Winner::Draw ? 1 : 0;
        out << "game " << i << " first " << (i % 2 == 1 ? "MAN" : "COM") << " result "
            << winnerName(r.winner) << " moves " << r.moves << " missMAN " << r.missMAN
            << " missCOM " << r.missCOM << '\n'
            << r.moveTrace;
        out.flush();
        return true;
    });
    if (failed) return 1;
    const double score = 100.0 * (static_cast<double>(wins) + 0.5 * static_cast<double>(draws)) /
                         static_cast<double>(options.games);
    out << "games " << options.games << " wins " << wins << " losses " << losses << " draws "
        << draws << " score " << fixed(score, 1) << "%\n";
    printSummary(results, out);
    if (options.guesses) {
        printShares(out, "guesses right", results, &GameResult::guessed, &GameResult::guessedRight,
                    hundredsLabel);
        printShares(out, "guesses likeliest", results, &GameResult::judged,
                    &GameResult::likeliestRight, curveStart);
        printShares(out, "guesses kinds", results, &GameResult::kindGuessed, &GameResult::kindRight,
                    [](std::size_t i) { return KIND_NAMES[i]; });
        printShares(out, "guesses king", results, &GameResult::kingGuessed, &GameResult::kingRight,
                    hundredsLabel);
    }
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
