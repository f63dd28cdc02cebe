// The game server: WebSocket connections carrying the lobby's frames, each holding at most one
// seat of one game. Every message is checked before it touches a game; an event that changes a
// game is written to the store before anyone is told of it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <memory>

#include "server/lobby.h"
#include "server/store.h"

class QTcpServer;
class QWebSocket;
class QWebSocketServer;

namespace velk::net {

class Server : public QObject {
  public:
    explicit Server(ServerOptions options);
    ~Server() override;

    // Opens the store, rebuilds its games and starts listening; false with the reason.
    bool start(QString& error);
    quint16 port() const;
    int games() const { return lobby_ ? lobby_->games() : 0; }

    // The record of every stored game, one line each: "record ID JSON".
    static bool printRecords(const QString& store, QString& error);

  private:
    ServerOptions options_;
    std::unique_ptr<Store> store_;
    std::unique_ptr<Lobby> lobby_;
    QTcpServer* listener_ = nullptr;
    QWebSocketServer* server_ = nullptr;
    QTimer pinger_;
    QTimer stats_;
    QElapsedTimer statsClock_;
    qint64 statsEvents_ = 0;
    std::map<ConnId, QWebSocket*> sockets_;
    ConnId lastId_ = 0;
    qint64 lastPing_ = 0;

    void accept();
    void deliver(const Outbox& out);
    void printStats();
};

}  // namespace velk::net
