// Message boxes, the clock, the one-second timer and a silent sound device over Qt.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "match/ports.h"

namespace velk::app {

// Modal message boxes over the game window, with Japanese button captions.
class QtDialogs final : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void message(const std::string& text, const std::string& title) override;
    void warning(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title,
                  DefaultButton defaultButton = DefaultButton::Yes) override;
    // Once the program is ending no box is shown any more.
    void silence() { silent_ = true; }
    // Puts a box's text and title into the window's language.
    void setTranslation(std::function<std::string(const std::string&)> translate) {
        translate_ = std::move(translate);
    }

  private:
    std::string shown(const std::string& text) const {
        return translate_ ? translate_(text) : text;
    }

    QWidget* parent_;
    bool silent_ = false;
    std::function<std::string(const std::string&)> translate_;
};

// The text of a box as shown: carriage returns break lines.
QString boxText(const std::string& text);

// Time of day from the system clock; waits on a monotonic timer while the window repaints
// and user input is held back until the wait is over.
class QtClock final : public Clock {
  public:
    float timeOfDay() override;
    void wait(double seconds) override;
    void think(const std::function<void()>& work, double atLeastSeconds) override;
};

// The one-second tick.
class QtTimer final : public Timer {
  public:
    explicit QtTimer(std::function<void()> tick);
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return timer_.isActive(); }
    // For tests: fires the tick as the timer would.
    void fire() { tick_(); }

  private:
    QTimer timer_;
    std::function<void()> tick_;
};

// A sound device for builds without the sound library: it never opens.
class SilentSoundDevice final : public SoundDevice {
  public:
    int dsInitialize(long) override { return 0; }
    void dsTerminate(int) override {}
    int dsCreateDSB(int, const unsigned char*, std::size_t, int) override { return 0; }
    void dsFree(int) override {}
    void dsPlay(int) override {}
    void dsPlayLooping(int) override {}
    void dsStop(int) override {}
};

}  // namespace velk::app
