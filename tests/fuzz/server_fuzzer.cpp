// libFuzzer entry for the server's message reader and dispatch, without sockets: a game under
// way between two seats, and any frames from either seat or from newcomers. The server must
// never crash, every frame it sends must be one JSON object of the protocol, a message answered
// with an error must leave the store as it was, and every game must stay exactly the replay of
// its stored events.
//
// The input is lines, each one frame: its first byte picks the sender (bits 0-1: sente's seat,
// gote's seat, a newcomer, or a newcomer that is closed afterwards), a binary frame (bit 2) and
// how far the time moves on (bits 3-7, tenths of a second); the rest is the frame, in which
// {A}, {B} and {C} stand for sente's token, gote's token and the game's join code.
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

#include "server/lobby.h"
#include "server/protocol.h"

namespace {

using namespace velk::net;
using velk::Side;

// The store kept in memory, with the same rule as the databases: one event per number.
class MemoryStore final : public Store {
  public:
    std::map<QString, StoredGame> games;
    std::size_t events = 0;

    bool create(const QString& id, const QString& code, const GameEvent& created,
                QString&) override {
        games[id] = StoredGame{id, code, {created}};
        ++events;
        return true;
    }
    Append append(const QString& id, int seq, const GameEvent& e, QString&) override {
        StoredGame& g = games.at(id);
        if (static_cast<std::size_t>(seq) != g.events.size()) return Append::Taken;
        g.events.push_back(e);
        ++events;
        return Append::Stored;
    }
    std::vector<StoredGame> load(QString&) override { return {}; }
    std::optional<StoredGame> loadGame(const QString& id, int from, QString&) override {
        const auto it = games.find(id);
        if (it == games.end()) return std::nullopt;
        StoredGame g = it->second;
        g.events.erase(g.events.begin(),
                       g.events.begin() + std::min<std::ptrdiff_t>(
                                              from, static_cast<std::ptrdiff_t>(g.events.size())));
        return g;
    }
    QString gameOfCode(const QString&, QString&) override { return {}; }
    QString gameOfToken(const QByteArray&, QString&) override { return {}; }
};

void check(bool ok) {
    if (!ok) std::abort();
}

QJsonObject object(const QByteArray& f) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f, &error);
    check(error.error == QJsonParseError::NoError && doc.isObject());
    const QJsonObject o = doc.object();
    check(o.value(QStringLiteral("protocol")).toInt() == PROTOCOL);
    check(o.value(QStringLiteral("type")).isString());
    return o;
}

// The frames sent to one connection, each checked.
std::vector<QJsonObject> sentTo(const Outbox& out, ConnId id) {
    std::vector<QJsonObject> frames;
    for (const auto& [to, f] : out.frames) {
        const QJsonObject o = object(f);
        if (to == id) frames.push_back(o);
    }
    return frames;
}

QJsonObject firstOf(const std::vector<QJsonObject>& frames, const char* type) {
    for (const QJsonObject& o : frames)
        if (o.value(QStringLiteral("type")).toString() == QLatin1String(type)) return o;
    std::abort();
}

QByteArray text(const char* s) {
    return QByteArray(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ServerOptions options;
    options.tickClock = true;
    options.maxRate = 20;
    MemoryStore store;
    Lobby lobby(options, store);
    qint64 now = 1'000'000;
    const QString address = QStringLiteral("127.0.0.1");

    // A game under way, gote to move.
    Outbox out;
    lobby.opened(1, address, now, out);
    lobby.opened(2, address, now, out);
    lobby.received(1, text(R"({"protocol":1,"type":"create","side":"sente","abandon":5})"), false,
                   now, out);
    const QJsonObject created = firstOf(sentTo(out, 1), "created");
    const QString tokenA = created.value(QStringLiteral("token")).toString();
    const QString code = created.value(QStringLiteral("code")).toString();
    const QString game = created.value(QStringLiteral("game")).toString();
    out = {};
    lobby.received(2, R"({"protocol":1,"type":"join","code":")" + code.toLatin1() + "\"}", false,
                   now, out);
    const QString tokenB =
        firstOf(sentTo(out, 2), "joined").value(QStringLiteral("token")).toString();
    out = {};
    lobby.received(1,
                   R"({"protocol":1,"type":"move","token":")" + tokenA.toLatin1() +
                       R"(","from":[7,7],"to":[7,6]})",
                   false, now, out);
    check(firstOf(sentTo(out, 1), "verdict").value(QStringLiteral("result")).toString() ==
          QLatin1String("accepted"));

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    ConnId next = 3;
    for (int frames = 0; start < input.size() && frames < 64; ++frames) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        const auto head = static_cast<std::uint8_t>(line[0]);
        QByteArray bytes(line.data() + 1, static_cast<qsizetype>(line.size() - 1));
        bytes.replace("{A}", tokenA.toLatin1())
            .replace("{B}", tokenB.toLatin1())
            .replace("{C}", code.toLatin1());
        now += (head >> 3) * 100;
        const int who = head & 3;
        const ConnId id = who == 0 ? 1 : who == 1 ? 2 : next++;
        out = {};
        if (who >= 2) lobby.opened(id, address, now, out);
        const std::size_t before = store.events;
        const int eventsBefore = lobby.game(game)->events();
        lobby.received(id, bytes, (head & 4) != 0, now, out);
        bool error = false;
        for (const QJsonObject& o : sentTo(out, id))
            error = error || o.value(QStringLiteral("type")).toString() == QLatin1String("error");
        if (error) {
            check(store.events == before);
            check(lobby.game(game)->events() == eventsBefore);
        }
        out = {};
        if (who == 3) lobby.closed(id, now, out);
        lobby.tick(now, out);
        sentTo(out, 0);
    }

    // Every game is the replay of what the store holds of it.
    for (const auto& [id, stored] : store.games) {
        const NetGame* g = lobby.game(id);
        check(g != nullptr && g->events() == static_cast<int>(stored.events.size()));
        const std::unique_ptr<NetGame> again = replay(stored);
        check(recordJson(again->match().state()) == recordJson(g->match().state()));
        check(again->state() == g->state() && again->end() == g->end());
        for (const Side s : {Side::Man, Side::Com})
            check(again->view(s).events.size() == g->view(s).events.size());
    }
    return 0;
}
