#include "app/qt_ports.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTime>
#include <cmath>
#include <exception>
#include <thread>

namespace velk::app {

namespace {

// A Yes/No question must be answered with one of its buttons: Escape and the window's close
// button do not pick an answer for the player.
class QuestionBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (e->spontaneous()) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
};

void prepare(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
}

}  // namespace

QString boxText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

void QtDialogs::message(const std::string& text, const std::string& title) {
    if (silent_) return;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(shown(title)), boxText(shown(text)),
                    QMessageBox::Ok, parent_);
    prepare(box);
    box.exec();
}

void QtDialogs::warning(const std::string& text, const std::string& title) {
    if (silent_) return;
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(shown(title)),
                    boxText(shown(text)), QMessageBox::Ok, parent_);
    prepare(box);
    box.exec();
}

bool QtDialogs::askYesNo(const std::string& text, const std::string& title,
                         DefaultButton defaultButton) {
    if (silent_) return false;
    QuestionBox box(QMessageBox::NoIcon, QString::fromStdString(shown(title)), boxText(shown(text)),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    prepare(box);
    box.setDefaultButton(defaultButton == DefaultButton::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

float QtClock::timeOfDay() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

void QtClock::wait(double seconds) {
    if (!(seconds > 0)) return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000.0)), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtClock::think(const std::function<void()>& work, double atLeastSeconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued: the quit reaches the loop on its own thread, even before it has started.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure) std::rethrow_exception(failure);
    wait(atLeastSeconds - static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
}

QtTimer::QtTimer(std::function<void()> tick) : tick_(std::move(tick)) {
    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick_(); });
}

void QtTimer::setEnabled(bool enabled) {
    if (!enabled)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

}  // namespace velk::app
