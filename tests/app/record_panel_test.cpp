// The record panel for a keyboard user and a changing folder: Enter writes, Tab runs through the
// text boxes in order, the file list follows the folder and lists only regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/main_window.h"
#include "board/piece.h"
#include "match/fakes.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;

class RecordPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        folder_ = fs::temp_directory_path() /
                  ("velk-panel-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(folder_);
        AppOptions options;
        options.folder = folder_;
        options.dialogs = &dialogs;
        options.clock = &clock;
        options.sound = &sound;
        options.onQuit = [] {};
        window = std::make_unique<MainWindow>(options);
        window->start();
        window->resize(900, 800);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        settle();
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(folder_);
    }

    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    void choose(const char* item) {
        QAction* a = window->gameMenu().action(QString::fromUtf8(item));
        ASSERT_NE(a, nullptr) << item;
        a->trigger();
        settle();
    }
    void click(int x, int y) {
        const QPoint at =
            window->surface()
                ->twipsToWidget(BOARD_LEFT + (x + 0.5) * SQUARE_W, BOARD_TOP + (y + 0.5) * SQUARE_H)
                .toPoint();
        QTest::mouseClick(window->surface(), Qt::LeftButton, {}, at);
        settle();
    }
    void touch(const fs::path& p) { std::ofstream(p) << "x"; }
    QStringList listed() {
        QStringList names;
        QListWidget* files = window->recordPanel().files();
        for (int i = 0; i < files->count(); ++i) names << files->item(i)->text();
        return names;
    }
    const fs::path& folder() const { return folder_; }

    fakes::FakeDialogs dialogs;
    fakes::FakeClock clock;
    fakes::FakeSound sound;
    std::unique_ptr<MainWindow> window;

  private:
    fs::path folder_;
};

TEST_F(RecordPanelTest, EnterInTheFileNameBoxWritesAsReturnDoes) {
    choose("SENTE");
    click(3, 7);
    click(3, 6);
    ASSERT_EQ(window->form().s.moveNo, 2);

    choose("KIFU_WRITE");
    RecordPanelWidgets& panel = window->recordPanel();
    QTest::keyClicks(panel.textBox(1), "enter");
    QTest::keyClick(panel.textBox(1), Qt::Key_Return);
    settle();
    EXPECT_TRUE(fs::is_regular_file(folder() / "enter.棋譜"));
    EXPECT_EQ(dialogs.count("棋譜を書き込みました"), 1);

    // Enter in the other boxes does not write.
    choose("KIFU_WRITE");
    QTest::keyClicks(panel.textBox(1), "other");
    QTest::keyClick(panel.textBox(2), Qt::Key_Return);
    settle();
    EXPECT_FALSE(fs::exists(folder() / "other.棋譜"));
}

TEST_F(RecordPanelTest, TabRunsThroughTheTextBoxesFromTheTopThenReturn) {
    choose("KIFU_WRITE");
    RecordPanelWidgets& panel = window->recordPanel();
    // The boxes from the top: 対局名 (Text2), 先手 (Text3), 後手 (Text4), ﾌｧｲﾙ名 (Text1).
    const std::vector<QWidget*> order = {panel.textBox(2), panel.textBox(3), panel.textBox(4),
                                         panel.textBox(1), panel.returnButton()};
    panel.textBox(2)->setFocus();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), order[0]);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " Tabs";
    }
    // And back with Shift+Tab.
    for (std::size_t i = order.size() - 1; i > 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        settle();
        EXPECT_EQ(QApplication::focusWidget(), order[i - 1]);
    }
}

TEST_F(RecordPanelTest, TheFileListIsReadAgainOnOpeningAndWhenTheFolderChanges) {
    touch(folder() / "first.棋譜");
    choose("KIFU_READ");
    EXPECT_EQ(listed(), QStringList{QStringLiteral("first.棋譜")});

    // Added while the list is shown.
    touch(folder() / "second.棋譜");
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed().size() == 2; }, 5000)) << listed().size();
    fs::remove(folder() / "first.棋譜");
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed().size() == 1; }, 5000));

    // Added while the panel is closed: seen when it opens again.
    window->dispatch([](Form1& f) { f.STOP_Click(); });
    settle();
    ASSERT_FALSE(window->recordPanel().files()->isVisibleTo(window.get()));
    touch(folder() / "third.棋譜");
    choose("KIFU_READ");
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("second.棋譜"), QStringLiteral("third.棋譜")}));

    // A new subfolder appears in the folder list too.
    fs::create_directory(folder() / "records");
    QListWidget* dirs = window->recordPanel().dirs();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            for (int i = 0; i < dirs->count(); ++i)
                if (dirs->item(i)->text().trimmed() == QStringLiteral("records")) return true;
            return false;
        },
        5000));
}

TEST_F(RecordPanelTest, OnlyRegularFilesAreListed) {
    touch(folder() / "real.棋譜");
    fs::create_symlink(folder() / "real.棋譜", folder() / "link.棋譜");
    ASSERT_EQ(::mkfifo((folder() / "pipe.棋譜").c_str(), 0600), 0);
    fs::create_symlink(folder() / "pipe.棋譜", folder() / "pipelink.棋譜");
    fs::create_symlink(folder() / "none.棋譜", folder() / "dangling.棋譜");
    fs::create_directory(folder() / "folder.棋譜");
    // What a killed save left goes when the folder is listed; a running program's stays.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const fs::path stale = folder() / (".real.棋譜.tmp" + std::to_string(gone) + "_0");
    const fs::path saving = folder() / (".real.棋譜.tmp" + std::to_string(::getpid()) + "_0");
    touch(stale);
    touch(saving);
    choose("KIFU_READ");
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("link.棋譜"), QStringLiteral("real.棋譜")}));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(saving));
}

}  // namespace
}  // namespace velk::app
