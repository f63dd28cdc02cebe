// Message boxes on screen: texts, titles and Japanese buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/qt_ports.h"

namespace velk::app {
namespace {

QMessageBox* openBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

// Runs act on the box once it is open; closes it regardless if act leaves it open.
void whenBoxOpens(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act] {
        QMessageBox* box = openBox();
        if (box == nullptr) {
            ADD_FAILURE() << "no message box open";
            return;
        }
        act(*box);
        if (box->isVisible()) box->done(0);
    });
}

TEST(QtDialogs, MessageShowsItsTextTitleAndAnOkButton) {
    QWidget owner;
    owner.show();
    QtDialogs dialogs(&owner);
    QString text, title;
    int buttons = 0;
    whenBoxOpens([&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        buttons = static_cast<int>(box.buttons().size());
        box.button(QMessageBox::Ok)->click();
    });
    dialogs.message("  ** MANのミス! **\r\rCOM駒を飛び越えました", "反則");
    EXPECT_EQ(text, QStringLiteral("  ** MANのミス! **\n\nCOM駒を飛び越えました"));
    EXPECT_EQ(title, QStringLiteral("反則"));
    EXPECT_EQ(buttons, 1);
}

TEST(QtDialogs, QuestionsHaveJapaneseButtonsAndOnlyAButtonAnswersThem) {
    QWidget owner;
    owner.show();
    QtDialogs dialogs(&owner);
    QString yes, no;
    bool openAfterEscape = false;
    whenBoxOpens([&](QMessageBox& box) {
        yes = box.button(QMessageBox::Yes)->text();
        no = box.button(QMessageBox::No)->text();
        QTest::keyClick(&box, Qt::Key_Escape);
        openAfterEscape = box.isVisible();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(dialogs.askYesNo("続けますか？", "再ゲーム"));
    EXPECT_TRUE(yes.contains(QStringLiteral("はい"))) << yes.toStdString();
    EXPECT_TRUE(no.contains(QStringLiteral("いいえ"))) << no.toStdString();
    EXPECT_TRUE(openAfterEscape);

    whenBoxOpens([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(dialogs.askYesNo("続けますか？", "再ゲーム"));
}

}  // namespace
}  // namespace velk::app
