// velk-tsuitate-cli play: a script of window events drives the same Form1 as the window. The
// ports are text: boxes, questions, sounds and quitting are printed, the clock only moves when
// the script waits, and every Yes/No answer must have been queued by the script.
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/english.h"
#include "cli/play.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "game/hands.h"
#include "game/invariants.h"
#include "match/controls.h"
#include "match/form1.h"
#include "match/memory_ports.h"
#include "ui/draw.h"
#include "ui/geometry.h"
#include "ui/surface_picture.h"

namespace velk::cli {

namespace {

// A question came up and the script had queued no answer for it.
struct UnansweredQuestion : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Control characters of box texts written visibly, so that every box stays on one line.
std::string visible(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        if (ch == '\r')
            out += "\\r";
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\t')
            out += "\\t";
        else
            out += ch;
    }
    return out;
}

const char* sideName(int side) {
    if (side == SENTE) return "SENTE";
    if (side == GOTE) return "GOTE";
    if (side == NOBODY) return "NOBODY";
    return "?";
}

std::string fixed1(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", value);
    return buf;
}

// What the script's output is written through, in the order things happen.
class Printer {
  public:
    explicit Printer(std::ostream& out) : out_(out) {}

    void attach(const Form1* form) {
        form_ = form;
        seenMoves_ = form->movesLogged;
    }

    // Prints the moves logged since the last look. Called before anything else is printed
    // and at the end of every command; a human move is printed once its promotion is settled,
    // which is before its sound is played.
    void flushMoves() {
        if (form_ == nullptr) return;
        const long pending = form_->movesLogged - seenMoves_;
        seenMoves_ = form_->movesLogged;
        const GameState& s = form_->s;
        for (long i = pending; i >= 1; --i) {
            const int n = s.moveNo - static_cast<int>(i) + 1;
            if (n >= 1 && n <= MAX_MOVES) printMove(s, n);
        }
    }

    void line(const std::string& text) {
        flushMoves();
        out_ << text << '\n';
    }

    const Form1* form() const { return form_; }

  private:
    void printMove(const GameState& s, int n) {
        const MoveRecord& r = s.record;
        const int after = r.recPieceAfter[n];
        std::string text(文字列変換(10 - r.recToX[n]));
        text += 文字列変換(1000 + r.recToY[n]);
        text += 文字列変換(after);
        out_ << "move " << n << ' ' << (isComPiece(after) ? "COM" : "MAN") << ' ' << r.recFromX[n]
             << ' ' << r.recFromY[n] << ' ' << r.recToX[n] << ' ' << r.recToY[n] << ' '
             << r.recPieceBefore[n] << ' ' << after << ' ' << r.recCaptured[n] << ' ' << text
             << '\n';
    }

    std::ostream& out_;
    const Form1* form_ = nullptr;
    long seenMoves_ = 0;
};

class TextDialogs : public Dialogs {
  public:
    TextDialogs(Printer& p, bool english) : p_(p), english_(english) {}
    std::deque<bool> answers;

    void message(const std::string& text, const std::string& title) override {
        p_.line("message [" + shown(title) + "] " + shown(text));
    }
    void warning(const std::string& text, const std::string& title) override {
        p_.line("warning [" + shown(title) + "] " + shown(text));
    }
    // The default button does not show in the output: the script gives every answer.
    bool askYesNo(const std::string& text, const std::string& title,
                  DefaultButton = DefaultButton::Yes) override {
        const std::string box = "[" + shown(title) + "] " + shown(text);
        if (answers.empty()) {
            p_.line("question " + box + " -> (no answer queued)");
            throw UnansweredQuestion("the question " + box +
                                     " needs an answer: queue one with 'yes' or 'no' before "
                                     "the command that asks it");
        }
        const bool yes = answers.front();
        answers.pop_front();
        p_.line("question " + box + " -> " + (yes ? "yes" : "no"));
        return yes;
    }

  private:
    // The text as the box shows it, in the language of the run.
    std::string shown(const std::string& text) const {
        return visible(english_ ? boxInEnglish(text) : text);
    }

    Printer& p_;
    bool english_;
};

// Buffers are numbered as they are created; plays are named by the controller's handles.
class TextSound : public SoundDevice {
  public:
    explicit TextSound(Printer& p) : p_(p) {}

    int dsInitialize(long) override { return 1; }
    void dsTerminate(int) override {}
    int dsCreateDSB(int, const unsigned char*, std::size_t, int) override { return next_++; }
    void dsFree(int) override {}
    void dsPlay(int buffer) override {
        p_.flushMoves();
        if (buffer != 0) p_.line("sound " + nameOf(buffer));
    }
    void dsPlayLooping(int buffer) override {
        p_.flushMoves();
        if (buffer != 0) p_.line("sound " + nameOf(buffer) + " loop");
    }
    void dsStop(int buffer) override {
        p_.flushMoves();
        if (buffer != 0) p_.line("sound " + nameOf(buffer) + " stop");
    }

  private:
    std::string nameOf(int buffer) const {
        if (const Form1* f = p_.form()) {
            if (buffer == f->sndOther) return "その他";
            if (buffer == f->sndForbidden) return "禁止";
            if (buffer == f->sndPiece) return "駒打音";
            if (buffer == f->sndBGM) return "BGM";
        }
        return std::to_string(buffer);
    }

    Printer& p_;
    int next_ = 1;
};

// The time of day stands still until the script waits; pacing waits move it too.
class ScriptClock : public Clock {
  public:
    explicit ScriptClock(Printer& p) : p_(p) {}
    double now = 36000.0;  // 10:00:00

    float timeOfDay() override { return static_cast<float>(now); }
    void wait(double seconds) override {
        p_.flushMoves();
        advance(seconds);
    }
    void advance(double seconds) {
        if (seconds > 0) now += seconds;
        if (now >= 86400.0) now = std::fmod(now, 86400.0);
    }

  private:
    Printer& p_;
};

class ScriptWindow : public Window {
  public:
    explicit ScriptWindow(Printer& p) : p_(p) {}
    int topTwips = 0;
    void repaint() override {}
    int top() const override { return topTwips; }
    void place(int, int t, int, int) override { topTwips = t; }
    void quit() override { p_.line("quit"); }
    long handle() const override { return 1; }

  private:
    Printer& p_;
};

struct MenuName {
    MenuItem item;
    const char* name;
};

constexpr MenuName MENU_NAMES[] = {
    {MenuItem::LEVEL1, "LEVEL1"}, {MenuItem::LEVEL2, "LEVEL2"}, {MenuItem::LEVEL3, "LEVEL3"},
    {MenuItem::KOUSEI, "KOUSEI"}, {MenuItem::KEIKA, "KEIKA"},   {MenuItem::BGM, "BGM"},
    {MenuItem::MIDORI, "MIDORI"}, {MenuItem::TATAMI, "TATAMI"}, {MenuItem::TAKE, "TAKE"},
    {MenuItem::UCHU, "UCHU"},     {MenuItem::RENGA, "RENGA"},
};

// A key by name (escape, left, right, up, down, home, end, space, enter, shift+enter, h) or by
// code, with the shift bits of Form_KeyDown.
std::pair<int, int> parseKey(const std::string& text) {
    static constexpr std::pair<std::string_view, int> NAMES[] = {
        {"escape", KEY_ESCAPE}, {"left", KEY_LEFT}, {"right", KEY_RIGHT}, {"up", KEY_UP},
        {"down", KEY_DOWN},     {"home", KEY_HOME}, {"end", KEY_END},     {"space", KEY_SPACE},
        {"enter", KEY_ENTER},   {"h", KEY_H},
    };
    std::string_view name = text;
    int shift = 0;
    if (name.starts_with("shift+")) {
        name.remove_prefix(6);
        shift = SHIFT_KEY_BIT;
        // Only Enter means something else with Shift.
        if (name != "enter") throw ParseError("unknown key '" + text + "'");
    }
    for (const auto& [n, code] : NAMES)
        if (n == name) return {code, shift};
    return {parseIntField(text, "key code"), 0};
}

int parseButton(const std::string& text) {
    if (text == "left") return LEFT_BUTTON;
    if (text == "right") return RIGHT_BUTTON;
    if (text == "middle") return MIDDLE_BUTTON;
    return parseIntField(text, "button");
}

double parseNumber(const std::string& text, const char* what) {
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || !(value == value))
        throw ParseError(std::string(what) + " is not a number: '" + text + "'");
    return value;
}

// The longest wait and the most ticks one command takes: a day on the clock.
constexpr double MAX_WAIT_SECONDS = 86400.0;
constexpr int MAX_TICKS = 86400;

// A point of the window in twips: finite, and far outside any screen at the most.
float parseTwips(const std::string& text, const char* what) {
    const double value = parseNumber(text, what);
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        throw ParseError(std::string(what) +
                         " must be a finite number of twips within "
                         "-1000000000..1000000000: '" +
                         text + "'");
    return static_cast<float>(value);
}

// The rest of a line after its first n blank-separated fields, one separating blank dropped.
std::string restAfterFields(const std::string& line, int n) {
    std::size_t i = 0;
    for (int f = 0; f < n; ++f) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    }
    if (i < line.size()) ++i;
    std::string rest = line.substr(std::min(i, line.size()));
    if (!rest.empty() && rest.back() == '\r') rest.pop_back();
    return rest;
}

// The centre of a square or hand slot in twips.
float centreX(int x) {
    return static_cast<float>(twipsX(x + 0.5));
}
float centreY(int y) {
    return static_cast<float>(twipsY(y + 0.5));
}

void checkSquare(int x, int y) {
    const bool board = onBoard(x, y);
    const bool manHand = x == MAN_HAND_X && y >= 3 && y <= 9;
    const bool comHand = x == COM_HAND_X && y >= 1 && y <= 7;
    if (!board && !manHand && !comHand)
        throw ParseError("(" + std::to_string(x) + ", " + std::to_string(y) +
                         ") is neither a square nor a hand slot");
}

// The names of the guess markers' kinds in scripts.
constexpr std::pair<const char*, int> MARKER_NAMES[] = {
    {"玉", COM_OU},  {"飛", COM_SYA}, {"角", COM_KAKU}, {"金", COM_KIN},
    {"銀", COM_GIN}, {"桂", COM_KEI}, {"香", COM_KYOU}, {"歩", COM_HU}};

int markerKind(const std::string& name) {
    if (name == "none") return 0;
    for (const auto& [n, code] : MARKER_NAMES)
        if (name == n) return code;
    throw ParseError("a marker is 玉 飛 角 金 銀 桂 香 歩 or none: '" + name + "'");
}

std::string markerName(int code) {
    for (const auto& [n, c] : MARKER_NAMES)
        if (c == code) return n;
    return "?";
}

class Script {
  public:
    Script(std::ostream& out, const std::filesystem::path& folder, bool english)
        : printer_(out),
          english_(english),
          dialogs_(printer_, english),
          sound_(printer_),
          clock_(printer_),
          window_(printer_),
          form_(Ports{canvas_, dialogs_, sound_, clock_, timer_, menu_, panel_, window_}, folder) {
        panel_.folderPath = folder.string();
        printer_.attach(&form_);
    }

    void start() { form_.Form_Load(); }

    // Runs one command; throws ParseError for a line it cannot take.
    void run(const std::string& line, const std::vector<std::string>& f) {
        const std::string& cmd = f[0];
        if (cmd == "show") {
            expectFields(f, 1, 1);
            show();
            return;
        }
        if (cmd == "yes" || cmd == "no") {
            expectFields(f, 1, 1);
            dialogs_.answers.push_back(cmd == "yes");
            return;
        }
        if (cmd == "wait") {
            expectFields(f, 2, 2);
            const double seconds = parseNumber(f[1], "seconds");
            if (seconds < 0) throw ParseError("the clock only moves forward");
            if (!(seconds <= MAX_WAIT_SECONDS))
                throw ParseError("a wait is at most 86400 seconds (one day): '" + f[1] + "'");
            clock_.advance(seconds);
            return;
        }
        if (form_.closed) throw ParseError("the program has ended; only 'show' is taken now");

        if (const Control* control = findControl(cmd)) {
            expectFields(f, 1, 1);
            (form_.*(control->handler))();
        } else if (cmd == "click") {
            expectFields(f, 4, 4);
            form_.Form_MouseDown(parseButton(f[1]), 0, parseTwips(f[2], "x"),
                                 parseTwips(f[3], "y"));
        } else if (cmd == "square") {
            expectFields(f, 3, 4);
            const int x = parseIntField(f[1], "x"), y = parseIntField(f[2], "y");
            checkSquare(x, y);
            const int button = f.size() > 3 ? parseButton(f[3]) : LEFT_BUTTON;
            form_.Form_MouseDown(button, 0, centreX(x), centreY(y));
        } else if (cmd == "move") {
            expectFields(f, 5, 6);
            const int fx = parseIntField(f[1], "fromX"), fy = parseIntField(f[2], "fromY");
            const int tx = parseIntField(f[3], "toX"), ty = parseIntField(f[4], "toY");
            checkSquare(fx, fy);
            checkSquare(tx, ty);
            const int button = f.size() > 5 ? parseButton(f[5]) : LEFT_BUTTON;
            form_.Form_MouseDown(LEFT_BUTTON, 0, centreX(fx), centreY(fy));
            if (!form_.closed) form_.Form_MouseDown(button, 0, centreX(tx), centreY(ty));
        } else if (cmd == "tick") {
            expectFields(f, 1, 2);
            const int n = f.size() > 1 ? parseIntField(f[1], "count") : 1;
            if (n < 0) throw ParseError("count must not be negative");
            if (n > MAX_TICKS)
                throw ParseError("at most 86400 ticks (one day) at a time: '" + f[1] + "'");
            // A tick does nothing while the timer is off, and the timer only starts on other
            // events: the ticks left after it stops are skipped.
            for (int i = 0; i < n && !form_.closed && timer_.enabled; ++i) form_.Timer1_Timer();
        } else if (cmd == "key") {
            expectFields(f, 2, 2);
            if (f[1] == "delete") {
                form_.MARKER_Delete();
            } else {
                const auto [code, shift] = parseKey(f[1]);
                form_.Form_KeyDown(code, shift);
            }
        } else if (cmd == "status") {
            expectFields(f, 1, 1);
            printer_.line("status " +
                          (english_ ? statusInEnglish(form_.statusText()) : form_.statusText()));
        } else if (cmd == "text") {
            if (f.size() < 2) throw ParseError("text needs a box number 1..4");
            const int box = parseIntField(f[1], "box");
            if (box < 1 || box > 4) throw ParseError("text boxes are numbered 1..4");
            panel_.setText(box, restAfterFields(line, 2));
        } else if (cmd == "folder") {
            if (f.size() < 2) throw ParseError("folder needs a path");
            panel_.setFolder(restAfterFields(line, 1));
            form_.Dir1_Change();
        } else if (cmd == "drive") {
            expectFields(f, 2, 2);
            form_.Drive1_Change(f[1]);
        } else if (cmd == "file") {
            if (f.size() < 2) throw ParseError("file needs a file name");
            form_.File1_Click(restAfterFields(line, 1));
        } else if (cmd == "marker") {
            expectFields(f, 4, 4);
            const int x = parseIntField(f[1], "x"), y = parseIntField(f[2], "y");
            if (!onBoard(x, y)) throw ParseError("markers stand on squares 1..9, 1..9");
            form_.MARKER_Choose(x, y, markerKind(f[3]));
        } else if (cmd == "markers") {
            expectFields(f, 1, 1);
            const GuessMarkers& m = form_.markers();
            if (m.empty()) printer_.line("markers none");
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    if (m.kind[x][y] != 0)
                        printer_.line("marker " + std::to_string(x) + " " + std::to_string(y) +
                                      " " + markerName(m.kind[x][y]));
        } else if (cmd == "movelist") {
            expectFields(f, 1, 2);
            const MoveList list = form_.moveList();
            if (f.size() == 1) {
                for (std::size_t i = 0; i < list.lines.size(); ++i)
                    printer_.line((static_cast<int>(i) == list.current ? "* " : "  ") +
                                  (english_ ? moveListLineInEnglish(list.lines[i].text)
                                            : list.lines[i].text));
            } else {
                const int chosen = parseIntField(f[1], "line");
                if (chosen < 1 || chosen > static_cast<int>(list.lines.size()))
                    throw ParseError("the move list has lines 1.." +
                                     std::to_string(list.lines.size()));
                form_.MOVELIST_Click(list.lines[static_cast<std::size_t>(chosen - 1)].moveNo);
            }
        } else if (cmd == "picture") {
            expectFields(f, 1, 1);
            printer_.line("picture " + windowPictureDigest(canvas_, panel_, menu_));
        } else if (cmd == "position") {
            expectFields(f, 5, 5);
            placeOnBoard(parsePosition({f[1], f[2], f[3], f[4]}));
        } else {
            throw ParseError("unknown command '" + cmd + "'");
        }
    }

    void endOfCommand() { printer_.flushMoves(); }

    void endOfScript() {
        printer_.flushMoves();
        if (!dialogs_.answers.empty())
            printer_.line("unused answers " + std::to_string(dialogs_.answers.size()));
    }

    Printer& printer() { return printer_; }

  private:
    static void expectFields(const std::vector<std::string>& f, std::size_t min, std::size_t max) {
        if (f.size() < min || f.size() > max)
            throw ParseError(f[0] + " takes " +
                             (min == max
                                  ? std::to_string(min - 1)
                                  : std::to_string(min - 1) + " to " + std::to_string(max - 1)) +
                             " argument(s), got " + std::to_string(f.size() - 1));
    }

    // Puts a position on the board (board, both hands and totals) and redraws the window.
    void placeOnBoard(const Position& p) {
        GameState& s = form_.s;
        s.board = p.board;
        setHands(s, p.handMAN, p.handCOM);
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                if (s.board[x][y] == MAN_OU) s.kingXMAN = x, s.kingYMAN = y;
                if (s.board[x][y] == COM_OU) s.kingXCOM = x, s.kingYCOM = y;
            }
        // A script may set up a position no game reaches (a few pieces only); the window's
        // check of the state after every event is off from then on.
        if (!checkGameState(s).empty()) form_.checkStateAfterEvents = false;
        画面_再描画(s, canvas_, menu_);
    }

    void show() {
        const GameState& s = form_.s;
        std::string sfen = formatPosition(s.board, s.handMAN, s.handCOM);
        // formatPosition ends with " b <move number 1>"; the side and number come from the game.
        const std::size_t side = sfen.find(" b ");
        std::size_t tail = sfen.rfind(' ');
        sfen = sfen.substr(0, side) + (s.turn == GOTE ? " w " : " b ") +
               sfen.substr(side + 3, tail - side - 3) + " " + std::to_string(s.moveCount + 1);
        printer_.line("sfen " + sfen);
        printer_.line(std::string("turn ") + sideName(s.turn) + " roleMAN " + sideName(s.roleMAN) +
                      " roleCOM " + sideName(s.roleCOM) + " gameState " +
                      std::to_string(s.gameState) + " winner " + sideName(s.winner));
        printer_.line("moveNo " + std::to_string(s.moveNo) + " moveNoLast " +
                      std::to_string(s.moveNoLast) + " moveCount " + std::to_string(s.moveCount));
        printer_.line("hands MAN " + std::to_string(s.handTotalMAN) + " COM " +
                      std::to_string(s.handTotalCOM) + " miss MAN " +
                      std::to_string(s.missCountMAN) + " COM " + std::to_string(s.missCountCOM));
        printer_.line("time MAN " + fixed1(s.timeUsedMAN) + " COM " + fixed1(s.timeUsedCOM) +
                      " clock " + fixed1(clock_.now) + " timer " + (timer_.enabled ? "on" : "off"));
        std::string flags = "screen " + std::string(s.screenUp == YES ? "up" : "down") + " level " +
                            std::to_string(s.level) + " kifuMode " + std::to_string(s.kifuMode) +
                            " reversed " + std::to_string(s.reversed) + " checked";
        for (const auto& m : MENU_NAMES)
            if (menu_.isChecked(m.item)) flags += std::string(" ") + m.name;
        printer_.line(flags);
        printer_.line(std::string("panel lists ") + (panel_.drives ? "1" : "0") +
                      (panel_.folders ? "1" : "0") + (panel_.files ? "1" : "0") + " texts " +
                      (panel_.textPanel ? "shown" : "hidden"));
    }

    Printer printer_;
    bool english_;
    SurfacePicture canvas_;
    TextDialogs dialogs_;
    TextSound sound_;
    ScriptClock clock_;
    MemoryTimer timer_;
    MemoryMenu menu_;
    MemoryRecordPanel panel_;
    ScriptWindow window_;
    Form1 form_;
};

}  // namespace

int runPlayScript(std::istream& in, std::ostream& out, const std::filesystem::path& folder,
                  bool english) {
    Script script(out, folder, english);
    int status = 0;
    int lineNo = 0;
    try {
        script.start();
        std::string line;
        while (std::getline(in, line)) {
            ++lineNo;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const auto fields = splitFields(line);
            if (fields.empty() || fields[0][0] == '#') continue;
            out << "> " << line << '\n';
            try {
                script.run(line, fields);
            } catch (const ParseError& e) {
                out << "error: line " << lineNo << ": " << e.what() << '\n';
                status = 1;
            }
            script.endOfCommand();
        }
        script.endOfScript();
    } catch (const UnansweredQuestion& e) {
        out << "error: line " << lineNo << ": " << e.what() << '\n';
        status = 1;
    } catch (const std::exception& e) {
        out << "error: line " << lineNo << ": " << e.what() << '\n';
        status = 1;
    }
    out.flush();
    return status;
}

int runPlay(std::istream& in, std::ostream& out) {
    return runPlayIn(in, out, false);
}

int runPlayIn(std::istream& in, std::ostream& out, bool english) {
    // The game folder is the current folder; one that was removed cannot serve.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) {
        out << "error: the current folder cannot be found (" << error.message()
            << "); play keeps its settings, sounds and records there\n";
        out.flush();
        return 1;
    }
    return runPlayScript(in, out, folder, english);
}

}  // namespace velk::cli
