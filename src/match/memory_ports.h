// Ports that only remember what they were told: the menu's check marks, the timer switch and the
// record panel's state. The scripted player uses them as they are; tests extend them.
#pragma once

#include <map>
#include <set>
#include <string>

#include "match/ports.h"

namespace velk {

class MemoryTimer : public Timer {
  public:
    bool enabled = false;
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }
};

class MemoryMenu : public Menu {
  public:
    std::set<MenuItem> checked;
    void setChecked(MenuItem item, bool c) override {
        if (c)
            checked.insert(item);
        else
            checked.erase(item);
    }
    bool isChecked(MenuItem item) const override { return checked.count(item) != 0; }
};

class MemoryRecordPanel : public RecordPanel {
  public:
    bool drives = false, folders = false, files = false, textPanel = false;
    std::map<int, std::string> texts;
    std::string folderPath;
    int refreshes = 0;

    void setListsVisible(bool d, bool f, bool fl) override {
        drives = d;
        folders = f;
        files = fl;
    }
    void setTextPanelVisible(bool visible) override {
        textPanel = visible;
        if (!visible) texts.clear();
    }
    std::string text(int box) const override {
        const auto it = texts.find(box);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(int box, const std::string& t) override { texts[box] = t; }
    std::string folder() const override { return folderPath; }
    void setFolder(const std::string& f) override { folderPath = f; }
    void refreshFiles() override { ++refreshes; }
};

}  // namespace velk
