// The game window's controller: every event handler of the window and the turn logic. It owns
// the game state and reaches the screen, dialogs, sound, clock and timer only through Ports.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/com_turn.h"
#include "game/game_state.h"
#include "honest/honest_player.h"
#include "match/overlay_canvas.h"
#include "match/ports.h"
#include "players/design_computer.h"
#include "players/honest_seat.h"
#include "record/move_list.h"
#include "referee/match.h"
#include "view/side_view.h"

namespace velk {

struct RecordWriting;
struct RecordReading;

// Key codes of Form_KeyDown, and the Shift bit of its shift argument.
inline constexpr int KEY_ENTER = 13;
inline constexpr int KEY_ESCAPE = 27;
inline constexpr int KEY_SPACE = 32;
inline constexpr int KEY_END = 35;
inline constexpr int KEY_HOME = 36;
inline constexpr int KEY_LEFT = 37;
inline constexpr int KEY_UP = 38;
inline constexpr int KEY_RIGHT = 39;
inline constexpr int KEY_DOWN = 40;
inline constexpr int KEY_H = 72;
inline constexpr int SHIFT_KEY_BIT = 1;

class NetLine;

class Form1 {
    // The referee: the position, the record, the clocks, the misses and both sides' views.
    Match match_;

  public:
    // folder is the current folder: the settings file, the sound files and, by default, the
    // record files live there.
    Form1(Ports ports, std::filesystem::path folder);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The match's game state, which the drawing routines and the design's computer read.
    GameState& s;

    // Sound handles; 0 when there is no device or the sound was not loaded.
    int soundDevice = 0;
    int sndOther = 0;
    int sndForbidden = 0;
    int sndPiece = 0;
    int sndBGM = 0;

    // True once the program has ended (the window was asked to quit); every handler then
    // does nothing.
    bool closed = false;

    // How many entries 手順保存 has written since construction, so that an observer (the
    // scripted player) can tell when a move was made.
    long movesLogged = 0;

    // Debug builds check the whole game state (checkGameState) when the outermost event handler
    // returns, and abort with what is broken. A test that builds an impossible position on
    // purpose turns this off.
    bool checkStateAfterEvents = true;

    // --- Start-up and reset (form1.cpp) ---
    void Form_Load();
    void 初期設定();
    void CANCEL_Click();

    // --- Mouse, keys, timer (form1.cpp) ---
    void Form_MouseDown(int button, int shift, float xTwips, float yTwips);
    // Escape quits. Home / End step through the record to its start / end as 戻 / 進 do. While
    // it is the human's move the arrow keys move the square cursor (the first key only shows
    // it), and Space or Enter press the left button on its square, Shift+Enter the right one;
    // at any other time ← / → step through the record as 戻 / 進 (form1_keys.cpp). H asks for
    // a hint as ﾋﾝﾄ does.
    void Form_KeyDown(int keyCode, int shift = 0);
    void Timer1_Timer();

    // --- Menus: match (form1.cpp) ---
    void TAIKYOKU_Click();
    void SENTE_Click();
    void GOTE_Click();
    void OWARI_Click();
    void LEVEL1_Click();
    void LEVEL2_Click();
    void LEVEL3_Click();
    // The level 公正: the computer's moves come from a player that reads only the computer's
    // side of the screen (form1_com.cpp).
    void KOUSEI_Click();
    void レベル_設定(int n);
    // 二人対局: two people at this screen take the two sides in turn (form1_two.cpp). Each plays
    // from the bottom of the board and sees only its own pieces; between their turns a curtain
    // covers the board until the next player clicks.
    void FUTARI_Click();
    // 投了: the player at the screen gives the game up, asked once; refused outside a game.
    void TOURYOU_Click();
    bool twoPlayers() const { return twoPlayers_; }
    bool curtainDown() const { return curtain_; }
    // Fixes the seed of the computer's player at 公正 from the next game on, and of the game
    // under way; without it each game takes its seed from the clock when it starts.
    void setHonestSeed(std::uint64_t seed);
    // The thinking budget of the computer's player at 公正, in milliseconds (see
    // HonestPlayer::setThinkMs), from the next game on and for the game under way.
    void setHonestThinkMs(int ms);

    // --- End of game and shutdown (form1.cpp) ---
    void 終了(const std::string& name);
    void 終了処理();
    void Form_Unload();

    // --- Computer turn and misses (form1.cpp) ---
    void com_ban();
    // Shows a miss the referee has counted: the sound, the squares, the status line and the box.
    void ミス処理(int side, int kind, int fromX, int fromY, int toX, int toY);
    void 点滅_ミス回数(int times, int side);
    void 待ち時間(double seconds);
    void 描画_移動可能桝色(int fromX, int fromY, int colour, int piece);

    // --- The hint (form1_keys.cpp) ---
    // On the human's move in a game: a move found from the human's side of the screen alone,
    // shown on its squares and in the status line until the next event; never played. At any
    // other time only the refusal sound.
    void HINT_Click();
    // The squares the hint shows, empty while none shows.
    const std::vector<std::pair<int, int>>& hintSquares() const { return hintSquares_; }

    // --- Move log and replay (form1_replay.cpp) ---
    void 手順保存(int fromX, int fromY, int toX, int toY, int pieceBefore, int pieceArg,
                  float timeMANBefore, float timeMANAfter, float timeCOMBefore, float timeCOMAfter);
    void STOP_Click();
    void REPLAY_Click();
    void AFTER_Click();
    void REVERSE_Click();
    void ICHIJI_Click();

    // --- Record file and panel (form1_record.cpp) ---
    void KIFU_WRITE_Click();
    void KIFU_READ_Click();
    void Command1_Click();
    void File1_Click(const std::string& fileName);
    void Drive1_Change(const std::string& drive);
    void Dir1_Change();
    // The KIF items beside them (form1_kif.cpp).
    void KIF_WRITE_Click();
    void KIF_READ_Click();

    // --- The move list (form1_movelist.cpp) ---
    // The lines the move list shows now.
    MoveList moveList() const;
    // A line of the move list chosen: steps the record with 戻 or 進, as those items do, until
    // n moves are on the board; the first refusal ends the stepping.
    void MOVELIST_Click(int n);

    // --- Guess markers (form1_markers.cpp) ---
    // The player's notes of where the computer's pieces may stand; nothing of the game reads
    // them.
    const GuessMarkers& markers() const { return markers_; }
    // A kind chosen from the palette of square (x, y): the marker shows it, or goes when the
    // square shows that kind already; 0 removes the marker.
    void MARKER_Choose(int x, int y, int kind);
    // Removes the marker of a square, if any.
    void removeMarker(int x, int y);
    // Removes the marker placed last.
    void removeLastMarker();
    // The Delete key: removes the marker under the keyboard cursor while the cursor shows,
    // else the marker placed last.
    void MARKER_Delete();

    // --- Settings, options and sound (form1_options.cpp) ---
    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();
    void チェック設定(int code);
    void MIDORI_Click();
    void TATAMI_Click();
    void TAKE_Click();
    void UCHU_Click();
    void RENGA_Click();
    void KEIKA_Click();
    void BGM_Click();
    void OPTION_Click();
    void VER_Click();
    void 音_初期化(long windowHandle);
    void 音_終了();
    int 音_読込(const std::string& fileName, int mode);
    void 音_警告表示(const std::string& text);

    // --- A game over the network (form1_net.cpp) ---
    // The window plays one seat of a game that a server referees. Its moves go out on the line,
    // and the server's news come back through the calls below, turned so that this side plays
    // from the bottom as Side::Man; news from any other line than the one under way are old and
    // change nothing. The game state then holds this side's view alone.
    // A network game is being set up or played.
    bool netPlaying() const { return net_ != nullptr; }
    // A move went to the server and its verdict has not come back.
    bool netMoveSent() const { return netWaiting_; }
    // Before a network game replaces what is here: asks as 最初 does; true to go on.
    bool NET_Prepare();
    // The line to a server opens: whatever was here gives way to it.
    void netConnecting(NetLine& line);
    // A game was created on the server: its join code, for the other player.
    void netWaitingForOpponent(const NetLine& line, const std::string& code);
    // The seat's game starts, or is shown again after a reconnection, from its view.
    void netBegin(const NetLine& line, int role, const SideView& view, float timeMAN, float timeCOM,
                  bool opponentConnected);
    // The view has gained an event (a verdict on this side's move, or the other side's move or
    // miss), with both clocks after it.
    void netEvent(const NetLine& line, const SideView& view, float timeMAN, float timeCOM);
    // The server refused the move sent, with its reason.
    void netRefused(const NetLine& line, const std::string& reason);
    void netOpponent(const NetLine& line, bool connected);
    // The line dropped (and is being restored) or is back.
    void netConnection(const NetLine& line, bool up);
    // The game is over: the whole record, as the first side's seat has the board (Side::Man
    // moved first), the winning seat in the same terms, and how it ended.
    void netEnd(const NetLine& line, const MoveRecord& record, int moves, Side winnerSeat,
                GameEnd end);
    // The line cannot be restored, or the game could not be created or joined.
    void netLost(const NetLine& line, const std::string& why);
    // A network game cannot begin: the refusal sound and the reason in a box.
    void netCannotStart(const std::string& text);

    // --- What each side of the screen knows ---
    // The view of Side::Man or Side::Com; any other side gets an empty view. A view has side
    // None while no game is under way. In a network game Side::Man's is the seat's view.
    const SideView& viewOf(Side side) const {
        return net_ != nullptr && side == Side::Man ? netView_ : match_.view(side);
    }
    const Match& match() const { return match_; }

    const std::filesystem::path& folder() const { return folder_; }

    // The text of the status line below the board.
    const std::string& statusText() const { return status_; }
    // Whether the keyboard cursor shows, and its square (a board square or the human's hand).
    bool cursorVisible() const;
    // A click that the controller does not see (Shift and a click open the palette of guess
    // markers) puts the cursor away as any click does.
    void putCursorAway();
    int cursorX() const { return cursorX_; }
    int cursorY() const { return cursorY_; }

  private:
    // Opened at the top of every event handler; a handler may run inside another, and the
    // state is checked when the outermost one returns. The marks on top of the board are
    // brought up to date then, except after a handler that only changes the player's notes
    // (the guess markers): those draw nothing else, so no mark may change with them.
    class EventScope {
      public:
        explicit EventScope(Form1& form, bool notesOnly = false);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

      private:
        Form1& form_;
        bool notesOnly_;
    };
    int eventDepth_ = 0;

    // The real surface behind ports_.canvas, which notes what covered the marks below.
    OverlayCanvas overlay_;
    Ports ports_;
    std::filesystem::path folder_;

    float now();
    // clockElapsed from clockStart to the clock's present reading.
    void updateElapsed();
    void hidePanel();
    void releaseSounds();
    void quit();
    void quitAfterAsking();
    void resumeOrRefuse();
    void selectOnBoard(int gx, int gy);
    void humanDestination(int button, int gx, int gy);
    void clickOffBoard(int gx, int gy);
    bool hasUnsavedMoves() const;
    bool mayLoseUnsavedMoves(const std::string& question, const std::string& title,
                             DefaultButton defaultButton = DefaultButton::Yes);
    bool ownsTurn(int piece) const;
    bool canTakeUp(int piece) const;
    void levelClick(int n);
    // The computer's seat: the design's computer at levels 1 to 3, the honest player at 公正,
    // made when a game starts or resumes with the game's seed (form1_com.cpp); the hints take
    // theirs from the same seed.
    DesignComputer designCom_;
    std::optional<HonestComputer> honestCom_;
    std::optional<std::uint64_t> honestSeed_;
    int honestThinkMs_ = HonestPlayer::DEFAULT_THINK_MS;
    std::uint64_t gameSeed_ = 0;
    void startHonestPlayer();
    Player& comSeat();
    // The clock's tick while the computer scans.
    static void clockTick(void* form) { static_cast<Form1*>(form)->Timer1_Timer(); }
    void offerAnotherGame();
    bool refuseGameWithoutKings();
    bool mayStartGame(Side first);
    // A game between two people at this screen (form1_two.cpp): the referee turns the game round
    // after every move, and the curtain stays down until the next player clicks. Each player's
    // guess markers are kept apart.
    bool twoPlayers_ = false;
    bool curtain_ = false;
    GuessMarkers otherMarkers_;
    void passScreen();
    void liftCurtain();
    // While the curtain is down nothing of the next player's game may show: the refusal sound,
    // and true.
    bool curtainRefuses();
    // The network game under way (form1_net.cpp): the line to the server, the seat's view, and
    // whether a move sent waits for the referee's word.
    NetLine* net_ = nullptr;
    SideView netView_;
    bool netWaiting_ = false;
    // The game has begun on the server (both seats taken).
    bool netBegun_ = false;
    // The line dropped and is being restored: no move can go out.
    bool netDown_ = false;
    bool opponentConnected_ = true;
    void showNetView(float timeMAN, float timeCOM);
    std::string netStatus() const;
    // During a network game only moves, the hint, markers and resigning are open: the refusal
    // sound and a box, and true.
    bool netRefuses();
    // The name a finished game's winner is given: soloName in a game against the computer, the
    // winner's role in a game between two people.
    const char* winnerName(const Verdict& v, const char* soloName) const;
    // What a finished game leaves for saving once the board is reset: the misses that ended
    // it, and whether its moves were saved.
    struct FinishedGame {
        int missMAN = 0;
        int missCOM = 0;
        int movesUnsaved = 0;
        // The side that resigned, if one did: its record ends in 投了.
        Side resigned = Side::None;
    };
    // The side that resigned the game under way, until it is kept as finished.
    Side resigned_ = Side::None;
    // The side that resigned the game on record (under way or kept as finished); None if none.
    Side resignedSide() const { return finished_ ? finished_->resigned : resigned_; }
    std::optional<FinishedGame> finished_;
    void endOnFullRecord();
    // Settings and record helpers (form1_options.cpp, form1_record.cpp).
    void backgroundClick(int code);
    void applyDefaultSettings();
    // Tells the player, once a run, that the settings file cannot be written.
    void tellSettingsNotSaved(const std::string& reason);
    bool settingsNotSavedTold_ = false;
    void printRecordHeader(const std::string& title, const std::string& top,
                           const std::string& bottom);
    GuessMarkers markers_;
    void clearMarkers();
    // Entries 1..moveListKnown_ of the record are shown in full in the move list: those of a
    // game that has ended or of a record read before a game was started from it.
    int moveListKnown_ = 0;
    // KIF through the record panel (form1_kif.cpp); kifWrite_ while the panel writes KIF.
    bool kifWrite_ = false;
    // The name of the record last read or written (its file name without the extension).
    std::string gameName_;
    void writeKifFile();
    void readKifFile(const std::string& fileName);
    // The record panel's one writer and one reader, for every kind of record file
    // (form1_record.cpp): the name typed is checked first, boxes tell what went wrong.
    bool panelNameUsable(const std::string& name);
    void writeRecord(const RecordWriting& kind);
    void readRecord(const std::string& fileName, const RecordReading& kind);

    // Draws a move played on the board: the capturer's hand, the emptied source (or hand slot),
    // the hand a drop came from and the destination, each square outlined again.
    void drawMove(int fromX, int fromY, int toX, int toY, int piece, int captured);
    // A move was entered in the record.
    void moveEntered();

    // Keys, cursor, marks and status line (form1_keys.cpp).
    using Square = std::pair<int, int>;
    // Draws again what the outermost event left to the marks: the last move's squares, the
    // cursor, the refused square and the status line.
    void afterEvent();
    void setStatus(std::string text);
    void refuseMove(int gx, int gy);
    bool keyboardTurn() const;
    void moveCursor(int dx, int dy);
    void pressAtCursor(int button);
    void stepThroughRecord(bool forward);
    // The hint's squares while it shows: its source (a board square or a slot of the human's
    // hand) and its destination. It goes with the next click, and with the next event after
    // which hintState() reads otherwise.
    std::vector<Square> hintSquares_;
    std::vector<Square> hintDrawn_;
    std::array<int, 9> hintState_{};
    std::array<int, 9> hintState() const;
    std::string hintStatus_;
    std::string statusBeforeHint_;
    std::string hintText(const HonestMove& h, int moving) const;
    std::vector<Square> lastMoveSquares() const;
    void repaintSquare(Square sq);
    std::string status_;
    std::string statusDrawn_;
    // Misses the computer made during the turn it is playing, for the status line.
    std::string comAnnouncements_;
    bool cursorShown_ = false;
    bool pressFromKeyboard_ = false;
    int cursorX_ = 5;
    int cursorY_ = 7;
    Square cursorDrawn_{0, 0};
    std::vector<Square> marksDrawn_;
    Square refused_{0, 0};
    bool refusedFresh_ = false;
};

// Seconds from start to now, both seconds since midnight; one wrap past midnight is allowed.
float 調査_経過秒(float start, float now);

// True for the names of KIF files (.kif, .kifu), which the record panel reads as KIF.
bool isKifFileName(std::string_view name);

// A file name without its extension (the part from the last dot on), for the name of a game.
std::string fileStem(std::string_view name);

}  // namespace velk
