#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "app/icon.h"
#include "app/net_dialog.h"
#include "app/shortcuts.h"
#include "match/controls.h"
#include "settings/preferences.h"
#include "texts/texts.h"
#include "ui/geometry.h"

#ifdef VELK_HAVE_SOUND
#include "sound/sound_library.h"
#endif

namespace velk::app {

namespace {

// The preference that remembers whether the move list is shown.
constexpr const char* MOVE_LIST_KEY = "movelist";
// The move list's width at the designed size, in pixels.
constexpr int MOVE_LIST_PIXELS = 150;

// The window's frame lies this far outside the designed window point (0, 0).
constexpr int FRAME_TWIPS = 60;
// The designed window less its frame, title bar and menu bar.
constexpr int CLIENT_SHRINK_W = WINDOW_WIDTH - SurfaceGeometry::DESIGN_WIDTH;
constexpr int CLIENT_SHRINK_H = WINDOW_HEIGHT - SurfaceGeometry::DESIGN_HEIGHT;

}  // namespace

class MainWindow::WindowPort final : public Window {
  public:
    explicit WindowPort(MainWindow& w) : w_(w) {}
    // What was drawn shows now, the move list with it (a move shows in the list while the
    // boxes that announce it are open).
    void repaint() override {
        w_.surface_->repaint();
        w_.refreshMoveList();
    }
    int top() const override { return w_.topTwips(); }
    void place(int left, int top, int width, int height) override {
        w_.placeTwips(left, top, width, height);
    }
    void quit() override { w_.quitRequested_ = true; }
    long handle() const override { return static_cast<long>(w_.winId()); }

  private:
    MainWindow& w_;
};

void installJapanese(QObject* owner) {
    auto* translator = new QTranslator(owner);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

MainWindow::MainWindow(AppOptions options) : options_(std::move(options)) {
    folder_ = options_.folder.empty() ? std::filesystem::current_path() : options_.folder;
    language_ = std::make_unique<Language>();
    language_->setEnglish(storedLanguageIsEnglish(folder_));
    setWindowTitle(QStringLiteral("Velkついたて将棋"));
    setWindowIcon(gameIcon());
    surface_ = new SurfaceWidget(this);
    setCentralWidget(surface_);
    surface_->setFocus();

    menu_ = std::make_unique<GameMenu>(
        menuBar(), [this](const QString& name) { menuItem(name); },
        [this](const QString& name) { menuOpened(name); });
    helpAction_ = installShortcuts(*menu_);
    panel_ = new RecordPanelWidgets(surface_);
    connect(panel_, &RecordPanelWidgets::driveChosen, this, [this](const QString& root) {
        dispatch([root](Form1& f) { f.Drive1_Change(root.toStdString()); });
    });
    connect(panel_, &RecordPanelWidgets::dirChanged, this,
            [this] { dispatch([](Form1& f) { f.Dir1_Change(); }); });
    connect(panel_, &RecordPanelWidgets::fileClicked, this, [this](const QString& name) {
        dispatch([name](Form1& f) { f.File1_Click(name.toStdString()); });
    });
    connect(panel_, &RecordPanelWidgets::returnClicked, this,
            [this] { dispatch([](Form1& f) { f.Command1_Click(); }); });
    connect(surface_, &SurfaceWidget::pressed, this,
            [this](int button, int shift, float x, float y) {
                // A press made while a handler runs is dropped: see dispatch().
                if (busy_) return;
                // Shift and a click on a square opens the palette of guess markers instead.
                const int gx = columnAt(x), gy = rowAt(y);
                const bool armed = std::exchange(markerClickArmed_, false);
                if (((shift & 1) != 0 || armed) && onBoard(gx, gy)) {
                    // A click puts the keyboard's cursor away, this one too: Delete then takes
                    // the marker placed last.
                    dispatch([](Form1& f) { f.putCursorAway(); });
                    openMarkerPalette(
                        gx, gy, surface_->mapToGlobal(surface_->twipsToWidget(x, y).toPoint()));
                    return;
                }
                dispatch([=](Form1& f) { f.Form_MouseDown(button, shift, x, y); });
            });

    dialogs_ = std::make_unique<QtDialogs>(this);
    dialogs_->setTranslation([this](const std::string& text) { return language_->box(text); });
    surface_->canvas().setEnglish(
        [this](const QString& source) { return language_->englishOf(source); });
    clock_ = std::make_unique<QtClock>();
    timer_ = std::make_unique<QtTimer>([this] { tick(); });
    if (options_.sound == nullptr) {
#ifdef VELK_HAVE_SOUND
        sound_ = std::make_unique<SoundLibrary>();
#else
        sound_ = std::make_unique<SilentSoundDevice>();
#endif
    }
    window_ = std::make_unique<WindowPort>(*this);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The designed window is 600 x 533 pixels; open it as large as sits comfortably.
        const QRect avail = screen->availableGeometry();
        constexpr double DESIGN_PIXELS_W = static_cast<double>(WINDOW_WIDTH) / TWIPS_PER_PIXEL;
        constexpr double DESIGN_PIXELS_H = static_cast<double>(WINDOW_HEIGHT) / TWIPS_PER_PIXEL;
        comfort_ = std::max(1.0, std::min(avail.width() * 0.92 / DESIGN_PIXELS_W,
                                          avail.height() * 0.9 / DESIGN_PIXELS_H));
        comfort_ = std::floor(comfort_ * 20) / 20;
    }

    const std::filesystem::path& folder = folder_;
    Ports ports{surface_->canvas(),
                options_.dialogs ? *options_.dialogs : *dialogs_,
                options_.sound ? *options_.sound : *sound_,
                options_.clock ? *options_.clock : *clock_,
                *timer_,
                *menu_,
                *panel_,
                *window_};
    form_ = std::make_unique<Form1>(ports, folder);
    panel_->setFolder(folder.string());
    menu_->action(QStringLiteral("JAPANESE"))->setChecked(!language_->english());
    menu_->action(QStringLiteral("ENGLISH"))->setChecked(language_->english());

    // The move list stands right of the board; it cannot be floated or closed on its own, the
    // 局面 menu shows and hides it.
    moveDock_ = new QDockWidget(Language::text("menu", texts::menu::MOVE_LIST), this);
    moveDock_->setObjectName(QStringLiteral("MOVE_LIST_DOCK"));
    moveDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    moveList_ = new QListWidget(moveDock_);
    moveList_->setObjectName(QStringLiteral("MOVE_LIST"));
    moveList_->setSelectionMode(QAbstractItemView::SingleSelection);
    moveList_->setFocusPolicy(Qt::NoFocus);
    moveList_->setMinimumWidth(moveListWidth());
    moveDock_->setWidget(moveList_);
    addDockWidget(Qt::RightDockWidgetArea, moveDock_);
    connect(moveList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { moveListClicked(item); });
    moveListAction_ =
        menu_->menu(QStringLiteral("STOP"))
            ->addAction(withMnemonic(Language::text("menu", texts::menu::MOVE_LIST), 'M'));
    moveListAction_->setCheckable(true);
    connect(moveListAction_, &QAction::toggled, this, [this](bool on) { showMoveList(on, true); });
    // The palette of guess markers from the menu: the next click on a square opens it there.
    markerMenuAction_ =
        menu_->menu(QStringLiteral("STOP"))
            ->addAction(withMnemonic(Language::text("menu", texts::menu::MARKER), 'G'));
    connect(markerMenuAction_, &QAction::triggered, this, [this] { markerClickArmed_ = true; });
    const auto prefs = readPreferences(folder);
    const auto it = prefs.find(MOVE_LIST_KEY);
    const bool shown = it != prefs.end() && it->second == "on";
    moveDock_->setVisible(shown);
    const QSignalBlocker block(moveListAction_);
    moveListAction_->setChecked(shown);
}

void MainWindow::setEnglish(bool english) {
    language_->setEnglish(english);
    const FileWriteResult stored = storeLanguage(folder_, language_->english());
    menu_->retranslate();
    showMenuKeys(*menu_);
    moveDock_->setWindowTitle(Language::text("menu", texts::menu::MOVE_LIST));
    moveListAction_->setText(withMnemonic(Language::text("menu", texts::menu::MOVE_LIST), 'M'));
    markerMenuAction_->setText(withMnemonic(Language::text("menu", texts::menu::MARKER), 'G'));
    refreshMoveList();
    menu_->action(QStringLiteral("JAPANESE"))->setChecked(!language_->english());
    menu_->action(QStringLiteral("ENGLISH"))->setChecked(language_->english());
    panel_->retranslate();
    if (help_) help_->retranslate();
    surface_->update();
    tellNotSaved(LANGUAGE_FILE_NAME, stored, languageNotSavedTold_);
}

void MainWindow::showHelp() {
    if (help_ == nullptr) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

// A small menu of the marker kinds, the square's own kind checked (choosing it again removes
// the marker), and 消す.
void MainWindow::openMarkerPalette(int x, int y, const QPoint& at) {
    delete markerPalette_;
    markerPalette_ = new QMenu(this);
    markerPalette_->setObjectName(QStringLiteral("MARKER_PALETTE"));
    const int shown = form_->markers().kind[x][y];
    for (std::size_t i = 0; i < std::size(MARKER_KINDS); ++i) {
        const int kind = MARKER_KINDS[i];
        QAction* a =
            markerPalette_->addAction(Language::text("markers", texts::markers::KIND_NAMES[i]));
        a->setCheckable(true);
        a->setChecked(kind == shown);
        connect(a, &QAction::triggered, this,
                [this, x, y, kind] { dispatch([=](Form1& f) { f.MARKER_Choose(x, y, kind); }); });
    }
    markerPalette_->addSeparator();
    QAction* remove = markerPalette_->addAction(Language::text("markers", texts::markers::REMOVE));
    remove->setEnabled(shown != 0);
    connect(remove, &QAction::triggered, this,
            [this, x, y] { dispatch([=](Form1& f) { f.removeMarker(x, y); }); });
    markerPalette_->popup(at);
    // Opened from the keyboard or the mouse, the arrows and Enter choose in it.
    if (!markerPalette_->actions().isEmpty())
        markerPalette_->setActiveAction(markerPalette_->actions().first());
}

int MainWindow::moveListWidth() const {
    return static_cast<int>(std::lround(MOVE_LIST_PIXELS * comfort_));
}

// The width the list takes beside the board, with the separator between them.
int MainWindow::moveListRoom() const {
    const int list = moveDock_->isHidden() ? moveDock_->sizeHint().width() : moveDock_->width();
    return list + style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
}

// The window grows or shrinks by the list's width, so that the board keeps its size.
void MainWindow::showMoveList(bool shown, bool remember) {
    if (moveListAction_->isChecked() != shown) moveListAction_->setChecked(shown);
    if (moveDock_->isHidden() == shown) {
        const int grow = moveListRoom();
        moveDock_->setVisible(shown);
        if (isVisible()) resize(width() + (shown ? grow : -grow), height());
    }
    if (shown) refreshMoveList();
    if (remember)
        tellNotSaved(PREFERENCES_FILE_NAME,
                     writePreference(form_->folder(), MOVE_LIST_KEY, shown ? "on" : "off"),
                     preferencesNotSavedTold_);
}

void MainWindow::refreshMoveList() {
    if (moveList_ == nullptr || moveDock_->isHidden()) return;
    const MoveList list = form_->moveList();
    const QSignalBlocker block(moveList_);
    // Lines that stay the same are kept, so the list does not flicker or lose its scroll.
    const int count = static_cast<int>(list.lines.size());
    while (moveList_->count() > count) delete moveList_->takeItem(moveList_->count() - 1);
    for (int i = 0; i < count; ++i) {
        const auto& line = list.lines[static_cast<std::size_t>(i)];
        // The move number stays; the words after it are translated, the notation is not.
        const std::size_t n = std::min(line.text.size(), MOVE_LIST_NUMBER_WIDTH);
        const QString text =
            QString::fromStdString(line.text.substr(0, n)) +
            Language::shown(QString::fromStdString(line.text.substr(n)), moveListContexts());
        if (i < moveList_->count()) {
            QListWidgetItem* item = moveList_->item(i);
            if (item->text() != text) item->setText(text);
            item->setData(Qt::UserRole, line.moveNo);
        } else {
            auto* item = new QListWidgetItem(text, moveList_);
            item->setData(Qt::UserRole, line.moveNo);
        }
    }
    moveList_->setCurrentRow(list.current);
    moveList_->scrollToItem(moveList_->item(list.current));
}

void MainWindow::moveListClicked(QListWidgetItem* item) {
    if (item == nullptr || busy_) return;
    const int n = item->data(Qt::UserRole).toInt();
    dispatch([n](Form1& f) { f.MOVELIST_Click(n); });
    // A refused step leaves the list as it was: the current line shows where the board is.
    refreshMoveList();
}

MainWindow::~MainWindow() {
    timer_->setEnabled(false);
}

void MainWindow::start() {
    // The window shows at its designed place before the load handler runs, so that a box the
    // handler shows (no sound device, say) stands over the game's window.
    placeTwips(WINDOW_LEFT, WINDOW_TOP, WINDOW_WIDTH, WINDOW_HEIGHT);
    show();
    dispatch([](Form1& f) { f.Form_Load(); });
    if (options_.net && !ended_) startNetGame(*options_.net);
}

// Both wait until no handler runs: the controller is asked first, and at once.
void MainWindow::askNetGame(bool create) {
    if (busy_) {
        QTimer::singleShot(50, this, [this, create] { askNetGame(create); });
        return;
    }
    if (lastServer_.isEmpty()) lastServer_ = QString::fromLatin1(NetClient::DEFAULT_SERVER);
    const std::optional<NetClient::Options> chosen =
        velk::app::askNetGame(this, create, lastServer_);
    if (!chosen) return;
    lastServer_ = chosen->url.toString();
    startNetGame(*chosen);
}

void MainWindow::startNetGame(const NetClient::Options& options) {
    if (ended_) return;
    if (busy_) {
        QTimer::singleShot(50, this, [this, options] { startNetGame(options); });
        return;
    }
    if (!isServerAddress(options.url)) {
        dispatch([text = texts::net::badAddress(options.url.toString().toStdString())](Form1& f) {
            f.netCannotStart(text);
        });
        return;
    }
    if (!options.create && options.code.isEmpty()) {
        dispatch([](Form1& f) { f.netCannotStart(texts::net::BAD_CODE); });
        return;
    }
    bool prepared = false;
    dispatch([&prepared](Form1& f) { prepared = f.NET_Prepare(); });
    if (!prepared || ended_) return;
    auto client = std::make_unique<NetClient>(
        options, [this](std::function<void(Form1&)> call) { dispatch(std::move(call)); });
    NetClient* started = client.get();
    nets_.push_back(std::move(client));
    dispatch([started](Form1& f) { f.netConnecting(*started); });
    started->start();
}

void MainWindow::dispatch(std::function<void(Form1&)> handler) {
    if (ended_) return;
    if (busy_) {
        pending_.push_back(std::move(handler));
        return;
    }
    busy_ = true;
    handler(*form_);
    for (;;) {
        while (!pending_.empty() && !quitRequested_ && !form_->closed) {
            auto next = std::move(pending_.front());
            pending_.pop_front();
            next(*form_);
        }
        if (quitRequested_ || form_->closed) break;
        // Clicks and keys made while the handlers ran were held back by their waits; they arrive
        // now and are dropped, as busy_ is still set, so that nothing the player did before
        // seeing the computer's reply is played after it. A menu chosen meanwhile queues its
        // handler, which runs next.
        QCoreApplication::processEvents();
        if (pending_.empty()) break;
    }
    pending_.clear();
    busy_ = false;
    if (quitRequested_ || form_->closed) {
        end();
        return;
    }
    refreshMoveList();
}

void MainWindow::endOnSignal() {
    if (ended_) return;
    dialogs_->silence();
    const auto shutdown = [](Form1& f) {
        f.終了処理();
        f.closed = true;
    };
    if (!busy_) {
        dispatch(shutdown);
        return;
    }
    pending_.push_front(shutdown);
    // The handler that runs waits in a box or in one of the game's short pauses; the box is
    // answered so that the handler goes on (it shows no further box) and returns.
    if (QWidget* box = QApplication::activeModalWidget())
        if (auto* dialog = qobject_cast<QDialog*>(box)) dialog->reject();
}

void MainWindow::tick() {
    if (busy_ || ended_) return;
    dispatch([](Form1& f) { f.Timer1_Timer(); });
}

void MainWindow::menuItem(const QString& name) {
    // The language and the help are the window's own: the controller never sees them.
    if (name == QStringLiteral("JAPANESE") || name == QStringLiteral("ENGLISH")) {
        setEnglish(name == QStringLiteral("ENGLISH"));
        return;
    }
    if (name == QStringLiteral("NET_CREATE") || name == QStringLiteral("NET_JOIN")) {
        askNetGame(name == QStringLiteral("NET_CREATE"));
        return;
    }
    if (name == QStringLiteral("HOW_TO_PLAY")) {
        showHelp();
        return;
    }
    runControl(name, ControlKind::MenuItem);
}

void MainWindow::menuOpened(const QString& name) {
    runControl(name, ControlKind::MenuOpened);
}

// Runs the handler of the named control when it is of the kind the menu reports.
void MainWindow::runControl(const QString& name, ControlKind kind) {
    const std::string key = name.toStdString();
    const Control* control = findControl(key);
    if (control == nullptr || control->kind != kind) return;
    const auto handler = control->handler;
    dispatch([handler](Form1& f) { (f.*handler)(); });
}

// The program ends: no more handlers, boxes or ticks, and the window goes.
void MainWindow::end() {
    if (ended_) return;
    ended_ = true;
    timer_->setEnabled(false);
    dialogs_->silence();
    close();
    if (options_.onQuit)
        options_.onQuit();
    else
        QCoreApplication::quit();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // A key pressed while a handler runs is dropped: see dispatch().
    if (busy_) return;
    if (event->key() == Qt::Key_Delete) {
        dispatch([](Form1& f) { f.MARKER_Delete(); });
        return;
    }
    if (opensMenuBar(*event) && !menuBar()->actions().isEmpty()) {
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().first());
        return;
    }
    if (opensMarkerPalette(*event) && form_->cursorVisible()) {
        const int x = form_->cursorX(), y = form_->cursorY();
        const QPointF at = surface_->twipsToWidget(static_cast<float>(twipsX(x + 0.5)),
                                                   static_cast<float>(twipsY(y + 0.5)));
        openMarkerPalette(x, y, surface_->mapToGlobal(at.toPoint()));
        return;
    }
    const int code = controllerKeyCode(*event);
    if (code == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    const int shift = controllerShift(*event);
    dispatch([code, shift](Form1& f) { f.Form_KeyDown(code, shift); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window runs the shutdown; asked during a handler, it runs after it.
    if (!ended_) dispatch([](Form1& f) { f.Form_Unload(); });
    if (ended_)
        event->accept();
    else
        event->ignore();
}

void MainWindow::tellNotSaved(const char* fileName, const FileWriteResult& written, bool& told) {
    if (written.ok || told || ended_) return;
    told = true;
    Dialogs& dialogs = options_.dialogs ? *options_.dialogs : *dialogs_;
    dialogs.message(texts::match::settingsNotSaved(fileName, written.error),
                    texts::match::SETTINGS_TITLE);
}

int MainWindow::topTwips() const {
    // A window that was never placed has no designed position yet.
    if (!placed_ && !isVisible()) return 0;
    const QScreen* s = screen();
    const int availTop = s ? s->availableGeometry().top() : 0;
    const double twips =
        (frameGeometry().top() - availTop) * static_cast<double>(TWIPS_PER_PIXEL) / comfort_;
    return static_cast<int>(std::lround(twips)) - FRAME_TWIPS;
}

// The designed placement at the window's scale: the frame's corner at the corner of the
// screen's free area, and the client area of the designed size.
void MainWindow::placeTwips(int left, int top, int width, int height) {
    const QScreen* s = screen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 800, 600);
    placed_ = true;
    const double k = comfort_ / TWIPS_PER_PIXEL;
    const int clientW = static_cast<int>(std::lround((width - CLIENT_SHRINK_W) * k));
    const int clientH = static_cast<int>(std::lround((height - CLIENT_SHRINK_H) * k));
    const int list = moveDock_ != nullptr && !moveDock_->isHidden() ? moveListRoom() : 0;
    resize(std::max(1, clientW) + list, std::max(1, clientH) + menuBar()->sizeHint().height());
    move(avail.left() + static_cast<int>(std::lround((left + FRAME_TWIPS) * k)),
         avail.top() + static_cast<int>(std::lround((top + FRAME_TWIPS) * k)));
}

}  // namespace velk::app
