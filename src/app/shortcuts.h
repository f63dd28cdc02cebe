// The window's keyboard shortcuts, kept in one place: the keys the controller takes
// (Form_KeyDown), the menu items that show or own a key, and the help key.
#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QString>

#include "app/game_menu.h"
#include "match/form1.h"

namespace velk::app {

// The controller's code of a key press (Form_KeyDown), 0 for a key it does not take.
inline int controllerKeyCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Escape:
            return KEY_ESCAPE;
        case Qt::Key_Left:
            return KEY_LEFT;
        case Qt::Key_Right:
            return KEY_RIGHT;
        case Qt::Key_Up:
            return KEY_UP;
        case Qt::Key_Down:
            return KEY_DOWN;
        case Qt::Key_Home:
            return KEY_HOME;
        case Qt::Key_End:
            return KEY_END;
        case Qt::Key_Space:
            return KEY_SPACE;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return KEY_ENTER;
        case Qt::Key_H:
            return KEY_H;
        default:
            return 0;
    }
}

inline int controllerShift(const QKeyEvent& event) {
    return (event.modifiers() & Qt::ShiftModifier) ? SHIFT_KEY_BIT : 0;
}

// The key that opens the menu bar, and the key that opens the palette of guess markers on the
// keyboard cursor's square.
inline bool opensMenuBar(const QKeyEvent& event) {
    return event.key() == Qt::Key_F10 && event.modifiers() == Qt::NoModifier;
}
inline bool opensMarkerPalette(const QKeyEvent& event) {
    return event.key() == Qt::Key_M && event.modifiers() == Qt::NoModifier;
}

// The key that opens the help.
inline QKeySequence helpKey() {
    return QKeySequence(Qt::Key_F1);
}

// 戻, 進 and ﾋﾝﾄ only show their keys after a tab in their captions: the keys reach the
// controller as keys (← and → move the cursor instead while the human is to move). Call it again
// after the captions are set anew.
inline void showMenuKeys(GameMenu& menu) {
    const auto showKey = [&menu](const char* name, const QString& key) {
        if (QAction* a = menu.action(QString::fromLatin1(name)))
            a->setText(a->text().section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t') + key);
    };
    showKey("REPLAY", QKeySequence(Qt::Key_Left).toString(QKeySequence::NativeText));
    showKey("AFTER", QKeySequence(Qt::Key_Right).toString(QKeySequence::NativeText));
    showKey("HINT", QKeySequence(Qt::Key_H).toString(QKeySequence::NativeText));
}

// Shows the keys in the menus; 書込 and 読込 own theirs, and ﾍﾙﾌﾟ → 遊び方 owns the help key
// (one action only: two actions with one key would leave the key to neither). Returns the
// help's action.
inline QAction* installShortcuts(GameMenu& menu) {
    showMenuKeys(menu);
    if (QAction* a = menu.action(QStringLiteral("KIFU_WRITE")))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    if (QAction* a = menu.action(QStringLiteral("KIFU_READ")))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // A new game, the player moving first or second.
    if (QAction* a = menu.action(QStringLiteral("SENTE")))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    if (QAction* a = menu.action(QStringLiteral("GOTE")))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    QAction* help = menu.action(QStringLiteral("HOW_TO_PLAY"));
    if (help) help->setShortcut(helpKey());
    return help;
}

}  // namespace velk::app
