// The server's games and the connections that hold their seats, without any socket: a message is
// handed in as the frame's bytes with the connection's number and the time, and what is to be
// sent (and which connections are to be closed) comes back in an outbox. The WebSocket server
// carries the bytes; tests and the fuzzer call it directly.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QJsonObject>
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "server/net_game.h"
#include "server/store.h"

namespace velk::net {

struct ServerOptions {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 8642;
    // A SQLite file, or a postgresql:// address.
    QString store = QStringLiteral("velk-tsuitate-server.sqlite");
    // Messages one connection may send in a second before it is closed.
    int maxRate = 100;
    // Seconds a connection may stay silent (no message, no answer to a ping) before it is closed;
    // this also ends a connection stalled in the middle of a frame.
    int timeout = 30;
    // Seconds a new connection has to send its first message that is taken before it is closed.
    int helloTimeout = 10;
    // Connections one address may hold at once; one more is refused (0: no limit).
    int maxPerAddress = 100;
    // Failed joins from one address within a minute before its joins are refused for the minute.
    int maxFailedJoins = 5;
    // The clocks read one second per judged move instead of the time of day, so that the same
    // moves give the same bytes (for tests).
    bool tickClock = false;
    // Every event is synced to the disk before it is told, not only written to the store's file.
    bool syncEveryEvent = false;
    // Seconds between two lines of figures on standard output; 0 prints none.
    int statsSeconds = 0;
};

using ConnId = quint64;

// What one call leaves to be done: frames to send, in order, then connections to close (each
// after its frames, with the reason).
struct Outbox {
    std::vector<std::pair<ConnId, QByteArray>> frames;
    std::vector<std::pair<ConnId, QString>> closes;
};

class Lobby {
  public:
    Lobby(const ServerOptions& options, Store& store);

    // Rebuilds the stored games; false with the reason.
    bool load(QString& error);

    // A new connection from an address; false when it is refused (the outbox holds the reason
    // and its close).
    bool opened(ConnId id, const QString& address, qint64 nowMs, Outbox& out);
    void closed(ConnId id, qint64 nowMs, Outbox& out);
    // A frame a connection sent.
    void received(ConnId id, const QByteArray& bytes, bool binary, qint64 nowMs, Outbox& out);
    // The connection answered a ping.
    void heard(ConnId id, qint64 nowMs);
    // Closes the connections that have been silent too long or never said anything taken.
    void tick(qint64 nowMs, Outbox& out);
    // Another process's announcement: a game's id when it stored events of the game (they are
    // read and told to the seats held here), or "ID SIDE 1 SERVER" / "ID SIDE 0 SERVER" when a
    // seat connected to it or left it.
    void changedElsewhere(const QString& message, qint64 nowMs, Outbox& out);

    int games() const { return static_cast<int>(rooms_.size()); }
    int connections() const { return static_cast<int>(connections_.size()); }
    // Events this process stored, and those it read from other processes.
    qint64 eventsStored() const { return eventsStored_; }
    // Time spent writing events to the store since the last call.
    struct StoreTimes {
        qint64 writes = 0;
        double totalMs = 0;
        double maxMs = 0;
    };
    StoreTimes takeStoreTimes() { return std::exchange(storeTimes_, {}); }
    // A game's events as they stand, for the checks of tests and the fuzzer; null when unknown.
    const NetGame* game(const QString& id) const;

  private:
    struct Connection {
        ConnId id = 0;
        QString address;
        NetGame* game = nullptr;
        Side side = Side::None;
        qint64 windowStart = 0;
        int messagesInWindow = 0;
        qint64 openedAt = 0;
        qint64 lastHeard = 0;
        // A message of this connection has been taken.
        bool greeted = false;
        // An error has ended the connection; it is being closed.
        bool closing = false;
    };
    struct Room {
        std::unique_ptr<NetGame> game;
        ConnId seatMAN = 0;
        ConnId seatCOM = 0;
        // When each seat was last connected (milliseconds since the epoch).
        qint64 goneSinceMAN = 0;
        qint64 goneSinceCOM = 0;
        ConnId& seat(Side s) { return s == Side::Com ? seatCOM : seatMAN; }
        qint64& goneSince(Side s) { return s == Side::Com ? goneSinceCOM : goneSinceMAN; }
    };

    const ServerOptions& options_;
    Store& store_;
    Outbox* out_ = nullptr;
    qint64 now_ = 0;
    // The connection whose message is being read, and whether it was answered with an error.
    ConnId current_ = 0;
    bool failed_ = false;
    std::map<ConnId, Connection> connections_;
    std::map<QString, int> perAddress_;
    std::map<QString, Room> rooms_;
    std::map<QString, QString> codes_;
    std::map<QByteArray, QString> tokens_;
    std::map<QString, std::deque<qint64>> failedJoins_;
    // Seats held by other processes sharing the store: (game, side) -> that process.
    std::map<std::pair<QString, Side>, qint64> elsewhere_;
    qint64 eventsStored_ = 0;
    StoreTimes storeTimes_;

    void dispatch(Connection& c, const QByteArray& bytes, bool binary);
    void create(Connection& c, const QJsonObject& m);
    void join(Connection& c, const QJsonObject& m);
    void resume(Connection& c, const QJsonObject& m);
    void move(Connection& c, const QJsonObject& m);
    void resign(Connection& c);
    void claim(Connection& c);

    // The game a code or a token names, looked for in the store when it is not known here (it
    // may have been created by another process).
    Room* roomByCode(const QString& code);
    Room* roomByToken(const QByteArray& hash);
    Room& adopt(StoredGame&& g);
    // The game of that id, read from the store when it is not known here; null when none.
    Room* fromStore(const QString& id);
    // The seat the message's token names, bound to this connection; else an error is sent.
    Room* seatOf(Connection& c, const QJsonObject& m);
    void bind(Connection& c, Room& room, Side side);
    void send(ConnId to, const QByteArray& frame);
    void sendSeat(Room& room, Side side, const QByteArray& frame);
    void fail(Connection& c, const QString& reason, bool close = false);
    // Stores an event of a game and applies it; a store that cannot be written stops the server.
    // Empty when another process stored the game's next event first: the game is then brought
    // up to the store's, its seats here told, and the caller judges again.
    std::optional<Verdict> commit(Room& room, const GameEvent& e);
    // Reads a game's events that other processes stored and tells the seats held here; with
    // rebuild, the game's last event (one the store refused) is undone first.
    void catchUp(Room& room, bool rebuild);
    // What the seats are told of an event just applied.
    void tellEvent(Room& room, const GameEvent& e, const Verdict& v, ConnId mover);
    void tellEnd(Room& room);
    void endBy(Room& room, Side side, GameEvent::Type type);
    void sendView(Room& room, Side side);
    // Whether a seat is connected, here or to another process.
    bool present(Room& room, Side side) const;
    // Tells the other processes that a seat connected here or left.
    void announceSeat(const Room& room, Side side, bool here);
    void seatElsewhere(const QString& game, Side side, bool connected, qint64 server);
    double clockReading(const NetGame& game) const;
};

// Replays a stored game's events into a fresh game.
std::unique_ptr<NetGame> replay(const StoredGame& g);

}  // namespace velk::net
