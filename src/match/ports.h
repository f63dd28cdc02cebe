// What the match controller needs from the outside world. The Qt program implements these with
// real widgets, the scripted player as text, and the tests as recorders.
#pragma once

#include <functional>
#include <string>

#include "sound/sound_device.h"
#include "ui/surface_ports.h"

namespace velk {

// The button of a Yes/No box that Enter presses when the box opens.
enum class DefaultButton { Yes, No };

// Modal message boxes; each returns when the player has closed it.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void message(const std::string& text, const std::string& title) = 0;
    // A box with a warning icon.
    virtual void warning(const std::string& text, const std::string& title) = 0;
    // Yes/No question; true for Yes. Enter presses the default button, Yes unless the caller
    // names No.
    virtual bool askYesNo(const std::string& text, const std::string& title,
                          DefaultButton defaultButton = DefaultButton::Yes) = 0;
};

// Time of day and the pacing wait.
class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since midnight with a fraction, single precision.
    virtual float timeOfDay() = 0;
    // Returns after the given seconds (measured monotonically, so a wait across midnight ends);
    // the window may repaint meanwhile but takes no input.
    virtual void wait(double seconds) = 0;
    // Runs work, which reads and writes nothing the window draws or its events change, and
    // returns when it is done, and not before atLeastSeconds have passed. The window runs it on
    // a thread of its own and keeps repainting meanwhile, holding back input as wait does, so
    // that a long think never freezes it; the floor keeps how long the computer thinks, which
    // depends on its hidden pieces, from showing. Without the window the floor is not waited.
    virtual void think(const std::function<void()>& work, double atLeastSeconds) {
        (void)atLeastSeconds;
        work();
    }
};

// The one-second tick that calls Timer1_Timer while enabled.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

// The game window itself.
class Window {
  public:
    virtual ~Window() = default;
    // Shows what has been drawn so far, now.
    virtual void repaint() = 0;
    // Position and size in twips.
    virtual int top() const = 0;
    virtual void place(int left, int top, int width, int height) = 0;
    // Closes the window and ends the program.
    virtual void quit() = 0;
    // The native handle given to the sound library.
    virtual long handle() const = 0;
};

// Everything the controller talks to, handed over at construction.
struct Ports {
    Canvas& canvas;
    Dialogs& dialogs;
    SoundDevice& sound;
    Clock& clock;
    Timer& timer;
    Menu& menu;
    RecordPanel& panel;
    Window& window;
};

}  // namespace velk
