#include "server/store.h"

#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace velk::net {

namespace {

// The channel on which PostgreSQL tells every server of another's new event (the game's id).
constexpr char CHANNEL[] = "velk_events";

// Copies the SQLite write-ahead log into the database file once a second, on a thread and a
// connection of its own. The copy syncs the disk, which may take tens of milliseconds on a busy
// machine: done by the writer itself, it would hold up every message behind the event that
// happened to fill the log.
class Checkpointer {
  public:
    Checkpointer(const QString& file, const QString& connection)
        : thread_([this, file, connection] { run(file, connection); }) {}
    ~Checkpointer() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    Checkpointer(const Checkpointer&) = delete;
    Checkpointer& operator=(const Checkpointer&) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;

    void run(const QString& file, const QString& connection) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(file);
            if (db.open()) {
                std::unique_lock<std::mutex> lock(mutex_);
                while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return stop_; })) {
                    lock.unlock();
                    QSqlQuery(db).exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
                    lock.lock();
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }
};

// Both databases take the same tables and the same statements; only the set-up of the
// connection and the ordering of games differ.
class SqlStore final : public Store {
  public:
    ~SqlStore() override;
    bool open(const QString& where, bool syncEveryEvent, QString& error);

    bool create(const QString& id, const QString& code, const GameEvent& created,
                QString& error) override;
    Append append(const QString& id, int seq, const GameEvent& e, QString& error) override;
    std::vector<StoredGame> load(QString& error) override;
    std::optional<StoredGame> loadGame(const QString& id, int from, QString& error) override;
    QString gameOfCode(const QString& code, QString& error) override;
    QString gameOfToken(const QByteArray& tokenHash, QString& error) override;
    bool shared() const override { return postgres_; }
    void announce(const QString& message) override;
    qint64 serverId() const override { return backend_; }
    bool alive(qint64 server) override;

  private:
    QString connection_;
    bool postgres_ = false;
    // The PostgreSQL server process of this connection, which ends when this process does.
    qint64 backend_ = 0;
    std::unique_ptr<Checkpointer> checkpointer_;
    // A move's event (no seat to write) in one statement, prepared once: with PostgreSQL it
    // also announces the game when the row went in, and answers a row then.
    std::optional<QSqlQuery> appendMove_;
    // A game's events from a number on, prepared once.
    std::optional<QSqlQuery> eventsFrom_;

    QSqlDatabase db() const { return QSqlDatabase::database(connection_, false); }
    bool exec(const QString& sql, QString& error);
    bool insertEvent(const QString& id, int seq, const GameEvent& e, QString& error,
                     bool* taken = nullptr);
    bool insertSeat(const QString& id, const GameEvent& e, QString& error);
    // Ends a transaction that wrote a game's event: the other servers are told of it on commit.
    bool commitChange(const QString& id, QString& error);
    bool readEvents(QSqlQuery& q, StoredGame& g, QString& error);
    QString lookUp(const QString& sql, const QString& key, QString& error);
};

bool SqlStore::exec(const QString& sql, QString& error) {
    QSqlQuery q(db());
    if (q.exec(sql)) return true;
    error = q.lastError().text();
    return false;
}

SqlStore::~SqlStore() {
    checkpointer_.reset();
    appendMove_.reset();
    eventsFrom_.reset();
    if (connection_.isEmpty()) return;
    {
        QSqlDatabase d = db();
        d.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

bool SqlStore::open(const QString& where, bool syncEveryEvent, QString& error) {
    static int opened = 0;
    connection_ = QStringLiteral("velk-store-%1").arg(++opened);
    postgres_ = where.startsWith(QLatin1String("postgresql://")) ||
                where.startsWith(QLatin1String("postgres://"));
    QSqlDatabase d = QSqlDatabase::addDatabase(
        postgres_ ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), connection_);
    if (!d.isValid()) {
        error = QStringLiteral("no Qt SQL driver for %1 (install libqt6sql6-%2)")
                    .arg(where, postgres_ ? QStringLiteral("psql") : QStringLiteral("sqlite"));
        return false;
    }
    if (postgres_) {
        const QUrl url(where);
        d.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
        d.setPort(url.port(5432));
        d.setUserName(url.userName());
        d.setPassword(url.password());
        d.setDatabaseName(url.path().mid(1));
    } else {
        d.setDatabaseName(where);
    }
    if (!d.open()) {
        error = d.lastError().text();
        return false;
    }
    if (postgres_) {
        // A commit is in the database server's memory when it returns, which a killed game
        // server never loses; without --sync the database writes it to its disk a moment later
        // (a crash of the database's machine may lose the last events, as a power cut may with
        // SQLite), so that a commit does not wait for a disk sync.
        // Two servers starting at once both try to create the tables: the lock lets one do it.
        if (!exec(QStringLiteral("SET client_min_messages = warning"), error) ||
            !exec(syncEveryEvent ? QStringLiteral("SET synchronous_commit = on")
                                 : QStringLiteral("SET synchronous_commit = off"),
                  error) ||
            !exec(QStringLiteral("SELECT pg_advisory_lock(8642)"), error))
            return false;
    } else {
        // The write-ahead log keeps every commit whole whatever moment the process is killed
        // at: a commit is in the log file, which the system keeps when the process dies, before
        // the store returns. NORMAL syncs the disk at checkpoints only, which a killed process
        // does not need (a power cut may lose the last events; --sync syncs each). The
        // checkpoints run beside the writer.
        if (!exec(QStringLiteral("PRAGMA journal_mode=WAL"), error) ||
            !exec(syncEveryEvent ? QStringLiteral("PRAGMA synchronous=FULL")
                                 : QStringLiteral("PRAGMA synchronous=NORMAL"),
                  error) ||
            !exec(QStringLiteral("PRAGMA wal_autocheckpoint=0"), error))
            return false;
    }
    const bool tables =
        exec(QStringLiteral("CREATE TABLE IF NOT EXISTS games ("
                            "id TEXT PRIMARY KEY, code TEXT NOT NULL UNIQUE)"),
             error) &&
        exec(QStringLiteral("CREATE TABLE IF NOT EXISTS events ("
                            "game TEXT NOT NULL REFERENCES games(id), seq INTEGER NOT NULL, "
                            "data TEXT NOT NULL, PRIMARY KEY (game, seq))"),
             error) &&
        exec(QStringLiteral("CREATE TABLE IF NOT EXISTS seats ("
                            "token TEXT PRIMARY KEY, game TEXT NOT NULL REFERENCES games(id))"),
             error);
    if (tables) {
        appendMove_.emplace(d);
        const bool prepared = appendMove_->prepare(
            postgres_ ? QStringLiteral("WITH row AS (INSERT INTO events (game, seq, data) VALUES "
                                       "(?, ?, ?) ON CONFLICT (game, seq) DO NOTHING RETURNING "
                                       "game) SELECT pg_notify('%1', game) FROM row")
                            .arg(QString::fromLatin1(CHANNEL))
                      : QStringLiteral("INSERT INTO events (game, seq, data) VALUES (?, ?, ?) "
                                       "ON CONFLICT (game, seq) DO NOTHING"));
        if (!prepared) {
            error = appendMove_->lastError().text();
            return false;
        }
        eventsFrom_.emplace(d);
        eventsFrom_->setForwardOnly(true);
        if (!eventsFrom_->prepare(
                QStringLiteral("SELECT game, seq, data FROM events WHERE game = ? AND seq >= ? "
                               "ORDER BY seq"))) {
            error = eventsFrom_->lastError().text();
            return false;
        }
    }
    if (!postgres_) {
        if (tables) checkpointer_ = std::make_unique<Checkpointer>(where, connection_ + "-log");
        return tables;
    }
    QString unlockError;
    exec(QStringLiteral("SELECT pg_advisory_unlock(8642)"), unlockError);
    if (!tables) return false;
    QSqlQuery pid(d);
    if (!pid.exec(QStringLiteral("SELECT pg_backend_pid()")) || !pid.next()) {
        error = pid.lastError().text();
        return false;
    }
    backend_ = pid.value(0).toLongLong();
    QSqlDriver* driver = d.driver();
    if (!driver->subscribeToNotification(QString::fromLatin1(CHANNEL))) {
        error = QStringLiteral("cannot listen for the other servers' events: %1")
                    .arg(driver->lastError().text());
        return false;
    }
    QObject::connect(
        driver, &QSqlDriver::notification, driver,
        [this](const QString&, QSqlDriver::NotificationSource source, const QVariant& payload) {
            if (source != QSqlDriver::SelfSource && changed) changed(payload.toString());
        });
    return true;
}

void SqlStore::announce(const QString& message) {
    if (!postgres_) return;
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT pg_notify(?, ?)"));
    q.addBindValue(QString::fromLatin1(CHANNEL));
    q.addBindValue(message);
    q.exec();
}

bool SqlStore::alive(qint64 server) {
    if (!postgres_) return server != 0;
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT 1 FROM pg_stat_activity WHERE pid = ?"));
    q.addBindValue(server);
    // When the question cannot be asked, the other process is taken to be there.
    return !q.exec() || q.next();
}

bool SqlStore::insertEvent(const QString& id, int seq, const GameEvent& e, QString& error,
                           bool* taken) {
    QSqlQuery q(db());
    // The key (game, seq) is taken when another process stored that event first; the insert
    // then does nothing, which leaves the transaction usable.
    q.prepare(
        QStringLiteral("INSERT INTO events (game, seq, data) VALUES (?, ?, ?) "
                       "ON CONFLICT (game, seq) DO NOTHING"));
    q.addBindValue(id);
    q.addBindValue(seq);
    q.addBindValue(QString::fromUtf8(QJsonDocument(e.toJson()).toJson(QJsonDocument::Compact)));
    if (!q.exec()) {
        error = q.lastError().text();
        return false;
    }
    if (q.numRowsAffected() == 1) return true;
    if (taken) *taken = true;
    error = QStringLiteral("game %1 has an event %2 already").arg(id).arg(seq);
    return false;
}

bool SqlStore::insertSeat(const QString& id, const GameEvent& e, QString& error) {
    if (e.type != GameEvent::Type::Create && e.type != GameEvent::Type::Join) return true;
    QSqlQuery q(db());
    q.prepare(QStringLiteral("INSERT INTO seats (token, game) VALUES (?, ?)"));
    q.addBindValue(QString::fromLatin1(e.tokenHash.toHex()));
    q.addBindValue(id);
    if (q.exec()) return true;
    error = q.lastError().text();
    return false;
}

bool SqlStore::commitChange(const QString& id, QString& error) {
    QSqlDatabase d = db();
    if (postgres_) {
        QSqlQuery q(d);
        q.prepare(QStringLiteral("SELECT pg_notify(?, ?)"));
        q.addBindValue(QString::fromLatin1(CHANNEL));
        q.addBindValue(id);
        if (!q.exec()) {
            error = q.lastError().text();
            d.rollback();
            return false;
        }
    }
    if (d.commit()) return true;
    error = d.lastError().text();
    return false;
}

bool SqlStore::create(const QString& id, const QString& code, const GameEvent& created,
                      QString& error) {
    QSqlDatabase d = db();
    if (!d.transaction()) {
        error = d.lastError().text();
        return false;
    }
    QSqlQuery q(d);
    q.prepare(QStringLiteral("INSERT INTO games (id, code) VALUES (?, ?)"));
    q.addBindValue(id);
    q.addBindValue(code);
    if (!q.exec()) {
        error = q.lastError().text();
        d.rollback();
        return false;
    }
    if (!insertEvent(id, 0, created, error) || !insertSeat(id, created, error)) {
        d.rollback();
        return false;
    }
    return commitChange(id, error);
}

Store::Append SqlStore::append(const QString& id, int seq, const GameEvent& e, QString& error) {
    if (e.type != GameEvent::Type::Create && e.type != GameEvent::Type::Join) {
        // One statement is a transaction of its own.
        QSqlQuery& q = *appendMove_;
        q.bindValue(0, id);
        q.bindValue(1, seq);
        q.bindValue(2, QString::fromUtf8(QJsonDocument(e.toJson()).toJson(QJsonDocument::Compact)));
        if (!q.exec()) {
            error = q.lastError().text();
            return Append::Failed;
        }
        const bool stored = postgres_ ? q.next() : q.numRowsAffected() == 1;
        q.finish();
        return stored ? Append::Stored : Append::Taken;
    }
    QSqlDatabase d = db();
    if (!d.transaction()) {
        error = d.lastError().text();
        return Append::Failed;
    }
    bool taken = false;
    if (!insertEvent(id, seq, e, error, &taken) || !insertSeat(id, e, error)) {
        d.rollback();
        if (!taken) return Append::Failed;
        error.clear();
        return Append::Taken;
    }
    return commitChange(id, error) ? Append::Stored : Append::Failed;
}

bool SqlStore::readEvents(QSqlQuery& q, StoredGame& g, QString& error) {
    const int seq = q.value(1).toInt();
    const std::optional<GameEvent> ev =
        GameEvent::fromJson(QJsonDocument::fromJson(q.value(2).toString().toUtf8()).object());
    if (!ev || seq != static_cast<int>(g.events.size())) {
        error = QStringLiteral("game %1: event %2 is damaged or out of order").arg(g.id).arg(seq);
        return false;
    }
    g.events.push_back(*ev);
    return true;
}

std::vector<StoredGame> SqlStore::load(QString& error) {
    std::vector<StoredGame> games;
    std::map<QString, std::size_t> index;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(postgres_ ? QStringLiteral("SELECT id, code FROM games ORDER BY id")
                          : QStringLiteral("SELECT id, code FROM games ORDER BY rowid"))) {
        error = q.lastError().text();
        return {};
    }
    while (q.next()) {
        index[q.value(0).toString()] = games.size();
        games.push_back({q.value(0).toString(), q.value(1).toString(), {}});
    }
    QSqlQuery e(db());
    e.setForwardOnly(true);
    if (!e.exec(QStringLiteral("SELECT game, seq, data FROM events ORDER BY game, seq"))) {
        error = e.lastError().text();
        return {};
    }
    while (e.next()) {
        const auto it = index.find(e.value(0).toString());
        if (it == index.end()) continue;
        if (!readEvents(e, games[it->second], error)) return {};
    }
    return games;
}

std::optional<StoredGame> SqlStore::loadGame(const QString& id, int from, QString& error) {
    StoredGame g{id, {}, {}};
    // The rest of a game known to exist, as another server's event is read, costs one query.
    if (from == 0) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT code FROM games WHERE id = ?"));
        q.addBindValue(id);
        if (!q.exec()) {
            error = q.lastError().text();
            return std::nullopt;
        }
        if (!q.next()) return std::nullopt;
        g.code = q.value(0).toString();
    }
    g.events.resize(static_cast<std::size_t>(from));
    QSqlQuery& e = *eventsFrom_;
    e.bindValue(0, id);
    e.bindValue(1, from);
    if (!e.exec()) {
        error = e.lastError().text();
        return std::nullopt;
    }
    bool ok = true;
    while (ok && e.next()) ok = readEvents(e, g, error);
    e.finish();
    if (!ok) return std::nullopt;
    g.events.erase(g.events.begin(), g.events.begin() + from);
    return g;
}

QString SqlStore::lookUp(const QString& sql, const QString& key, QString& error) {
    QSqlQuery q(db());
    q.prepare(sql);
    q.addBindValue(key);
    if (!q.exec()) {
        error = q.lastError().text();
        return {};
    }
    return q.next() ? q.value(0).toString() : QString();
}

QString SqlStore::gameOfCode(const QString& code, QString& error) {
    return lookUp(QStringLiteral("SELECT id FROM games WHERE code = ?"), code, error);
}

QString SqlStore::gameOfToken(const QByteArray& tokenHash, QString& error) {
    return lookUp(QStringLiteral("SELECT game FROM seats WHERE token = ?"),
                  QString::fromLatin1(tokenHash.toHex()), error);
}

}  // namespace

std::unique_ptr<Store> openStore(const QString& where, bool syncEveryEvent, QString& error) {
    auto store = std::make_unique<SqlStore>();
    if (!store->open(where, syncEveryEvent, error)) return nullptr;
    return store;
}

}  // namespace velk::net
