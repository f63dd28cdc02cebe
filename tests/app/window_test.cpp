// The real game window on the offscreen platform: the screen between the players, mouse
// clicks at scaled positions, menus, keys, the record panel and screenshots.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "board/piece.h"
#include "match/controls.h"
#include "match/fakes.h"
#include "record/file_io.h"
#include "settings/preferences.h"
#include "support/board_text.h"
#include "texts/texts.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        folder_ = fs::temp_directory_path() /
                  ("velk-window-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(folder_);
        // The window's language would follow the system's: these tests see it in Japanese.
        std::ofstream(folder_ / LANGUAGE_FILE_NAME) << "ja\n";
        AppOptions options;
        options.folder = folder_;
        options.dialogs = &dialogs;
        options.clock = &clock;
        options.sound = &sound;
        options.onQuit = [this] { ++quits; };
        window = std::make_unique<MainWindow>(options);
        window->start();
        window->resize(900, 800);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        settle();
    }

    void TearDown() override {
        window.reset();
        fs::remove_all(folder_);
    }

    Form1& form() { return window->form(); }
    GameState& s() { return window->form().s; }
    SurfaceWidget* surface() { return window->surface(); }

    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    QPoint centreOf(int x, int y) const {
        return window->surface()
            ->twipsToWidget(BOARD_LEFT + (x + 0.5) * SQUARE_W, BOARD_TOP + (y + 0.5) * SQUARE_H)
            .toPoint();
    }

    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(surface(), button, {}, centreOf(x, y));
        settle();
    }

    void choose(const char* item) {
        QAction* a = window->gameMenu().action(QString::fromUtf8(item));
        ASSERT_NE(a, nullptr) << item;
        a->trigger();
        settle();
    }

    QImage shot() { return surface()->grab().toImage(); }

    QImage square(const QImage& img, int x, int y) {
        return img.copy(surface()->surfaceGeometry().deviceRect(x, y, SQUARE_W, SQUARE_H));
    }

    QColor leftEdgeOf(const QImage& img, int x, int y) {
        const QRect r = surface()->surfaceGeometry().deviceRect(x, y, SQUARE_W, SQUARE_H);
        return img.pixelColor(r.left(), r.center().y());
    }

    void saveScreenshot(const char* name) {
        QDir().mkpath(QStringLiteral(VELK_SCREENSHOT_DIR));
        const QString file = QStringLiteral(VELK_SCREENSHOT_DIR "/%1.png").arg(name);
        EXPECT_TRUE(window->grab().save(file)) << file.toStdString();
    }

    fakes::FakeDialogs dialogs;
    fakes::FakeClock clock;
    fakes::FakeSound sound;
    int quits = 0;
    std::unique_ptr<MainWindow> window;

  private:
    fs::path folder_;

  protected:
    const fs::path& folder() const { return folder_; }
};

TEST_F(WindowTest, ComputerPiecesBehindTheScreenLookLikeEmptySquares) {
    const QImage start = shot();
    // (5, 1) holds the computer's king, (5, 5) nothing, (5, 9) the human's king.
    EXPECT_EQ(square(start, 5, 1), square(start, 5, 5));
    EXPECT_EQ(square(start, 2, 2), square(start, 5, 5));
    EXPECT_NE(square(start, 5, 9), square(start, 5, 5));

    choose("ICHIJI");
    EXPECT_NE(square(shot(), 5, 1), square(shot(), 5, 5));
    // The next click anywhere puts the screen back.
    click(5, 5);
    EXPECT_EQ(square(shot(), 5, 1), square(shot(), 5, 5));
}

TEST_F(WindowTest, ClicksSelectAndMovePiecesAndTheComputerAnswers) {
    choose("SENTE");
    EXPECT_EQ(dialogs.count("あなたの番です"), 1);

    click(3, 7);
    EXPECT_EQ(s().selPhase, 1);
    EXPECT_EQ(leftEdgeOf(shot(), 3, 7), QColor(255, 0, 0));

    click(3, 6);
    EXPECT_EQ(s().board[3][6], MAN_HU);
    EXPECT_EQ(s().board[3][7], EMPTY);
    EXPECT_EQ(s().moveNo, 2);  // the computer has answered
    EXPECT_GT(s().record.recPieceAfter[2], 0);
    EXPECT_EQ(s().turn, s().roleMAN);
    EXPECT_EQ(leftEdgeOf(shot(), 3, 7), QColor(0, 128, 0));
}

// Clicks and keys made while the computer answers (here during its pause before the move shows)
// are dropped: the player has not seen the reply they would be played against.
TEST_F(WindowTest, InputWhileTheComputerMovesIsDroppedNotPlayedAfterIt) {
    choose("SENTE");
    int pauses = 0;
    clock.onWait = [&] {
        if (pauses++ > 0) return;
        QTest::mouseClick(surface(), Qt::LeftButton, {}, centreOf(5, 7));
        QTest::mouseClick(surface(), Qt::LeftButton, {}, centreOf(5, 6));
        QTest::keyClick(window.get(), Qt::Key_Home);
    };
    click(3, 7);
    click(3, 6);
    clock.onWait = nullptr;
    ASSERT_GT(pauses, 0);
    EXPECT_EQ(s().moveNo, 2);
    EXPECT_EQ(s().board[5][7], MAN_HU);
    EXPECT_EQ(s().selPhase, 0);
    EXPECT_EQ(s().turn, s().roleMAN);
    // Afterwards the board takes clicks again.
    click(5, 7);
    EXPECT_EQ(s().selPhase, 1);
}

TEST_F(WindowTest, TheRightButtonPromotesAndTheMiddleButtonMovesPlainly) {
    choose("SENTE");
    form().checkStateAfterEvents = false;  // a made-up position: one pawn and the kings
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        testkit::setBoard(s(), "4k4/9/9/4P4/9/9/9/9/4K4");
        testkit::setHands(s(), "-");
        s().turn = s().roleMAN;
        s().selPhase = 0;
        click(5, 4);
        click(5, 3, button);
        EXPECT_EQ(s().board[5][3], button == Qt::RightButton ? MAN_TO : MAN_HU);
    }
}

TEST_F(WindowTest, HitTestingFollowsTheWindowThroughResizes) {
    choose("SENTE");
    for (const QSize size : {QSize(1400, 650), QSize(520, 900), QSize(1111, 987)}) {
        window->resize(size);
        settle();
        click(7, 9);  // the silver
        EXPECT_EQ(s().selPhase, 1) << size.width() << "x" << size.height();
        EXPECT_EQ(s().curMove.fromX, 7);
        EXPECT_EQ(s().curMove.fromY, 9);
        EXPECT_EQ(leftEdgeOf(shot(), 7, 9), QColor(255, 0, 0));
        // A click beside the board drops the frame but keeps the selection.
        QTest::mouseClick(surface(), Qt::LeftButton, {},
                          surface()->twipsToWidget(BOARD_LEFT + 12.5 * SQUARE_W, 3000).toPoint());
        settle();
        EXPECT_EQ(leftEdgeOf(shot(), 7, 9), QColor(0, 128, 0));
    }
    click(7, 8);
    EXPECT_EQ(s().board[7][8], MAN_GIN);
}

TEST_F(WindowTest, MenuItemsReachTheController) {
    choose("LEVEL2");
    EXPECT_EQ(s().level, 2);
    EXPECT_TRUE(window->gameMenu().isChecked(MenuItem::LEVEL2));
    EXPECT_FALSE(window->gameMenu().isChecked(MenuItem::LEVEL1));

    // The check mark is the controller's to set: choosing the checked item keeps it.
    choose("TATAMI");
    choose("TATAMI");
    EXPECT_EQ(s().background, 3);
    EXPECT_TRUE(window->gameMenu().isChecked(MenuItem::TATAMI));
    EXPECT_FALSE(window->gameMenu().isChecked(MenuItem::MIDORI));
    EXPECT_EQ(surface()->canvas().background(), 3);

    const bool keika = window->gameMenu().isChecked(MenuItem::KEIKA);
    choose("KEIKA");
    EXPECT_NE(window->gameMenu().isChecked(MenuItem::KEIKA), keika);

    // Opening a top menu closes the record panel.
    choose("KIFU_READ");
    EXPECT_TRUE(window->recordPanel().files()->isVisibleTo(window.get()));
    emit window->gameMenu().menu("TAIKYOKU")->aboutToShow();
    settle();
    EXPECT_FALSE(window->recordPanel().files()->isVisibleTo(window.get()));
}

// The menu bar and the table of controls name the same items: every item runs a handler and
// every menu control is on the bar.
TEST_F(WindowTest, EveryMenuItemHasAControlAndEveryMenuControlAnItem) {
    const GameMenu& menu = window->gameMenu();
    for (const Control& c : CONTROLS) {
        const QString name = QString::fromUtf8(c.name.data(), static_cast<int>(c.name.size()));
        if (c.kind == ControlKind::MenuItem) {
            EXPECT_NE(menu.action(name), nullptr) << c.name;
        } else if (c.kind == ControlKind::MenuOpened) {
            EXPECT_NE(menu.menu(name), nullptr) << c.name;
        }
    }
    int items = 0;
    for (const QAction* a : window->menuBar()->findChildren<QAction*>()) {
        if (a->menu() != nullptr || a->isSeparator() || a->objectName().isEmpty()) continue;
        if (GameMenu::isWindowItem(a->objectName())) continue;
        ++items;
        const std::string name = a->objectName().toStdString();
        const Control* c = findControl(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->kind, ControlKind::MenuItem) << name;
    }
    // As many items on the bar as menu-item controls: none twice, none left out.
    EXPECT_EQ(items, std::count_if(std::begin(CONTROLS), std::end(CONTROLS), [](const Control& c) {
                  return c.kind == ControlKind::MenuItem;
              }));
}

TEST_F(WindowTest, TheTimerRedrawsTheClockOfTheSideToMove) {
    if (!window->gameMenu().isChecked(MenuItem::KEIKA)) choose("KEIKA");
    choose("SENTE");
    ASSERT_TRUE(window->timer().isEnabled());
    clock.advance(65.0f);
    window->timer().fire();
    bool shown = false;
    for (const auto& op : surface()->canvas().ops())
        shown = shown || op.text == QStringLiteral("00:01:05");
    EXPECT_TRUE(shown);
}

TEST_F(WindowTest, RecordPanelWritesAndReadsARecord) {
    choose("SENTE");
    click(3, 7);
    click(3, 6);
    ASSERT_EQ(s().moveNo, 2);

    choose("KIFU_WRITE");
    RecordPanelWidgets& panel = window->recordPanel();
    EXPECT_TRUE(panel.drives()->isVisibleTo(window.get()));
    EXPECT_TRUE(panel.dirs()->isVisibleTo(window.get()));
    EXPECT_FALSE(panel.files()->isVisibleTo(window.get()));
    ASSERT_TRUE(panel.textBox(1)->isVisibleTo(window.get()));
    QTest::keyClicks(panel.textBox(2), "friendly");
    QTest::keyClicks(panel.textBox(1), "game1");
    QTest::mouseClick(panel.returnButton(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(fs::exists(folder() / "game1.棋譜"));
    EXPECT_EQ(dialogs.count("棋譜を書き込みました"), 1);
    EXPECT_FALSE(panel.textBox(1)->isVisibleTo(window.get()));

    choose("KIFU_READ");
    QListWidget* files = panel.files();
    ASSERT_TRUE(files->isVisibleTo(window.get()));
    ASSERT_EQ(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), QStringLiteral("game1.棋譜"));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    settle();
    EXPECT_EQ(dialogs.count(" 読み込みました"), 1);
    EXPECT_EQ(s().kifuMode, YES);
    EXPECT_EQ(s().moveNoLast, 2);
    EXPECT_FALSE(files->isVisibleTo(window.get()));

    // The same from the keyboard: the list shows with a file chosen, and Enter reads it.
    choose("KIFU_READ");
    ASSERT_EQ(files->currentRow(), 0);
    QTest::keyClick(files, Qt::Key_Return);
    settle();
    EXPECT_EQ(dialogs.count(" 読み込みました"), 2);
    EXPECT_FALSE(files->isVisibleTo(window.get()));
}

TEST_F(WindowTest, FolderListOpensSubfoldersForTheFileList) {
    fs::create_directories(folder() / "records");
    {
        std::FILE* f = std::fopen((folder() / "records" / "old.棋譜").c_str(), "w");
        std::fclose(f);
    }
    choose("KIFU_READ");
    RecordPanelWidgets& panel = window->recordPanel();
    panel.openDir(QString::fromStdString((folder() / "records").string()));
    EXPECT_EQ(panel.folder(), (folder() / "records").string());
    ASSERT_EQ(panel.files()->count(), 1);
    EXPECT_EQ(panel.files()->item(0)->text(), QStringLiteral("old.棋譜"));
}

TEST_F(WindowTest, EscapeEndsTheProgram) {
    QTest::keyClick(surface(), Qt::Key_A);
    EXPECT_EQ(quits, 0);
    QTest::keyClick(surface(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(form().closed);
    EXPECT_TRUE(window->hasEnded());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(sound.live.empty());
}

TEST_F(WindowTest, ClosingTheWindowRunsTheShutdown) {
    window->close();
    settle();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(form().closed);
    EXPECT_TRUE(sound.live.empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, ClosingAGameWithUnsavedMovesAsksAndNoKeepsTheWindowOpen) {
    choose("SENTE");
    click(3, 7);
    click(3, 6);
    ASSERT_EQ(s().moveNo, 2);
    const std::string question = "保存していない手があります\r\r終わりますか？";
    dialogs.answers = {false};
    window->close();
    settle();
    EXPECT_EQ(dialogs.count(question), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(form().closed);
    EXPECT_EQ(quits, 0);

    dialogs.answers = {true};
    window->close();
    settle();
    EXPECT_EQ(dialogs.count(question), 2);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(sound.live.empty());
}

TEST_F(WindowTest, ACloseAskedDuringAHandlerRunsTheShutdownAfterIt) {
    bool closedInside = true;
    window->dispatch([&](Form1& f) {
        window->close();
        closedInside = f.closed;
    });
    EXPECT_FALSE(closedInside);
    EXPECT_TRUE(form().closed);
    EXPECT_EQ(quits, 1);
}

TEST_F(WindowTest, LoadPutsAWindowMovedAwayBackInPlace) {
    const QRect avail = window->screen()->availableGeometry();
    window->move(avail.topLeft() + QPoint(150, 90));
    window->resize(500, 400);
    settle();
    window->dispatch([](Form1& f) { f.Form_Load(); });
    settle();
    EXPECT_EQ(window->frameGeometry().topLeft(), avail.topLeft());
    // The client area has the designed proportions at the window's scale.
    const QSize client = surface()->size();
    EXPECT_NEAR(client.width(), 8880 / 15.0 * window->comfortScale(), 2);
    EXPECT_NEAR(client.height(), 7300 / 15.0 * window->comfortScale(), 2);
}

TEST_F(WindowTest, TheWindowKeepsAUsableBoardAndLongNamesStayApart) {
    // A record with a very long title and very long names, written and read back.
    choose("SENTE");
    click(3, 7);
    click(3, 6);
    choose("KIFU_WRITE");
    RecordPanelWidgets& panel = window->recordPanel();
    panel.textBox(2)->setText(
        QString::fromUtf8("第九十九期名人戦七番勝負第七局"
                          "千日手指し直し局ABCDEFGHIJ"));
    panel.textBox(3)->setText(
        QString::fromUtf8("ＷＭ永世名人十九世名人候補の先手"
                          "WWWWWWWWWWWWWWWW"));
    panel.textBox(4)->setText(QString::fromUtf8("mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm"));
    QTest::keyClicks(panel.textBox(1), "long");
    QTest::mouseClick(panel.returnButton(), Qt::LeftButton);
    settle();
    ASSERT_EQ(dialogs.count("棋譜を書き込みました"), 1);
    choose("KIFU_READ");
    QListWidget* files = panel.files();
    ASSERT_EQ(files->count(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    settle();
    ASSERT_EQ(s().kifuMode, YES);
    int shortened = 0;
    for (const auto& op : surface()->canvas().ops())
        shortened += op.text.endsWith(QStringLiteral("…")) ? 1 : 0;
    EXPECT_EQ(shortened, 3);
    saveScreenshot("long-names");

    // However small the window is made, the board keeps squares that can be seen and hit.
    window->resize(120, 90);
    settle();
    EXPECT_GE(surface()->width(), 8880 * 3 / 4 / 15);
    EXPECT_GE(surface()->height(), 7300 * 3 / 4 / 15);
    EXPECT_GE(surface()->surfaceGeometry().squareWidth(), 24);
    saveScreenshot("minimum");
    choose("CANCEL");
    choose("SENTE");
    click(7, 9);
    EXPECT_EQ(s().selPhase, 1);
    EXPECT_EQ(s().curMove.fromX, 7);
    choose("KIFU_WRITE");
    saveScreenshot("minimum-record-panel");
}

TEST(QtClock, WaitLetsTheWindowWorkAndEndsAfterItsTime) {
    QtClock clock;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    clock.wait(0.02);
    EXPECT_TRUE(ran);
    EXPECT_GE(elapsed.elapsed(), 19);
    const float t = clock.timeOfDay();
    EXPECT_GE(t, 0.0f);
    EXPECT_LT(t, 86400.0f);
}

// The computer's search runs through think: the window goes on with its events meanwhile, a
// quick search still takes the floor it is given, and what the search throws reaches the caller.
TEST(QtClock, ThinkWorksOffTheWindowsThreadWhileTheWindowWorks) {
    QtClock clock;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    std::thread::id worker;
    clock.think(
        [&] {
            worker = std::this_thread::get_id();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        },
        0);
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_GE(ticks, 2);
    QElapsedTimer elapsed;
    elapsed.start();
    clock.think([] {}, 0.05);
    EXPECT_GE(elapsed.elapsed(), 49);
    EXPECT_THROW(clock.think([] { throw std::runtime_error("search failed"); }, 0),
                 std::runtime_error);
}

TEST_F(WindowTest, TheMoveListStepsTheRecordToAClickedLineAndIsRemembered) {
    QListWidget* list = window->moveList();
    EXPECT_TRUE(window->moveListDock()->isHidden());
    const int boardWidth = surface()->width();
    window->moveListAction()->trigger();
    settle();
    ASSERT_FALSE(window->moveListDock()->isHidden());
    EXPECT_EQ(surface()->width(), boardWidth);  // the window grows by the list

    choose("SENTE");
    click(3, 7);
    click(3, 6);
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(s().moveNo, 4);
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(1)->text().toStdString(), "  1 ▲７六歩");
    EXPECT_TRUE(list->item(2)->text().endsWith(QStringLiteral("？？")));
    EXPECT_EQ(list->currentRow(), 4);

    const auto clickLine = [&](int row) {
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        settle();
    };
    clickLine(1);
    EXPECT_EQ(s().moveNo, 1);
    EXPECT_EQ(list->currentRow(), 1);
    clickLine(0);
    EXPECT_EQ(s().moveNo, 0);
    clickLine(3);
    EXPECT_EQ(s().moveNo, 3);
    window->resize(1150, 880);
    settle();
    saveScreenshot("movelist");

    // Shown once, it is shown at the next start.
    window.reset();
    AppOptions options;
    options.folder = folder();
    options.dialogs = &dialogs;
    options.clock = &clock;
    options.sound = &sound;
    options.onQuit = [this] { ++quits; };
    window = std::make_unique<MainWindow>(options);
    window->start();
    settle();
    EXPECT_FALSE(window->moveListDock()->isHidden());
    EXPECT_TRUE(window->moveListAction()->isChecked());
    window->moveListAction()->trigger();
    settle();
    EXPECT_TRUE(window->moveListDock()->isHidden());
}

TEST_F(WindowTest, ShiftClickOpensTheMarkerPaletteAndMarkersLookAlikeOverHiddenPieces) {
    choose("SENTE");
    const QImage before = shot();
    const auto mark = [&](int x, int y, const char* kind) {
        QTest::mouseClick(surface(), Qt::LeftButton, Qt::ShiftModifier, centreOf(x, y));
        settle();
        QMenu* palette = window->markerPalette();
        ASSERT_NE(palette, nullptr);
        for (QAction* a : palette->actions())
            if (a->text() == QString::fromUtf8(kind)) a->trigger();
        palette->close();
        settle();
    };
    // Shift and a click only opens the palette: nothing is selected.
    mark(5, 1, "金");
    EXPECT_EQ(s().selPhase, 0);
    EXPECT_EQ(form().markers().kind[5][1], COM_KIN);
    mark(5, 5, "金");
    mark(8, 2, "角");
    mark(2, 3, "歩");
    mark(7, 1, "銀");
    const QImage marked = shot();
    // The computer's king stands on (5, 1), nothing on (5, 5): the markers look the same.
    EXPECT_EQ(square(marked, 5, 1), square(marked, 5, 5));
    EXPECT_NE(square(marked, 5, 5), square(before, 5, 5));
    EXPECT_EQ(square(marked, 5, 4), square(before, 5, 4));
    window->resize(1000, 880);
    settle();
    saveScreenshot("markers");

    // Choosing the square's own kind again removes it; Delete removes the latest.
    mark(5, 5, "金");
    EXPECT_EQ(form().markers().kind[5][5], 0);
    QTest::keyClick(window.get(), Qt::Key_Delete);
    settle();
    EXPECT_EQ(form().markers().kind[7][1], 0);
    EXPECT_EQ(form().markers().kind[2][3], COM_HU);
    // A move goes on as ever beside them.
    click(3, 7);
    click(3, 6);
    EXPECT_EQ(s().moveNo, 2);
    // While the keyboard cursor shows, Delete takes the marker under it instead.
    mark(5, 7, "香");
    QTest::keyClick(surface(), Qt::Key_Up);
    settle();
    ASSERT_TRUE(form().cursorVisible());
    QTest::keyClick(window.get(), Qt::Key_Delete);
    settle();
    EXPECT_EQ(form().markers().kind[5][7], 0);
    EXPECT_EQ(form().markers().kind[2][3], COM_HU);
    // From the menu, the next click on a square opens the palette instead of playing.
    window->markerMenuAction()->trigger();
    settle();
    ASSERT_FALSE(window->markerPalette()->isVisible());
    QTest::mouseClick(surface(), Qt::LeftButton, {}, centreOf(4, 4));
    settle();
    ASSERT_TRUE(window->markerPalette()->isVisible());
    window->markerPalette()->close();
    EXPECT_EQ(s().selPhase, 0);
    click(2, 7);
    EXPECT_EQ(s().selPhase, 1);  // and only that click

    choose("CANCEL");
    EXPECT_TRUE(form().markers().empty());
    EXPECT_EQ(square(shot(), 5, 1), square(shot(), 5, 5));
}

TEST_F(WindowTest, ScreenshotsOfTheStartAndOfAGame) {
    window->resize(1000, 880);
    settle();
    saveScreenshot("start");

    choose("SENTE");
    const int moves[][4] = {{3, 7, 3, 6}, {7, 7, 7, 6}, {8, 8, 5, 8}, {3, 6, 3, 5}, {2, 9, 3, 7}};
    for (const auto& m : moves) {
        click(m[0], m[1]);
        click(m[2], m[3]);
    }
    EXPECT_GE(s().moveNo, 6);
    saveScreenshot("midgame");
    choose("ICHIJI");
    saveScreenshot("midgame-revealed");
    for (const char* background : {"TATAMI", "TAKE", "UCHU", "RENGA"}) {
        choose(background);
        saveScreenshot(background);
    }
    choose("KIFU_WRITE");
    saveScreenshot("record-panel");
}

// The keys in the window: the cursor plays a move as the mouse would, Shift+Enter promotes,
// Home / End / ← / → step the record, the menus show their keys and F1 reaches the help action.
TEST_F(WindowTest, KeysPlayStepTheRecordAndShowInTheMenus) {
    choose("SENTE");
    QTest::keyClick(surface(), Qt::Key_Up);
    settle();
    EXPECT_TRUE(form().cursorVisible());
    QTest::keyClick(surface(), Qt::Key_Left);
    QTest::keyClick(surface(), Qt::Key_Left);
    QTest::keyClick(surface(), Qt::Key_Space);
    QTest::keyClick(surface(), Qt::Key_Up);
    QTest::keyClick(surface(), Qt::Key_Return);
    settle();
    EXPECT_EQ(s().board[3][6], MAN_HU);
    EXPECT_EQ(s().moveNo, 2);
    // The cursor's cyan brackets stand on its square.
    const QImage cursorShot = shot();
    const QImage onCursor = square(cursorShot, 3, 6);
    bool cyan = false;
    for (int y = 0; y < onCursor.height() && !cyan; ++y)
        for (int x = 0; x < onCursor.width() && !cyan; ++x)
            cyan = onCursor.pixelColor(x, y) == QColor(0, 255, 255);
    EXPECT_TRUE(cyan);

    QTest::keyClick(surface(), Qt::Key_Home);
    settle();
    EXPECT_EQ(s().moveNo, 0);
    QTest::keyClick(surface(), Qt::Key_Right);
    settle();
    EXPECT_EQ(s().moveNo, 1);
    QTest::keyClick(surface(), Qt::Key_End);
    settle();
    EXPECT_EQ(s().moveNo, 2);
    QTest::keyClick(surface(), Qt::Key_Left);
    settle();
    EXPECT_EQ(s().moveNo, 1);

    EXPECT_TRUE(window->gameMenu().action("REPLAY")->text().contains(QLatin1Char('\t')));
    EXPECT_TRUE(window->gameMenu().action("AFTER")->text().contains(QLatin1Char('\t')));
    EXPECT_EQ(window->gameMenu().action("KIFU_WRITE")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(window->gameMenu().action("KIFU_READ")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_O));
    ASSERT_NE(window->helpAction(), nullptr);
    EXPECT_EQ(window->helpAction()->shortcut(), QKeySequence(Qt::Key_F1));
    // One action owns F1 (two would leave the key to neither): the help's menu item.
    EXPECT_EQ(window->helpAction(), window->gameMenu().action("HOW_TO_PLAY"));
    int owners = 0;
    for (const QAction* a : window->findChildren<QAction*>())
        owners += a->shortcut() == QKeySequence(Qt::Key_F1) ? 1 : 0;
    EXPECT_EQ(owners, 1);
    int helps = 0;
    QObject::connect(window->helpAction(), &QAction::triggered, [&helps] { ++helps; });
    window->helpAction()->trigger();
    EXPECT_EQ(helps, 1);
}

TEST_F(WindowTest, ShiftEnterPromotes) {
    choose("SENTE");
    form().checkStateAfterEvents = false;
    for (auto& column : s().board) column.fill(EMPTY);
    s().board[5][9] = MAN_OU;
    s().board[9][1] = COM_OU;
    s().board[5][2] = MAN_HU;
    QTest::keyClick(surface(), Qt::Key_Up);  // shows the cursor at (5, 7)
    for (int i = 0; i < 5; ++i) QTest::keyClick(surface(), Qt::Key_Up);
    QTest::keyClick(surface(), Qt::Key_Enter);
    QTest::keyClick(surface(), Qt::Key_Up);
    QTest::keyClick(surface(), Qt::Key_Return, Qt::ShiftModifier);
    settle();
    EXPECT_EQ(s().board[5][1], MAN_TO);
}

// The last move's mark on each background, with the status line and the cursor showing.
TEST_F(WindowTest, TheLastMoveIsMarkedOnEveryBackground) {
    window->resize(1000, 880);
    settle();
    choose("SENTE");
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(s().moveNo, 2);
    const int toX = s().record.recToX[2], toY = s().record.recToY[2];
    QTest::keyClick(surface(), Qt::Key_Up);
    settle();
    for (const char* background : {"MIDORI", "TATAMI", "TAKE", "UCHU", "RENGA"}) {
        choose(background);
        const QImage img = shot();
        const QImage marked = square(img, toX, toY);
        bool magenta = false;
        for (int y = 0; y < marked.height() && !magenta; ++y)
            for (int x = 0; x < marked.width() && !magenta; ++x)
                magenta = marked.pixelColor(x, y) == QColor(255, 0, 255);
        EXPECT_TRUE(magenta) << background;
        saveScreenshot((std::string("last-move-") + background).c_str());
    }
    // A pawn sent three squares on is refused with a mark on the square.
    click(2, 7);
    click(2, 4);
    EXPECT_EQ(s().board[2][7], MAN_HU);
    saveScreenshot("refused-move");
}

// ﾋﾝﾄ and the H key: the hint's squares framed in yellow, its move in the status line, gone with
// the next click; the menu item shows its key.
TEST_F(WindowTest, TheHintShowsOnItsSquaresUntilTheNextClick) {
    window->resize(1000, 880);
    settle();
    choose("KOUSEI");
    choose("SENTE");
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(s().moveNo, 2);
    const auto yellowIn = [&](const QImage& img, int x, int y) {
        const QImage sq = square(img, x, y);
        for (int py = 0; py < sq.height(); ++py)
            for (int px = 0; px < sq.width(); ++px)
                if (sq.pixelColor(px, py) == QColor(255, 255, 0)) return true;
        return false;
    };
    QTest::keyClick(surface(), Qt::Key_H);
    settle();
    ASSERT_EQ(form().hintSquares().size(), 2u);
    const auto squares = form().hintSquares();
    EXPECT_TRUE(form().statusText().starts_with("ﾋﾝﾄ：")) << form().statusText();
    const QImage hinted = shot();
    for (const auto& [x, y] : squares) EXPECT_TRUE(yellowIn(hinted, x, y)) << x << "," << y;
    saveScreenshot("hint");

    click(5, 5);
    EXPECT_TRUE(form().hintSquares().empty());
    const QImage after = shot();
    for (const auto& [x, y] : squares) EXPECT_FALSE(yellowIn(after, x, y)) << x << "," << y;
    choose("HINT");
    EXPECT_EQ(form().hintSquares(), squares);
    EXPECT_TRUE(window->gameMenu().action("HINT")->text().contains(QLatin1Char('\t')));
}

// A player without a mouse reaches every menu and item: each has an Alt key, none shared within
// its menu, in both languages; F10 opens the bar.
TEST_F(WindowTest, EveryMenuAndItemHasItsOwnAltKeyInBothLanguages) {
    for (const char* language : {"JAPANESE", "ENGLISH"}) {
        SCOPED_TRACE(language);
        choose(language);
        std::vector<const QWidget*> menus{window->menuBar()};
        for (QMenu* m : window->menuBar()->findChildren<QMenu*>()) menus.push_back(m);
        for (const QWidget* m : menus) {
            std::set<QString> keys;
            for (const QAction* a : m->actions()) {
                if (a->isSeparator()) continue;
                const QString key =
                    QKeySequence::mnemonic(a->text()).toString(QKeySequence::PortableText);
                EXPECT_FALSE(key.isEmpty()) << a->text().toStdString();
                EXPECT_TRUE(keys.insert(key).second) << a->text().toStdString();
            }
        }
    }
    QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &f10);
    EXPECT_EQ(window->menuBar()->activeAction(), window->menuBar()->actions().first());
}

// The window in English: menus, panel labels, boxes and surface labels; the choice is kept in
// the language file and the next window opens in it; Japanese comes back unchanged.
TEST_F(WindowTest, TheWindowSpeaksEnglishWhenChosenAndKeepsTheChoice) {
    GameMenu& menu = window->gameMenu();
    EXPECT_EQ(menu.menu("TAIKYOKU")->title(), QStringLiteral("対局(&G)"));
    EXPECT_TRUE(menu.action("JAPANESE")->isChecked());

    choose("ENGLISH");
    EXPECT_TRUE(window->language().english());
    EXPECT_TRUE(menu.action("ENGLISH")->isChecked());
    EXPECT_FALSE(menu.action("JAPANESE")->isChecked());
    EXPECT_EQ(menu.menu("TAIKYOKU")->title(), QStringLiteral("&Game"));
    EXPECT_EQ(menu.action("SENTE")->text().section(QLatin1Char('\t'), 0, 0),
              QStringLiteral("Move &first"));
    // 戻 and 進 keep their keys after the tab.
    const QString leftKey = QKeySequence(Qt::Key_Left).toString(QKeySequence::NativeText);
    const QString rightKey = QKeySequence(Qt::Key_Right).toString(QKeySequence::NativeText);
    EXPECT_EQ(menu.action("REPLAY")->text(), QStringLiteral("&Back\t") + leftKey);
    EXPECT_EQ(menu.action("AFTER")->text(), QStringLiteral("&Forward\t") + rightKey);
    EXPECT_EQ(menu.menu("HELP")->title(), QStringLiteral("&Help"));
    // No caption is left in Japanese, except the name of the language itself (a key shown
    // after the tab is Qt's name of the key).
    for (const QAction* a : window->menuBar()->findChildren<QAction*>()) {
        if (a->objectName() == QStringLiteral("JAPANESE")) continue;
        for (const QChar c : a->text().section(QLatin1Char('\t'), 0, 0))
            EXPECT_LT(c.unicode(), 0x2000)
                << a->objectName().toStdString() << " " << a->text().toStdString();
    }
    // The move list's dock and the marker palette speak English too.
    EXPECT_EQ(window->findChild<QDockWidget*>(QStringLiteral("MOVE_LIST_DOCK"))->windowTitle(),
              QStringLiteral("Move list"));
    const auto labels = window->recordPanel().findChildren<QLabel*>();
    for (const QLabel* l : surface()->findChildren<QLabel*>())
        for (const QChar c : l->text()) EXPECT_LT(c.unicode(), 0x2000) << l->text().toStdString();
    static_cast<void>(labels);
    EXPECT_EQ(window->language().box(texts::match::missReport(texts::match::MISS_HEADER_MAN,
                                                              texts::match::MISS_DROPPED_ON)),
              "  ** MAN missed! **\r\rThe piece was dropped on a hidden piece");
    EXPECT_EQ(shownText(QString::fromUtf8(texts::draw::THINKING.data(),
                                          static_cast<int>(texts::draw::THINKING.size()))),
              QStringLiteral("Thinking"));
    {
        std::ifstream in(folder() / LANGUAGE_FILE_NAME);
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line, "en");
    }

    choose("SENTE");
    click(7, 7);
    click(7, 6);
    // The status line, the move list's words and the marker palette in English; the move
    // notation stays as it is.
    EXPECT_EQ(shownText(QString::fromUtf8(texts::status::YOUR_TURN)), QStringLiteral("Your move"));
    EXPECT_EQ(shownText(QString::fromStdString(texts::status::andThen(
                  texts::status::miss(texts::status::MISS_MAN, texts::match::MISS_JUMPED),
                  texts::status::YOUR_TURN))),
              QStringLiteral("MAN missed (The move jumped over a hidden piece) · Your move"));
    for (const QChar c : shownText(QString::fromStdString(form().statusText())))
        EXPECT_LT(c.unicode(), 0x2000) << form().statusText();
    window->moveListAction()->trigger();
    settle();
    ASSERT_GE(window->moveList()->count(), 2);
    EXPECT_EQ(window->moveList()->item(0)->text(), QStringLiteral("    Starting position"));
    EXPECT_EQ(window->moveList()->item(1)->text(), QStringLiteral("  1 ▲３六歩"));
    QTest::mouseClick(surface(), Qt::LeftButton, Qt::ShiftModifier, centreOf(5, 5));
    settle();
    ASSERT_NE(window->markerPalette(), nullptr);
    QStringList captions;
    for (const QAction* a : window->markerPalette()->actions())
        if (!a->isSeparator()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"King", "Rook", "Bishop", "Gold", "Silver", "Knight", "Lance",
                                     "Pawn", "Remove"}));
    window->markerPalette()->close();
    settle();
    window->resize(1000, 880);
    settle();
    saveScreenshot("english");
    choose("KIFU_WRITE");
    saveScreenshot("english-record-panel");

    {
        // The next run opens in English.
        AppOptions options;
        options.folder = folder();
        options.dialogs = &dialogs;
        options.clock = &clock;
        options.sound = &sound;
        options.onQuit = [] {};
        MainWindow next(options);
        EXPECT_TRUE(next.language().english());
        EXPECT_EQ(next.gameMenu().menu("TAIKYOKU")->title(), QStringLiteral("&Game"));
        EXPECT_TRUE(next.gameMenu().action("ENGLISH")->isChecked());
    }

    choose("JAPANESE");
    EXPECT_FALSE(window->language().english());
    EXPECT_EQ(menu.menu("TAIKYOKU")->title(), QStringLiteral("対局(&G)"));
    EXPECT_EQ(menu.action("SENTE")->text(), QStringLiteral("先手(&F)"));
    EXPECT_EQ(menu.action("REPLAY")->text(), QStringLiteral("戻(&B)\t") + leftKey);
    EXPECT_EQ(window->moveListAction()->text(), QStringLiteral("指し手一覧(&M)"));
    EXPECT_EQ(window->moveList()->item(0)->text(), QStringLiteral("    開始局面"));
    window->moveListAction()->trigger();
    settle();
    EXPECT_EQ(window->language().box("  ** MANのミス! **\r\rCOM駒の上に張り駒しました"),
              "  ** MANのミス! **\r\rCOM駒の上に張り駒しました");
    std::ifstream in(folder() / LANGUAGE_FILE_NAME);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "ja");
}

// Runs f in another thread; should it still wait after a few seconds (on a FIFO), the FIFO is
// opened for both ends so that it returns, and the test fails.
template <typename F>
auto withoutBlocking(const fs::path& fifo, F f) {
    auto running = std::async(std::launch::async, f);
    if (running.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "blocked on " << fifo;
        const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    return running.get();
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A language file that names no language leaves the choice to the system's language.
TEST(LanguageFile, AnUnreadableFileFallsBackToTheSystemLanguage) {
    const fs::path dir = fs::temp_directory_path() / ("velk-lang-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const bool system = QLocale::system().language() != QLocale::Japanese;
    EXPECT_EQ(storedLanguageIsEnglish(dir), system);
    std::ofstream(dir / LANGUAGE_FILE_NAME) << "fr\n";
    EXPECT_EQ(storedLanguageIsEnglish(dir), system);
    EXPECT_TRUE(storeLanguage(dir, true).ok);
    EXPECT_TRUE(storedLanguageIsEnglish(dir));
    EXPECT_TRUE(storeLanguage(dir, false).ok);
    EXPECT_FALSE(storedLanguageIsEnglish(dir));
    // A folder that cannot take the file keeps the choice for this run only.
    EXPECT_FALSE(storeLanguage(dir / "missing", true).ok);
    fs::remove_all(dir);
}

// The language file is written and read as every other file of the game: a write that fails
// half way (a full disk) leaves the old choice whole, and a FIFO of that name is neither read
// nor replaced, and never blocks.
TEST(LanguageFile, AFailedWriteKeepsTheOldChoiceAndAFifoNeverBlocks) {
    const fs::path dir =
        fs::temp_directory_path() / ("velk-lang-fail-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / LANGUAGE_FILE_NAME;
    ASSERT_TRUE(storeLanguage(dir, false).ok);

    // A full disk, imitated by a file-size limit below the file's three bytes.
    struct sigaction ignore {
    }, before{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &before), 0);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult full = storeLanguage(dir, true);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &before, nullptr);
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.error, fileErrorText(EFBIG));
    EXPECT_EQ(bytesOf(file), "ja\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    const bool system = QLocale::system().language() != QLocale::Japanese;
    EXPECT_EQ(withoutBlocking(file, [&] { return storedLanguageIsEnglish(dir); }), system);
    const FileWriteResult onFifo = withoutBlocking(file, [&] { return storeLanguage(dir, true); });
    EXPECT_FALSE(onFifo.ok);
    EXPECT_EQ(onFifo.error, texts::file::NOT_REGULAR);
    EXPECT_TRUE(fs::is_fifo(file));
    fs::remove_all(dir);
}

// The language and preferences files that cannot be written get the settings file's box, once
// a run each; the choice still holds for the run.
TEST_F(WindowTest, AWindowFileThatCannotBeWrittenSaysSoOnce) {
    const fs::path language = folder() / LANGUAGE_FILE_NAME;
    fs::remove(language);
    ASSERT_EQ(::mkfifo(language.c_str(), 0600), 0);
    fs::create_directory(folder() / PREFERENCES_FILE_NAME);
    const struct {
        const char* fileName;
        std::string reason;
        std::function<void()> change;
        std::function<bool()> changed;
    } table[] = {
        {LANGUAGE_FILE_NAME, texts::file::NOT_REGULAR,
         [&] { choose(window->language().english() ? "JAPANESE" : "ENGLISH"); },
         [&] { return window->language().english(); }},
        {PREFERENCES_FILE_NAME, texts::file::A_FOLDER,
         [&] {
             window->moveListAction()->trigger();
             settle();
         },
         [&] { return !window->moveListDock()->isHidden(); }},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.fileName);
        dialogs.boxes.clear();
        const bool before = row.changed();
        row.change();
        EXPECT_NE(row.changed(), before);
        EXPECT_EQ(
            dialogs.boxes,
            (std::vector<fakes::Box>{{fakes::Box::Message,
                                      texts::match::settingsNotSaved(row.fileName, row.reason),
                                      texts::match::SETTINGS_TITLE}}));
        row.change();
        row.change();
        EXPECT_NE(row.changed(), before);
        EXPECT_EQ(dialogs.boxes.size(), 1u);
    }
    EXPECT_TRUE(fs::is_fifo(language));
}

// The surface labels follow the language at once, on the same game.
TEST_F(WindowTest, SwitchingTheLanguageRedrawsTheSurfaceLabels) {
    choose("SENTE");
    const QImage japanese = shot();
    choose("ENGLISH");
    const QImage english = shot();
    EXPECT_NE(japanese, english);
    choose("JAPANESE");
    EXPECT_EQ(shot(), japanese);
}

// The help page opens from its menu item and from F1, with a picture of each kind of miss, in
// the window's language.
TEST_F(WindowTest, TheHelpPageOpensFromTheMenuAndF1) {
    EXPECT_EQ(window->helpWindow(), nullptr);
    QTest::keyClick(window.get(), Qt::Key_F1);
    settle();
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
    const QString japanese = window->helpWindow()->browser()->toPlainText();
    EXPECT_TRUE(japanese.contains(QStringLiteral("三つのミス")));
    for (int kind = 1; kind <= 3; ++kind) {
        const QVariant image = window->helpWindow()->browser()->document()->resource(
            QTextDocument::ImageResource, QUrl(QStringLiteral("velk:miss%1").arg(kind)));
        EXPECT_FALSE(image.value<QImage>().isNull()) << kind;
    }
    // Each picture shows its own miss.
    EXPECT_NE(missPicture(1, 40), missPicture(2, 40));
    EXPECT_NE(missPicture(2, 40), missPicture(3, 40));
    window->helpWindow()->close();
    settle();

    choose("ENGLISH");
    choose("HOW_TO_PLAY");
    EXPECT_TRUE(window->helpWindow()->isVisible());
    const QString english = window->helpWindow()->browser()->toPlainText();
    EXPECT_TRUE(english.contains(QStringLiteral("The three kinds of miss")));
    EXPECT_TRUE(english.contains(QStringLiteral("The tenth miss")));
    EXPECT_TRUE(english.contains(QStringLiteral("Ctrl+S")));
    QDir().mkpath(QStringLiteral(VELK_SCREENSHOT_DIR));
    window->helpWindow()->resize(600, 1300);
    settle();
    EXPECT_TRUE(window->helpWindow()->grab().save(QStringLiteral(VELK_SCREENSHOT_DIR "/help.png")));
    choose("JAPANESE");
    EXPECT_TRUE(
        window->helpWindow()->browser()->toPlainText().contains(QStringLiteral("十回目のミス")));
    EXPECT_TRUE(
        window->helpWindow()->grab().save(QStringLiteral(VELK_SCREENSHOT_DIR "/help-ja.png")));
}

}  // namespace
}  // namespace velk::app
