// The server's store: one SQLite file holding every game's events in order. An event is written,
// in a transaction of its own, before any client is told of it; a restarted server replays them.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <vector>

#include "server/net_game.h"

namespace velk::net {

struct StoredGame {
    QString id;
    QString code;
    std::vector<GameEvent> events;
};

class Store {
  public:
    Store() = default;
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Opens the file, creating it and its tables on first use. With syncEveryEvent each event
    // is on the disk before it is told (a power cut loses nothing told); without, it is in the
    // file, which a killed server never loses, and the disk is synced at checkpoints.
    bool open(const QString& file, bool syncEveryEvent, QString& error);

    // Writes a new game with its creation.
    bool create(const QString& id, const QString& code, const GameEvent& created, QString& error);
    // Writes a game's event number seq.
    bool append(const QString& id, int seq, const GameEvent& e, QString& error);

    // Every game with its events, in the order they happened.
    std::vector<StoredGame> load(QString& error);

  private:
    QString connection_;
    bool insertEvent(QSqlDatabase& db, const QString& id, int seq, const GameEvent& e,
                     QString& error);
};

}  // namespace velk::net
