// One game of the server: the referee's match and its two seats, changed only by the game's
// events. The same events applied to a fresh game give the same game, which is how a restarted
// server rebuilds its games from the store.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

#include "referee/match.h"

namespace velk::net {

// Something that happened to a game, as the store keeps it.
struct GameEvent {
    enum class Type : std::uint8_t { Create, Join, Move, Resign, Claim };
    Type type = Type::Create;
    // Create: the creator's side; Join: the joiner's; Move and Resign: the mover's; Claim: the
    // side that claims the game its opponent left.
    Side side = Side::None;
    // Create and Join: the hash of the seat's token.
    QByteArray tokenHash;
    // Create: how long a seat may be gone before the other may claim the game, in seconds.
    int abandonSeconds = 0;
    // Move: the move as the referee judged it.
    Move move{};
    // The time of day (seconds since midnight) the match's clock read for the event.
    double clock = 0;

    QJsonObject toJson() const;
    static std::optional<GameEvent> fromJson(const QJsonObject& o);
};

class NetGame {
  public:
    enum class State : std::uint8_t { Waiting, Playing, Over };

    NetGame(QString id, QString code);
    NetGame(const NetGame&) = delete;
    NetGame& operator=(const NetGame&) = delete;

    // Applies one event and returns what the referee said of it (a move's verdict; the end of
    // the game for a resignation or a claim). The caller checks beforehand that the event may
    // happen; a move may still be refused, which changes nothing.
    Verdict apply(const GameEvent& e);

    const QString& id() const { return id_; }
    const QString& code() const { return code_; }
    State state() const { return state_; }
    int abandonSeconds() const { return abandonSeconds_; }
    // The seat a token hash holds, or Side::None.
    Side seatOf(const QByteArray& tokenHash) const;
    bool seated(Side side) const;
    // The side that created the game.
    Side creator() const { return creator_; }
    // How the game ended, once it is over.
    GameEnd end() const { return end_; }
    Side winner() const { return winner_; }
    // Events stored so far; the next one's number.
    int events() const { return events_; }
    // Moves and misses judged so far.
    int judged() const { return judged_; }

    const Match& match() const { return match_; }
    const SideView& view(Side side) const { return match_.view(side); }

  private:
    QString id_;
    QString code_;
    Match match_;
    double reading_ = 0;
    State state_ = State::Waiting;
    Side creator_ = Side::None;
    QByteArray tokenMAN_;
    QByteArray tokenCOM_;
    int abandonSeconds_ = 0;
    GameEnd end_ = GameEnd::None;
    Side winner_ = Side::None;
    int events_ = 0;
    int judged_ = 0;
};

}  // namespace velk::net
