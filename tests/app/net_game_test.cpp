// The window as one seat of a network game: the real server on 127.0.0.1, the robot program on
// the other seat, the window's moves made by clicks on its surface. The window never holds a
// piece of the other side while the game is under way; a server killed mid-game and started
// again is taken up again with the status line saying so meanwhile; and at the end the window
// has the whole game, move for move the record the robot was sent.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/main_window.h"
#include "game/move_exec.h"
#include "game/move_list.h"
#include "match/fakes.h"
#include "record/file_io.h"
#include "server/harness.h"
#include "settings/preferences.h"
#include "support/view_moves.h"
#include "texts/texts.h"
#include "ui/geometry.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using velk::testing::ServerProcess;
using velk::testing::waitFor;

struct Robot {
    QProcess process;
    Robot(const QString& url, const QString& code) {
        process.start(QStringLiteral(VELK_ROBOT_PROGRAM),
                      {url, QStringLiteral("--join"), code, QStringLiteral("--player"),
                       QStringLiteral("random"), QStringLiteral("--seed"), QStringLiteral("7")});
        process.waitForStarted(10000);
    }
    ~Robot() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    // The moves of the record the robot printed at the end.
    QJsonArray record() {
        waitFor([this] { return process.state() == QProcess::NotRunning; }, 60000);
        for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
            if (line.startsWith("record ")) {
                const QByteArray json = line.mid(line.indexOf(' ', 7) + 1);
                return QJsonDocument::fromJson(json).object().value("moves").toArray();
            }
        return {};
    }
};

TEST(NetGame, TheWindowPlaysASeatSeesOnlyItsOwnPiecesAndEndsWithTheWholeRecord) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("games.sqlite"));
    auto server = std::make_unique<ServerProcess>(store);
    ASSERT_TRUE(server->running());
    const QString url = server->url();
    int restarts = 0;
    static std::atomic<int> serial{0};
    for (const char* side : {"sente", "gote"}) {
        SCOPED_TRACE(side);
        const fs::path folder =
            fs::temp_directory_path() /
            ("velk-net-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(folder);
        std::ofstream(folder / LANGUAGE_FILE_NAME) << "ja\n";
        fakes::FakeDialogs dialogs;
        fakes::FakeClock clock;
        fakes::FakeSound sound;
        dialogs.defaultAnswer = true;  // another game when this one ends: the record stays
        AppOptions options;
        options.folder = folder;
        options.dialogs = &dialogs;
        options.clock = &clock;
        options.sound = &sound;
        options.onQuit = [] {};
        NetClient::Options net;
        net.url = QUrl(url);
        net.side = QString::fromLatin1(side);
        options.net = net;
        auto window = std::make_unique<MainWindow>(options);
        window->start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(waitFor([&] { return !window->netClient()->code().isEmpty(); }));
        Robot robot(url, window->netClient()->code());

        Form1& form = window->form();
        const GameState& s = form.s;
        ASSERT_TRUE(waitFor([&] { return form.netPlaying() && s.gameState == 1; }));
        const int role = s.roleMAN;
        EXPECT_EQ(role, std::string(side) == "sente" ? SENTE : GOTE);
        std::mt19937 rng(11);
        int ours = 0;
        while (form.netPlaying()) {
            ASSERT_TRUE(waitFor([&] { return !form.netPlaying() || s.turn == s.roleMAN; }, 30000));
            if (!form.netPlaying()) break;
            if (ours == 6) {
                // The server dies and comes back on its store: the window says so, then goes on.
                const quint16 port = server->port();
                server->kill();
                ASSERT_TRUE(
                    waitFor([&] { return form.statusText() == texts::net::RECONNECTING; }, 10000));
                server.reset();
                server = std::make_unique<ServerProcess>(store, port);
                ASSERT_TRUE(server->running());
                ++restarts;
                ASSERT_TRUE(
                    waitFor([&] { return form.statusText() != texts::net::RECONNECTING; }, 30000));
                ASSERT_TRUE(waitFor([&] { return !form.netPlaying() || s.turn == s.roleMAN; }));
                if (!form.netPlaying()) break;
            }
            if (ours % 10 == 1) {
                // The hint reads the seat's view; it never plays.
                const std::size_t before = form.viewOf(Side::Man).events.size();
                form.HINT_Click();
                EXPECT_EQ(form.viewOf(Side::Man).events.size(), before);
            }
            // Nothing of the other side is on the window's board, whatever it did.
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) ASSERT_FALSE(isComPiece(s.board[x][y]));
            const SideView& v = form.viewOf(Side::Man);
            const std::vector<MoveArgs> allowed = testkit::movesItsViewAllows(v);
            ASSERT_FALSE(allowed.empty());
            const MoveArgs m = allowed[rng() % allowed.size()];
            const std::size_t seen = v.events.size();
            const auto at = [&](int x, int y) {
                return window->surface()
                    ->twipsToWidget(BOARD_LEFT + (x + 0.5) * SQUARE_W,
                                    BOARD_TOP + (y + 0.5) * SQUARE_H)
                    .toPoint();
            };
            QTest::mouseClick(window->surface(), Qt::LeftButton, {}, at(m.fromX, m.fromY));
            // The right button promotes where the piece may.
            QTest::mouseClick(window->surface(), Qt::RightButton, {}, at(m.toX, m.toY));
            ASSERT_TRUE(form.netMoveSent() || !form.netPlaying());
            ++ours;
            ASSERT_TRUE(waitFor(
                [&] { return !form.netPlaying() || form.viewOf(Side::Man).events.size() > seen; }));
        }
        EXPECT_GT(ours, 0);

        // The whole game is the window's now, turned so that this side is at the bottom.
        const QJsonArray moves = robot.record();
        ASSERT_FALSE(moves.isEmpty());
        ASSERT_EQ(s.moveNoLast, moves.size());
        const bool turned = role == GOTE;
        for (int n = 1; n <= s.moveNoLast; ++n) {
            const QJsonObject m = moves[n - 1].toObject();
            const QJsonArray to = m.value("to").toArray();
            const int x = to[0].toInt(), y = to[1].toInt();
            EXPECT_EQ(s.record.recToX[n], turned ? 10 - x : x) << n;
            EXPECT_EQ(s.record.recToY[n], turned ? 10 - y : y) << n;
            const int fromX = s.record.recFromX[n];
            EXPECT_EQ(fromX == MAN_HAND_X || fromX == COM_HAND_X, m.contains("hand")) << n;
            const bool firstMover = m.value("side").toString() == "sente";
            EXPECT_EQ(isManPiece(s.record.recPieceAfter[n]), firstMover == (role == SENTE)) << n;
        }
        // The game is kept for stepping through and saving as any finished game, and reads back
        // whole.
        const auto settle = [] {
            for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        };
        form.MOVELIST_Click(s.moveNoLast);
        ASSERT_EQ(s.moveNo, moves.size());
        window->gameMenu().action("KIF_WRITE")->trigger();
        settle();
        RecordPanelWidgets& panel = window->recordPanel();
        panel.textBox(1)->setText(QStringLiteral("net-") + QString::fromLatin1(side));
        QTest::mouseClick(panel.returnButton(), Qt::LeftButton);
        settle();
        ASSERT_TRUE(fs::exists(folder / (std::string("net-") + side + ".kif")));
        window->gameMenu().action("KIF_READ")->trigger();
        settle();
        QListWidget* files = panel.files();
        ASSERT_EQ(files->count(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(files->item(0)).center());
        settle();
        EXPECT_EQ(s.kifuMode, YES);
        EXPECT_EQ(s.moveNoLast, moves.size());
        window.reset();
        fs::remove_all(folder);
    }
    EXPECT_GT(restarts, 0);
}

}  // namespace
}  // namespace velk::app
