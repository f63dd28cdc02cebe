// The menu's check marks and the record panel's state, kept in memory. The scripted player and
// its window picture use them as they are; tests extend them.
#pragma once

#include <map>
#include <set>
#include <string>

#include "ui/surface_ports.h"

namespace velk {

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
    std::map<int, std::string> labels;
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
    void setLabel(int box, const char* label) override { labels[box] = label; }
    std::string folder() const override { return folderPath; }
    void setFolder(const std::string& f) override { folderPath = f; }
    void refreshFiles() override { ++refreshes; }
};

}  // namespace velk
