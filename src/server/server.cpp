#include "server/server.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>
#include <cstdio>

#include "server/protocol.h"

namespace velk::net {

namespace {

// A message larger than this is not read at all (the connection is closed by the socket).
constexpr quint64 HARD_FRAME_LIMIT = 1024 * 1024;
constexpr int CLOSE_DELAY_MS = 250;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace

Server::Server(ServerOptions options) : options_(std::move(options)) {}

Server::~Server() {
    for (auto& [id, socket] : sockets_) {
        socket->disconnect(this);
        socket->deleteLater();
    }
}

bool Server::start(QString& error) {
    store_ = openStore(options_.store, options_.syncEveryEvent, error);
    if (!store_) return false;
    lobby_ = std::make_unique<Lobby>(options_, *store_);
    if (!lobby_->load(error)) return false;
    store_->changed = [this](const QString& game) {
        Outbox out;
        lobby_->changedElsewhere(game, nowMs(), out);
        deliver(out);
    };

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
    // Many players arrive at once when a server of several goes down and its players come over.
    listener_->setListenBacklogSize(1024);
    if (!listener_->listen(options_.address, options_.port)) {
        error = listener_->errorString();
        return false;
    }
    pinger_.setInterval(
        std::max(100, std::min(options_.timeout, options_.helloTimeout) * 1000 / 3));
    // Silent connections are looked for often enough for either time out; each connection is
    // pinged three times within the longer one.
    connect(&pinger_, &QTimer::timeout, this, [this] {
        const qint64 now = nowMs();
        Outbox out;
        lobby_->tick(now, out);
        deliver(out);
        if (now - lastPing_ < static_cast<qint64>(options_.timeout) * 1000 / 3) return;
        lastPing_ = now;
        for (auto& [id, socket] : sockets_) socket->ping();
    });
    pinger_.start();
    if (options_.statsSeconds > 0) {
        statsClock_.start();
        stats_.setInterval(options_.statsSeconds * 1000);
        connect(&stats_, &QTimer::timeout, this, &Server::printStats);
        stats_.start();
    }
    return true;
}

quint16 Server::port() const {
    return listener_ ? listener_->serverPort() : 0;
}

void Server::printStats() {
    const double seconds = static_cast<double>(statsClock_.restart()) / 1000.0;
    const qint64 events = lobby_->eventsStored();
    const Lobby::StoreTimes t = lobby_->takeStoreTimes();
    std::printf(
        "stats connections %d games %d events %lld events/s %.1f store-ms avg %.3f max %.3f\n",
        lobby_->connections(), lobby_->games(), events,
        static_cast<double>(events - statsEvents_) / std::max(seconds, 0.001),
        t.writes ? t.totalMs / static_cast<double>(t.writes) : 0.0, t.maxMs);
    std::fflush(stdout);
    statsEvents_ = events;
}

void Server::accept() {
    while (QWebSocket* socket = server_->nextPendingConnection()) {
        socket->setMaxAllowedIncomingFrameSize(HARD_FRAME_LIMIT);
        socket->setMaxAllowedIncomingMessageSize(HARD_FRAME_LIMIT);
        const ConnId id = ++lastId_;
        sockets_[id] = socket;
        connect(socket, &QWebSocket::textMessageReceived, this, [this, id](const QString& text) {
            Outbox out;
            lobby_->received(id, text.toUtf8(), false, nowMs(), out);
            deliver(out);
        });
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, id](const QByteArray& bytes) {
                    Outbox out;
                    lobby_->received(id, bytes, true, nowMs(), out);
                    deliver(out);
                });
        connect(socket, &QWebSocket::pong, this, [this, id] { lobby_->heard(id, nowMs()); });
        connect(socket, &QWebSocket::disconnected, this, [this, id, socket] {
            sockets_.erase(id);
            socket->deleteLater();
            Outbox out;
            lobby_->closed(id, nowMs(), out);
            deliver(out);
        });
        Outbox out;
        lobby_->opened(id, socket->peerAddress().toString(), nowMs(), out);
        deliver(out);
    }
}

void Server::deliver(const Outbox& out) {
    for (const auto& [id, f] : out.frames) {
        const auto it = sockets_.find(id);
        if (it != sockets_.end()) it->second->sendTextMessage(QString::fromUtf8(f));
    }
    for (const auto& [id, reason] : out.closes) {
        const auto it = sockets_.find(id);
        if (it == sockets_.end()) continue;
        // The connection is closed a moment later, what it still sends being read and dropped
        // meanwhile: a socket closed with unread input is reset, and a reset throws away the
        // answers the client had not yet read.
        QWebSocket* socket = it->second;
        socket->flush();
        QTimer::singleShot(CLOSE_DELAY_MS, socket, [socket, reason] {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, reason.left(120));
        });
    }
}

bool Server::printRecords(const QString& where, QString& error) {
    const std::unique_ptr<Store> store = openStore(where, false, error);
    if (!store) return false;
    const std::vector<StoredGame> games = store->load(error);
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
