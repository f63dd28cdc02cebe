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

// Enter answers a question with its default button: Yes unless the question names No.
TEST(QtDialogs, EnterAnswersAQuestionWithItsDefaultButton) {
    QWidget owner;
    owner.show();
    QtDialogs dialogs(&owner);
    const struct {
        std::function<bool()> ask;
        QMessageBox::StandardButton expectedDefault;
        bool expectedAnswer;
    } table[] = {
        {[&] { return dialogs.askYesNo("続けますか？", "再ゲーム"); }, QMessageBox::Yes, true},
        {[&] { return dialogs.askYesNo("続けますか？", "再ゲーム", DefaultButton::Yes); },
         QMessageBox::Yes, true},
        {[&] { return dialogs.askYesNo("終わりますか？", "終わり", DefaultButton::No); },
         QMessageBox::No, false},
    };
    for (const auto& row : table) {
        QMessageBox::StandardButton shownDefault = QMessageBox::NoButton;
        whenBoxOpens([&](QMessageBox& box) {
            shownDefault = box.standardButton(box.defaultButton());
            // The key goes where the player's would: to the widget that has the focus.
            QWidget* focus = box.focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &box, Qt::Key_Return);
        });
        EXPECT_EQ(row.ask(), row.expectedAnswer);
        EXPECT_EQ(shownDefault, row.expectedDefault);
    }
}

}  // namespace
}  // namespace velk::app
