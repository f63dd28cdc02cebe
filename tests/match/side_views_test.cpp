// What each side of the screen is told: the two views the window controller keeps, checked
// after every event of random games and on single moves and misses of each kind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "game/board_view.h"
#include "game/hands.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "referee/miss.h"
#include "support/random_play.h"
#include "texts/texts.h"

namespace velk {
namespace {

using Kind = SeenEvent::Kind;

Side sideToMove(const GameState& s) {
    if (s.turn == NOBODY) return Side::None;
    return s.turn == s.roleMAN ? Side::Man : Side::Com;
}

bool sameStart(const SideView& a, const SideView& b) {
    return a.side == b.side && a.startBoard == b.startBoard && a.startHandMAN == b.startHandMAN &&
           a.startHandCOM == b.startHandCOM && a.startToMove == b.startToMove;
}

bool sameEvent(const SeenEvent& a, const SeenEvent& b) {
    return a.kind == b.kind && a.fromX == b.fromX && a.fromY == b.fromY && a.toX == b.toX &&
           a.toY == b.toY && a.placed == b.placed && a.drop == b.drop && a.captured == b.captured &&
           a.missKind == b.missKind && a.check == b.check && a.mate == b.mate;
}

std::string describe(const SeenEvent& e) {
    return "{kind " + std::to_string(static_cast<int>(e.kind)) + " from " +
           std::to_string(e.fromX) + "," + std::to_string(e.fromY) + " to " +
           std::to_string(e.toX) + "," + std::to_string(e.toY) + " placed " +
           std::to_string(e.placed) + " drop " + std::to_string(e.drop) + " captured " +
           std::to_string(e.captured) + " miss " + std::to_string(e.missKind) + " check " +
           std::to_string(e.check) + " mate " + std::to_string(e.mate) + "}";
}

::testing::AssertionResult isEvent(const SeenEvent& actual, const SeenEvent& expected) {
    if (sameEvent(actual, expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << describe(actual) << " where " << describe(expected) << " was expected";
}

// The side's own board and hand rebuilt from its start and its own events: its moves, and the
// captures of its pieces it was told of.
std::string replayProblem(const SideView& v) {
    const bool man = v.side == Side::Man;
    Map b = sideView(v.startBoard, v.side);
    Hand h = man ? v.startHandMAN : v.startHandCOM;
    for (std::size_t i = 0; i < v.events.size(); ++i) {
        const SeenEvent& e = v.events[i];
        const std::string at = "event " + std::to_string(i) + ": ";
        if (e.kind == Kind::OwnMove) {
            if (e.drop) {
                const int k = handIndexOf(e.placed);
                if (k == 0 || h[k] < 1) return at + "a drop from an empty hand slot";
                --h[k];
            } else {
                if (!onBoard(e.fromX, e.fromY) || b[e.fromX][e.fromY] == EMPTY)
                    return at + "a move from an empty square";
                b[e.fromX][e.fromY] = EMPTY;
            }
            if (b[e.toX][e.toY] != EMPTY) return at + "a move onto its own piece";
            if (const int k = handIndexOf(e.captured); k != 0) ++h[k];
            b[e.toX][e.toY] = static_cast<std::int16_t>(e.placed);
        } else if (e.kind == Kind::OtherMove) {
            if (b[e.toX][e.toY] != e.captured)
                return at + "the other side's capture does not name the piece that stood there";
            b[e.toX][e.toY] = EMPTY;
        }
    }
    if (b != v.board) return "its own events do not lead to its board";
    if (h != v.ownHand) return "its own events do not lead to its hand";
    return {};
}

// Everything a live view must agree with: the true game of the moment, its own history and
// the other side's view.
std::string viewProblems(const Form1& form) {
    const GameState& s = form.s;
    const SideView& vm = form.viewOf(Side::Man);
    const SideView& vc = form.viewOf(Side::Com);
    if (form.viewOf(Side::None).side != Side::None) return "the view of nobody has a side";
    if ((vm.side == Side::None) != (vc.side == Side::None)) return "only one view is live";
    if (vm.side == Side::None) return {};
    if (vm.side != Side::Man || vc.side != Side::Com) return "a view has the wrong side";
    if (vm.events.size() != vc.events.size()) return "the views saw different numbers of events";
    for (std::size_t i = 0; i < vm.events.size(); ++i) {
        const SeenEvent& a = vm.events[i];
        const SeenEvent& b = vc.events[i];
        const bool mirrored = (a.kind == Kind::OwnMove && b.kind == Kind::OtherMove) ||
                              (a.kind == Kind::OtherMove && b.kind == Kind::OwnMove) ||
                              (a.kind == Kind::OwnMiss && b.kind == Kind::OtherMiss) ||
                              (a.kind == Kind::OtherMiss && b.kind == Kind::OwnMiss);
        if (!mirrored || a.toX != b.toX || a.toY != b.toY || a.drop != b.drop ||
            a.missKind != b.missKind)
            return "event " + std::to_string(i) + " is not the same event in both views";
    }
    for (const SideView* v : {&vm, &vc}) {
        const bool man = v->side == Side::Man;
        const std::string who = man ? "MAN view: " : "COM view: ";
        if (v->board != sideView(s.board, v->side)) return who + "board";
        if (v->ownHand != (man ? s.handMAN : s.handCOM)) return who + "hand";
        if (v->otherHandTotal != (man ? s.handTotalCOM : s.handTotalMAN))
            return who + "the other hand's total";
        if (v->ownMisses != (man ? s.missCountMAN : s.missCountCOM)) return who + "own misses";
        if (v->otherMisses != (man ? s.missCountCOM : s.missCountMAN)) return who + "other misses";
        if (!form.closed && v->toMove != sideToMove(s)) return who + "side to move";
        const auto foreign = [&](int code) { return code != EMPTY && sideOf(code) != v->side; };
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (foreign(v->board[x][y])) return who + "a piece of the other side on the board";
        for (const SeenEvent& e : v->events) {
            if (foreign(e.placed) || foreign(e.captured)) return who + "a code of the other side";
            const bool own = e.kind == Kind::OwnMove || e.kind == Kind::OwnMiss;
            if (!own && (e.fromX != 0 || e.fromY != 0 || e.placed != 0))
                return who + "more of the other side's move than its destination";
            const bool miss = e.kind == Kind::OwnMiss || e.kind == Kind::OtherMiss;
            if (miss != (e.missKind >= MISS_JUMPED && e.missKind <= MISS_KING_EXPOSED))
                return who + "a miss kind";
            if (miss && e.captured != EMPTY) return who + "a miss that took a piece";
            if (e.kind != Kind::OtherMove && (e.check || e.mate)) return who + "check on own move";
            if (e.mate && !e.check) return who + "a mate without check";
            if (own && e.drop != (e.fromX == (man ? MAN_HAND_X : COM_HAND_X)))
                return who + "a drop not from its own hand";
        }
        if (const std::string p = replayProblem(*v); !p.empty()) return who + p;
    }
    return {};
}

// What the runs went through, so that the checks are known to have met each case.
struct Seen {
    int ownMiss[2][4] = {};  // [man?0:1][kind]
    int captures[2] = {};
    int checks[2] = {};
    int drops[2] = {};
    int restarts = 0;
    int longestGame = 0;
};

struct ViewSession {
    std::filesystem::path dir;
    fakes::FakePorts f;
    std::mt19937 rng;
    std::unique_ptr<Form1> form;

    ViewSession(const std::string& name, unsigned seed)
        : dir(fakes::makeGameFolder(name + std::to_string(seed))), rng(seed) {
        f.panel.folderPath = dir.string();
        open();
    }
    ~ViewSession() { std::filesystem::remove_all(dir); }

    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    void open() {
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
    }
    void clickCell(int gx, int gy, int button) {
        form->Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
    }
    // A move that looks allowed on the human's side of the screen: misses of every kind, and
    // captures of hidden pieces.
    void humanMove() {
        GameState seen = form->s;
        seen.board = sideView(seen.board, Side::Man);
        const std::vector<MoveArgs> moves = testkit::allowedMoves(seen, true);
        if (moves.empty()) return;
        const MoveArgs m = moves[static_cast<std::size_t>(pick(static_cast<int>(moves.size())))];
        clickCell(m.fromX, m.fromY, LEFT_BUTTON);
        if (!form->closed) clickCell(m.toX, m.toY, pick(2) ? RIGHT_BUTTON : LEFT_BUTTON);
    }

    // One random event; true when it may begin or clear the views (a game started, resumed or
    // left), false when it may only add to them.
    bool event() {
        Form1& g = *form;
        const int e = pick(100);
        if (e < 70) {
            if (g.s.turn == NOBODY) {
                clickCell(1 + pick(9), 1 + pick(9), LEFT_BUTTON);
                return true;
            }
            if (g.s.turn == g.s.roleMAN) humanMove();
            return false;
        }
        if (e < 74) {
            const bool resumes = g.s.turn == NOBODY;
            clickCell(1 + pick(9), 1 + pick(9), pick(2) ? LEFT_BUTTON : RIGHT_BUTTON);
            return resumes;
        }
        if (e < 78) {
            g.Timer1_Timer();
            return false;
        }
        if (e < 80) {
            const int l = pick(4);
            if (l == 0) g.LEVEL1_Click();
            if (l == 1) g.LEVEL2_Click();
            if (l == 2) g.LEVEL3_Click();
            if (l == 3) g.KOUSEI_Click();
            return false;
        }
        if (e < 84) {
            g.SENTE_Click();
        } else if (e < 88) {
            g.GOTE_Click();
        } else if (e < 91) {
            for (int k = 1 + pick(3); k > 0 && !g.closed; --k) g.REPLAY_Click();
        } else if (e < 94) {
            for (int k = 1 + pick(3); k > 0 && !g.closed; --k) g.AFTER_Click();
        } else if (e < 96) {
            g.REVERSE_Click();
        } else if (e < 98) {
            g.CANCEL_Click();
        } else {
            g.ICHIJI_Click();
        }
        return true;
    }

    std::string run(int n, Seen& seen) {
        for (int i = 0; i < n; ++i) {
            f.dialogs.defaultAnswer = pick(6) != 0;
            f.clock.advance(static_cast<float>(pick(4000)) / 100.0f);
            const SideView man = form->viewOf(Side::Man);
            const SideView com = form->viewOf(Side::Com);
            const std::size_t boxes = f.dialogs.boxes.size();
            const int turnBefore = form->s.turn, stateBefore = form->s.gameState;
            const bool mayBegin = event();
            bool gameEnded = form->closed;
            for (std::size_t b = boxes; b < f.dialogs.boxes.size(); ++b)
                gameEnded = gameEnded || f.dialogs.boxes[b].title == texts::match::END_TITLE;
            std::string p = viewProblems(*form);
            // Outside the events that start, resume or leave a game, a view only grows.
            for (const auto& [before, now] : {std::pair{&man, &form->viewOf(Side::Man)},
                                              std::pair{&com, &form->viewOf(Side::Com)}}) {
                if (!p.empty() || mayBegin) break;
                if (before->side == Side::None) {
                    if (now->side != Side::None) p = "a view began with a move";
                } else if (now->side == Side::None) {
                    if (!gameEnded) p = "a view was cleared in the middle of a game";
                } else if (!sameStart(*before, *now) ||
                           now->events.size() < before->events.size()) {
                    p = "a view lost what it had seen";
                } else {
                    for (std::size_t k = 0; k < before->events.size(); ++k)
                        if (!sameEvent(before->events[k], now->events[k]))
                            p = "a view's past event changed";
                }
            }
            if (!p.empty())
                return p + " (event " + std::to_string(i) + " turn " + std::to_string(turnBefore) +
                       " state " + std::to_string(stateBefore) + " closed " +
                       std::to_string(form->closed) + ")";
            tally(seen, man, com);
            if (form->closed) {
                ++seen.restarts;
                open();
            }
            f.canvas.ops.clear();
            f.dialogs.boxes.clear();
            f.sound.calls.clear();
        }
        return {};
    }

    // Counts the events that arrived with the last event.
    void tally(Seen& seen, const SideView& manBefore, const SideView& comBefore) const {
        for (const Side side : {Side::Man, Side::Com}) {
            const SideView& v = form->viewOf(side);
            const SideView& before = side == Side::Man ? manBefore : comBefore;
            const int i = side == Side::Man ? 0 : 1;
            std::size_t k = sameStart(before, v) ? before.events.size() : 0;
            for (; k < v.events.size(); ++k) {
                const SeenEvent& e = v.events[k];
                if (e.kind == Kind::OwnMiss) ++seen.ownMiss[i][e.missKind];
                if (e.kind == Kind::OwnMove && e.captured != EMPTY) ++seen.captures[i];
                if (e.kind == Kind::OwnMove && e.drop) ++seen.drops[i];
                if (e.kind == Kind::OtherMove && e.check) ++seen.checks[i];
            }
            seen.longestGame = std::max(seen.longestGame, static_cast<int>(v.events.size()));
        }
    }
};

TEST(SideViews, FollowEveryEventOfRandomGames) {
    Seen seen;
    for (const unsigned seed : {11u, 2024u, 90210u}) {
        ViewSession r("velk_views_random_", seed);
        EXPECT_EQ(r.run(1500, seen), "") << "seed " << seed;
    }
    // The games met misses of every kind on both sides, captures, drops and checks, ended,
    // and some ran long.
    for (int side = 0; side < 2; ++side) {
        for (int kind = MISS_JUMPED; kind <= MISS_KING_EXPOSED; ++kind) {
            if (side == 0 || kind != MISS_KING_EXPOSED) {
                EXPECT_GT(seen.ownMiss[side][kind], 0) << side << " " << kind;
            }
        }
        EXPECT_GT(seen.captures[side], 0) << side;
        EXPECT_GT(seen.drops[side], 0) << side;
        EXPECT_GT(seen.checks[side], 0) << side;
    }
    EXPECT_GT(seen.restarts, 0);
    EXPECT_GT(seen.longestGame, 30);
}

class Views : public ::testing::Test {
  protected:
    fakes::FakePorts f;
    std::filesystem::path dir;
    std::unique_ptr<Form1> form;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fakes::makeGameFolder(std::string("velk_views_") + info->name());
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
        form->LEVEL3_Click();
        // After a game the program ends (no second game, unsaved moves given up) and the views
        // stay.
        f.dialogs.defaultAnswer = false;
        f.dialogs.answerByTitle[texts::match::QUIT_TITLE] = true;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    GameState& s() { return form->s; }
    const SideView& man() const { return form->viewOf(Side::Man); }
    const SideView& com() const { return form->viewOf(Side::Com); }

    void click(int gx, int gy, int button = LEFT_BUTTON) {
        form->Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
    }
    void move(int fx, int fy, int tx, int ty, int button = LEFT_BUTTON) {
        click(fx, fy);
        click(tx, ty, button);
    }
    // Both kings only, set up before the game starts so that the views begin from it.
    void bareBoard(int manKingX = 5, int manKingY = 9, int comKingX = 5, int comKingY = 1) {
        form->checkStateAfterEvents = false;
        for (auto& col : s().board) col.fill(EMPTY);
        s().board[manKingX][manKingY] = MAN_OU;
        s().board[comKingX][comKingY] = COM_OU;
    }
};

SeenEvent ownMiss(int fromX, int fromY, int toX, int toY, int placed, int kind) {
    SeenEvent e;
    e.kind = Kind::OwnMiss;
    e.fromX = fromX;
    e.fromY = fromY;
    e.toX = toX;
    e.toY = toY;
    e.placed = placed;
    e.drop = fromX == MAN_HAND_X || fromX == COM_HAND_X;
    e.missKind = kind;
    return e;
}

SeenEvent otherMiss(int toX, int toY, bool drop, int kind) {
    SeenEvent e;
    e.kind = Kind::OtherMiss;
    e.toX = toX;
    e.toY = toY;
    e.drop = drop;
    e.missKind = kind;
    return e;
}

#define EXPECT_EVENT(actual, expected) EXPECT_TRUE(isEvent((actual), (expected)))

TEST_F(Views, NoneBeforeAGameAndBothFromTheTruePositionWhenItStarts) {
    EXPECT_EQ(man().side, Side::None);
    EXPECT_EQ(com().side, Side::None);
    form->SENTE_Click();
    ASSERT_EQ(man().side, Side::Man);
    ASSERT_EQ(com().side, Side::Com);
    for (const SideView* v : {&man(), &com()}) {
        EXPECT_EQ(v->startBoard, s().board);  // both sides know the whole setup
        EXPECT_EQ(v->startHandMAN, s().handMAN);
        EXPECT_EQ(v->startHandCOM, s().handCOM);
        EXPECT_EQ(v->startToMove, Side::Man);
        EXPECT_EQ(v->toMove, Side::Man);
        EXPECT_TRUE(v->events.empty());
        EXPECT_EQ(v->board, sideView(s().board, v->side));
    }
    EXPECT_EQ(viewProblems(*form), "");
}

TEST_F(Views, HumanMissesOfEachKindShowInBothViews) {
    bareBoard();
    s().board[8][8] = MAN_SYA;
    s().board[8][5] = COM_HU;  // hides the path to row 2
    s().board[5][8] = MAN_KIN;
    s().board[5][2] = COM_SYA;  // hidden rook behind the gold
    s().board[4][5] = COM_KIN;
    addToHand(s(), Side::Man, 1);
    form->SENTE_Click();

    move(8, 8, 8, 2);                // jumps the hidden pawn
    move(8, 8, 8, 2, RIGHT_BUTTON);  // the same, meant to promote
    click(11, 3);                    // a pawn from the hand onto the hidden gold
    click(4, 5);
    move(5, 8, 4, 8);  // bares the king to the hidden rook
    ASSERT_EQ(man().events.size(), 4u);
    ASSERT_EQ(com().events.size(), 4u);
    EXPECT_EVENT(man().events[0], ownMiss(8, 8, 8, 2, MAN_SYA, MISS_JUMPED));
    EXPECT_EVENT(man().events[1], ownMiss(8, 8, 8, 2, MAN_RYU, MISS_JUMPED));
    EXPECT_EVENT(man().events[2], ownMiss(MAN_HAND_X, 3, 4, 5, MAN_HU, MISS_DROPPED_ON));
    EXPECT_EVENT(man().events[3], ownMiss(5, 8, 4, 8, MAN_KIN, MISS_KING_EXPOSED));
    EXPECT_EVENT(com().events[0], otherMiss(8, 2, false, MISS_JUMPED));
    EXPECT_EVENT(com().events[1], otherMiss(8, 2, false, MISS_JUMPED));
    EXPECT_EVENT(com().events[2], otherMiss(4, 5, true, MISS_DROPPED_ON));
    EXPECT_EVENT(com().events[3], otherMiss(4, 8, false, MISS_KING_EXPOSED));
    EXPECT_EQ(man().ownMisses, 4);
    EXPECT_EQ(com().otherMisses, 4);
    EXPECT_EQ(man().toMove, Side::Man);
    EXPECT_EQ(viewProblems(*form), "");
}

TEST_F(Views, ComputerFoulsShowInBothViews) {
    form->LEVEL1_Click();
    f.clock.now = 36000.5f;  // every roll fouls
    f.clock.waitsAdvance = false;
    bareBoard(5, 9, 9, 1);
    s().board[1][1] = COM_SYA;
    s().board[1][5] = MAN_HU;  // hides rows 6..9 of the rook's column
    form->GOTE_Click();
    ASSERT_EQ(com().events.size(), 5u);  // four fouls, then the move
    for (int i = 0; i < 4; ++i) {
        const SeenEvent& e = com().events[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.kind, Kind::OwnMiss);
        EXPECT_EQ(e.fromX, 1);
        EXPECT_EQ(e.fromY, 1);
        EXPECT_EQ(e.toX, 1);
        EXPECT_EQ(e.toY, 9 - i);
        EXPECT_EQ(e.missKind, MISS_JUMPED);
        EXPECT_FALSE(e.drop);
        EXPECT_EVENT(man().events[static_cast<std::size_t>(i)],
                     otherMiss(1, 9 - i, false, MISS_JUMPED));
    }
    EXPECT_EQ(com().events[4].kind, Kind::OwnMove);
    EXPECT_EQ(man().events[4].kind, Kind::OtherMove);
    EXPECT_EQ(man().otherMisses, 4);
    EXPECT_EQ(viewProblems(*form), "");

    // A drop aimed at a hidden piece: the computer's king walled in by pawns that cannot move,
    // a gold in hand.
    form = std::make_unique<Form1>(f.ports(), dir);
    form->Form_Load();
    form->LEVEL1_Click();
    bareBoard(5, 9, 1, 1);
    for (int y = 1; y <= 9; ++y) {
        if (y > 1) s().board[1][y] = COM_HU;
        s().board[2][y] = COM_HU;
    }
    addToHand(s(), Side::Com, 5);
    form->GOTE_Click();
    ASSERT_GE(com().events.size(), 2u);
    EXPECT_EVENT(com().events[0], ownMiss(COM_HAND_X, 5, 5, 9, COM_KIN, MISS_DROPPED_ON));
    EXPECT_EVENT(man().events[0], otherMiss(5, 9, true, MISS_DROPPED_ON));
    EXPECT_EQ(com().events.back().kind, Kind::OwnMove);
    EXPECT_TRUE(com().events.back().drop);
    EXPECT_TRUE(man().events.back().drop);
    EXPECT_EQ(viewProblems(*form), "");
}

TEST_F(Views, AComputerMoveThatBaresItsKingIsItsMiss) {
    // The computer's king in check from the rook below it, every square around it covered.
    bareBoard(1, 9, 5, 1);
    s().board[5][9] = MAN_SYA;
    s().board[4][9] = MAN_SYA;
    s().board[6][9] = MAN_SYA;
    s().missCountCOM = 8;
    form->GOTE_Click();
    ASSERT_EQ(com().events.size(), 2u);
    for (const SeenEvent& e : com().events) {
        EXPECT_EQ(e.kind, Kind::OwnMiss);
        EXPECT_EQ(e.missKind, MISS_KING_EXPOSED);
        EXPECT_EQ(e.fromX, 5);
        EXPECT_EQ(e.fromY, 1);
        EXPECT_EQ(e.placed, COM_OU);
    }
    EXPECT_EQ(man().events[1].kind, Kind::OtherMiss);
    EXPECT_EQ(man().events[1].missKind, MISS_KING_EXPOSED);
    EXPECT_EQ(man().otherMisses, 10);
    EXPECT_TRUE(form->closed);
    EXPECT_EQ(viewProblems(*form), "");
}

TEST_F(Views, MovesTellTheOtherSideWhereWhatWasTakenAndCheck) {
    bareBoard(5, 9, 5, 1);
    s().board[2][4] = MAN_KAKU;
    s().board[3][3] = COM_TO;  // a promoted pawn, hidden
    form->SENTE_Click();
    move(2, 4, 2, 2);  // not a bishop's move: refused, and nobody is told anything
    EXPECT_TRUE(man().events.empty());
    EXPECT_TRUE(com().events.empty());
    move(2, 4, 3, 3);  // takes the hidden promoted pawn and looks at the king on 5,1
    ASSERT_GE(man().events.size(), 1u);
    // The human took a pawn into its hand; the computer saw its と taken, and check.
    SeenEvent took;
    took.kind = Kind::OwnMove;
    took.fromX = 2;
    took.fromY = 4;
    took.toX = 3;
    took.toY = 3;
    took.placed = MAN_KAKU;
    took.captured = MAN_HU;
    EXPECT_EVENT(man().events[0], took);
    SeenEvent lost;
    lost.kind = Kind::OtherMove;
    lost.toX = 3;
    lost.toY = 3;
    lost.captured = COM_TO;
    lost.check = true;
    EXPECT_EVENT(com().events[0], lost);
    EXPECT_EQ(viewProblems(*form), "");
}

TEST_F(Views, ChecksAndMatesAreToldToTheSideWhoseKingIsAttacked) {
    // The computer drops a gold in front of the human king, mate as it sees it.
    bareBoard();
    s().board[4][9] = MAN_KYOU;
    s().board[6][9] = MAN_KYOU;
    s().board[1][7] = MAN_HU;
    s().board[5][7] = COM_HU;
    addToHand(s(), Side::Com, 5);
    form->SENTE_Click();
    move(1, 7, 1, 6);
    ASSERT_EQ(man().events.size(), 2u);
    EXPECT_EQ(man().events[1].kind, Kind::OtherMove);
    EXPECT_TRUE(man().events[1].drop);
    EXPECT_EQ(man().events[1].toX, 5);
    EXPECT_EQ(man().events[1].toY, 8);
    EXPECT_TRUE(man().events[1].check);
    EXPECT_TRUE(man().events[1].mate);
    EXPECT_EQ(com().events[1].kind, Kind::OwnMove);
    EXPECT_EQ(com().events[1].fromX, COM_HAND_X);
    EXPECT_EQ(com().events[1].fromY, 5);
    EXPECT_EQ(com().events[1].placed, COM_KIN);
    EXPECT_FALSE(com().events[0].check);  // the human's pawn move attacked nothing
    EXPECT_EQ(viewProblems(*form), "");

    // The human mates with a gold dropped in front of the computer's king.
    form = std::make_unique<Form1>(f.ports(), dir);
    form->Form_Load();
    form->LEVEL3_Click();
    bareBoard();
    s().board[5][3] = MAN_HU;
    addToHand(s(), Side::Man, 5);
    form->SENTE_Click();
    click(11, 7);
    click(5, 2);
    EXPECT_TRUE(form->closed);
    ASSERT_EQ(com().events.size(), 1u);
    EXPECT_EQ(com().events[0].kind, Kind::OtherMove);
    EXPECT_TRUE(com().events[0].check);
    EXPECT_TRUE(com().events[0].mate);
    EXPECT_TRUE(com().events[0].drop);
    EXPECT_EVENT(man().events[0], ([] {
                     SeenEvent e;
                     e.kind = Kind::OwnMove;
                     e.fromX = MAN_HAND_X;
                     e.fromY = 7;
                     e.toX = 5;
                     e.toY = 2;
                     e.placed = MAN_KIN;
                     e.drop = true;
                     return e;
                 }()));
    EXPECT_EQ(viewProblems(*form), "");
}

// Stepping back and resuming gives neither side anything it had not seen: play goes on from the
// views of that move, not from the true position, and misses stay counted.
TEST_F(Views, ResumingGoesOnFromWhatEachSideSawAtThatMoveWithEveryMissCounted) {
    form->SENTE_Click();
    const Map start = s().board;
    move(3, 7, 3, 6);  // and the computer's reply
    ASSERT_EQ(s().moveNo, 2);
    const std::vector<SeenEvent> seen = man().events;
    move(2, 8, 9, 1);  // the bishop passes over a hidden piece
    ASSERT_EQ(s().missCountMAN, 1);

    form->REPLAY_Click();
    EXPECT_EQ(man().side, Side::None);
    EXPECT_EQ(com().side, Side::None);
    click(5, 5);  // resumes: the computer plays its reply again
    EXPECT_EQ(s().missCountMAN, 1);
    EXPECT_EQ(man().ownMisses, 1);
    EXPECT_EQ(com().otherMisses, 1);
    ASSERT_EQ(man().side, Side::Man);
    EXPECT_EQ(man().startBoard, start);
    EXPECT_EQ(man().startToMove, Side::Man);
    ASSERT_EQ(man().events.size(), seen.size());
    for (std::size_t k = 0; k < seen.size(); ++k) EXPECT_EVENT(man().events[k], seen[k]);
    EXPECT_EQ(viewProblems(*form), "");

    // Turned round, the computer's pieces would show: refused while the game goes on.
    const Map before = s().board;
    form->REVERSE_Click();
    EXPECT_EQ(f.dialogs.boxes.back().text, texts::match::NO_REVERSE_IN_GAME);
    EXPECT_EQ(s().board, before);
    EXPECT_EQ(man().events.size(), seen.size());

    f.dialogs.defaultAnswer = true;
    form->CANCEL_Click();
    EXPECT_EQ(man().side, Side::None);
    EXPECT_EQ(com().side, Side::None);
}

}  // namespace
}  // namespace velk
