// The network game's messages: JSON objects, one a frame, each carrying "protocol": 1. The
// server and the robot client share these encoders, so that what a seat is told is written in
// one place. Squares are the board's own [x, y] (x 1..9 from the left and y 1..9 from the top,
// as sente sees the board); pieces are named by kind alone (FU, TO, KY, ...), their side being
// known from the context.
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <optional>

#include "board/move.h"
#include "game/game_state.h"
#include "referee/match.h"
#include "view/side_view.h"

namespace velk::net {

inline constexpr int PROTOCOL = 1;
// The longest frame a server takes, in bytes.
inline constexpr qsizetype MAX_FRAME = 64 * 1024;

// Sente plays Side::Man (from the bottom), gote Side::Com.
QString sideName(Side side);
Side sideNamed(const QString& name);

// A piece kind's name (FU, TO, KY, NY, KE, NK, GI, NG, KI, KA, UM, HI, RY, OU), either side.
QString pieceName(int code);
// The code of the named kind for a side; EMPTY for an unknown name.
int pieceCode(const QString& name, Side side);
// The hand kind 1..7 a drop names (FU .. HI); 0 for another name.
int dropKind(const QString& name);

QString missName(int kind);
QString endName(GameEnd end);
GameEnd endNamed(const QString& name);
QString refusalName(Verdict::Refusal refusal);

// One frame: the object with the protocol's version, as compact JSON.
QByteArray frame(QJsonObject object);
// An error frame with its reason.
QByteArray errorFrame(const QString& reason);
// A client's first message on a connection (its token is added by the sender): resume the seat
// it holds, else create a game (sideOrCode: sente, gote or random; a dropped seat may be gone
// abandonSeconds before the other may claim the game) or join one (sideOrCode: the join code).
QJsonObject seatRequest(bool resume, bool create, const QString& sideOrCode, int abandonSeconds);

// One event of a side's view, as that side is told it: of the other side's move or miss only
// the destination, whether it was a drop, what of the viewer's pieces it took, the kind of a
// miss, check and mate.
QJsonObject eventJson(const SeenEvent& e);
std::optional<SeenEvent> eventFromJson(const QJsonObject& o, Side viewer);

// Both sides' thinking time so far, from the state's clocks.
QJsonObject clocksJson(const GameState& s);

// The game's record, move by move: side, source (a square, or the hand kind dropped),
// destination, the piece before and after, what it took, both clocks and both miss counts.
QJsonArray recordJson(const GameState& s);

// A network game begins from the starting position with sente to move; the view a side has
// then.
SideView startView(Side side);
// The view after one more event, as the referee would have filled it.
void seeEvent(SideView& view, const SeenEvent& e);

// The move a client asks for, in the protocol's words, read against its own view: from a square
// (which must hold one of its pieces) or a drop of a hand kind, to a square, promoting or not.
QJsonObject moveJson(const Move& m);
// The move meant, or the reason none is; the piece is read from the view alone.
std::optional<Move> moveFromJson(const QJsonObject& o, const SideView& view, QString& error);

}  // namespace velk::net
