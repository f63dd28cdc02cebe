// The server program in a child process and clients that talk to it, for the server's tests.
// Every wait runs the event loop (the clients answer the server's pings meanwhile) and is
// bounded; the server is killed when the test ends, however it ends.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QWebSocket>
#include <deque>
#include <functional>
#include <memory>

namespace velk::testing {

// Runs the event loop until done() or the time is up; true when done.
bool waitFor(const std::function<bool()>& done, int ms = 10000);

class ServerProcess {
  public:
    // Starts the server on a store in dir (port 0: a free one) with extra options.
    ServerProcess(const QString& store, quint16 port = 0, const QStringList& extra = {});
    ~ServerProcess();
    bool running() const { return process_.state() == QProcess::Running; }
    quint16 port() const { return port_; }
    QString url() const;
    // Kills the server at once, as kill -9 does.
    void kill();
    // The "listening" line it printed.
    const QString& banner() const { return banner_; }

  private:
    QProcess process_;
    quint16 port_ = 0;
    QString banner_;
};

// The record lines (record ID JSON) of every game in a store, as the server reads them back.
QStringList storedRecords(const QString& store);

// A client of the protocol: every frame it is sent, in order.
class Client {
  public:
    explicit Client(const QString& url);
    bool open() const { return open_; }
    void send(QJsonObject o);
    void sendText(const QString& text);
    // The next frame not yet taken, waiting for it; an empty array when none came.
    QByteArray next(int ms = 10000);
    QJsonObject nextObject(int ms = 10000);
    // Waits for the next frame of a type, keeping those before it in the seen list.
    QJsonObject nextOfType(const QString& type, int ms = 10000);
    // Every frame received so far, taken or not.
    const std::vector<QByteArray>& all() const { return all_; }
    QWebSocket& socket() { return *socket_; }

  private:
    std::unique_ptr<QWebSocket> socket_;
    std::deque<QByteArray> pending_;
    std::vector<QByteArray> all_;
    bool open_ = false;
};

}  // namespace velk::testing
