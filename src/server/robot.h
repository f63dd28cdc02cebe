// The robot client: plays one seat of a network game with the honest player, from nothing but
// the frames the server sends its seat, and reconnects with its token when the connection drops.
#pragma once

#include <QJsonArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "players/honest_seat.h"
#include "view/side_view.h"

namespace velk::net {

// Times from a move's frame leaving one seat to the other seat's notification, for robots that
// play both seats of their games in one program.
struct Latencies {
    std::map<QString, std::chrono::steady_clock::time_point> sent;
    std::vector<double> ms;
};

class RobotSeat : public QObject {
  public:
    enum class Mode : std::uint8_t { Create, Join };
    struct Options {
        // The servers, any of which serves any seat (several processes on one store, or one
        // load balancer): the first is tried first, and after a dropped connection the next.
        std::vector<QUrl> urls;
        Mode mode = Mode::Create;
        // Create: sente, gote or random; Join: the join code.
        QString sideOrCode;
        int abandonSeconds = 300;
        std::uint64_t seed = 1;
        // How long a dropped connection is tried again, in milliseconds.
        int reconnectMs = 30000;
        // Plays a random move among those its view allows instead of the honest player's choice:
        // quick games for tests and load.
        bool random = false;
        // Milliseconds to wait before each move on average, as a person thinks: each wait is
        // drawn from half to one and a half times as long, so that games started together do
        // not keep moving in step.
        int thinkMs = 0;
        std::shared_ptr<Latencies> latencies;
    };

    RobotSeat(Options options, std::function<void(const QString&)> onCode,
              std::function<void(RobotSeat&)> onDone);

    void start();

    bool ok() const { return ok_; }
    const QString& failure() const { return failure_; }
    // "game ID you SIDE result WINNER reason REASON moves N misses SENTE GOTE"
    QString gameLine() const;
    // "record ID JSON": the record the server sent at the end.
    QString recordLine() const;

  private:
    Options options_;
    std::function<void(const QString&)> onCode_;
    std::function<void(RobotSeat&)> onDone_;
    QWebSocket socket_;
    HonestSeat player_;
    std::mt19937_64 rng_;
    std::mt19937_64 pace_;
    SideView view_;
    QString token_;
    QString game_;
    bool playing_ = false;
    bool waitingVerdict_ = false;
    bool done_ = false;
    bool ok_ = false;
    bool reconnecting_ = false;
    qint64 droppedAt_ = 0;
    std::size_t server_ = 0;
    // Counts connections, so that a move chosen for an earlier one is not sent on a later one.
    int connection_ = 0;
    QString failure_;
    QString winner_;
    QString reason_;
    QJsonArray record_;

    void connected();
    void dropped();
    void received(const QString& text);
    void moveIfOurTurn();
    void play();
    std::optional<Move> randomMove();
    void finish(bool ok, const QString& failure = {});
    void send(QJsonObject o);
    // The record the server sent agrees with every move this seat's view saw.
    bool recordAgrees(QString& why) const;
};

}  // namespace velk::net
