// The game server: WebSocket connections, each holding at most one seat of one game, and the
// games they play. Every message is checked before it touches a game; an event that changes a
// game is written to the store before anyone is told of it.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>

#include "server/net_game.h"
#include "server/store.h"

class QTcpServer;
class QWebSocket;
class QWebSocketServer;

namespace velk::net {

struct ServerOptions {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 8642;
    QString store = QStringLiteral("velk-tsuitate-server.sqlite");
    // Messages one connection may send in a second before it is closed.
    int maxRate = 100;
    // Seconds a connection may stay silent (no message, no answer to a ping) before it is closed;
    // this also ends a connection stalled in the middle of a frame.
    int timeout = 30;
    // Failed joins from one address within a minute before its joins are refused for the minute.
    int maxFailedJoins = 5;
    // The clocks read one second per judged move instead of the time of day, so that the same
    // moves give the same bytes (for tests).
    bool tickClock = false;
    // Every event is synced to the disk before it is told, not only written to the store's file.
    bool syncEveryEvent = false;
};

class Server : public QObject {
  public:
    explicit Server(ServerOptions options);
    ~Server() override;

    // Opens the store, rebuilds its games and starts listening; false with the reason.
    bool start(QString& error);
    quint16 port() const;
    int games() const { return static_cast<int>(rooms_.size()); }

    // The record of every stored game, one line each: "record ID JSON".
    static bool printRecords(const QString& storeFile, QString& error);

  private:
    struct Connection {
        QWebSocket* socket = nullptr;
        QString address;
        NetGame* game = nullptr;
        Side side = Side::None;
        qint64 windowStart = 0;
        int messagesInWindow = 0;
        qint64 lastHeard = 0;
        // An error has ended the connection; it is being closed.
        bool closing = false;
    };
    struct Room {
        std::unique_ptr<NetGame> game;
        QWebSocket* seatMAN = nullptr;
        QWebSocket* seatCOM = nullptr;
        // When each seat was last connected (milliseconds since the epoch).
        qint64 goneSinceMAN = 0;
        qint64 goneSinceCOM = 0;
        QWebSocket*& seat(Side s) { return s == Side::Com ? seatCOM : seatMAN; }
        qint64& goneSince(Side s) { return s == Side::Com ? goneSinceCOM : goneSinceMAN; }
    };

    ServerOptions options_;
    Store store_;
    QTcpServer* listener_ = nullptr;
    QWebSocketServer* server_ = nullptr;
    QTimer pinger_;
    std::map<QWebSocket*, Connection> connections_;
    std::map<QString, Room> rooms_;
    std::map<QString, QString> codes_;
    std::map<QByteArray, QString> tokens_;
    std::map<QString, std::deque<qint64>> failedJoins_;

    void accept();
    void received(QWebSocket* socket, const QByteArray& bytes, bool binary);
    void dropped(QWebSocket* socket);
    void ping();

    void create(Connection& c, const QJsonObject& m);
    void join(Connection& c, const QJsonObject& m);
    void resume(Connection& c, const QJsonObject& m);
    void move(Connection& c, const QJsonObject& m);
    void resign(Connection& c);
    void claim(Connection& c);

    // The seat the message's token names, bound to this connection; else an error is sent.
    Room* seatOf(Connection& c, const QJsonObject& m);
    void bind(Connection& c, Room& room, Side side);
    void send(QWebSocket* socket, const QByteArray& frame);
    void sendSeat(Room& room, Side side, const QByteArray& frame);
    void fail(Connection& c, const QString& reason, bool close = false);
    // Stores an event of a game and applies it; a store that cannot be written stops the server.
    Verdict commit(Room& room, const GameEvent& e);
    void tellEnd(Room& room);
    void endBy(Room& room, Side side, GameEvent::Type type);
    void sendView(Room& room, Side side);
    double clockReading(const NetGame& game) const;
    static QByteArray hashOf(const QString& token);
};

}  // namespace velk::net
