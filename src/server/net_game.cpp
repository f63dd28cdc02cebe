#include "server/net_game.h"

#include <QJsonArray>
#include <utility>

#include "game/setup.h"
#include "server/protocol.h"

namespace velk::net {

namespace {

constexpr std::pair<GameEvent::Type, const char*> TYPE_NAMES[] = {
    {GameEvent::Type::Create, "create"}, {GameEvent::Type::Join, "join"},
    {GameEvent::Type::Move, "move"},     {GameEvent::Type::Resign, "resign"},
    {GameEvent::Type::Claim, "claim"},
};

}  // namespace

QJsonObject GameEvent::toJson() const {
    QJsonObject o;
    for (const auto& [t, name] : TYPE_NAMES)
        if (t == type) o.insert(QStringLiteral("type"), QString::fromLatin1(name));
    o.insert(QStringLiteral("side"), sideName(side));
    o.insert(QStringLiteral("clock"), clock);
    if (type == Type::Create || type == Type::Join)
        o.insert(QStringLiteral("token"), QString::fromLatin1(tokenHash.toHex()));
    if (type == Type::Create) o.insert(QStringLiteral("abandon"), abandonSeconds);
    if (type == Type::Move)
        o.insert(QStringLiteral("move"), QJsonArray{move.fromX, move.fromY, move.toX, move.toY,
                                                    move.drop, move.piece, move.placed});
    return o;
}

std::optional<GameEvent> GameEvent::fromJson(const QJsonObject& o) {
    GameEvent e;
    bool known = false;
    const QString type = o.value(QStringLiteral("type")).toString();
    for (const auto& [t, name] : TYPE_NAMES)
        if (type == QLatin1String(name)) {
            e.type = t;
            known = true;
        }
    e.side = sideNamed(o.value(QStringLiteral("side")).toString());
    if (!known || e.side == Side::None) return std::nullopt;
    e.clock = o.value(QStringLiteral("clock")).toDouble();
    e.tokenHash = QByteArray::fromHex(o.value(QStringLiteral("token")).toString().toLatin1());
    e.abandonSeconds = o.value(QStringLiteral("abandon")).toInt();
    if (e.type == Type::Move) {
        const QJsonArray m = o.value(QStringLiteral("move")).toArray();
        if (m.size() != 7) return std::nullopt;
        e.move.fromX = static_cast<std::int8_t>(m[0].toInt());
        e.move.fromY = static_cast<std::int8_t>(m[1].toInt());
        e.move.toX = static_cast<std::int8_t>(m[2].toInt());
        e.move.toY = static_cast<std::int8_t>(m[3].toInt());
        e.move.drop = static_cast<std::int8_t>(m[4].toInt());
        e.move.piece = static_cast<std::int16_t>(m[5].toInt());
        e.move.placed = static_cast<std::int16_t>(m[6].toInt());
    }
    return e;
}

NetGame::NetGame(QString id, QString code) : id_(std::move(id)), code_(std::move(code)) {
    match_.setClock([this] { return static_cast<float>(reading_); });
    // Two players: each is judged from its own view, and either side's mate ends the game.
    match_.setJudging(Side::Man, Judging::Player);
    match_.setJudging(Side::Com, Judging::Player);
    match_.setEitherMateEnds(true);
}

Side NetGame::seatOf(const QByteArray& tokenHash) const {
    if (tokenHash.isEmpty()) return Side::None;
    if (tokenHash == tokenMAN_) return Side::Man;
    if (tokenHash == tokenCOM_) return Side::Com;
    return Side::None;
}

bool NetGame::seated(Side side) const {
    return !(side == Side::Man ? tokenMAN_ : tokenCOM_).isEmpty();
}

Verdict NetGame::apply(const GameEvent& e) {
    reading_ = e.clock;
    Verdict v;
    switch (e.type) {
        case GameEvent::Type::Create:
            creator_ = e.side;
            abandonSeconds_ = e.abandonSeconds;
            (e.side == Side::Man ? tokenMAN_ : tokenCOM_) = e.tokenHash;
            loadDefaults(match_.state());
            // Sente is Side::Man and moves first.
            match_.startGame(Side::Man);
            break;
        case GameEvent::Type::Join:
            (e.side == Side::Man ? tokenMAN_ : tokenCOM_) = e.tokenHash;
            state_ = State::Playing;
            match_.startClock();
            break;
        case GameEvent::Type::Move:
            v = match_.submit(e.side, e.move);
            if (v.kind == Verdict::Kind::Refused) return v;
            judged_ += 1;
            // The next turn's time starts when the move is played.
            if (v.accepted()) match_.startClock();
            break;
        case GameEvent::Type::Resign:
            v = match_.resign(e.side);
            break;
        case GameEvent::Type::Claim:
            v = match_.abandon(otherSide(e.side));
            break;
    }
    events_ += 1;
    if (v.end != GameEnd::None) {
        state_ = State::Over;
        end_ = v.end;
        winner_ = v.winner;
    }
    return v;
}

}  // namespace velk::net
