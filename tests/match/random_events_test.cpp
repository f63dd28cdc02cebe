// Thousands of random events sent to the window controller: clicks anywhere with any button,
// every menu command, the record panel, timer ticks, keys and random answers to the boxes.
// After each event the game state must still be sound and the record must still fit the board.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "board/rules.h"
#include "game/hands.h"
#include "game/invariants.h"
#include "game/setup.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "match/net_line.h"
#include "record/kif.h"
#include "record/record_file.h"
#include "referee/match.h"
#include "support/random_play.h"
#include "texts/texts.h"

namespace velk {
namespace {

// The record around the board: entries moveNo + 1 .. moveNoLast play forward from it, and
// entries moveNo .. 1 taken back one by one each find their piece where they put it, down to
// a position that still holds every piece. What the game would write of it, as a record file
// or as KIF, reads back: every entry is a move the referee took.
std::string recordProblems(const GameState& s) {
    if (s.moveNo < 0 || s.moveNo > s.moveNoLast || s.moveNoLast > MAX_MOVES) return {};
    const MoveRecord& r = s.record;
    // The sides take turns: no event hands one of them a second move in a row.
    for (int n = 2; n <= s.moveNoLast; ++n)
        if (sideOf(r.recPieceAfter[n]) == sideOf(r.recPieceAfter[n - 1]))
            return "entries " + std::to_string(n - 1) + " and " + std::to_string(n) +
                   " are moves of one side";
    std::string why;
    if (const int bad = checkRecordFollows(positionOf(s), r, s.moveNo + 1, s.moveNoLast, why))
        return "entry " + std::to_string(bad) + " ahead does not fit: " + why;

    GameState back = s;
    for (int n = s.moveNo; n >= 1; --n) {
        const int fromX = r.recFromX[n], fromY = r.recFromY[n];
        const int toX = r.recToX[n], toY = r.recToY[n];
        const int after = r.recPieceAfter[n], captured = r.recCaptured[n];
        if (!onBoard(toX, toY) || back.board[toX][toY] != after)
            return "entry " + std::to_string(n) + " behind: its piece is not on its square";
        if (onBoard(fromX, fromY)) {
            if (back.board[fromX][fromY] != EMPTY)
                return "entry " + std::to_string(n) + " behind: its source is not empty";
            back.board[fromX][fromY] = static_cast<std::int16_t>(r.recPieceBefore[n]);
        } else {
            addToHand(back, sideOf(after), handIndexOf(after));
        }
        back.board[toX][toY] = static_cast<std::int16_t>(captured);
        if (const int k = handIndexOf(captured); captured != EMPTY && k != 0) {
            const Side capturer = isManPiece(captured) ? Side::Com : Side::Man;
            if (handOf(back, capturer)[k] < 1)
                return "entry " + std::to_string(n) + " behind: the capture is not in hand";
            takeFromHand(back, capturer, k);
        }
    }
    back.turn = NOBODY;
    back.moveNo = back.moveNoLast = back.moveCount = 0;
    if (const std::string p = checkGameState(back); !p.empty())
        return "the record's first position: " + p;

    if (s.reversed == YES || s.handicapSet == YES || s.moveNo < 1) return {};
    const RecordEncodeResult file = encodeRecordFile({}, r, s.moveNo);
    if (!file.ok) return {};
    if (const RecordParseResult read = decodeRecordFile(file.bytes); !read.ok)
        return "the record file written is refused: " + read.error;
    // A record KIF can write (one from the starting position) is read back.
    const KifEncodeResult kif = encodeKif({}, r, s.moveNo, {});
    if (!kif.ok) return {};
    if (const RecordParseResult read = decodeKif(kif.text); !read.ok)
        return "the KIF written is refused: " + read.error;
    return {};
}

struct RandomSession {
    std::filesystem::path dir;
    fakes::FakePorts f;
    std::mt19937 rng;
    std::unique_ptr<Form1> form;
    int restarts = 0;
    long reversals = 0, stepsForward = 0, resets = 0, movesMade = 0, gameEnds = 0;

    RandomSession(std::filesystem::path folder, unsigned seed) : dir(std::move(folder)), rng(seed) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        f.panel.folderPath = dir.string();
        open();
    }
    ~RandomSession() { std::filesystem::remove_all(dir); }

    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    void open() {
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
    }
    int button() {
        const int r = pick(10);
        return r < 6 ? LEFT_BUTTON : r < 9 ? RIGHT_BUTTON : 4;
    }
    void clickCell(int gx, int gy, int b) {
        form->Form_MouseDown(b, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + pick(495)),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + pick(615)));
    }
    // A move the move check allows to the side to move, made by two clicks, so that games go
    // on; while the computer is to move outside a game the human moves its pieces.
    void allowedMove() {
        GameState& s = form->s;
        if (s.turn == NOBODY) return;
        const bool man = s.turn == s.roleMAN;
        auto moves = testkit::allowedMoves(s, man);
        if (moves.empty()) return;
        MoveArgs m = moves[static_cast<std::size_t>(pick(static_cast<int>(moves.size())))];
        // Often a capture of the king when there is one, so that games also end that way.
        for (const MoveArgs& c : moves)
            if (std::abs(s.board[c.toX][c.toY]) == COM_OU && pick(2) == 0) m = c;
        // A computer hand slot is clicked on its row; allowedMoves gives the kind.
        const int fromY = m.fromX == COM_HAND_X ? 8 - m.fromY : m.fromY;
        clickCell(m.fromX, fromY, LEFT_BUTTON);
        if (!form->closed) clickCell(m.toX, m.toY, button());
    }
    std::string someFileName() {
        static const char* names[] = {"a", "game", "棋譜1", "", "../x", "b"};
        return names[pick(6)];
    }

    void event(int e) {
        Form1& g = *form;
        const long movesBefore = g.movesLogged;
        if (e < 16) {
            clickCell(1 + pick(9), 1 + pick(9), button());
        } else if (e < 52) {
            allowedMove();
        } else if (e < 55) {
            clickCell(pick(2) ? MAN_HAND_X : COM_HAND_X, pick(11), button());
        } else if (e < 56) {
            const float wild[] = {-1e30f,
                                  1e30f,
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -5000.0f,
                                  20000.0f};
            g.Form_MouseDown(pick(5), 0, wild[pick(6)], static_cast<float>(pick(9000)));
        } else if (e < 59) {
            g.SENTE_Click();
        } else if (e < 61) {
            g.GOTE_Click();
        } else if (e < 62) {
            g.CANCEL_Click();
            ++resets;
        } else if (e < 65) {
            for (int k = 1 + pick(4); k > 0 && !g.closed; --k) g.REPLAY_Click();
        } else if (e < 69) {
            for (int k = 1 + pick(6); k > 0 && !g.closed; --k) g.AFTER_Click();
            ++stepsForward;
        } else if (e < 71) {
            g.REVERSE_Click();
            ++reversals;
        } else if (e < 73) {
            g.ICHIJI_Click();
        } else if (e < 74) {
            g.STOP_Click();
        } else if (e < 75) {
            g.TAIKYOKU_Click();
        } else if (e < 77) {
            const int l = pick(3);
            if (l == 0) g.LEVEL1_Click();
            if (l == 1) g.LEVEL2_Click();
            if (l == 2) g.LEVEL3_Click();
        } else if (e < 79) {
            switch (pick(9)) {
                case 0:
                    g.MIDORI_Click();
                    break;
                case 1:
                    g.TATAMI_Click();
                    break;
                case 2:
                    g.TAKE_Click();
                    break;
                case 3:
                    g.UCHU_Click();
                    break;
                case 4:
                    g.RENGA_Click();
                    break;
                case 5:
                    g.KEIKA_Click();
                    break;
                case 6:
                    g.BGM_Click();
                    break;
                case 7:
                    g.OPTION_Click();
                    break;
                default:
                    g.VER_Click();
                    break;
            }
        } else if (e < 81) {
            // Writing the record: the menu, the file name, the button.
            g.KIFU_WRITE_Click();
            if (pick(4) != 0) f.panel.setText(1, someFileName());
            if (pick(4) != 0) g.Command1_Click();
        } else if (e < 83) {
            g.KIFU_READ_Click();
            if (pick(3) != 0) g.File1_Click(someFileName() + ".棋譜");
        } else if (e < 84) {
            g.Drive1_Change(pick(2) ? dir.string() : (dir / "missing").string());
            g.Dir1_Change();
        } else if (e < 95) {
            g.Timer1_Timer();
        } else if (e < 98) {
            g.Form_KeyDown(pick(60) == 0 ? KEY_ESCAPE : 28 + pick(100));
        } else if (e < 99) {
            if (pick(10) == 0) g.Form_Load();
        } else {
            const int q = pick(30);
            if (q == 0) g.Form_Unload();
            if (q == 1) g.OWARI_Click();
        }
        movesMade += g.movesLogged - movesBefore;
    }

    // Runs n random events, checking the state after each; the first problem is returned.
    std::string run(int n) {
        for (int i = 0; i < n; ++i) {
            f.dialogs.defaultAnswer = pick(8) != 0;
            f.clock.advance(static_cast<float>(pick(4000)) / 100.0f);
            const std::size_t boxes = f.dialogs.boxes.size();
            const int e = pick(100);
            event(e);
            for (std::size_t b = boxes; b < f.dialogs.boxes.size(); ++b)
                gameEnds += f.dialogs.boxes[b].title == texts::match::ANOTHER_GAME_TITLE ? 1 : 0;
            std::string p = checkGameState(form->s);
            if (p.empty()) p = recordProblems(form->s);
            if (!p.empty())
                return p + " (event " + std::to_string(i) + ", kind " + std::to_string(e) + ")";
            if (form->closed) {
                ++restarts;
                open();
            }
            f.canvas.ops.clear();
            f.dialogs.boxes.clear();
            f.sound.calls.clear();
        }
        return {};
    }
};

TEST(RandomEvents, StateStaysWellFormed) {
    long restarts = 0, movesMade = 0, gameEnds = 0, reversals = 0, resets = 0, steps = 0;
    for (const unsigned seed : {20240611u, 7u, 1234567u}) {
        RandomSession r(
            std::filesystem::temp_directory_path() /
                ("velk_match_random_" + std::to_string(seed) + "_" + std::to_string(::getpid())),
            seed);
        EXPECT_EQ(r.run(2200), "") << "seed " << seed;
        restarts += r.restarts;
        movesMade += r.movesMade;
        gameEnds += r.gameEnds;
        reversals += r.reversals;
        resets += r.resets;
        steps += r.stepsForward;
    }
    // The runs went through what they are meant to: games with their ends, the program's end,
    // reversals, resets and stepping through the record.
    EXPECT_GT(restarts, 0);
    EXPECT_GT(movesMade, 1000);
    EXPECT_GT(gameEnds, 5);
    EXPECT_GT(reversals, 60);
    EXPECT_GT(resets, 20);
    EXPECT_GT(steps, 150);
}

// A server on this side of the line for the window's network games: a real referee, a random
// player on the other seat, and its news delivered between the window's events, as frames
// arrive, with dropped lines and an opponent that comes and goes.
struct LoopbackServer : NetLine {
    Match match;
    std::mt19937& rng;
    std::vector<Move> sent;
    bool resigned = false;
    bool open = true;
    bool down = false;
    bool begun = false;
    float clock = 0;

    explicit LoopbackServer(std::mt19937& r) : rng(r) {
        loadDefaults(match.state());
        match.setClock([this] { return clock += 1.5f; });
        match.setJudging(Side::Man, Judging::Player);
        match.setJudging(Side::Com, Judging::Player);
        match.setEitherMateEnds(true);
        match.startGame(Side::Man);
    }
    void sendMove(const Move& m) override { sent.push_back(m); }
    void sendResign() override { resigned = true; }
    void leave() override { open = false; }

    void tell(Form1& form) {
        const GameState& s = match.state();
        form.netEvent(*this, match.view(Side::Man), s.timeUsedMAN, s.timeUsedCOM);
    }
    void end(Form1& form, const Verdict& v) {
        open = false;
        form.netEnd(*this, match.state().record, match.state().moveNo, v.winner, v.end);
    }
    // One frame's worth of news for the window.
    void step(Form1& form) {
        if (!open) return;
        if (!begun) {
            // The second seat is taken: the game begins.
            begun = true;
            return form.netBegin(*this, SENTE, match.view(Side::Man), 0, 0, true);
        }
        const auto r = rng() % 20;
        if (r == 0) {
            down = !down;
            if (down) {
                form.netConnection(*this, false);
            } else {
                sent.clear();  // lost with the line; the window is asked again
                const GameState& s = match.state();
                form.netBegin(*this, SENTE, match.view(Side::Man), s.timeUsedMAN, s.timeUsedCOM,
                              rng() % 2 == 0);
            }
            return;
        }
        if (down) return;
        if (r == 1) return form.netOpponent(*this, rng() % 2 == 0);
        if (resigned) return end(form, match.resign(Side::Man));
        if (!sent.empty()) {
            const Verdict v = match.submit(Side::Man, sent.front());
            sent.erase(sent.begin());
            if (!v.accepted() && !v.isMiss()) return form.netRefused(*this, "refused");
            tell(form);
            if (v.end != GameEnd::None) end(form, v);
            return;
        }
        if (match.sideToMove() != Side::Com) return;
        const SideView& view = match.view(Side::Com);
        Position own;
        own.board = view.board;
        own.handCOM = view.ownHand;
        std::vector<Move> moves;
        forEachMove(own, Side::Com, [&](const Move& m) {
            moves.push_back(m);
            return true;
        });
        std::shuffle(moves.begin(), moves.end(), rng);
        for (const Move& m : moves) {
            const Verdict v = match.submit(Side::Com, m);
            if (!v.accepted() && !v.isMiss()) continue;
            tell(form);
            if (v.end != GameEnd::None) end(form, v);
            return;
        }
        end(form, match.cannotMove(Side::Com));
    }
};

// Random events in network games: the window's clicks, menus, keys and boxes between the
// server's news. While a game is under way the window holds its side's pieces and nothing of
// the other side's, and its view is the one the referee gave it; once the game has ended or
// been left, the state and the record are sound as after any game.
TEST(RandomEvents, NetworkGamesStayWellFormedAndHoldOnlyTheSeatsView) {
    long games = 0, ended = 0, moves = 0;
    for (const unsigned seed : {5u, 99u}) {
        RandomSession r(
            std::filesystem::temp_directory_path() /
                ("velk_match_net_" + std::to_string(seed) + "_" + std::to_string(::getpid())),
            seed);
        std::vector<std::unique_ptr<LoopbackServer>> servers;
        for (int i = 0; i < 3000; ++i) {
            Form1& form = *r.form;
            r.f.dialogs.defaultAnswer = r.pick(8) != 0;
            r.f.clock.advance(static_cast<float>(r.pick(400)) / 100.0f);
            if (!form.netPlaying() && r.pick(20) == 0) {
                servers.push_back(std::make_unique<LoopbackServer>(r.rng));
                LoopbackServer& server = *servers.back();
                form.netConnecting(server);
                ++games;
            } else if (form.netPlaying() && r.pick(3) != 0) {
                servers.back()->step(form);
            } else if (form.netPlaying() && r.pick(4) == 0) {
                if (r.pick(40) == 0) form.TOURYOU_Click();
                r.allowedMove();
            } else {
                r.event(r.pick(100));
            }
            if (r.form->closed) {
                r.open();
                continue;
            }
            const GameState& s = r.form->s;
            std::string p;
            if (r.form->netPlaying() && s.gameState == 1) {
                const LoopbackServer& server = *servers.back();
                for (int x = 1; x <= 9 && p.empty(); ++x)
                    for (int y = 1; y <= 9 && p.empty(); ++y)
                        if (isComPiece(s.board[x][y])) p = "a piece of the other side is shown";
                if (r.form->viewOf(Side::Man).events.size() >
                    server.match.view(Side::Man).events.size())
                    p = "the window's view holds more than the referee told it";
            } else {
                p = checkGameState(s);
                if (p.empty()) p = recordProblems(s);
            }
            ASSERT_EQ(p, "") << "seed " << seed << " event " << i;
            ended += r.f.dialogs.count(texts::match::ANOTHER_GAME);
            r.f.canvas.ops.clear();
            r.f.dialogs.boxes.clear();
            r.f.sound.calls.clear();
        }
        for (const auto& server : servers) moves += server->match.state().moveNo;
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(ended, 3);
    EXPECT_GT(moves, 200);
}

}  // namespace
}  // namespace velk
