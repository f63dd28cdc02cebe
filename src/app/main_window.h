// The game window: the drawing surface, the menus, the record panel and the ports through
// which the controller reaches them. Every event reaches the controller through dispatch(),
// one at a time: a menu item or close request that arrives while a handler runs (during a
// pause, say) waits until that handler has returned; clicks on the board or the move list and
// keys that arrive meanwhile are dropped, as the player made them before seeing what the
// handler did; timer ticks that find a handler running are skipped, as the next tick measures
// the time afresh anyway.
#pragma once

#include <QDockWidget>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/game_menu.h"
#include "app/help_window.h"
#include "app/language.h"
#include "app/net_client.h"
#include "app/qt_ports.h"
#include "app/record_panel.h"
#include "app/surface_widget.h"
#include "match/controls.h"
#include "match/form1.h"

namespace velk::app {

struct AppOptions {
    // The folder of the settings, sound and record files; the current folder when empty.
    std::filesystem::path folder;
    // Replacements for tests; the on-screen versions when null.
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
    SoundDevice* sound = nullptr;
    // Called once when the program ends; by default it leaves the event loop.
    std::function<void()> onQuit;
    // A network game to create or join once the window has loaded.
    std::optional<NetClient::Options> net;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(AppOptions options = {});
    ~MainWindow() override;

    // Runs the load handler, then shows the window.
    void start();

    Form1& form() { return *form_; }
    // Creates or joins a game on a server (対局 → ﾈｯﾄ対局, or the command line), once the game
    // here may be given up.
    void startNetGame(const NetClient::Options& options);
    // The client of the network game last started; null before any.
    NetClient* netClient() const { return nets_.empty() ? nullptr : nets_.back().get(); }
    SurfaceWidget* surface() const { return surface_; }
    GameMenu& gameMenu() { return *menu_; }
    RecordPanelWidgets& recordPanel() { return *panel_; }
    Language& language() { return *language_; }
    // Shows the window in English or Japanese and remembers the choice in the language file.
    void setEnglish(bool english);
    // Opens the help page (ﾍﾙﾌﾟ → 遊び方, F1).
    void showHelp();
    HelpWindow* helpWindow() const { return help_; }
    QtTimer& timer() { return *timer_; }
    bool hasEnded() const { return ended_; }
    // The help's action: the menu item ﾍﾙﾌﾟ → 遊び方, which owns F1 (src/app/shortcuts.h).
    QAction* helpAction() const { return helpAction_; }
    // The move list beside the board, its dock and the 局面 menu's item that shows it.
    QListWidget* moveList() const { return moveList_; }
    QDockWidget* moveListDock() const { return moveDock_; }
    QAction* moveListAction() const { return moveListAction_; }
    // The palette of guess markers last opened (Shift and a click on a square), null before.
    QMenu* markerPalette() const { return markerPalette_; }
    // The 局面 menu's item after which the next click on a square opens the palette.
    QAction* markerMenuAction() const { return markerMenuAction_; }
    // How many times the designed size the window opens at.
    double comfortScale() const { return comfort_; }

    // Runs a handler of the controller now, or after the one that is running.
    void dispatch(std::function<void(Form1&)> handler);

    // A termination signal: the program ends as 終わり ends it (the sound closed, the settings
    // file as the last change wrote it), without a box. A box standing open is dismissed with
    // "no", and the shutdown follows the handler that showed it.
    void endOnSignal();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    class WindowPort;

    void menuItem(const QString& name);
    void menuOpened(const QString& name);
    void runControl(const QString& name, ControlKind kind);
    void tick();
    // The move list: shown or hidden (and remembered), filled after every event, and a line
    // chosen by a click.
    void showMoveList(bool shown, bool remember);
    void refreshMoveList();
    void moveListClicked(QListWidgetItem* item);
    int moveListWidth() const;
    int moveListRoom() const;
    void openMarkerPalette(int x, int y, const QPoint& at);
    void end();
    // One of the window's own files could not be written: the box the settings file gets,
    // once a run for each file.
    void tellNotSaved(const char* fileName, const FileWriteResult& written, bool& told);
    int topTwips() const;
    void placeTwips(int left, int top, int width, int height);

    AppOptions options_;
    std::filesystem::path folder_;
    std::unique_ptr<Language> language_;
    HelpWindow* help_ = nullptr;
    SurfaceWidget* surface_;
    std::unique_ptr<GameMenu> menu_;
    RecordPanelWidgets* panel_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<QtClock> clock_;
    std::unique_ptr<QtTimer> timer_;
    std::unique_ptr<SoundDevice> sound_;
    std::unique_ptr<WindowPort> window_;
    std::unique_ptr<Form1> form_;
    // Every network client started; the earlier ones are finished and stay until the window
    // goes, so that no call still queued for the controller names a line that is gone.
    std::vector<std::unique_ptr<NetClient>> nets_;
    QString lastServer_;
    void askNetGame(bool create);
    QDockWidget* moveDock_ = nullptr;
    QListWidget* moveList_ = nullptr;
    QAction* moveListAction_ = nullptr;
    QPointer<QMenu> markerPalette_;
    QAction* markerMenuAction_ = nullptr;
    bool markerClickArmed_ = false;
    std::deque<std::function<void(Form1&)>> pending_;
    QAction* helpAction_ = nullptr;
    double comfort_ = 1.0;
    bool busy_ = false;
    bool quitRequested_ = false;
    bool ended_ = false;
    bool placed_ = false;
    bool languageNotSavedTold_ = false;
    bool preferencesNotSavedTold_ = false;
};

// Loads Qt's Japanese translations, so that the buttons of message boxes read はい, いいえ.
void installJapanese(QObject* owner);

}  // namespace velk::app
