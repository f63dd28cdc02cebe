// The menu bar: captions and control names of the game's menus, and the check marks that
// the controller keeps.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <functional>
#include <map>
#include <utility>

#include "match/ports.h"

namespace velk::app {

// A caption with its Alt key: the letter marked where the caption has it (English), else added
// in brackets after it (Japanese: "対局(&G)"). An '&' of the caption itself stays one.
QString withMnemonic(const QString& caption, QChar letter);

// The Alt key of a menu or item by its name; a null character for none.
QChar mnemonicOf(const QString& name);

class GameMenu final : public Menu {
  public:
    // Builds the menus on the bar. Every item is named after its control (SENTE, LEVEL1 ...);
    // choosing one calls onItem with that name, opening a top menu calls onOpen with its name.
    GameMenu(QMenuBar* bar, std::function<void(const QString&)> onItem,
             std::function<void(const QString&)> onOpen);

    void setChecked(MenuItem item, bool checked) override;
    bool isChecked(MenuItem item) const override;

    // Items of the window's own (language, help, the network game's boxes), which no control of
    // the controller names.
    static bool isWindowItem(const QString& name) {
        return name == QStringLiteral("JAPANESE") || name == QStringLiteral("ENGLISH") ||
               name == QStringLiteral("HOW_TO_PLAY") || name == QStringLiteral("NET_CREATE") ||
               name == QStringLiteral("NET_JOIN");
    }
    // The captions in the language installed now.
    void retranslate();

    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

  private:
    QAction* item(QMenu* parent, const char* caption, const char* name, bool checkable = false);
    QMenu* top(QMenuBar* bar, const char* caption, const char* name, bool announce);
    QMenu* sub(QMenu* parent, const char* caption, const char* name);

    std::function<void(const QString&)> onItem_;
    std::function<void(const QString&)> onOpen_;
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::map<MenuItem, QAction*> checks_;
    // Each caption's translation context and Japanese source.
    std::map<QObject*, std::pair<const char*, const char*>> captions_;
    const char* context_ = "menu";
};

}  // namespace velk::app
