#include "server/server.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTime>
#include <QWebSocket>
#include <QWebSocketServer>
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
// A message larger than this is not read at all (the connection is closed by the socket).
constexpr quint64 HARD_FRAME_LIMIT = 1024 * 1024;
constexpr qint64 JOIN_WINDOW_MS = 60 * 1000;
constexpr int CLOSE_DELAY_MS = 250;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

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

QJsonObject typed(const char* type) {
    return {{QStringLiteral("type"), QString::fromLatin1(type)}};
}

QString stateName(NetGame::State s) {
    if (s == NetGame::State::Waiting) return QStringLiteral("waiting");
    if (s == NetGame::State::Playing) return QStringLiteral("playing");
    return QStringLiteral("over");
}

// Replays a stored game's events into a fresh game.
std::unique_ptr<NetGame> replay(const StoredGame& g) {
    auto game = std::make_unique<NetGame>(g.id, g.code);
    for (const GameEvent& e : g.events) game->apply(e);
    return game;
}

QByteArray recordFrame(const NetGame& game) {
    QJsonObject o = typed("record");
    o.insert(QStringLiteral("game"), game.id());
    o.insert(QStringLiteral("winner"), sideName(game.winner()));
    o.insert(QStringLiteral("reason"), endName(game.end()));
    o.insert(QStringLiteral("moves"), recordJson(game.match().state()));
    return frame(o);
}

}  // namespace

Server::Server(ServerOptions options) : options_(std::move(options)) {}

Server::~Server() {
    for (auto& [socket, c] : connections_) {
        socket->disconnect(this);
        socket->deleteLater();
    }
}

QByteArray Server::hashOf(const QString& token) {
    return QCryptographicHash::hash(token.toLatin1(), QCryptographicHash::Sha256);
}

bool Server::start(QString& error) {
    if (!store_.open(options_.store, options_.syncEveryEvent, error)) return false;
    const std::vector<StoredGame> stored = store_.load(error);
    if (!error.isEmpty()) return false;
    const qint64 now = nowMs();
    for (const StoredGame& g : stored) {
        Room room;
        room.game = replay(g);
        // A seat is gone from the moment the server came back until it reconnects.
        room.goneSinceMAN = room.goneSinceCOM = now;
        codes_[g.code] = g.id;
        for (const GameEvent& e : g.events)
            if (e.type == GameEvent::Type::Create || e.type == GameEvent::Type::Join)
                tokens_[e.tokenHash] = g.id;
        rooms_[g.id] = std::move(room);
    }

    server_ = new QWebSocketServer(QStringLiteral("velk-tsuitate-server"),
                                   QWebSocketServer::NonSecureMode, this);
    server_->setHandshakeTimeout(options_.timeout * 1000);
    connect(server_, &QWebSocketServer::newConnection, this, &Server::accept);
    // The connections are taken from a listener of our own so that each is set to send its small
    // frames at once rather than wait to gather more.
    listener_ = new QTcpServer(this);
    connect(listener_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = listener_->nextPendingConnection()) {
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            server_->handleConnection(socket);
        }
    });
    if (!listener_->listen(options_.address, options_.port)) {
        error = listener_->errorString();
        return false;
    }
    pinger_.setInterval(std::max(100, options_.timeout * 1000 / 3));
    connect(&pinger_, &QTimer::timeout, this, &Server::ping);
    pinger_.start();
    return true;
}

quint16 Server::port() const {
    return listener_ ? listener_->serverPort() : 0;
}

void Server::accept() {
    while (QWebSocket* socket = server_->nextPendingConnection()) {
        socket->setMaxAllowedIncomingFrameSize(HARD_FRAME_LIMIT);
        socket->setMaxAllowedIncomingMessageSize(HARD_FRAME_LIMIT);
        Connection& c = connections_[socket];
        c.socket = socket;
        c.address = socket->peerAddress().toString();
        c.lastHeard = nowMs();
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) { received(socket, text.toUtf8(), false); });
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, socket](const QByteArray& bytes) { received(socket, bytes, true); });
        connect(socket, &QWebSocket::pong, this, [this, socket] {
            const auto it = connections_.find(socket);
            if (it != connections_.end()) it->second.lastHeard = nowMs();
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { dropped(socket); });
    }
}

void Server::ping() {
    const qint64 now = nowMs();
    std::vector<QWebSocket*> silent;
    for (auto& [socket, c] : connections_) {
        if (c.closing) continue;
        if (now - c.lastHeard > static_cast<qint64>(options_.timeout) * 1000)
            silent.push_back(socket);
        else
            socket->ping();
    }
    for (QWebSocket* socket : silent) {
        fail(connections_[socket],
             QStringLiteral("nothing heard for %1 seconds: the connection is closed")
                 .arg(options_.timeout),
             true);
    }
}

void Server::dropped(QWebSocket* socket) {
    const auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    Connection c = it->second;
    connections_.erase(it);
    socket->deleteLater();
    if (!c.game) return;
    Room& room = rooms_[c.game->id()];
    if (room.seat(c.side) != socket) return;
    room.seat(c.side) = nullptr;
    room.goneSince(c.side) = nowMs();
    QJsonObject o = typed("opponent");
    o.insert(QStringLiteral("connected"), false);
    if (room.game->state() != NetGame::State::Waiting) sendSeat(room, otherSide(c.side), frame(o));
}

void Server::send(QWebSocket* socket, const QByteArray& f) {
    if (socket) socket->sendTextMessage(QString::fromUtf8(f));
}

void Server::sendSeat(Room& room, Side side, const QByteArray& f) {
    send(room.seat(side), f);
}

void Server::fail(Connection& c, const QString& reason, bool close) {
    send(c.socket, errorFrame(reason));
    if (!close || c.closing) return;
    // The connection is closed a moment later, what it still sends being read and dropped
    // meanwhile: a socket closed with unread input is reset, and a reset throws away the answers
    // the client had not yet read.
    c.closing = true;
    QWebSocket* socket = c.socket;
    socket->flush();
    QTimer::singleShot(CLOSE_DELAY_MS, socket, [socket, reason] {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated, reason.left(120));
    });
}

void Server::received(QWebSocket* socket, const QByteArray& bytes, bool binary) {
    const auto it = connections_.find(socket);
    if (it == connections_.end()) return;
    Connection& c = it->second;
    if (c.closing) return;
    const qint64 now = nowMs();
    c.lastHeard = now;
    if (now - c.windowStart >= 1000) {
        c.windowStart = now;
        c.messagesInWindow = 0;
    }
    if (++c.messagesInWindow > options_.maxRate) {
        fail(c, QStringLiteral("more than %1 messages a second").arg(options_.maxRate), true);
        return;
    }
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

double Server::clockReading(const NetGame& game) const {
    if (options_.tickClock) return 36000.0 + game.judged() + 1;
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

Verdict Server::commit(Room& room, const GameEvent& e) {
    const Verdict v = room.game->apply(e);
    if (e.type == GameEvent::Type::Move && v.kind == Verdict::Kind::Refused) return v;
    QString error;
    if (!store_.append(room.game->id(), room.game->events() - 1, e, error)) {
        // The game has changed in memory but not on disk: nobody may be told. The store
        // rebuilds the games as they were when the server starts again.
        std::fprintf(stderr, "velk-tsuitate-server: the store cannot be written: %s\n",
                     qPrintable(error));
        std::exit(1);
    }
    return v;
}

void Server::bind(Connection& c, Room& room, Side side) {
    // A connection holds one seat; the seat's earlier connection, if any, is let go.
    if (c.game && (c.game != room.game.get() || c.side != side)) {
        Room& old = rooms_[c.game->id()];
        if (old.seat(c.side) == c.socket) {
            old.seat(c.side) = nullptr;
            old.goneSince(c.side) = nowMs();
        }
    }
    QWebSocket* before = room.seat(side);
    if (before && before != c.socket) {
        const auto it = connections_.find(before);
        if (it != connections_.end()) {
            it->second.game = nullptr;
            fail(it->second, QStringLiteral("the seat was resumed on another connection"), true);
        }
    }
    c.game = room.game.get();
    c.side = side;
    const bool wasGone = room.seat(side) == nullptr;
    room.seat(side) = c.socket;
    if (wasGone && room.game->state() != NetGame::State::Waiting) {
        QJsonObject o = typed("opponent");
        o.insert(QStringLiteral("connected"), true);
        sendSeat(room, otherSide(side), frame(o));
    }
}

void Server::create(Connection& c, const QJsonObject& m) {
    const QJsonValue side = m.value(QStringLiteral("side"));
    const QJsonValue abandon = m.value(QStringLiteral("abandon"));
    if (!side.isString() ||
        (side.toString() != QLatin1String("random") && sideNamed(side.toString()) == Side::None)) {
        fail(c, QStringLiteral("\"side\" must be \"sente\", \"gote\" or \"random\""));
        return;
    }
    const double seconds = abandon.toDouble(-1);
    if (!abandon.isDouble() || seconds != static_cast<int>(seconds) || seconds < 1 ||
        seconds > MAX_ABANDON_SECONDS) {
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
    if (!store_.create(id, code, e, error)) {
        std::fprintf(stderr, "velk-tsuitate-server: the store cannot be written: %s\n",
                     qPrintable(error));
        std::exit(1);
    }
    Room& room = rooms_[id];
    room.game = std::make_unique<NetGame>(id, code);
    room.game->apply(e);
    room.goneSinceMAN = room.goneSinceCOM = nowMs();
    codes_[code] = id;
    tokens_[e.tokenHash] = id;
    bind(c, room, e.side);
    QJsonObject o = typed("created");
    o.insert(QStringLiteral("game"), id);
    o.insert(QStringLiteral("code"), code);
    o.insert(QStringLiteral("token"), token);
    o.insert(QStringLiteral("you"), sideName(e.side));
    o.insert(QStringLiteral("abandon"), e.abandonSeconds);
    send(c.socket, frame(o));
}

void Server::join(Connection& c, const QJsonObject& m) {
    const QJsonValue code = m.value(QStringLiteral("code"));
    if (!code.isString()) {
        fail(c, QStringLiteral("\"code\" must be a string"));
        return;
    }
    // Codes are guessed slowly: failed joins from one address are limited.
    const qint64 now = nowMs();
    std::deque<qint64>& failed = failedJoins_[c.address];
    while (!failed.empty() && now - failed.front() > JOIN_WINDOW_MS) failed.pop_front();
    if (static_cast<int>(failed.size()) >= options_.maxFailedJoins) {
        fail(c, QStringLiteral("too many failed joins from your address: wait a minute"));
        return;
    }
    const auto it = codes_.find(code.toString().toUpper());
    if (it == codes_.end()) {
        failed.push_back(now);
        fail(c, QStringLiteral("no game has this code"));
        return;
    }
    if (failed.empty()) failedJoins_.erase(c.address);
    Room& room = rooms_[it->second];
    NetGame& game = *room.game;
    const Side side = otherSide(game.creator());
    if (game.seated(side)) {
        fail(c, QStringLiteral("the game's second seat is already taken"));
        return;
    }
    const QString token = randomToken();
    GameEvent e;
    e.type = GameEvent::Type::Join;
    e.side = side;
    e.tokenHash = hashOf(token);
    e.clock = clockReading(game);
    commit(room, e);
    tokens_[e.tokenHash] = game.id();
    bind(c, room, side);
    QJsonObject o = typed("joined");
    o.insert(QStringLiteral("game"), game.id());
    o.insert(QStringLiteral("token"), token);
    o.insert(QStringLiteral("you"), sideName(side));
    o.insert(QStringLiteral("abandon"), game.abandonSeconds());
    send(c.socket, frame(o));
    for (const Side s : {Side::Man, Side::Com}) {
        QJsonObject start = typed("start");
        start.insert(QStringLiteral("you"), sideName(s));
        start.insert(QStringLiteral("toMove"), sideName(game.match().sideToMove()));
        start.insert(QStringLiteral("opponent"), room.seat(otherSide(s))
                                                     ? QStringLiteral("connected")
                                                     : QStringLiteral("disconnected"));
        sendSeat(room, s, frame(start));
    }
}

Server::Room* Server::seatOf(Connection& c, const QJsonObject& m) {
    const QJsonValue token = m.value(QStringLiteral("token"));
    if (!token.isString()) {
        fail(c, QStringLiteral("\"token\" must be a string"));
        return nullptr;
    }
    const QByteArray hash = hashOf(token.toString());
    const auto it = tokens_.find(hash);
    if (it == tokens_.end()) {
        fail(c, QStringLiteral("no seat has this token"));
        return nullptr;
    }
    Room& room = rooms_[it->second];
    if (c.game != room.game.get() || c.side != room.game->seatOf(hash) ||
        room.seat(c.side) != c.socket) {
        fail(c, QStringLiteral("the seat is not held by this connection: resume it first"));
        return nullptr;
    }
    return &room;
}

void Server::resume(Connection& c, const QJsonObject& m) {
    const QJsonValue token = m.value(QStringLiteral("token"));
    if (!token.isString()) {
        fail(c, QStringLiteral("\"token\" must be a string"));
        return;
    }
    const QByteArray hash = hashOf(token.toString());
    const auto it = tokens_.find(hash);
    if (it == tokens_.end()) {
        fail(c, QStringLiteral("no seat has this token"));
        return;
    }
    Room& room = rooms_[it->second];
    const Side side = room.game->seatOf(hash);
    bind(c, room, side);
    sendView(room, side);
}

void Server::sendView(Room& room, Side side) {
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
                                         : room.seat(otherSide(side))
                                             ? QStringLiteral("connected")
                                             : QStringLiteral("disconnected"));
    QJsonArray events;
    for (const SeenEvent& e : view.events) events.append(eventJson(e));
    o.insert(QStringLiteral("events"), events);
    o.insert(QStringLiteral("clocks"), clocksJson(game.match().state()));
    send(room.seat(side), frame(o));
    if (game.state() == NetGame::State::Over) {
        QJsonObject end = typed("end");
        end.insert(QStringLiteral("winner"), sideName(game.winner()));
        end.insert(QStringLiteral("reason"), endName(game.end()));
        send(room.seat(side), frame(end));
        send(room.seat(side), recordFrame(game));
    }
}

void Server::move(Connection& c, const QJsonObject& m) {
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
    const Verdict v = commit(*room, e);
    QJsonObject verdict = typed("verdict");
    if (v.kind == Verdict::Kind::Refused) {
        verdict.insert(QStringLiteral("result"), QStringLiteral("refused"));
        verdict.insert(QStringLiteral("reason"), refusalName(v.refusal));
        send(c.socket, frame(verdict));
        return;
    }
    // The event as each side's view now holds it.
    verdict.insert(QStringLiteral("result"),
                   v.accepted() ? QStringLiteral("accepted") : QStringLiteral("miss"));
    verdict.insert(QStringLiteral("event"), eventJson(game.view(c.side).events.back()));
    QJsonObject seen = typed("seen");
    seen.insert(QStringLiteral("event"), eventJson(game.view(otherSide(c.side)).events.back()));
    if (v.accepted()) {
        verdict.insert(QStringLiteral("clocks"), clocksJson(game.match().state()));
        seen.insert(QStringLiteral("clocks"), clocksJson(game.match().state()));
    }
    send(c.socket, frame(verdict));
    sendSeat(*room, otherSide(c.side), frame(seen));
    if (game.state() == NetGame::State::Over) tellEnd(*room);
}

void Server::resign(Connection& c) {
    Room& room = rooms_[c.game->id()];
    if (room.game->state() != NetGame::State::Playing) {
        fail(c, QStringLiteral("only a game under way can be resigned"));
        return;
    }
    endBy(room, c.side, GameEvent::Type::Resign);
}

void Server::claim(Connection& c) {
    Room& room = rooms_[c.game->id()];
    if (room.game->state() != NetGame::State::Playing) {
        fail(c, QStringLiteral("only a game under way can be claimed"));
        return;
    }
    const Side other = otherSide(c.side);
    const qint64 gone = nowMs() - room.goneSince(other);
    if (room.seat(other) || gone < static_cast<qint64>(room.game->abandonSeconds()) * 1000) {
        fail(c, QStringLiteral("the opponent has not been gone for %1 seconds")
                    .arg(room.game->abandonSeconds()));
        return;
    }
    endBy(room, c.side, GameEvent::Type::Claim);
}

// A seat's resignation or claim: stored, then told to both seats.
void Server::endBy(Room& room, Side side, GameEvent::Type type) {
    GameEvent e;
    e.type = type;
    e.side = side;
    e.clock = clockReading(*room.game);
    commit(room, e);
    tellEnd(room);
}

void Server::tellEnd(Room& room) {
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

bool Server::printRecords(const QString& storeFile, QString& error) {
    Store store;
    if (!store.open(storeFile, false, error)) return false;
    const std::vector<StoredGame> games = store.load(error);
    if (!error.isEmpty()) return false;
    for (const StoredGame& g : games) {
        const std::unique_ptr<NetGame> game = replay(g);
        QJsonObject o;
        o.insert(QStringLiteral("winner"), sideName(game->winner()));
        o.insert(QStringLiteral("reason"), endName(game->end()));
        o.insert(QStringLiteral("moves"), recordJson(game->match().state()));
        std::printf("record %s %s\n", qPrintable(g.id),
                    QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
    }
    return true;
}

}  // namespace velk::net
