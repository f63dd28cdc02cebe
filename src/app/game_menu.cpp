#include "app/game_menu.h"

#include <QCoreApplication>
#include <map>

#include "texts/texts.h"

namespace velk::app {

namespace {

// Alt keys, unique within each menu, taken from the English captions so that they sit inside
// them there.
const std::map<QString, QChar>& mnemonics() {
    static const std::map<QString, QChar> keys = {
        {"TAIKYOKU", 'G'},    {"STOP", 'P'},      {"KIFU", 'R'},       {"OPTION", 'O'},
        {"HELP", 'H'},        {"START2", 'G'},    {"LEVEL", 'L'},      {"HINT", 'H'},
        {"OWARI", 'Q'},       {"TOURYOU", 'R'},   {"SENTE", 'F'},      {"GOTE", 'S'},
        {"FUTARI", 'T'},      {"LEVEL1", '1'},    {"LEVEL2", '2'},     {"LEVEL3", '3'},
        {"KOUSEI", 'F'},      {"REPLAY", 'B'},    {"AFTER", 'F'},      {"REVERSE", 'V'},
        {"ICHIJI", 'S'},      {"CANCEL", 'R'},    {"MOVE_LIST", 'M'},  {"MARKER", 'G'},
        {"KIFU_WRITE", 'S'},  {"KIFU_READ", 'L'}, {"KIF_WRITE", 'K'},  {"KIF_READ", 'I'},
        {"HAIKEI_GA", 'B'},   {"KEIKA", 'E'},     {"BGM", 'M'},        {"VER", 'V'},
        {"LANGUAGE", 'L'},    {"MIDORI", 'G'},    {"TATAMI", 'T'},     {"TAKE", 'A'},
        {"UCHU", 'S'},        {"RENGA", 'R'},     {"JAPANESE", 'J'},   {"ENGLISH", 'E'},
        {"HOW_TO_PLAY", 'H'}, {"NET", 'N'},       {"NET_CREATE", 'C'}, {"NET_JOIN", 'J'},
    };
    return keys;
}

}  // namespace

QChar mnemonicOf(const QString& name) {
    const auto it = mnemonics().find(name);
    return it == mnemonics().end() ? QChar() : it->second;
}

QString withMnemonic(const QString& caption, QChar letter) {
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (letter.isNull()) return text;
    // Only the caption before a tab (a key shown beside it) may carry the mark.
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    const QString head = tab < 0 ? text : text.left(tab);
    const qsizetype at = head.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at >= 0) return text.insert(at, QLatin1Char('&'));
    return text.insert(head.size(), QStringLiteral("(&") + letter + QLatin1Char(')'));
}

GameMenu::GameMenu(QMenuBar* bar, std::function<void(const QString&)> onItem,
                   std::function<void(const QString&)> onOpen)
    : onItem_(std::move(onItem)), onOpen_(std::move(onOpen)) {
    QMenu* taikyoku = top(bar, texts::menu::TAIKYOKU, "TAIKYOKU", true);
    QMenu* start = sub(taikyoku, texts::menu::START, "START2");
    item(start, texts::menu::SENTE, "SENTE");
    item(start, texts::menu::GOTE, "GOTE");
    item(start, texts::menu::FUTARI, "FUTARI");
    QMenu* net = sub(taikyoku, texts::menu::NET, "NET");
    item(net, texts::menu::NET_CREATE, "NET_CREATE");
    item(net, texts::menu::NET_JOIN, "NET_JOIN");
    QMenu* level = sub(taikyoku, texts::menu::LEVEL, "LEVEL");
    checks_[MenuItem::LEVEL1] = item(level, texts::menu::LEVEL1, "LEVEL1", true);
    checks_[MenuItem::LEVEL2] = item(level, texts::menu::LEVEL2, "LEVEL2", true);
    checks_[MenuItem::LEVEL3] = item(level, texts::menu::LEVEL3, "LEVEL3", true);
    checks_[MenuItem::KOUSEI] = item(level, texts::menu::KOUSEI, "KOUSEI", true);
    item(taikyoku, texts::menu::HINT, "HINT");
    item(taikyoku, texts::menu::TOURYOU, "TOURYOU");
    item(taikyoku, texts::menu::OWARI, "OWARI");

    QMenu* stop = top(bar, texts::menu::STOP, "STOP", true);
    item(stop, texts::menu::REPLAY, "REPLAY");
    item(stop, texts::menu::AFTER, "AFTER");
    item(stop, texts::menu::REVERSE, "REVERSE");
    item(stop, texts::menu::ICHIJI, "ICHIJI");
    item(stop, texts::menu::CANCEL, "CANCEL");

    QMenu* kifu = top(bar, texts::menu::KIFU, "KIFU", false);
    item(kifu, texts::menu::KIFU_WRITE, "KIFU_WRITE");
    item(kifu, texts::menu::KIFU_READ, "KIFU_READ");
    item(kifu, texts::menu::KIF_WRITE, "KIF_WRITE");
    item(kifu, texts::menu::KIF_READ, "KIF_READ");

    QMenu* option = top(bar, texts::menu::OPTION, "OPTION", true);
    QMenu* haikei = sub(option, texts::menu::HAIKEI_GA, "HAIKEI_GA");
    checks_[MenuItem::MIDORI] = item(haikei, texts::menu::MIDORI, "MIDORI", true);
    checks_[MenuItem::TATAMI] = item(haikei, texts::menu::TATAMI, "TATAMI", true);
    checks_[MenuItem::TAKE] = item(haikei, texts::menu::TAKE, "TAKE", true);
    checks_[MenuItem::UCHU] = item(haikei, texts::menu::UCHU, "UCHU", true);
    checks_[MenuItem::RENGA] = item(haikei, texts::menu::RENGA, "RENGA", true);
    checks_[MenuItem::KEIKA] = item(option, texts::menu::KEIKA, "KEIKA", true);
    checks_[MenuItem::BGM] = item(option, texts::menu::BGM, "BGM", true);
    item(option, texts::menu::VER, "VER");

    // The window's own items: the language and the help page.
    context_ = "language";
    QMenu* language = sub(option, texts::language::MENU, "LANGUAGE");
    item(language, texts::language::JAPANESE, "JAPANESE", true);
    item(language, texts::language::ENGLISH, "ENGLISH", true);
    context_ = "help";
    QMenu* help = top(bar, texts::help::MENU, "HELP", false);
    item(help, texts::help::HOW_TO_PLAY, "HOW_TO_PLAY");
    context_ = "menu";
    retranslate();
}

void GameMenu::retranslate() {
    for (const auto& [object, source] : captions_) {
        const QString text = withMnemonic(QCoreApplication::translate(source.first, source.second),
                                          mnemonicOf(object->objectName()));
        if (auto* a = qobject_cast<QAction*>(object))
            a->setText(text);
        else if (auto* m = qobject_cast<QMenu*>(object))
            m->setTitle(text);
    }
}

QMenu* GameMenu::top(QMenuBar* bar, const char* caption, const char* name, bool announce) {
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    captions_[m] = {context_, caption};
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
    captions_[m] = {context_, caption};
    m->setObjectName(QString::fromUtf8(name));
    menus_[m->objectName()] = m;
    return m;
}

QAction* GameMenu::item(QMenu* parent, const char* caption, const char* name, bool checkable) {
    QAction* a = parent->addAction(QString::fromUtf8(caption));
    captions_[a] = {context_, caption};
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
