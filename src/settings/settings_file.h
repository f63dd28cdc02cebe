// The settings file "Velkついたて将棋.ini": three lines holding the background picture, the
// elapsed-time display and the background music, in CP932 with CRLF line ends.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "game/background.h"

namespace velk {

inline constexpr const char* SETTINGS_FILE_NAME = "Velkついたて将棋.ini";

// "背景画=緑" for BACKGROUND_MIDORI ... "背景画=煉瓦" for BACKGROUND_RENGA; empty for any other
// code.
std::string backgroundLine(int code);

// What reading the file found.
struct SettingsRead {
    // False when the file ends before its third line: the caller then writes the defaults
    // and checks green, 経過時間 and BGM without starting the music.
    bool ok = false;
    // The background of line 1, or 0 when line 1 names none: nothing is changed or checked.
    int background = 0;
    bool keika = false;  // line 2 is exactly "経過時間=ON"
    bool bgm = false;    // line 3 is exactly "BGM=ON": check BGM and start the music
};

// Reads the file's bytes. Lines end with CRLF or LF and are compared whole; lines after the
// third are ignored; a line that is not CP932 text matches nothing.
SettingsRead parseSettingsFile(std::string_view bytes);

// The check marks the file is written from.
struct SettingsMarks {
    std::array<bool, LAST_BACKGROUND + 1> background{};  // indexed by background code
    bool keika = false;
    bool bgm = false;
};

// The file for the given check marks. Line 1 comes from the first checked background in the
// order 緑, 竹, 畳, 宇宙, 煉瓦; with none checked there is no line 1 (the file has two lines).
std::string settingsFileBytes(const SettingsMarks& marks);

// The defaults: green, elapsed time on, music on.
SettingsMarks defaultSettingsMarks();

}  // namespace velk
