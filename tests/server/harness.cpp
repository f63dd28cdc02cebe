#include "harness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QThread>

#include "server/protocol.h"

namespace velk::testing {

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!done()) QThread::usleep(200);
    }
    return true;
}

ServerProcess::ServerProcess(const QString& store, quint16 port, const QStringList& extra) {
    QStringList args{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port),
                     QStringLiteral("--store"), store};
    args += extra;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(VELK_SERVER_PROGRAM), args);
    process_.waitForStarted(10000);
    waitFor([this] { return process_.canReadLine() || !running(); }, 20000);
    banner_ = QString::fromUtf8(process_.readLine()).trimmed();
    // "listening on 127.0.0.1:PORT games N"
    const QStringList words = banner_.split(QLatin1Char(' '));
    if (words.size() >= 3)
        port_ = static_cast<quint16>(words[2].section(QLatin1Char(':'), 1).toUInt());
}

ServerProcess::~ServerProcess() {
    kill();
}

void ServerProcess::kill() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(10000);
}

QString ServerProcess::url() const {
    return QStringLiteral("ws://127.0.0.1:%1").arg(port_);
}

QStringList storedRecords(const QString& store) {
    QProcess p;
    p.start(QStringLiteral(VELK_SERVER_PROGRAM),
            {QStringLiteral("--records"), QStringLiteral("--store"), store});
    p.waitForFinished(60000);
    QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

Client::Client(const QString& url) : socket_(std::make_unique<QWebSocket>()) {
    QObject::connect(socket_.get(), &QWebSocket::textMessageReceived, [this](const QString& t) {
        pending_.push_back(t.toUtf8());
        all_.push_back(t.toUtf8());
    });
    QObject::connect(socket_.get(), &QWebSocket::disconnected, [this] { open_ = false; });
    QObject::connect(socket_.get(), &QWebSocket::connected, [this] { open_ = true; });
    socket_->open(QUrl(url));
    waitFor([this] { return open_; });
}

void Client::send(QJsonObject o) {
    sendText(QString::fromUtf8(net::frame(std::move(o))));
}

void Client::sendText(const QString& text) {
    socket_->sendTextMessage(text);
    socket_->flush();
}

QByteArray Client::next(int ms) {
    waitFor([this] { return !pending_.empty(); }, ms);
    if (pending_.empty()) return {};
    QByteArray f = pending_.front();
    pending_.pop_front();
    return f;
}

QJsonObject Client::nextObject(int ms) {
    return QJsonDocument::fromJson(next(ms)).object();
}

QJsonObject Client::nextOfType(const QString& type, int ms) {
    for (;;) {
        const QByteArray f = next(ms);
        if (f.isEmpty()) return {};
        const QJsonObject o = QJsonDocument::fromJson(f).object();
        if (o.value(QStringLiteral("type")).toString() == type) return o;
    }
}

}  // namespace velk::testing
