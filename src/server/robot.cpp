#include "server/robot.h"

#include <QDateTime>
#include <QJsonDocument>
#include <vector>

#include "board/rules.h"
#include "server/protocol.h"

namespace velk::net {

RobotSeat::RobotSeat(Options options, std::function<void(const QString&)> onCode,
                     std::function<void(RobotSeat&)> onDone)
    : options_(std::move(options)),
      onCode_(std::move(onCode)),
      onDone_(std::move(onDone)),
      player_(options_.seed),
      rng_(options_.seed),
      pace_(options_.seed ^ 0x9e3779b97f4a7c15ULL) {
    connect(&socket_, &QWebSocket::connected, this, &RobotSeat::connected);
    connect(&socket_, &QWebSocket::disconnected, this, &RobotSeat::dropped);
    connect(&socket_, &QWebSocket::textMessageReceived, this, &RobotSeat::received);
}

void RobotSeat::start() {
    socket_.open(options_.urls.at(server_));
}

void RobotSeat::send(QJsonObject o) {
    if (!token_.isEmpty()) o.insert(QStringLiteral("token"), token_);
    socket_.sendTextMessage(QString::fromUtf8(frame(o)));
}

void RobotSeat::connected() {
    ++connection_;
    droppedAt_ = 0;
    waitingVerdict_ = false;
    send(seatRequest(!token_.isEmpty(), options_.mode == Mode::Create, options_.sideOrCode,
                     options_.abandonSeconds));
}

void RobotSeat::dropped() {
    if (done_ || reconnecting_) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (droppedAt_ == 0) droppedAt_ = now;
    // Before it has a seat the robot tries again too: a game created or joined on a connection
    // that dropped before the answer came is left to wait, and the robot asks again.
    if (now - droppedAt_ > options_.reconnectMs) {
        finish(false, QStringLiteral("the connection dropped: %1").arg(socket_.errorString()));
        return;
    }
    // Tried again shortly on the next server, until one answers or the time is up.
    reconnecting_ = true;
    server_ = (server_ + 1) % options_.urls.size();
    QTimer::singleShot(100, this, [this] {
        reconnecting_ = false;
        if (!done_) socket_.open(options_.urls[server_]);
    });
}

void RobotSeat::finish(bool ok, const QString& failure) {
    if (done_) return;
    done_ = true;
    ok_ = ok;
    failure_ = failure;
    socket_.close();
    onDone_(*this);
}

void RobotSeat::received(const QString& text) {
    const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString type = m.value(QStringLiteral("type")).toString();
    const Side you = sideNamed(m.value(QStringLiteral("you")).toString());
    if (type == QLatin1String("created") || type == QLatin1String("joined")) {
        token_ = m.value(QStringLiteral("token")).toString();
        game_ = m.value(QStringLiteral("game")).toString();
        view_ = startView(you);
        if (type == QLatin1String("created")) onCode_(m.value(QStringLiteral("code")).toString());
    } else if (type == QLatin1String("start")) {
        playing_ = true;
        moveIfOurTurn();
    } else if (type == QLatin1String("view")) {
        // The whole view so far, after a reconnection: rebuilt from its events.
        game_ = m.value(QStringLiteral("game")).toString();
        view_ = startView(you);
        for (const QJsonValue e : m.value(QStringLiteral("events")).toArray()) {
            const std::optional<SeenEvent> seen = eventFromJson(e.toObject(), you);
            if (!seen) return finish(false, QStringLiteral("a damaged event in the view"));
            seeEvent(view_, *seen);
        }
        playing_ = m.value(QStringLiteral("state")).toString() == QLatin1String("playing");
        waitingVerdict_ = false;
        moveIfOurTurn();
    } else if (type == QLatin1String("verdict") || type == QLatin1String("seen")) {
        if (type == QLatin1String("seen") && options_.latencies) {
            auto& sent = options_.latencies->sent;
            if (const auto it = sent.find(game_); it != sent.end()) {
                options_.latencies->ms.push_back(std::chrono::duration<double, std::milli>(
                                                     std::chrono::steady_clock::now() - it->second)
                                                     .count());
                sent.erase(it);
            }
        }
        if (type == QLatin1String("verdict")) {
            waitingVerdict_ = false;
            if (m.value(QStringLiteral("result")).toString() == QLatin1String("refused"))
                return finish(false, QStringLiteral("a move was refused: ") +
                                         m.value(QStringLiteral("reason")).toString());
        }
        const std::optional<SeenEvent> seen =
            eventFromJson(m.value(QStringLiteral("event")).toObject(), view_.side);
        if (!seen) return finish(false, QStringLiteral("a damaged event: ") + text);
        seeEvent(view_, *seen);
        moveIfOurTurn();
    } else if (type == QLatin1String("end")) {
        playing_ = false;
        winner_ = m.value(QStringLiteral("winner")).toString();
        reason_ = m.value(QStringLiteral("reason")).toString();
    } else if (type == QLatin1String("record")) {
        record_ = m.value(QStringLiteral("moves")).toArray();
        QString why;
        if (!recordAgrees(why)) return finish(false, why);
        finish(true);
    } else if (type == QLatin1String("error")) {
        finish(false,
               QStringLiteral("the server said: ") + m.value(QStringLiteral("reason")).toString());
    }
}

void RobotSeat::moveIfOurTurn() {
    if (!playing_ || done_ || waitingVerdict_ || view_.toMove != view_.side) return;
    waitingVerdict_ = true;
    if (options_.thinkMs <= 0) return play();
    const int connection = connection_;
    const auto wait =
        static_cast<int>(static_cast<std::uint64_t>(options_.thinkMs) / 2 +
                         pace_() % (static_cast<std::uint64_t>(options_.thinkMs) + 1));
    QTimer::singleShot(wait, this, [this, connection] {
        if (connection == connection_ && !done_) play();
    });
}

void RobotSeat::play() {
    const std::optional<Move> m = options_.random ? randomMove() : player_.choose(view_);
    if (!m) {
        send({{QStringLiteral("type"), QStringLiteral("resign")}});
        return;
    }
    if (options_.latencies) options_.latencies->sent[game_] = std::chrono::steady_clock::now();
    send(moveJson(*m));
}

std::optional<Move> RobotSeat::randomMove() {
    Position own;
    own.board = view_.board;
    own.hand(view_.side) = view_.ownHand;
    std::vector<Move> moves;
    forEachMove(own, view_.side, [&](const Move& m) {
        moves.push_back(m);
        return true;
    });
    if (moves.empty()) return std::nullopt;
    return moves[rng_() % moves.size()];
}

bool RobotSeat::recordAgrees(QString& why) const {
    qsizetype n = 0;
    for (const SeenEvent& e : view_.events) {
        const bool own = e.kind == SeenEvent::Kind::OwnMove;
        if (!own && e.kind != SeenEvent::Kind::OtherMove) continue;
        if (n >= record_.size()) {
            why = QStringLiteral("the record is shorter than the moves seen");
            return false;
        }
        const QJsonObject r = record_[n++].toObject();
        const QJsonArray to = r.value(QStringLiteral("to")).toArray();
        const Side side = own ? view_.side : otherSide(view_.side);
        bool same = sideNamed(r.value(QStringLiteral("side")).toString()) == side &&
                    to == QJsonArray{e.toX, e.toY} && r.contains(QStringLiteral("hand")) == e.drop;
        if (own)
            same = same &&
                   pieceCode(r.value(QStringLiteral("placed")).toString(), side) == e.placed &&
                   (e.drop ||
                    r.value(QStringLiteral("from")).toArray() == QJsonArray{e.fromX, e.fromY});
        if (!same) {
            why = QStringLiteral("record move %1 differs from the move seen").arg(n);
            return false;
        }
    }
    if (n != record_.size()) {
        why = QStringLiteral("the record is longer than the moves seen");
        return false;
    }
    return true;
}

QString RobotSeat::gameLine() const {
    return QStringLiteral("game %1 you %2 result %3 reason %4 moves %5 misses %6 %7")
        .arg(game_, sideName(view_.side), winner_, reason_)
        .arg(record_.size())
        .arg(view_.side == Side::Man ? view_.ownMisses : view_.otherMisses)
        .arg(view_.side == Side::Man ? view_.otherMisses : view_.ownMisses);
}

QString RobotSeat::recordLine() const {
    const QJsonObject o{{QStringLiteral("winner"), winner_},
                        {QStringLiteral("reason"), reason_},
                        {QStringLiteral("moves"), record_}};
    return QStringLiteral("record %1 %2")
        .arg(game_, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
}

}  // namespace velk::net
