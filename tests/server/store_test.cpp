// The store through its interface, on each backend: SQLite always, PostgreSQL when
// VELK_TEST_POSTGRES names a database (postgresql://USER@HOST:PORT/DATABASE; its tables are
// dropped first). The same tests run on both: events kept in order, one event per number, games
// found by code and token, and two servers on one store never both taking a turn.
#include "server/store.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

#include "harness.h"
#include "server/lobby.h"
#include "server/protocol.h"

namespace velk::testing {
namespace {

using net::GameEvent;
using net::Store;

class StoreTest : public ::testing::TestWithParam<const char*> {
  protected:
    QTemporaryDir dir;
    QString where;

    void SetUp() override {
        if (QLatin1String(GetParam()) == QLatin1String("sqlite")) {
            where = dir.filePath(QStringLiteral("games.sqlite"));
            return;
        }
        where = qEnvironmentVariable("VELK_TEST_POSTGRES");
        if (where.isEmpty()) GTEST_SKIP() << "VELK_TEST_POSTGRES names no PostgreSQL database";
        const QUrl url(where);
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("wipe"));
            db.setHostName(url.host());
            db.setPort(url.port(5432));
            db.setUserName(url.userName());
            db.setDatabaseName(url.path().mid(1));
            ASSERT_TRUE(db.open()) << "cannot reach " << where.toStdString();
            QSqlQuery wipe(db);
            wipe.exec(QStringLiteral("SET client_min_messages = warning"));
            wipe.exec(QStringLiteral("DROP TABLE IF EXISTS seats, events, games"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("wipe"));
    }

    std::unique_ptr<Store> open() {
        QString error;
        std::unique_ptr<Store> store = net::openStore(where, false, error);
        EXPECT_TRUE(store) << error.toStdString();
        return store;
    }
};

GameEvent event(GameEvent::Type type, Side side, const QByteArray& token = {}) {
    GameEvent e;
    e.type = type;
    e.side = side;
    e.tokenHash = token;
    e.abandonSeconds = type == GameEvent::Type::Create ? 60 : 0;
    e.clock = 36000;
    if (type == GameEvent::Type::Move) e.move = Move{7, 7, 7, 6, 0, MAN_HU, MAN_HU};
    return e;
}

QString json(const GameEvent& e) {
    return QString::fromUtf8(QJsonDocument(e.toJson()).toJson(QJsonDocument::Compact));
}

TEST_P(StoreTest, EventsStayInOrderOneForEachNumber) {
    std::unique_ptr<Store> store = open();
    ASSERT_TRUE(store);
    QString error;
    const GameEvent created = event(GameEvent::Type::Create, Side::Man, "\x01\x02");
    const GameEvent joined = event(GameEvent::Type::Join, Side::Com, "\x03\x04");
    const GameEvent moved = event(GameEvent::Type::Move, Side::Man);
    ASSERT_TRUE(store->create(QStringLiteral("g1"), QStringLiteral("CODE1"), created, error))
        << error.toStdString();
    ASSERT_TRUE(store->create(QStringLiteral("g2"), QStringLiteral("CODE2"),
                              event(GameEvent::Type::Create, Side::Com, "\x05"), error));
    EXPECT_FALSE(store->create(QStringLiteral("g3"), QStringLiteral("CODE1"),
                               event(GameEvent::Type::Create, Side::Com, "\x06"), error))
        << "a code names one game";
    error.clear();
    const struct {
        const char* game;
        int seq;
        GameEvent e;
        Store::Append expected;
    } appends[] = {
        {"g1", 1, joined, Store::Append::Stored}, {"g1", 1, moved, Store::Append::Taken},
        {"g1", 2, moved, Store::Append::Stored},  {"g1", 2, moved, Store::Append::Taken},
        {"g2", 1, moved, Store::Append::Stored},
    };
    for (const auto& a : appends) {
        SCOPED_TRACE(::testing::Message() << a.game << " " << a.seq);
        EXPECT_EQ(store->append(QString::fromLatin1(a.game), a.seq, a.e, error), a.expected)
            << error.toStdString();
    }

    // A second store on the same database reads what the first wrote.
    std::unique_ptr<Store> again = open();
    ASSERT_TRUE(again);
    const std::vector<net::StoredGame> games = again->load(error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].id, "g1");
    EXPECT_EQ(games[0].code, "CODE1");
    ASSERT_EQ(games[0].events.size(), 3u);
    EXPECT_EQ(json(games[0].events[0]), json(created));
    EXPECT_EQ(json(games[0].events[1]), json(joined));
    EXPECT_EQ(json(games[0].events[2]), json(moved));
    ASSERT_EQ(games[1].events.size(), 2u);
    const std::optional<net::StoredGame> tail = again->loadGame(QStringLiteral("g1"), 2, error);
    ASSERT_TRUE(tail);
    ASSERT_EQ(tail->events.size(), 1u);
    EXPECT_EQ(json(tail->events[0]), json(moved));
    EXPECT_FALSE(again->loadGame(QStringLiteral("nope"), 0, error));
    EXPECT_EQ(again->gameOfCode(QStringLiteral("CODE2"), error), "g2");
    EXPECT_EQ(again->gameOfCode(QStringLiteral("CODE9"), error), "");
    EXPECT_EQ(again->gameOfToken("\x03\x04", error), "g1");
    EXPECT_EQ(again->gameOfToken("\x09", error), "");
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

// Two servers, each with its own connection to the store. The second finds the first's game by
// its token and takes over sente's seat, as after a failover, while the first still holds it
// (it has not yet heard of the resumption): both are
// sent sente's move for the same turn. The first stores it; the second finds the turn taken, tells
// its seat the stored move and answers the late one as the first answers the same move sent
// again.
TEST_P(StoreTest, TwoServersOnOneStoreNeverBothTakeATurn) {
    std::unique_ptr<Store> s1 = open(), s2 = open();
    ASSERT_TRUE(s1 && s2);
    QStringList heard;
    s2->changed = [&heard](const QString& message) { heard.append(message); };
    net::ServerOptions options;
    options.tickClock = true;
    net::Lobby first(options, *s1), second(options, *s2);
    const QString address = QStringLiteral("127.0.0.1");
    net::Outbox out;
    const auto frames = [&out](net::ConnId to) {
        std::vector<QJsonObject> f;
        for (const auto& [id, bytes] : out.frames)
            if (id == to) f.push_back(QJsonDocument::fromJson(bytes).object());
        out = {};
        return f;
    };
    first.opened(1, address, 0, out);
    first.opened(2, address, 0, out);
    second.opened(3, address, 0, out);
    first.received(1, R"({"protocol":1,"type":"create","side":"sente","abandon":60})", false, 0,
                   out);
    const QJsonObject created = frames(1).at(0);
    const QString game = created["game"].toString();
    const QByteArray token = created["token"].toString().toLatin1();
    first.received(
        2,
        R"({"protocol":1,"type":"join","code":")" + created["code"].toString().toLatin1() + "\"}",
        false, 0, out);
    frames(2);
    if (s2->shared()) {
        EXPECT_TRUE(waitFor([&] { return heard.contains(game); }, 5000))
            << "the other server is told of the new event";
    }
    second.received(3, R"({"protocol":1,"type":"resume","token":")" + token + "\"}", false, 0, out);
    ASSERT_EQ(frames(3).at(0)["type"].toString(), "view");

    const QByteArray move =
        R"({"protocol":1,"type":"move","token":")" + token + R"(","from":[7,7],"to":[7,6]})";
    first.received(1, move, false, 0, out);
    EXPECT_EQ(frames(1).at(0)["result"].toString(), "accepted");
    second.received(3, move, false, 0, out);
    const std::vector<QJsonObject> late = frames(3);
    ASSERT_EQ(late.size(), 2u);
    EXPECT_EQ(late[0]["type"].toString(), "verdict");
    EXPECT_EQ(late[0]["result"].toString(), "accepted") << "the stored move, told";
    first.received(1, move, false, 0, out);
    const std::vector<QJsonObject> again = frames(1);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(late[1], again[0]);
    EXPECT_EQ(again[0]["type"].toString(), "error");

    QString error;
    const std::optional<net::StoredGame> stored = s1->loadGame(game, 0, error);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->events.size(), 3u);
    for (const net::Lobby* lobby : {&first, &second}) {
        ASSERT_TRUE(lobby->game(game));
        EXPECT_EQ(lobby->game(game)->events(), 3);
        EXPECT_EQ(net::recordJson(lobby->game(game)->match().state()),
                  net::recordJson(net::replay(*stored)->match().state()));
    }
}

// Servers sharing a PostgreSQL store tell one another where the seats are: the opponent hears
// that a seat on another server came and went, and the game can be claimed only once the seat
// has been gone from every server for the game's abandon time.
TEST_P(StoreTest, ASeatOnAnotherServerCountsAsPresent) {
    std::unique_ptr<Store> s1 = open(), s2 = open();
    ASSERT_TRUE(s1 && s2);
    if (!s1->shared()) GTEST_SKIP() << "one SQLite file serves one server";
    net::ServerOptions options;
    net::Lobby first(options, *s1), second(options, *s2);
    qint64 now = 0;
    net::Outbox out;
    s1->changed = [&](const QString& m) { first.changedElsewhere(m, now, out); };
    s2->changed = [&](const QString& m) { second.changedElsewhere(m, now, out); };
    // Every frame connection 1 (sente, on the first server) has been sent, by type.
    std::vector<QJsonObject> sente;
    const auto take = [&] {
        for (const auto& [id, bytes] : out.frames)
            if (id == 1) sente.push_back(QJsonDocument::fromJson(bytes).object());
        out = {};
    };
    const auto told = [&](const char* type, const char* field, const QJsonValue& value) {
        return waitFor([&] {
            take();
            for (const QJsonObject& o : sente)
                if (o["type"].toString() == QLatin1String(type) && o[QLatin1String(field)] == value)
                    return true;
            return false;
        });
    };
    first.opened(1, QStringLiteral("127.0.0.1"), now, out);
    second.opened(2, QStringLiteral("127.0.0.1"), now, out);
    first.received(1, R"({"protocol":1,"type":"create","side":"sente","abandon":5})", false, now,
                   out);
    take();
    const QByteArray code = sente.at(0)["code"].toString().toLatin1();
    const QByteArray token = sente.at(0)["token"].toString().toLatin1();
    second.received(2, R"({"protocol":1,"type":"join","code":")" + code + "\"}", false, now, out);
    EXPECT_TRUE(told("start", "you", QStringLiteral("sente"))) << "the join is told across";
    EXPECT_TRUE(told("opponent", "connected", true));

    const QByteArray claim = R"({"protocol":1,"type":"claim","token":")" + token + "\"}";
    now = 60'000;
    first.received(1, claim, false, now, out);
    take();
    EXPECT_EQ(sente.back()["type"].toString(), "error") << "gote is on the second server";

    second.closed(2, now, out);
    EXPECT_TRUE(told("opponent", "connected", false));
    now += 4'000;
    first.received(1, claim, false, now, out);
    take();
    EXPECT_EQ(sente.back()["type"].toString(), "error") << "gone for 4 s of 5";
    now += 2'000;
    first.received(1, claim, false, now, out);
    EXPECT_TRUE(told("end", "reason", QStringLiteral("abandoned")));
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreTest, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& backend) { return std::string(backend.param); });

}  // namespace
}  // namespace velk::testing
