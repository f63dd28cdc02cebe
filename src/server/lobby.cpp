#include "server/lobby.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRandomGenerator>
#include <QStringList>
#include <QTime>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "server/protocol.h"

namespace velk::net {

namespace {

// A join code is typed by a person: eight letters and digits that cannot be mistaken for one
// another (40 bits; guessing is slowed by the limit on failed joins).
constexpr char CODE_LETTERS[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
constexpr int CODE_LENGTH = 8;
// A seat's token: 256 bits from the system's secure generator, as hex.
constexpr int TOKEN_WORDS = 8;
// Longest abandon time a game may be created with: a week.
constexpr int MAX_ABANDON_SECONDS = 7 * 24 * 3600;
constexpr qint64 JOIN_WINDOW_MS = 60 * 1000;

QString randomCode() {
    QString code;
    for (int i = 0; i < CODE_LENGTH; ++i)
        code += QLatin1Char(CODE_LETTERS[QRandomGenerator::system()->bounded(32)]);
    return code;
}

QString randomToken() {
    quint32 words[TOKEN_WORDS];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

QString randomId() {
    quint32 words[3];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

QByteArray hashOf(const QString& token) {
    return QCryptographicHash::hash(token.toLatin1(), QCryptographicHash::Sha256);
}

QJsonObject typed(const char* type) {
    return {{QStringLiteral("type"), QString::fromLatin1(type)}};
}

QString stateName(NetGame::State s) {
    if (s == NetGame::State::Waiting) return QStringLiteral("waiting");
    if (s == NetGame::State::Playing) return QStringLiteral("playing");
    return QStringLiteral("over");
}

QByteArray recordFrame(const NetGame& game) {
    QJsonObject o = typed("record");
    o.insert(QStringLiteral("game"), game.id());
    o.insert(QStringLiteral("winner"), sideName(game.winner()));
    o.insert(QStringLiteral("reason"), endName(game.end()));
    o.insert(QStringLiteral("moves"), recordJson(game.match().state()));
    return frame(o);
}

[[noreturn]] void storeFailed(const QString& error) {
    // The game may have changed in memory but not in the store: nobody may be told. The store
    // rebuilds the games as they were when the server starts again.
    std::fprintf(stderr, "velk-tsuitate-server: the store cannot be used: %s\n", qPrintable(error));
    std::exit(1);
}

}  // namespace

std::unique_ptr<NetGame> replay(const StoredGame& g) {
    auto game = std::make_unique<NetGame>(g.id, g.code);
    for (const GameEvent& e : g.events) game->apply(e);
    return game;
}

Lobby::Lobby(const ServerOptions& options, Store& store) : options_(options), store_(store) {}

bool Lobby::load(QString& error) {
    std::vector<StoredGame> stored = store_.load(error);
    if (!error.isEmpty()) return false;
    for (StoredGame& g : stored) adopt(std::move(g));
    return true;
}

Lobby::Room& Lobby::adopt(StoredGame&& g) {
    Room& room = rooms_[g.id];
    room.game = replay(g);
    // A seat is gone from the moment the server came back (or heard of the game) until it
    // connects.
    room.goneSinceMAN = room.goneSinceCOM = now_;
    codes_[g.code] = g.id;
    for (const GameEvent& e : g.events)
        if (e.type == GameEvent::Type::Create || e.type == GameEvent::Type::Join)
            tokens_[e.tokenHash] = g.id;
    return room;
}

const NetGame* Lobby::game(const QString& id) const {
    const auto it = rooms_.find(id);
    return it == rooms_.end() ? nullptr : it->second.game.get();
}

bool Lobby::opened(ConnId id, const QString& address, qint64 nowMs, Outbox& out) {
    out_ = &out;
    now_ = nowMs;
    Connection& c = connections_[id];
    c.id = id;
    c.address = address;
    c.openedAt = c.lastHeard = nowMs;
    if (++perAddress_[address] > options_.maxPerAddress && options_.maxPerAddress > 0) {
        fail(c,
             QStringLiteral("more than %1 connections from your address")
                 .arg(options_.maxPerAddress),
             true);
        return false;
    }
    return true;
}

void Lobby::closed(ConnId id, qint64 nowMs, Outbox& out) {
    out_ = &out;
    now_ = nowMs;
    const auto it = connections_.find(id);
    if (it == connections_.end()) return;
    const Connection c = it->second;
    connections_.erase(it);
    if (--perAddress_[c.address] <= 0) perAddress_.erase(c.address);
    if (!c.game) return;
    Room& room = rooms_[c.game->id()];
    if (room.seat(c.side) != id) return;
    room.seat(c.side) = 0;
    room.goneSince(c.side) = nowMs;
    announceSeat(room, c.side, false);
    QJsonObject o = typed("opponent");
    o.insert(QStringLiteral("connected"), false);
    if (room.game->state() != NetGame::State::Waiting) sendSeat(room, otherSide(c.side), frame(o));
}

bool Lobby::present(Room& room, Side side) const {
    return room.seat(side) != 0 || elsewhere_.count({room.game->id(), side}) != 0;
}

void Lobby::announceSeat(const Room& room, Side side, bool here) {
    if (!store_.shared()) return;
    store_.announce(
        QStringLiteral("%1 %2 %3 %4")
            .arg(room.game->id(), sideName(side), here ? QStringLiteral("1") : QStringLiteral("0"))
            .arg(store_.serverId()));
}

void Lobby::seatElsewhere(const QString& game, Side side, bool connected, qint64 server) {
    const auto key = std::make_pair(game, side);
    const auto found = rooms_.find(game);
    Room* room = found == rooms_.end() ? nullptr : &found->second;
    const bool before = room && present(*room, side);
    if (connected) {
        elsewhere_[key] = server;
        // The seat was resumed on another process: the connection here is let go.
        if (room && room->seat(side) != 0) {
            const auto it = connections_.find(room->seat(side));
            room->seat(side) = 0;
            if (it != connections_.end()) {
                it->second.game = nullptr;
                fail(it->second, QStringLiteral("the seat was resumed on another connection"),
                     true);
            }
        }
    } else {
        const auto it = elsewhere_.find(key);
        if (it == elsewhere_.end() || it->second != server) return;
        elsewhere_.erase(it);
        if (room) room->goneSince(side) = now_;
    }
    if (!room || before == present(*room, side) || room->game->state() == NetGame::State::Waiting)
        return;
    QJsonObject o = typed("opponent");
    o.insert(QStringLiteral("connected"), connected);
    sendSeat(*room, otherSide(side), frame(o));
}

void Lobby::heard(ConnId id, qint64 nowMs) {
    const auto it = connections_.find(id);
    if (it != connections_.end()) it->second.lastHeard = nowMs;
}

void Lobby::tick(qint64 nowMs, Outbox& out) {
    out_ = &out;
    now_ = nowMs;
    for (auto& [id, c] : connections_) {
        if (c.closing) continue;
        if (nowMs - c.lastHeard > static_cast<qint64>(options_.timeout) * 1000)
            fail(c,
                 QStringLiteral("nothing heard for %1 seconds: the connection is closed")
                     .arg(options_.timeout),
                 true);
        else if (!c.greeted &&
                 nowMs - c.openedAt > static_cast<qint64>(options_.helloTimeout) * 1000)
            fail(c,
                 QStringLiteral("no message taken within %1 seconds: the connection is closed")
                     .arg(options_.helloTimeout),
                 true);
    }
}

void Lobby::send(ConnId to, const QByteArray& f) {
    if (to != 0) out_->frames.emplace_back(to, f);
}

void Lobby::sendSeat(Room& room, Side side, const QByteArray& f) {
    send(room.seat(side), f);
}

void Lobby::fail(Connection& c, const QString& reason, bool close) {
    if (c.id == current_) failed_ = true;
    send(c.id, errorFrame(reason));
    if (!close || c.closing) return;
    c.closing = true;
    out_->closes.emplace_back(c.id, reason);
}

void Lobby::received(ConnId id, const QByteArray& bytes, bool binary, qint64 nowMs, Outbox& out) {
    out_ = &out;
    now_ = nowMs;
    const auto it = connections_.find(id);
    if (it == connections_.end()) return;
    Connection& c = it->second;
    if (c.closing) return;
    c.lastHeard = nowMs;
    if (nowMs - c.windowStart >= 1000) {
        c.windowStart = nowMs;
        c.messagesInWindow = 0;
    }
    if (++c.messagesInWindow > options_.maxRate) {
        fail(c, QStringLiteral("more than %1 messages a second").arg(options_.maxRate), true);
        return;
    }
    failed_ = false;
    current_ = id;
    dispatch(c, bytes, binary);
    current_ = 0;
    if (!failed_) c.greeted = true;
}

void Lobby::dispatch(Connection& c, const QByteArray& bytes, bool binary) {
    if (bytes.size() > MAX_FRAME) {
        fail(c, QStringLiteral("a message may be at most %1 bytes").arg(MAX_FRAME), true);
        return;
    }
    if (binary) {
        fail(c, QStringLiteral("binary frames are not taken: send JSON text"));
        return;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        fail(c, QStringLiteral("not JSON: %1 at offset %2")
                    .arg(parseError.errorString())
                    .arg(parseError.offset));
        return;
    }
    if (!doc.isObject()) {
        fail(c, QStringLiteral("a message is one JSON object"));
        return;
    }
    const QJsonObject m = doc.object();
    const QJsonValue protocol = m.value(QStringLiteral("protocol"));
    if (!protocol.isDouble() || protocol.toDouble() != PROTOCOL) {
        fail(c, QStringLiteral("\"protocol\" must be %1").arg(PROTOCOL));
        return;
    }
    const QJsonValue type = m.value(QStringLiteral("type"));
    if (!type.isString()) {
        fail(c, QStringLiteral("\"type\" must be a string"));
        return;
    }
    const QString t = type.toString();
    if (t == QLatin1String("create"))
        create(c, m);
    else if (t == QLatin1String("join"))
        join(c, m);
    else if (t == QLatin1String("resume"))
        resume(c, m);
    else if (t == QLatin1String("move"))
        move(c, m);
    else if (t == QLatin1String("resign")) {
        if (seatOf(c, m)) resign(c);
    } else if (t == QLatin1String("claim")) {
        if (seatOf(c, m)) claim(c);
    } else
        fail(c, QStringLiteral("unknown type \"%1\"").arg(t.left(40)));
}

double Lobby::clockReading(const NetGame& game) const {
    if (options_.tickClock) return 36000.0 + game.judged() + 1;
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::optional<Verdict> Lobby::commit(Room& room, const GameEvent& e) {
    const Verdict v = room.game->apply(e);
    if (e.type == GameEvent::Type::Move && v.kind == Verdict::Kind::Refused) return v;
    QString error;
    QElapsedTimer timer;
    timer.start();
    const Store::Append stored = store_.append(room.game->id(), room.game->events() - 1, e, error);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    storeTimes_.writes += 1;
    storeTimes_.totalMs += ms;
    storeTimes_.maxMs = std::max(storeTimes_.maxMs, ms);
    switch (stored) {
        case Store::Append::Stored:
            ++eventsStored_;
            return v;
        case Store::Append::Taken:
            catchUp(room, true);
            return std::nullopt;
        case Store::Append::Failed:
            break;
    }
    storeFailed(error);
}

void Lobby::catchUp(Room& room, bool rebuild) {
    QString error;
    // The game as this process last told it: the store's events up to there, from which the
    // rest are applied and told one by one. A game that holds an event the store refused is
    // rebuilt from the store's events.
    const int told = room.game->events();
    std::optional<StoredGame> stored = store_.loadGame(room.game->id(), rebuild ? 0 : told, error);
    if (!stored) storeFailed(error.isEmpty() ? QStringLiteral("a game went missing") : error);
    std::vector<GameEvent> events = std::move(stored->events);
    if (rebuild) {
        const auto known = std::min(static_cast<std::size_t>(told - 1), events.size());
        stored->events.assign(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(known));
        events.erase(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(known));
        std::unique_ptr<NetGame> fresh = replay(*stored);
        NetGame* const old = room.game.get();
        for (auto& [id, c] : connections_)
            if (c.game == old) c.game = fresh.get();
        room.game = std::move(fresh);
    }
    for (const GameEvent& e : events) {
        const Verdict v = room.game->apply(e);
        ++eventsStored_;
        if (e.type == GameEvent::Type::Create || e.type == GameEvent::Type::Join)
            tokens_[e.tokenHash] = room.game->id();
        tellEvent(room, e, v, 0);
    }
}

void Lobby::changedElsewhere(const QString& message, qint64 nowMs, Outbox& out) {
    out_ = &out;
    now_ = nowMs;
    const QStringList words = message.split(QLatin1Char(' '));
    if (words.size() == 4) {
        const Side side = sideNamed(words[1]);
        if (side != Side::None)
            seatElsewhere(words[0], side, words[2] == QLatin1String("1"), words[3].toLongLong());
        return;
    }
    // Only a game with a seat here is read at once; another is read when a seat comes (a
    // resumption catches up first, a join finds its event number taken and catches up), and a
    // game not known here is looked for by its code or token.
    const auto it = rooms_.find(message);
    if (it != rooms_.end() && (it->second.seatMAN != 0 || it->second.seatCOM != 0))
        catchUp(it->second, false);
}

Lobby::Room* Lobby::fromStore(const QString& id) {
    if (id.isEmpty()) return nullptr;
    if (const auto it = rooms_.find(id); it != rooms_.end()) return &it->second;
    QString error;
    std::optional<StoredGame> g = store_.loadGame(id, 0, error);
    if (!error.isEmpty()) storeFailed(error);
    return g ? &adopt(std::move(*g)) : nullptr;
}

Lobby::Room* Lobby::roomByCode(const QString& code) {
    const auto it = codes_.find(code);
    if (it != codes_.end()) return &rooms_[it->second];
    QString error;
    const QString id = store_.gameOfCode(code, error);
    if (!error.isEmpty()) storeFailed(error);
    return fromStore(id);
}

Lobby::Room* Lobby::roomByToken(const QByteArray& hash) {
    const auto it = tokens_.find(hash);
    if (it != tokens_.end()) return &rooms_[it->second];
    QString error;
    const QString id = store_.gameOfToken(hash, error);
    if (!error.isEmpty()) storeFailed(error);
    return fromStore(id);
}

void Lobby::bind(Connection& c, Room& room, Side side) {
    // A connection holds one seat; the seat's earlier connection, if any, is let go.
    if (c.game && (c.game != room.game.get() || c.side != side)) {
        Room& old = rooms_[c.game->id()];
        if (old.seat(c.side) == c.id) {
            old.seat(c.side) = 0;
            old.goneSince(c.side) = now_;
        }
    }
    const ConnId before = room.seat(side);
    if (before != 0 && before != c.id) {
        const auto it = connections_.find(before);
        if (it != connections_.end()) {
            it->second.game = nullptr;
            fail(it->second, QStringLiteral("the seat was resumed on another connection"), true);
        }
    }
    c.game = room.game.get();
    c.side = side;
    const bool wasGone = !present(room, side);
    room.seat(side) = c.id;
    if (store_.shared()) {
        elsewhere_.erase({room.game->id(), side});
        announceSeat(room, side, true);
    }
    if (wasGone && room.game->state() != NetGame::State::Waiting) {
        QJsonObject o = typed("opponent");
        o.insert(QStringLiteral("connected"), true);
        sendSeat(room, otherSide(side), frame(o));
    }
}

void Lobby::create(Connection& c, const QJsonObject& m) {
    const QJsonValue side = m.value(QStringLiteral("side"));
    const QJsonValue abandon = m.value(QStringLiteral("abandon"));
    if (!side.isString() ||
        (side.toString() != QLatin1String("random") && sideNamed(side.toString()) == Side::None)) {
        fail(c, QStringLiteral("\"side\" must be \"sente\", \"gote\" or \"random\""));
        return;
    }
    const double seconds = abandon.toDouble(-1);
    // The range first: a number beyond an int's has no int to compare with.
    if (!abandon.isDouble() || !(seconds >= 1 && seconds <= MAX_ABANDON_SECONDS) ||
        seconds != static_cast<int>(seconds)) {
        fail(c, QStringLiteral("\"abandon\" must be a whole number of seconds from 1 to %1")
                    .arg(MAX_ABANDON_SECONDS));
        return;
    }
    GameEvent e;
    e.type = GameEvent::Type::Create;
    e.side = sideNamed(side.toString());
    if (e.side == Side::None)
        e.side = QRandomGenerator::system()->bounded(2) == 0 ? Side::Man : Side::Com;
    e.abandonSeconds = static_cast<int>(seconds);
    QString id, code;
    do id = randomId();
    while (rooms_.count(id));
    do code = randomCode();
    while (codes_.count(code));
    const QString token = randomToken();
    e.tokenHash = hashOf(token);
    e.clock = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    if (options_.tickClock) e.clock = 36000.0;
    QString error;
    if (!store_.create(id, code, e, error)) storeFailed(error);
    ++eventsStored_;
    Room& room = rooms_[id];
    room.game = std::make_unique<NetGame>(id, code);
    room.game->apply(e);
    room.goneSinceMAN = room.goneSinceCOM = now_;
    codes_[code] = id;
    tokens_[e.tokenHash] = id;
    bind(c, room, e.side);
    QJsonObject o = typed("created");
    o.insert(QStringLiteral("game"), id);
    o.insert(QStringLiteral("code"), code);
    o.insert(QStringLiteral("token"), token);
    o.insert(QStringLiteral("you"), sideName(e.side));
    o.insert(QStringLiteral("abandon"), e.abandonSeconds);
    send(c.id, frame(o));
}

void Lobby::join(Connection& c, const QJsonObject& m) {
    const QJsonValue code = m.value(QStringLiteral("code"));
    if (!code.isString()) {
        fail(c, QStringLiteral("\"code\" must be a string"));
        return;
    }
    // Codes are guessed slowly: failed joins from one address are limited.
    std::deque<qint64>& failed = failedJoins_[c.address];
    while (!failed.empty() && now_ - failed.front() > JOIN_WINDOW_MS) failed.pop_front();
    if (static_cast<int>(failed.size()) >= options_.maxFailedJoins) {
        fail(c, QStringLiteral("too many failed joins from your address: wait a minute"));
        return;
    }
    Room* found = roomByCode(code.toString().toUpper());
    if (!found) {
        failed.push_back(now_);
        fail(c, QStringLiteral("no game has this code"));
        return;
    }
    if (failed.empty()) failedJoins_.erase(c.address);
    Room& room = *found;
    const Side side = otherSide(room.game->creator());
    for (;;) {
        if (room.game->seated(side)) {
            fail(c, QStringLiteral("the game's second seat is already taken"));
            return;
        }
        const QString token = randomToken();
        GameEvent e;
        e.type = GameEvent::Type::Join;
        e.side = side;
        e.tokenHash = hashOf(token);
        e.clock = clockReading(*room.game);
        // Another process may have seated someone first: then the seat is taken.
        if (!commit(room, e)) continue;
        tokens_[e.tokenHash] = room.game->id();
        bind(c, room, side);
        QJsonObject o = typed("joined");
        o.insert(QStringLiteral("game"), room.game->id());
        o.insert(QStringLiteral("token"), token);
        o.insert(QStringLiteral("you"), sideName(side));
        o.insert(QStringLiteral("abandon"), room.game->abandonSeconds());
        send(c.id, frame(o));
        tellEvent(room, e, Verdict{}, c.id);
        return;
    }
}

Lobby::Room* Lobby::seatOf(Connection& c, const QJsonObject& m) {
    const QJsonValue token = m.value(QStringLiteral("token"));
    if (!token.isString()) {
        fail(c, QStringLiteral("\"token\" must be a string"));
        return nullptr;
    }
    const QByteArray hash = hashOf(token.toString());
    Room* room = roomByToken(hash);
    if (!room) {
        fail(c, QStringLiteral("no seat has this token"));
        return nullptr;
    }
    if (c.game != room->game.get() || c.side != room->game->seatOf(hash) ||
        room->seat(c.side) != c.id) {
        fail(c, QStringLiteral("the seat is not held by this connection: resume it first"));
        return nullptr;
    }
    return room;
}

void Lobby::resume(Connection& c, const QJsonObject& m) {
    const QJsonValue token = m.value(QStringLiteral("token"));
    if (!token.isString()) {
        fail(c, QStringLiteral("\"token\" must be a string"));
        return;
    }
    const QByteArray hash = hashOf(token.toString());
    Room* room = roomByToken(hash);
    if (!room) {
        fail(c, QStringLiteral("no seat has this token"));
        return;
    }
    // Another process may have stored events this one has not heard of yet.
    if (store_.shared()) catchUp(*room, false);
    const Side side = room->game->seatOf(hash);
    if (side == Side::None) {
        fail(c, QStringLiteral("no seat has this token"));
        return;
    }
    bind(c, *room, side);
    sendView(*room, side);
}

void Lobby::sendView(Room& room, Side side) {
    const NetGame& game = *room.game;
    const SideView& view = game.view(side);
    QJsonObject o = typed("view");
    o.insert(QStringLiteral("game"), game.id());
    o.insert(QStringLiteral("you"), sideName(side));
    o.insert(QStringLiteral("state"), stateName(game.state()));
    o.insert(
        QStringLiteral("toMove"),
        sideName(game.state() == NetGame::State::Playing ? game.match().sideToMove() : Side::None));
    o.insert(QStringLiteral("abandon"), game.abandonSeconds());
    o.insert(QStringLiteral("opponent"), !game.seated(otherSide(side)) ? QStringLiteral("none")
                                         : present(room, otherSide(side))
                                             ? QStringLiteral("connected")
                                             : QStringLiteral("disconnected"));
    QJsonArray events;
    for (const SeenEvent& e : view.events) events.append(eventJson(e));
    o.insert(QStringLiteral("events"), events);
    o.insert(QStringLiteral("clocks"), clocksJson(game.match().state()));
    sendSeat(room, side, frame(o));
    if (game.state() == NetGame::State::Over) {
        QJsonObject end = typed("end");
        end.insert(QStringLiteral("winner"), sideName(game.winner()));
        end.insert(QStringLiteral("reason"), endName(game.end()));
        sendSeat(room, side, frame(end));
        sendSeat(room, side, recordFrame(game));
    }
}

void Lobby::move(Connection& c, const QJsonObject& m) {
    Room* room = seatOf(c, m);
    if (!room) return;
    NetGame& game = *room->game;
    if (game.state() == NetGame::State::Waiting) {
        fail(c, QStringLiteral("the game has not started: the second seat is empty"));
        return;
    }
    if (game.state() == NetGame::State::Over) {
        fail(c, QStringLiteral("the game is over"));
        return;
    }
    QString error;
    const std::optional<Move> asked = moveFromJson(m, game.view(c.side), error);
    if (!asked) {
        fail(c, error);
        return;
    }
    GameEvent e;
    e.type = GameEvent::Type::Move;
    e.side = c.side;
    e.move = *asked;
    e.clock = clockReading(game);
    const std::optional<Verdict> v = commit(*room, e);
    // Another process stored the game's next event first: judged again after it, as having come
    // second (each time the game has moved on, so this ends).
    if (!v) {
        move(c, m);
        return;
    }
    if (v->kind == Verdict::Kind::Refused) {
        QJsonObject verdict = typed("verdict");
        verdict.insert(QStringLiteral("result"), QStringLiteral("refused"));
        verdict.insert(QStringLiteral("reason"), refusalName(v->refusal));
        send(c.id, frame(verdict));
        return;
    }
    tellEvent(*room, e, *v, c.id);
}

void Lobby::tellEvent(Room& room, const GameEvent& e, const Verdict& v, ConnId mover) {
    NetGame& game = *room.game;
    switch (e.type) {
        case GameEvent::Type::Create:
            return;
        case GameEvent::Type::Join:
            for (const Side s : {Side::Man, Side::Com}) {
                QJsonObject start = typed("start");
                start.insert(QStringLiteral("you"), sideName(s));
                start.insert(QStringLiteral("toMove"), sideName(game.match().sideToMove()));
                start.insert(QStringLiteral("opponent"), present(room, otherSide(s))
                                                             ? QStringLiteral("connected")
                                                             : QStringLiteral("disconnected"));
                sendSeat(room, s, frame(start));
            }
            return;
        case GameEvent::Type::Move: {
            // The event as each side's view now holds it.
            QJsonObject verdict = typed("verdict");
            verdict.insert(QStringLiteral("result"),
                           v.accepted() ? QStringLiteral("accepted") : QStringLiteral("miss"));
            verdict.insert(QStringLiteral("event"), eventJson(game.view(e.side).events.back()));
            QJsonObject seen = typed("seen");
            seen.insert(QStringLiteral("event"),
                        eventJson(game.view(otherSide(e.side)).events.back()));
            if (v.accepted()) {
                verdict.insert(QStringLiteral("clocks"), clocksJson(game.match().state()));
                seen.insert(QStringLiteral("clocks"), clocksJson(game.match().state()));
            }
            send(mover != 0 ? mover : room.seat(e.side), frame(verdict));
            sendSeat(room, otherSide(e.side), frame(seen));
            if (game.state() == NetGame::State::Over) tellEnd(room);
            return;
        }
        case GameEvent::Type::Resign:
        case GameEvent::Type::Claim:
            tellEnd(room);
            return;
    }
}

void Lobby::resign(Connection& c) {
    Room& room = rooms_[c.game->id()];
    if (room.game->state() != NetGame::State::Playing) {
        fail(c, QStringLiteral("only a game under way can be resigned"));
        return;
    }
    endBy(room, c.side, GameEvent::Type::Resign);
}

void Lobby::claim(Connection& c) {
    Room& room = rooms_[c.game->id()];
    if (room.game->state() != NetGame::State::Playing) {
        fail(c, QStringLiteral("only a game under way can be claimed"));
        return;
    }
    const Side other = otherSide(c.side);
    // A seat held by a process that has since ended is gone from now on.
    const auto held = elsewhere_.find({room.game->id(), other});
    if (held != elsewhere_.end() && !store_.alive(held->second)) {
        elsewhere_.erase(held);
        room.goneSince(other) = now_;
    }
    const qint64 gone = now_ - room.goneSince(other);
    if (present(room, other) || gone < static_cast<qint64>(room.game->abandonSeconds()) * 1000) {
        fail(c, QStringLiteral("the opponent has not been gone for %1 seconds")
                    .arg(room.game->abandonSeconds()));
        return;
    }
    endBy(room, c.side, GameEvent::Type::Claim);
}

// A seat's resignation or claim: stored, then told to both seats.
void Lobby::endBy(Room& room, Side side, GameEvent::Type type) {
    GameEvent e;
    e.type = type;
    e.side = side;
    e.clock = clockReading(*room.game);
    // When another process stored an event first, the game may have ended meanwhile.
    if (const std::optional<Verdict> v = commit(room, e)) {
        tellEvent(room, e, *v, 0);
        return;
    }
    if (room.game->state() == NetGame::State::Playing) endBy(room, side, type);
}

void Lobby::tellEnd(Room& room) {
    const NetGame& game = *room.game;
    QJsonObject end = typed("end");
    end.insert(QStringLiteral("winner"), sideName(game.winner()));
    end.insert(QStringLiteral("reason"), endName(game.end()));
    const QByteArray record = recordFrame(game);
    for (const Side s : {Side::Man, Side::Com}) {
        sendSeat(room, s, frame(end));
        sendSeat(room, s, record);
    }
}

}  // namespace velk::net
