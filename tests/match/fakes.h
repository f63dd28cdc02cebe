// Recording stand-ins for every port of the window controller. Each keeps what it was asked in
// plain vectors so that tests can check the exact boxes, sounds, drawings and timer switches.
#pragma once

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "match/memory_ports.h"
#include "match/ports.h"

namespace velk::fakes {

// A fresh game folder in the temporary folder, named for the test and the process so that two
// runs at once keep apart, holding stand-ins for the named sound files.
inline std::filesystem::path makeGameFolder(const std::string& name,
                                            std::initializer_list<const char*> sounds = {
                                                "その他.wav", "禁止.wav", "駒打音.wav",
                                                "BGM.wav"}) {
    const auto dir =
        std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* sound : sounds) std::ofstream(dir / sound, std::ios::binary) << "RIFF....WAVE";
    return dir;
}

struct CanvasOp {
    enum Kind { FullRedraw, Picture, Outline, Fill, Text };
    Kind kind = FullRedraw;
    int code = 0;  // picture or colour
    double gx = 0;
    double gy = 0;
    std::string text;
    int fontSize = 0;
    bool operator==(const CanvasOp&) const = default;
};

class FakeCanvas : public Canvas {
  public:
    std::vector<CanvasOp> ops;
    void beginFullRedraw() override { ops.push_back(op(CanvasOp::FullRedraw, 0, 0, 0)); }
    void drawPicture(int picture, double gx, double gy) override {
        ops.push_back(op(CanvasOp::Picture, picture, gx, gy));
    }
    void drawOutline(int colour, double gx, double gy) override {
        ops.push_back(op(CanvasOp::Outline, colour, gx, gy));
    }
    void fillRect(double gx, double gy, int, int, int colour) override {
        ops.push_back(op(CanvasOp::Fill, colour, gx, gy));
    }
    void drawText(double gx, double gy, const std::string& text, int colour,
                  int fontSize) override {
        CanvasOp o = op(CanvasOp::Text, colour, gx, gy);
        o.text = text;
        o.fontSize = fontSize;
        ops.push_back(o);
    }
    bool drewText(std::string_view text) const {
        for (const auto& op : ops)
            if (op.kind == CanvasOp::Text && op.text == text) return true;
        return false;
    }
    // The colour of the last outline drawn on a cell, -1 when none.
    int lastOutline(double gx, double gy) const {
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
            if (it->kind == CanvasOp::Outline && it->gx == gx && it->gy == gy) return it->code;
        return -1;
    }

  private:
    static CanvasOp op(CanvasOp::Kind kind, int code, double gx, double gy) {
        CanvasOp o;
        o.kind = kind;
        o.code = code;
        o.gx = gx;
        o.gy = gy;
        return o;
    }
};

struct Box {
    enum Kind { Message, Warning, YesNo } kind;
    std::string text;
    std::string title;
    bool answer = false;                               // for YesNo
    DefaultButton defaultButton = DefaultButton::Yes;  // for YesNo
    bool operator==(const Box&) const = default;
};

class FakeDialogs : public Dialogs {
  public:
    std::vector<Box> boxes;
    // Answers for the next Yes/No boxes in order; when empty, defaultAnswer is given.
    std::deque<bool> answers;
    bool defaultAnswer = true;
    // Answers by the box's title, given when no answer is queued (before defaultAnswer).
    std::map<std::string, bool> answerByTitle;
    // Called as each box is shown, before it returns (to look at the state at that moment).
    std::function<void(const Box&)> onBox;

    void message(const std::string& text, const std::string& title) override {
        show({Box::Message, text, title});
    }
    void warning(const std::string& text, const std::string& title) override {
        show({Box::Warning, text, title});
    }
    bool askYesNo(const std::string& text, const std::string& title,
                  DefaultButton defaultButton = DefaultButton::Yes) override {
        bool a = defaultAnswer;
        if (const auto it = answerByTitle.find(title); it != answerByTitle.end()) a = it->second;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        show({Box::YesNo, text, title, a, defaultButton});
        return a;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& b : boxes) out.push_back(b.text);
        return out;
    }
    int count(const std::string& text) const {
        int n = 0;
        for (const auto& b : boxes) n += b.text == text ? 1 : 0;
        return n;
    }

  private:
    void show(const Box& b) {
        boxes.push_back(b);
        if (onBox) onBox(b);
    }
};

struct SoundCall {
    std::string what;  // "init", "terminate", "create", "free", "play", "loop", "stop"
    int handle = 0;
    bool operator==(const SoundCall&) const = default;
};

class FakeSound : public SoundDevice {
  public:
    std::vector<SoundCall> calls;
    int deviceToReturn = 77;
    int nextBuffer = 1;
    std::set<int> live;  // buffers created and not freed

    int dsInitialize(long) override {
        calls.push_back({"init", deviceToReturn});
        return deviceToReturn;
    }
    void dsTerminate(int device) override { calls.push_back({"terminate", device}); }
    int dsCreateDSB(int, const unsigned char*, std::size_t, int) override {
        const int h = nextBuffer++;
        live.insert(h);
        calls.push_back({"create", h});
        return h;
    }
    void dsFree(int buffer) override {
        calls.push_back({"free", buffer});
        live.erase(buffer);
    }
    void dsPlay(int buffer) override { calls.push_back({"play", buffer}); }
    void dsPlayLooping(int buffer) override { calls.push_back({"loop", buffer}); }
    void dsStop(int buffer) override { calls.push_back({"stop", buffer}); }

    int plays(int buffer) const {
        int n = 0;
        for (const auto& c : calls) n += (c.what == "play" && c.handle == buffer) ? 1 : 0;
        return n;
    }
};

// A clock that stands still unless told: tests move it, and every wait moves it by the
// wait's length (a midnight passed on the way wraps the time of day round to 0).
class FakeClock : public Clock {
  public:
    float now = 36000.0f;
    // Added to the time of day at every reading, so that a long computation takes time.
    float stepPerRead = 0.0f;
    std::vector<double> waits;
    // Whether a wait moves the time of day on (off: a test keeps the time, and so the
    // computer's foul roll, fixed).
    bool waitsAdvance = true;
    // Called at every wait: what the player does while the game pauses.
    std::function<void()> onWait;

    float timeOfDay() override {
        const float t = now;
        advance(stepPerRead);
        return t;
    }
    void wait(double seconds) override {
        waits.push_back(seconds);
        if (waitsAdvance) advance(static_cast<float>(seconds));
        if (onWait) onWait();
    }
    void advance(float seconds) {
        now += seconds;
        while (now >= 86400.0f) now -= 86400.0f;
    }
};

class FakeTimer : public Timer {
  public:
    bool enabled = false;
    std::vector<bool> history;
    void setEnabled(bool e) override {
        enabled = e;
        history.push_back(e);
    }
    bool isEnabled() const override { return enabled; }
};

using FakeMenu = MemoryMenu;
using FakeRecordPanel = MemoryRecordPanel;

class FakeWindow : public Window {
  public:
    int topTwips = 0;
    struct Placement {
        int left, top, width, height;
    };
    std::vector<Placement> placements;
    int repaints = 0;
    int quits = 0;

    void repaint() override { ++repaints; }
    int top() const override { return topTwips; }
    void place(int left, int t, int width, int height) override {
        placements.push_back({left, t, width, height});
        topTwips = t;
    }
    void quit() override { ++quits; }
    long handle() const override { return 4242; }
};

// Every fake in one place, handing out the Ports the controller takes.
struct FakePorts {
    FakeCanvas canvas;
    FakeDialogs dialogs;
    FakeSound sound;
    FakeClock clock;
    FakeTimer timer;
    FakeMenu menu;
    FakeRecordPanel panel;
    FakeWindow window;

    Ports ports() { return {canvas, dialogs, sound, clock, timer, menu, panel, window}; }
};

}  // namespace velk::fakes
