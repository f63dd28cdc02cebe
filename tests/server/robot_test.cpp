// Whole games through the real server, played by the robot program: every game ends normally,
// each seat's record is the store's, and a server killed in the middle of games and started
// again on the same store lets every game go on where it was.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <map>

#include "harness.h"

namespace velk::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int GAMES = 4;
#else
constexpr int GAMES = 12;
#endif

QStringList robotArgs(const QString& url, const QStringList& mode, int seed) {
    return QStringList{url} + mode +
           QStringList{QStringLiteral("--player"), QStringLiteral("random"),
                       QStringLiteral("--seed"), QString::number(seed)};
}

// The record lines a robot run printed, each game's checked to come from both its seats alike.
QStringList robotRecords(const QStringList& output) {
    std::map<QString, QStringList> byGame;
    for (const QString& line : output)
        if (line.startsWith(QLatin1String("record ")))
            byGame[line.section(QLatin1Char(' '), 1, 1)].append(line);
    QStringList records;
    for (const auto& [game, lines] : byGame) {
        EXPECT_EQ(lines.size(), 2) << "game " << game.toStdString();
        if (lines.size() == 2) {
            EXPECT_EQ(lines[0], lines[1]) << "the two seats were sent different records";
        }
        records.append(lines.front());
    }
    records.sort();
    return records;
}

// Events in the store, and games with at least minSeq + 1 of them.
std::pair<int, int> storeCounts(const QString& store, int minSeq) {
    std::pair<int, int> counts{0, 0};
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(store);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT COUNT(*) FROM events")) && q.next())
                counts.first = q.value(0).toInt();
            if (q.exec(QStringLiteral("SELECT COUNT(*) FROM (SELECT game FROM events GROUP BY "
                                      "game HAVING MAX(seq) >= %1)")
                           .arg(minSeq)) &&
                q.next())
                counts.second = q.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return counts;
}

struct Robot {
    QProcess process;
    explicit Robot(const QStringList& args,
                   const QString& program = QStringLiteral(VELK_ROBOT_PROGRAM)) {
        process.start(program, args);
        process.waitForStarted(10000);
    }
    ~Robot() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    bool finish(int ms = 120000) {
        waitFor([this] { return process.state() == QProcess::NotRunning; }, ms);
        return process.state() == QProcess::NotRunning &&
               process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    QStringList lines() {
        QStringList l = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        l.removeAll(QString());
        return l;
    }
};

TEST(Server, RobotGamesEndNormallyAndEachSeatsRecordIsTheStores) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("games.sqlite"));
    ServerProcess server(store);
    ASSERT_TRUE(server.running()) << server.banner().toStdString();

    // Many games at once in one robot, and one game between a robot and the command line's
    // connect that meet by the join code.
    Robot many(robotArgs(server.url(), {QStringLiteral("--games"), QString::number(GAMES)}, 11));
    Robot creator(robotArgs(server.url(), {QStringLiteral("--create"), QStringLiteral("gote")}, 3));
    ASSERT_TRUE(waitFor([&] { return creator.process.canReadLine(); }));
    const QString codeLine = QString::fromUtf8(creator.process.readLine()).trimmed();
    ASSERT_TRUE(codeLine.startsWith(QLatin1String("code "))) << codeLine.toStdString();
    Robot joiner({QStringLiteral("connect"), server.url(), QStringLiteral("--join"),
                  codeLine.mid(5), QStringLiteral("--level"), QStringLiteral("random")},
                 QStringLiteral(VELK_CLI_PROGRAM));
    // A level that needs the whole board cannot take a seat, and says why.
    Robot refused({QStringLiteral("connect"), server.url(), QStringLiteral("--create"),
                   QStringLiteral("sente"), QStringLiteral("--level"), QStringLiteral("3")},
                  QStringLiteral(VELK_CLI_PROGRAM));
    ASSERT_TRUE(waitFor([&] { return refused.process.state() == QProcess::NotRunning; }));
    EXPECT_EQ(refused.process.exitCode(), 2);
    EXPECT_TRUE(refused.process.readAllStandardError().contains("whole board"));

    for (Robot* r : {&many, &creator, &joiner})
        ASSERT_TRUE(r->finish()) << r->process.readAllStandardError().toStdString();
    QStringList printed = many.lines();
    printed += creator.lines();
    printed += joiner.lines();
    const QStringList records = robotRecords(printed);
    EXPECT_EQ(records.size(), GAMES + 1);
    QStringList stored = storedRecords(store);
    stored.sort();
    EXPECT_EQ(records, stored);
    for (const QString& line : printed)
        if (line.startsWith(QLatin1String("game "))) {
            EXPECT_FALSE(line.contains(QLatin1String("reason none"))) << line.toStdString();
        }
}

TEST(Server, AServerKilledMidGamesResumesEveryGameOnRestart) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("games.sqlite"));
    auto server = std::make_unique<ServerProcess>(store);
    ASSERT_TRUE(server->running());
    const quint16 port = server->port();
    Robot robots(robotArgs(server->url(), {QStringLiteral("--games"), QString::number(GAMES)}, 29));

    // Killed once every game is under way, its seats told of their seats and first moves.
    ASSERT_TRUE(waitFor([&] { return storeCounts(store, 4).second == GAMES; }, 60000));
    server->kill();
    const int eventsAtKill = storeCounts(store, 0).first;
    EXPECT_TRUE(robots.process.state() == QProcess::Running) << "the robots wait for the server";

    server = std::make_unique<ServerProcess>(store, port);
    ASSERT_TRUE(server->running()) << server->banner().toStdString();
    EXPECT_EQ(server->banner(),
              QStringLiteral("listening on 127.0.0.1:%1 games %2").arg(port).arg(GAMES));
    ASSERT_TRUE(robots.finish()) << robots.process.readAllStandardError().toStdString();

    const QStringList records = robotRecords(robots.lines());
    EXPECT_EQ(records.size(), GAMES);
    QStringList stored = storedRecords(store);
    stored.sort();
    EXPECT_EQ(records, stored);
    EXPECT_GT(storeCounts(store, 0).first, eventsAtKill) << "the games went on after the restart";
}

}  // namespace
}  // namespace velk::testing
