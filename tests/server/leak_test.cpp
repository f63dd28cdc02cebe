// What leaves the server is only a side's view: random games are played twice through the real
// server, the second differing only in one move of the hidden side (another piece to the same
// square, a drop or not alike, taking the same piece), and the other side's client must receive
// the very same bytes until the referee rightly announces something different. Each client's
// view rebuilt from its frames must be the referee's view of its side.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <optional>
#include <random>
#include <vector>

#include "board/rules.h"
#include "harness.h"
#include "server/net_game.h"
#include "server/protocol.h"

namespace velk::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int GAMES = 6;
#else
constexpr int GAMES = 30;
#endif

struct Step {
    Side side;
    QJsonObject move;  // as the client sends it, without its token
};

// The referee of the game as the server runs it, fed the same moves.
struct Oracle {
    net::NetGame game{QStringLiteral("g"), QStringLiteral("c")};
    Oracle() {
        net::GameEvent e;
        e.side = Side::Man;
        e.tokenHash = "m";
        game.apply(e);
        e.type = net::GameEvent::Type::Join;
        e.side = Side::Com;
        e.tokenHash = "c";
        game.apply(e);
    }
    // The verdict, or none when the server takes no move (not a move, or the game is over).
    std::optional<Verdict> play(const Step& s) {
        QString error;
        const std::optional<Move> m = net::moveFromJson(s.move, game.view(s.side), error);
        if (!m || game.state() != net::NetGame::State::Playing) return std::nullopt;
        net::GameEvent e;
        e.type = net::GameEvent::Type::Move;
        e.side = s.side;
        e.move = *m;
        return game.apply(e);
    }
    explicit Oracle(const std::vector<Step>& steps, std::size_t n) : Oracle() {
        for (std::size_t i = 0; i < n && i < steps.size(); ++i) play(steps[i]);
    }
    std::vector<QJsonObject> events(Side side) const {
        std::vector<QJsonObject> out;
        for (const SeenEvent& e : game.view(side).events) out.push_back(net::eventJson(e));
        return out;
    }
};

std::vector<Move> movesOnView(const SideView& v) {
    Position own;
    own.board = v.board;
    own.hand(v.side) = v.ownHand;
    std::vector<Move> moves;
    forEachMove(own, v.side, [&](const Move& m) {
        moves.push_back(m);
        return true;
    });
    return moves;
}

std::vector<Step> randomGame(std::mt19937& rng) {
    Oracle o;
    std::vector<Step> steps;
    while (o.game.state() == net::NetGame::State::Playing && steps.size() < 400) {
        const Side side = o.game.match().sideToMove();
        const std::vector<Move> moves = movesOnView(o.game.view(side));
        if (moves.empty()) break;
        steps.push_back({side, net::moveJson(moves[rng() % moves.size()])});
        o.play(steps.back());
    }
    return steps;
}

// The game with one accepted move of the hidden side replaced by another that lands on the same
// square the same way and is accepted too; the step it replaced, or none.
std::optional<std::size_t> hideDifferently(std::vector<Step>& steps, Side hidden,
                                           std::mt19937& rng) {
    const std::size_t start = rng() % steps.size();
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const std::size_t i = (start + k) % steps.size();
        if (steps[i].side != hidden) continue;
        Oracle before(steps, i);
        QString error;
        const std::optional<Move> played =
            net::moveFromJson(steps[i].move, before.game.view(hidden), error);
        if (!played) continue;
        for (const Move& m : movesOnView(before.game.view(hidden))) {
            if (m.toX != played->toX || m.toY != played->toY || m.isDrop() != played->isDrop() ||
                net::moveJson(m) == steps[i].move)
                continue;
            Oracle a(steps, i), b(steps, i);
            const std::optional<Verdict> va = a.play(steps[i]);
            const std::optional<Verdict> vb = b.play({hidden, net::moveJson(m)});
            if (!va || !vb || !va->accepted() || !vb->accepted() || va->captured != vb->captured)
                continue;
            steps[i].move = net::moveJson(m);
            return i;
        }
    }
    return std::nullopt;
}

struct Played {
    std::vector<QByteArray> frames;   // what the watching side's client received
    std::vector<QJsonObject> events;  // the watching side's view, as the referee has it
};

// Plays the steps through the server with a client on each seat; the watching side's frames.
Played playThrough(const QString& url, const std::vector<Step>& steps, Side watcher) {
    Oracle oracle;
    Client man(url), com(url);
    man.send({{QStringLiteral("type"), QStringLiteral("create")},
              {QStringLiteral("side"), QStringLiteral("sente")},
              {QStringLiteral("abandon"), 600}});
    const QJsonObject created = man.nextOfType(QStringLiteral("created"));
    com.send({{QStringLiteral("type"), QStringLiteral("join")},
              {QStringLiteral("code"), created.value(QStringLiteral("code"))}});
    const QJsonObject joined = com.nextOfType(QStringLiteral("joined"));
    const QString tokens[] = {created.value(QStringLiteral("token")).toString(),
                              joined.value(QStringLiteral("token")).toString()};
    for (const Step& s : steps) {
        const bool isMan = s.side == Side::Man;
        Client& mover = isMan ? man : com;
        Client& other = isMan ? com : man;
        QJsonObject o = s.move;
        o.insert(QStringLiteral("token"), tokens[isMan ? 0 : 1]);
        mover.send(o);
        const std::optional<Verdict> v = oracle.play(s);
        QJsonObject reply;
        do reply = mover.nextObject();
        while (!reply.isEmpty() &&
               reply.value(QStringLiteral("type")) != QLatin1String("verdict") &&
               reply.value(QStringLiteral("type")) != QLatin1String("error"));
        EXPECT_EQ(reply.value(QStringLiteral("type")).toString(),
                  v ? QStringLiteral("verdict") : QStringLiteral("error"));
        if (v && v->kind != Verdict::Kind::Refused) {
            EXPECT_FALSE(other.nextOfType(QStringLiteral("seen")).isEmpty());
        }
        if (oracle.game.state() == net::NetGame::State::Over) {
            EXPECT_FALSE(man.nextOfType(QStringLiteral("record")).isEmpty());
            EXPECT_FALSE(com.nextOfType(QStringLiteral("record")).isEmpty());
            break;
        }
    }
    // Each client's view, rebuilt from its frames alone, is the referee's view of its side.
    for (const auto& [client, side] : {std::pair{&man, Side::Man}, std::pair{&com, Side::Com}}) {
        SideView v = net::startView(side);
        for (const QByteArray& f : client->all()) {
            const QJsonObject o = QJsonDocument::fromJson(f).object();
            if (!o.contains(QStringLiteral("event"))) continue;
            const std::optional<SeenEvent> e =
                net::eventFromJson(o.value(QStringLiteral("event")).toObject(), side);
            EXPECT_TRUE(e.has_value()) << f.toStdString();
            if (e) net::seeEvent(v, *e);
        }
        const SideView& truth = oracle.game.view(side);
        EXPECT_EQ(v.board, truth.board);
        EXPECT_EQ(v.ownHand, truth.ownHand);
        EXPECT_EQ(v.otherHandTotal, truth.otherHandTotal);
        EXPECT_EQ(v.ownMisses, truth.ownMisses);
        EXPECT_EQ(v.otherMisses, truth.otherMisses);
        EXPECT_EQ(v.toMove, truth.toMove);
        EXPECT_EQ(v.events.size(), truth.events.size());
    }
    Played run;
    for (const QByteArray& f : (watcher == Side::Man ? man : com).all()) {
        const QString type =
            QJsonDocument::fromJson(f).object().value(QStringLiteral("type")).toString();
        // The game's id, join code and token are drawn afresh for every game.
        if (type != QLatin1String("created") && type != QLatin1String("joined"))
            run.frames.push_back(f);
    }
    run.events = oracle.events(watcher);
    return run;
}

TEST(Server, TheOtherSideReceivesTheSameBytesWhereverTheHiddenPiecesStand) {
    QTemporaryDir dir;
    ServerProcess server(
        dir.filePath(QStringLiteral("games.sqlite")), 0,
        {QStringLiteral("--tick-clock"), QStringLiteral("--max-rate"), QStringLiteral("1000000")});
    ASSERT_TRUE(server.running());
    std::mt19937 rng(2024);
    int compared = 0, reachedTheChange = 0;
    for (int g = 0; g < GAMES; ++g) {
        SCOPED_TRACE("game " + std::to_string(g));
        const Side hidden = g % 2 == 0 ? Side::Com : Side::Man;
        const Side watcher = otherSide(hidden);
        const std::vector<Step> a = randomGame(rng);
        std::vector<Step> b = a;
        const std::optional<std::size_t> changed = hideDifferently(b, hidden, rng);
        if (!changed) continue;
        const Played ra = playThrough(server.url(), a, watcher);
        const Played rb = playThrough(server.url(), b, watcher);
        if (::testing::Test::HasFailure()) return;

        // The first event of the watching side's view that rightly differs.
        std::size_t differs = 0;
        while (differs < ra.events.size() && differs < rb.events.size() &&
               ra.events[differs] == rb.events[differs])
            ++differs;
        // Every frame before the one that tells it, and before the record, is the same.
        std::size_t seen = 0, i = 0;
        for (; i < ra.frames.size() && i < rb.frames.size(); ++i) {
            const QJsonObject fa = QJsonDocument::fromJson(ra.frames[i]).object();
            if (fa.contains(QStringLiteral("event")) && seen++ >= differs) break;
            if (fa.value(QStringLiteral("type")) == QLatin1String("record")) break;
            ASSERT_EQ(ra.frames[i].toStdString(), rb.frames[i].toStdString())
                << "frame " << i << " of the watching side";
        }
        ++compared;
        // The view's event of the changed move itself came before any difference.
        const std::size_t changedEvent = Oracle(a, *changed).events(watcher).size();
        reachedTheChange += differs > changedEvent ? 1 : 0;
    }
    EXPECT_GE(compared, GAMES * 3 / 4);
    EXPECT_GE(reachedTheChange, compared / 2) << "most changes are unseen for a while";
}

}  // namespace
}  // namespace velk::testing
