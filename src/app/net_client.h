// The window's seat in a network game: a WebSocket client of the game server that keeps the
// seat's view from the server's frames, hands it to the controller turned so that this side
// plays from the bottom, sends the controller's moves, and takes the seat back with its token
// when the connection drops.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QWebSocket>
#include <functional>

#include "match/form1.h"
#include "match/net_line.h"
#include "view/side_view.h"

namespace velk::app {

class NetClient : public QObject, public NetLine {
  public:
    struct Options {
        QUrl url;
        // Create a game (side: "sente", "gote" or "random") or join one by its code.
        bool create = true;
        QString side = QStringLiteral("random");
        int abandonSeconds = 300;
        QString code;
        // How long a dropped connection is tried again, in milliseconds.
        int reconnectMs = 30000;
    };
    // The default server: the one a person starts on this machine with its defaults.
    static constexpr const char* DEFAULT_SERVER = "ws://127.0.0.1:8642";

    // dispatch runs a controller call as the window runs every event.
    NetClient(Options options, std::function<void(std::function<void(Form1&)>)> dispatch);
    ~NetClient() override;

    void start();
    // The game has ended, been left or been lost: the client says nothing more to the window.
    bool finished() const { return finished_; }
    const QString& token() const { return token_; }
    // The join code of a game this client created; empty before the server gave it.
    const QString& code() const { return code_; }

    void sendMove(const Move& move) override;
    void sendResign() override;
    void leave() override;

  private:
    Options options_;
    std::function<void(std::function<void(Form1&)>)> dispatch_;
    QWebSocket socket_;
    QString token_;
    QString code_;
    // The seat's side (Side::Man: sente) and its view as the server counts squares.
    Side seat_ = Side::None;
    SideView view_;
    bool began_ = false;
    bool opponentConnected_ = true;
    bool finished_ = false;
    bool ended_ = false;
    bool reconnecting_ = false;
    // A resume was sent and its view has not come: an error now means the seat is gone.
    bool resuming_ = false;
    qint64 droppedAt_ = 0;
    float clockSente_ = 0;
    float clockGote_ = 0;
    int winnerSeat_ = 0;

    void connected();
    void dropped();
    void received(const QString& text);
    void send(QJsonObject o);
    void fail(const QString& why);
    // The view and clocks in the window's terms.
    SideView windowView() const;
    float clockMAN() const { return seat_ == Side::Man ? clockSente_ : clockGote_; }
    float clockCOM() const { return seat_ == Side::Man ? clockGote_ : clockSente_; }
    void readClocks(const QJsonObject& m);
    void begin();
};

// Whether text names a game server: ws:// or wss:// with a host.
bool isServerAddress(const QUrl& url);

}  // namespace velk::app
