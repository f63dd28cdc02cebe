// Malformed and hostile messages: each gets an error frame with a clear reason (and a close where
// the connection cannot go on), the server stays up, and no game changes: the store, which holds
// every change, has not one event more.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "harness.h"

namespace velk::testing {
namespace {

int storedEvents(const QString& store) {
    int n = -1;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(store);
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT COUNT(*) FROM events")) && q.next())
            n = q.value(0).toInt();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return n;
}

// Who sends: the seat of sente (A), of gote (B), a new connection, a new connection sending a
// binary frame, a bare TCP connection that sends half a frame and stops, or a new connection
// beyond the number one address may hold.
enum class Who { A, B, Fresh, Binary, HalfFrame, Crowd };

struct Hostile {
    const char* what;
    Who who;
    std::vector<std::string> frames;  // {A}, {B}, {code}, {code2} and {big} are filled in
    const char* reply;                // part of the answering frame
    bool closes;
};

const std::string MOVE = R"({"protocol":1,"type":"move",)";

TEST(Server, HostileInputGetsAReasonAndChangesNoGame) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("games.sqlite"));
    ServerProcess server(
        store, 0,
        {QStringLiteral("--max-rate"), QStringLiteral("20"), QStringLiteral("--timeout"),
         QStringLiteral("2"), QStringLiteral("--hello-timeout"), QStringLiteral("2"),
         QStringLiteral("--max-per-address"), QStringLiteral("6")});
    ASSERT_TRUE(server.running());

    // A game under way, gote to move; a second game waiting for its second seat.
    Client a(server.url()), b(server.url()), c(server.url());
    a.send({{QStringLiteral("type"), QStringLiteral("create")},
            {QStringLiteral("side"), QStringLiteral("sente")},
            {QStringLiteral("abandon"), 600}});
    const QJsonObject created = a.nextOfType(QStringLiteral("created"));
    b.send({{QStringLiteral("type"), QStringLiteral("join")},
            {QStringLiteral("code"), created.value(QStringLiteral("code"))}});
    const QString tokenB = b.nextOfType(QStringLiteral("joined"))["token"].toString();
    const QString tokenA = created["token"].toString();
    a.sendText(QString::fromStdString(MOVE) + R"("token":")" + tokenA +
               R"(","from":[7,7],"to":[7,6]})");
    ASSERT_EQ(a.nextOfType(QStringLiteral("verdict"))["result"].toString(), "accepted");
    c.send({{QStringLiteral("type"), QStringLiteral("create")},
            {QStringLiteral("side"), QStringLiteral("random")},
            {QStringLiteral("abandon"), 60}});
    const QString code2 = c.nextOfType(QStringLiteral("created"))["code"].toString();
    const int events = storedEvents(store);
    ASSERT_EQ(events, 4);

    const std::string create = R"({"protocol":1,"type":"create","side":"sente",)";
    const std::string unknown = R"({"protocol":1,"type":"hello"})";
    const std::string guess = R"({"protocol":1,"type":"join","code":"QQQQQQQQ"})";
    const Hostile table[] = {
        {"invalid JSON", Who::Fresh, {R"({"protocol":1,"type":)"}, "not JSON", false},
        {"not an object", Who::Fresh, {"[1,2,3]"}, "one JSON object", false},
        {"no protocol",
         Who::Fresh,
         {R"({"type":"create","side":"sente","abandon":60})"},
         R"("protocol\" must be 1)",
         false},
        {"another protocol",
         Who::Fresh,
         {R"({"protocol":2,"type":"create","side":"sente","abandon":60})"},
         R"("protocol\" must be 1)",
         false},
        {"an unknown type", Who::Fresh, {unknown}, R"(unknown type \"hello\")", false},
        {"a missing field",
         Who::Fresh,
         {R"({"protocol":1,"type":"join"})"},
         R"("code\" must be a string)",
         false},
        {"a wrong-typed field",
         Who::Fresh,
         {create + R"("abandon":"soon"})"},
         R"("abandon\" must be a whole number)",
         false},
        {"a time beyond any whole number",
         Who::Fresh,
         {create + R"("abandon":1e300})"},
         R"("abandon\" must be a whole number)",
         false},
        {"a side that is none",
         Who::Fresh,
         {create + R"("side":"both","abandon":60})"},
         R"("side\" must be)",
         false},
        {"a wrong-typed square",
         Who::B,
         {MOVE + R"("token":"{B}","from":"33","to":[3,4]})"},
         R"("from\" must be a square)",
         false},
        {"a square off the board",
         Who::B,
         {MOVE + R"("token":"{B}","from":[3,3],"to":[3,10]})"},
         R"("to\" must be a square)",
         false},
        {"a square beyond any whole number",
         Who::B,
         {MOVE + R"("token":"{B}","from":[3,3],"to":[-1e300,4]})"},
         R"("to\" must be a square)",
         false},
        {"a move out of turn",
         Who::A,
         {MOVE + R"("token":"{A}","from":[2,7],"to":[2,6]})"},
         "not your turn",
         false},
        {"a move of a piece the mover cannot see",
         Who::B,
         {MOVE + R"("token":"{B}","from":[5,9],"to":[5,8]})"},
         "none of your pieces",
         false},
        {"a move from an empty square, answered alike",
         Who::B,
         {MOVE + R"("token":"{B}","from":[5,5],"to":[5,6]})"},
         "none of your pieces",
         false},
        {"a move for the other seat",
         Who::A,
         {MOVE + R"("token":"{B}","from":[3,3],"to":[3,4]})"},
         "not held by this connection",
         false},
        {"another connection's token",
         Who::Fresh,
         {MOVE + R"("token":"{B}","from":[3,3],"to":[3,4]})"},
         "not held by this connection",
         false},
        {"a claim while the opponent is here",
         Who::A,
         {R"({"protocol":1,"type":"claim","token":"{A}"})"},
         "has not been gone for 600 seconds",
         false},
        {"a wrong token",
         Who::Fresh,
         {R"({"protocol":1,"type":"resume","token":"00ff"})"},
         "no seat has this token",
         false},
        {"a seat taken twice",
         Who::Fresh,
         {R"({"protocol":1,"type":"join","code":"{code}"})"},
         "already taken",
         false},
        {"a binary frame", Who::Binary, {unknown}, "binary frames are not taken", false},
        {"a frame over 64 KiB",
         Who::Fresh,
         {R"({"protocol":1,"type":"{big}"})"},
         "at most 65536 bytes",
         true},
        {"too many messages a second", Who::Fresh, std::vector<std::string>(25, unknown),
         "more than 20 messages a second", true},
        {"half a frame, then nothing", Who::HalfFrame, {}, "", true},
        {"a connection that says nothing",
         Who::Fresh,
         {},
         "no message taken within 2 seconds",
         true},
        {"more connections from one address than it may hold",
         Who::Crowd,
         {unknown},
         "more than 6 connections from your address",
         true},
        // Last: the address is barred from joining for a minute afterwards.
        {"join codes guessed",
         Who::Fresh,
         {guess, guess, guess, guess, guess, R"({"protocol":1,"type":"join","code":"{code2}"})"},
         "too many failed joins",
         false},
    };
    for (const Hostile& h : table) {
        SCOPED_TRACE(h.what);
        std::unique_ptr<Client> fresh;
        // The three seats' connections are open; the crowd fills the address's allowance.
        std::vector<std::unique_ptr<Client>> crowd;
        for (int i = 3; h.who == Who::Crowd && i < 6; ++i)
            crowd.push_back(std::make_unique<Client>(server.url()));
        Client* client = h.who == Who::A ? &a : h.who == Who::B ? &b : nullptr;
        if (!client && h.who != Who::HalfFrame) {
            fresh = std::make_unique<Client>(server.url());
            client = fresh.get();
        }
        if (h.who == Who::HalfFrame) {
            QTcpSocket raw;
            raw.connectToHost(QStringLiteral("127.0.0.1"), server.port());
            ASSERT_TRUE(waitFor([&] { return raw.state() == QAbstractSocket::ConnectedState; }));
            raw.write(
                "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                "Sec-WebSocket-Version: 13\r\n\r\n");
            QByteArray answer;
            ASSERT_TRUE(waitFor([&] {
                answer += raw.readAll();
                return answer.contains("\r\n\r\n");
            }));
            ASSERT_TRUE(answer.startsWith("HTTP/1.1 101")) << answer.toStdString();
            // A masked text frame's first bytes, and not the rest.
            raw.write("\x81\xFE\x01");
            EXPECT_TRUE(
                waitFor([&] { return raw.state() == QAbstractSocket::UnconnectedState; }, 10000))
                << "a stalled connection is closed";
        } else {
            for (const std::string& f : h.frames) {
                QString text = QString::fromStdString(f);
                text.replace(QLatin1String("{A}"), tokenA)
                    .replace(QLatin1String("{B}"), tokenB)
                    .replace(QLatin1String("{code}"), created["code"].toString())
                    .replace(QLatin1String("{code2}"), code2)
                    .replace(QLatin1String("{big}"), QString(70000, QLatin1Char('x')));
                if (h.who == Who::Binary)
                    client->socket().sendBinaryMessage(text.toUtf8());
                else
                    client->sendText(text);
            }
            QByteArray answer;
            do answer = client->next(5000);
            while (!answer.isEmpty() && !answer.contains(h.reply));
            EXPECT_TRUE(answer.contains(h.reply)) << "no frame said: " << h.reply;
            if (h.closes) {
                EXPECT_TRUE(waitFor([&] { return !client->open(); }, 10000));
            }
        }
        ASSERT_TRUE(server.running());
        EXPECT_EQ(storedEvents(store), events);
    }
    // The game goes on as it stood.
    EXPECT_TRUE(a.open() && b.open());
    b.sendText(QString::fromStdString(MOVE) + R"("token":")" + tokenB +
               R"(","from":[3,3],"to":[3,4]})");
    EXPECT_EQ(b.nextOfType(QStringLiteral("verdict"))["result"].toString(), "accepted");
    EXPECT_EQ(storedEvents(store), events + 1);
}

}  // namespace
}  // namespace velk::testing
