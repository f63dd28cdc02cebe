#include "app/net_client.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include "referee/turn_round.h"
#include "server/protocol.h"

namespace velk::app {

namespace {

using velk::net::pieceCode;
using velk::net::sideNamed;

bool squareOf(const QJsonValue& v, int& x, int& y) {
    const QJsonArray a = v.toArray();
    if (a.size() != 2) return false;
    x = a[0].toInt();
    y = a[1].toInt();
    return onBoard(x, y);
}

// The record the server sends at the end, entry by entry, as the first side's seat has the
// board. False when an entry is damaged.
bool recordFromJson(const QJsonArray& moves, MoveRecord& r, int& count) {
    count = 0;
    float sente = 0, gote = 0;
    for (const QJsonValue value : moves) {
        const QJsonObject m = value.toObject();
        const int n = ++count;
        if (n > MAX_MOVES) return false;
        const Side side = sideNamed(m.value(QStringLiteral("side")).toString());
        if (side == Side::None) return false;
        const int piece = pieceCode(m.value(QStringLiteral("piece")).toString(), side);
        const int placed = pieceCode(m.value(QStringLiteral("placed")).toString(), side);
        int fromX = 0, fromY = 0, toX = 0, toY = 0;
        if (m.contains(QStringLiteral("hand"))) {
            const int kind = velk::net::dropKind(m.value(QStringLiteral("hand")).toString());
            if (kind == 0) return false;
            fromX = side == Side::Man ? MAN_HAND_X : COM_HAND_X;
            fromY = side == Side::Man ? kind + 2 : kind;
        } else if (!squareOf(m.value(QStringLiteral("from")), fromX, fromY)) {
            return false;
        }
        if (!squareOf(m.value(QStringLiteral("to")), toX, toY) || piece == EMPTY || placed == EMPTY)
            return false;
        const int captured =
            m.contains(QStringLiteral("captured"))
                ? pieceCode(m.value(QStringLiteral("captured")).toString(), otherSide(side))
                : EMPTY;
        setRecordEntry(r, n, fromX, fromY, toX, toY, piece, placed, captured);
        const QJsonObject clocks = m.value(QStringLiteral("clocks")).toObject();
        const QJsonObject misses = m.value(QStringLiteral("misses")).toObject();
        r.recTimeMANBefore[n] = sente;
        r.recTimeCOMBefore[n] = gote;
        sente = static_cast<float>(clocks.value(QStringLiteral("sente")).toDouble());
        gote = static_cast<float>(clocks.value(QStringLiteral("gote")).toDouble());
        r.recTimeMANAfter[n] = sente;
        r.recTimeCOMAfter[n] = gote;
        r.recMissMAN[n] = misses.value(QStringLiteral("sente")).toInt();
        r.recMissCOM[n] = misses.value(QStringLiteral("gote")).toInt();
    }
    return true;
}

}  // namespace

bool isServerAddress(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("ws") || url.scheme() == QLatin1String("wss"));
}

NetClient::NetClient(Options options, std::function<void(std::function<void(Form1&)>)> dispatch)
    : options_(std::move(options)), dispatch_(std::move(dispatch)) {
    connect(&socket_, &QWebSocket::connected, this, &NetClient::connected);
    connect(&socket_, &QWebSocket::disconnected, this, &NetClient::dropped);
    connect(&socket_, &QWebSocket::textMessageReceived, this, &NetClient::received);
}

NetClient::~NetClient() {
    finished_ = true;
    socket_.disconnect(this);
    socket_.abort();
}

void NetClient::start() {
    socket_.open(options_.url);
}

void NetClient::send(QJsonObject o) {
    if (!token_.isEmpty()) o.insert(QStringLiteral("token"), token_);
    socket_.sendTextMessage(QString::fromUtf8(velk::net::frame(o)));
}

void NetClient::sendMove(const Move& move) {
    if (finished_) return;
    send(velk::net::moveJson(seat_ == Side::Man ? move : turnedRound(move)));
}

void NetClient::sendResign() {
    if (finished_) return;
    send({{QStringLiteral("type"), QStringLiteral("resign")}});
}

void NetClient::leave() {
    finished_ = true;
    socket_.close();
}

void NetClient::connected() {
    droppedAt_ = 0;
    resuming_ = !token_.isEmpty();
    send(velk::net::seatRequest(resuming_, options_.create,
                                options_.create ? options_.side : options_.code,
                                options_.abandonSeconds));
}

void NetClient::dropped() {
    if (finished_ || reconnecting_) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (droppedAt_ == 0) {
        droppedAt_ = now;
        if (began_) dispatch_([this](Form1& f) { f.netConnection(*this, false); });
    }
    if (token_.isEmpty() || now - droppedAt_ > options_.reconnectMs) {
        fail(socket_.errorString());
        return;
    }
    // Tried again every half second until the server is back or the time is up.
    reconnecting_ = true;
    QTimer::singleShot(500, this, [this] {
        reconnecting_ = false;
        if (!finished_) socket_.open(options_.url);
    });
}

void NetClient::fail(const QString& why) {
    if (finished_) return;
    finished_ = true;
    socket_.close();
    dispatch_([this, why = why.toStdString()](Form1& f) { f.netLost(*this, why); });
}

SideView NetClient::windowView() const {
    return seat_ == Side::Man ? view_ : turnedRound(view_);
}

void NetClient::readClocks(const QJsonObject& m) {
    if (!m.contains(QStringLiteral("clocks"))) return;
    const QJsonObject c = m.value(QStringLiteral("clocks")).toObject();
    clockSente_ = static_cast<float>(c.value(QStringLiteral("sente")).toDouble());
    clockGote_ = static_cast<float>(c.value(QStringLiteral("gote")).toDouble());
}

void NetClient::begin() {
    began_ = true;
    const int role = seat_ == Side::Man ? SENTE : GOTE;
    dispatch_([this, role, view = windowView(), man = clockMAN(), com = clockCOM(),
               connected = opponentConnected_](Form1& f) {
        f.netBegin(*this, role, view, man, com, connected);
    });
}

void NetClient::received(const QString& text) {
    if (finished_) return;
    const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString type = m.value(QStringLiteral("type")).toString();
    if (type == QLatin1String("created") || type == QLatin1String("joined")) {
        token_ = m.value(QStringLiteral("token")).toString();
        seat_ = sideNamed(m.value(QStringLiteral("you")).toString());
        view_ = velk::net::startView(seat_);
        if (type == QLatin1String("created")) code_ = m.value(QStringLiteral("code")).toString();
        if (type == QLatin1String("created"))
            dispatch_([this, code = code_.toStdString()](Form1& f) {
                f.netWaitingForOpponent(*this, code);
            });
    } else if (type == QLatin1String("start")) {
        opponentConnected_ = true;
        begin();
    } else if (type == QLatin1String("view")) {
        // The whole view so far, after a reconnection: rebuilt from its events.
        resuming_ = false;
        seat_ = sideNamed(m.value(QStringLiteral("you")).toString());
        view_ = velk::net::startView(seat_);
        for (const QJsonValue e : m.value(QStringLiteral("events")).toArray()) {
            const std::optional<SeenEvent> seen = velk::net::eventFromJson(e.toObject(), seat_);
            if (!seen) return fail(QStringLiteral("a damaged event in the view"));
            velk::net::seeEvent(view_, *seen);
        }
        readClocks(m);
        opponentConnected_ =
            m.value(QStringLiteral("opponent")).toString() != QLatin1String("disconnected");
        const QString state = m.value(QStringLiteral("state")).toString();
        if (state == QLatin1String("playing") || (began_ && state == QLatin1String("over")))
            begin();
    } else if (type == QLatin1String("verdict") &&
               m.value(QStringLiteral("result")).toString() == QLatin1String("refused")) {
        dispatch_([this, reason = m.value(QStringLiteral("reason")).toString().toStdString()](
                      Form1& f) { f.netRefused(*this, reason); });
    } else if (type == QLatin1String("verdict") || type == QLatin1String("seen")) {
        const std::optional<SeenEvent> seen =
            velk::net::eventFromJson(m.value(QStringLiteral("event")).toObject(), seat_);
        if (!seen) return fail(QStringLiteral("a damaged event"));
        velk::net::seeEvent(view_, *seen);
        readClocks(m);
        dispatch_([this, view = windowView(), man = clockMAN(), com = clockCOM()](Form1& f) {
            f.netEvent(*this, view, man, com);
        });
    } else if (type == QLatin1String("opponent")) {
        opponentConnected_ = m.value(QStringLiteral("connected")).toBool();
        dispatch_(
            [this, connected = opponentConnected_](Form1& f) { f.netOpponent(*this, connected); });
    } else if (type == QLatin1String("record")) {
        auto record = std::make_shared<MoveRecord>();
        int moves = 0;
        if (!recordFromJson(m.value(QStringLiteral("moves")).toArray(), *record, moves))
            return fail(QStringLiteral("a damaged record"));
        const Side winner = sideNamed(m.value(QStringLiteral("winner")).toString());
        const GameEnd end = velk::net::endNamed(m.value(QStringLiteral("reason")).toString());
        finished_ = true;
        socket_.close();
        dispatch_([this, record, moves, winner, end](Form1& f) {
            f.netEnd(*this, *record, moves, winner, end);
        });
    } else if (type == QLatin1String("error")) {
        const QString reason = m.value(QStringLiteral("reason")).toString();
        // Before the seat is taken (a wrong code, say) or taken back the attempt has failed; later
        // an error answers a message of ours and the game goes on.
        if (token_.isEmpty() || resuming_) return fail(reason);
        dispatch_([this, reason = reason.toStdString()](Form1& f) { f.netRefused(*this, reason); });
    }
}

}  // namespace velk::app
