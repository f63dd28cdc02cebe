// What the window does on a termination signal: it ends as 終わり ends it, asks nothing, and
// does not wait for a box that stands open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "app/main_window.h"
#include "match/fakes.h"
#include "settings/settings_file.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;

struct SignalTest : ::testing::Test {
    fs::path folder;
    fakes::FakeClock clock;
    fakes::FakeSound sound;
    int quits = 0;

    void SetUp() override {
        static std::atomic<int> serial{0};
        folder = fs::temp_directory_path() /
                 ("velk-signal-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    AppOptions options(Dialogs* dialogs) {
        AppOptions o;
        o.folder = folder;
        o.dialogs = dialogs;
        o.clock = &clock;
        o.sound = &sound;
        o.onQuit = [this] { ++quits; };
        return o;
    }

    std::string settingsBytes() const {
        std::ifstream in(folder / SETTINGS_FILE_NAME, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(SignalTest, AGameInProgressEndsWithoutAQuestion) {
    fakes::FakeDialogs dialogs;
    dialogs.defaultAnswer = false;
    MainWindow window(options(&dialogs));
    window.start();
    window.dispatch([](Form1& f) {
        f.SENTE_Click();
        f.Form_MouseDown(LEFT_BUTTON, 0, BOARD_LEFT + 7.5f * SQUARE_W, BOARD_TOP + 7.5f * SQUARE_H);
        f.Form_MouseDown(LEFT_BUTTON, 0, BOARD_LEFT + 7.5f * SQUARE_W, BOARD_TOP + 6.5f * SQUARE_H);
    });
    ASSERT_GE(window.form().s.moveNo, 1);
    const std::string settings = settingsBytes();
    ASSERT_FALSE(settings.empty());
    const std::size_t boxes = dialogs.boxes.size();

    window.endOnSignal();
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(window.hasEnded());
    EXPECT_TRUE(window.form().closed);
    EXPECT_TRUE(sound.live.empty());
    EXPECT_EQ(dialogs.boxes.size(), boxes);
    EXPECT_EQ(settingsBytes(), settings);
    window.endOnSignal();
    EXPECT_EQ(quits, 1);
}

TEST_F(SignalTest, ABoxStandingOpenIsDismissedAndTheProgramEndsAfterItsHandler) {
    MainWindow window(options(nullptr));  // real boxes
    window.start();
    ASSERT_FALSE(window.hasEnded());
    bool boxWasOpen = false;
    QTimer::singleShot(200, [&] {
        boxWasOpen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
        window.endOnSignal();
    });
    // Should the box stay, it is closed after a while so that the test fails instead of hanging.
    bool boxOutlivedTheSignal = false;
    QTimer::singleShot(10000, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            boxOutlivedTheSignal = true;
            box->close();
        }
    });
    bool handlerReturned = false;
    window.dispatch([&](Form1& f) {
        f.VER_Click();  // its box waits for the player
        handlerReturned = true;
    });
    EXPECT_TRUE(boxWasOpen);
    EXPECT_FALSE(boxOutlivedTheSignal);
    EXPECT_TRUE(handlerReturned);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(window.form().closed);
    EXPECT_TRUE(sound.live.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace velk::app
