#include "server/store.h"

#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <map>

namespace velk::net {

namespace {

bool exec(QSqlDatabase& db, const QString& sql, QString& error) {
    QSqlQuery q(db);
    if (q.exec(sql)) return true;
    error = q.lastError().text();
    return false;
}

}  // namespace

Store::~Store() {
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

bool Store::open(const QString& file, bool syncEveryEvent, QString& error) {
    connection_ = QStringLiteral("velk-store");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(file);
    if (!db.open()) {
        error = db.lastError().text();
        return false;
    }
    // The write-ahead log keeps every commit whole whatever moment the process is killed at.
    return exec(db, QStringLiteral("PRAGMA journal_mode=WAL"), error) &&
           exec(db,
                syncEveryEvent ? QStringLiteral("PRAGMA synchronous=FULL")
                               : QStringLiteral("PRAGMA synchronous=NORMAL"),
                error) &&
           exec(db,
                QStringLiteral("CREATE TABLE IF NOT EXISTS games ("
                               "id TEXT PRIMARY KEY, code TEXT NOT NULL UNIQUE)"),
                error) &&
           exec(db,
                QStringLiteral("CREATE TABLE IF NOT EXISTS events ("
                               "game TEXT NOT NULL REFERENCES games(id), seq INTEGER NOT NULL, "
                               "data TEXT NOT NULL, PRIMARY KEY (game, seq))"),
                error);
}

bool Store::insertEvent(QSqlDatabase& db, const QString& id, int seq, const GameEvent& e,
                        QString& error) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO events (game, seq, data) VALUES (?, ?, ?)"));
    q.addBindValue(id);
    q.addBindValue(seq);
    q.addBindValue(QString::fromUtf8(QJsonDocument(e.toJson()).toJson(QJsonDocument::Compact)));
    if (q.exec()) return true;
    error = q.lastError().text();
    return false;
}

bool Store::create(const QString& id, const QString& code, const GameEvent& created,
                   QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO games (id, code) VALUES (?, ?)"));
    q.addBindValue(id);
    q.addBindValue(code);
    if (!q.exec()) {
        error = q.lastError().text();
        db.rollback();
        return false;
    }
    if (!insertEvent(db, id, 0, created, error)) {
        db.rollback();
        return false;
    }
    if (db.commit()) return true;
    error = db.lastError().text();
    return false;
}

bool Store::append(const QString& id, int seq, const GameEvent& e, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        error = db.lastError().text();
        return false;
    }
    if (!insertEvent(db, id, seq, e, error)) {
        db.rollback();
        return false;
    }
    if (db.commit()) return true;
    error = db.lastError().text();
    return false;
}

std::vector<StoredGame> Store::load(QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    std::vector<StoredGame> games;
    std::map<QString, std::size_t> index;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, code FROM games ORDER BY rowid"))) {
        error = q.lastError().text();
        return {};
    }
    while (q.next()) {
        index[q.value(0).toString()] = games.size();
        games.push_back({q.value(0).toString(), q.value(1).toString(), {}});
    }
    QSqlQuery e(db);
    e.setForwardOnly(true);
    if (!e.exec(QStringLiteral("SELECT game, seq, data FROM events ORDER BY game, seq"))) {
        error = e.lastError().text();
        return {};
    }
    while (e.next()) {
        const auto it = index.find(e.value(0).toString());
        if (it == index.end()) continue;
        StoredGame& g = games[it->second];
        const std::optional<GameEvent> ev =
            GameEvent::fromJson(QJsonDocument::fromJson(e.value(2).toString().toUtf8()).object());
        if (!ev || e.value(1).toInt() != static_cast<int>(g.events.size())) {
            error = QStringLiteral("game %1: event %2 is damaged or out of order")
                        .arg(g.id)
                        .arg(e.value(1).toInt());
            return {};
        }
        g.events.push_back(*ev);
    }
    return games;
}

}  // namespace velk::net
