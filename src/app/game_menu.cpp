#include "app/game_menu.h"

namespace velk::app {

GameMenu::GameMenu(QMenuBar* bar, std::function<void(const QString&)> onItem,
                   std::function<void(const QString&)> onOpen)
    : onItem_(std::move(onItem)), onOpen_(std::move(onOpen)) {
    QMenu* taikyoku = top(bar, "対局", "TAIKYOKU", true);
    QMenu* start = sub(taikyoku, "対局", "START2");
    item(start, "先手", "SENTE");
    item(start, "後手", "GOTE");
    QMenu* level = sub(taikyoku, "COM対局ﾚﾍﾞﾙ", "LEVEL");
    checks_[MenuItem::LEVEL1] = item(level, "LEVEL1", "LEVEL1", true);
    checks_[MenuItem::LEVEL2] = item(level, "LEVEL2", "LEVEL2", true);
    checks_[MenuItem::LEVEL3] = item(level, "LEVEL3", "LEVEL3", true);
    item(taikyoku, "終わり", "OWARI");

    QMenu* stop = top(bar, "局面", "STOP", true);
    item(stop, "戻", "REPLAY");
    item(stop, "進", "AFTER");
    item(stop, "反転", "REVERSE");
    item(stop, "一時表示", "ICHIJI");
    item(stop, "最初", "CANCEL");

    QMenu* kifu = top(bar, "棋譜", "KIFU", false);
    item(kifu, "書込", "KIFU_WRITE");
    item(kifu, "読込", "KIFU_READ");
    item(kifu, "KIF書込", "KIF_WRITE");
    item(kifu, "KIF読込", "KIF_READ");

    QMenu* option = top(bar, "ｵﾌﾟｼｮﾝ", "OPTION", true);
    QMenu* haikei = sub(option, "背景画", "HAIKEI_GA");
    checks_[MenuItem::MIDORI] = item(haikei, "緑", "MIDORI", true);
    checks_[MenuItem::TATAMI] = item(haikei, "畳", "TATAMI", true);
    checks_[MenuItem::TAKE] = item(haikei, "竹", "TAKE", true);
    checks_[MenuItem::UCHU] = item(haikei, "宇宙", "UCHU", true);
    checks_[MenuItem::RENGA] = item(haikei, "煉瓦", "RENGA", true);
    checks_[MenuItem::KEIKA] = item(option, "経過時間", "KEIKA", true);
    checks_[MenuItem::BGM] = item(option, "BGM", "BGM", true);
    item(option, "その他", "VER");
}

QMenu* GameMenu::top(QMenuBar* bar, const char* caption, const char* name, bool announce) {
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromUtf8(name));
    m->menuAction()->setObjectName(QString::fromUtf8(name));
    menus_[m->objectName()] = m;
    if (announce) {
        const QString n = m->objectName();
        QObject::connect(m, &QMenu::aboutToShow, m, [this, n] { onOpen_(n); });
    }
    return m;
}

QMenu* GameMenu::sub(QMenu* parent, const char* caption, const char* name) {
    QMenu* m = parent->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromUtf8(name));
    menus_[m->objectName()] = m;
    return m;
}

QAction* GameMenu::item(QMenu* parent, const char* caption, const char* name, bool checkable) {
    QAction* a = parent->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    a->setCheckable(checkable);
    actions_[a->objectName()] = a;
    const QString n = a->objectName();
    // The controller decides the check marks: the toggle Qt makes on a click is undone, and
    // the handler runs once the menu has closed.
    QObject::connect(a, &QAction::triggered, a, [a, checkable] {
        if (checkable) a->setChecked(!a->isChecked());
    });
    QObject::connect(
        a, &QAction::triggered, a, [this, n] { onItem_(n); }, Qt::QueuedConnection);
    return a;
}

void GameMenu::setChecked(MenuItem item, bool checked) {
    checks_.at(item)->setChecked(checked);
}

bool GameMenu::isChecked(MenuItem item) const {
    return checks_.at(item)->isChecked();
}

QAction* GameMenu::action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* GameMenu::menu(const QString& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

}  // namespace velk::app
