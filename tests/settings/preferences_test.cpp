// The window's own preferences file beside the settings file: read, written one key at a time
// with the other keys kept, and never touching the settings file.
#include "settings/preferences.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/settings_file.h"

namespace velk {
namespace {

TEST(Preferences, ParseSkipsLinesWithoutAKeyAndTakesTheLastOfAKey) {
    const auto p = parsePreferences("movelist=on\r\nnonsense\n=x\nlang=en\nmovelist=off");
    EXPECT_EQ(p.size(), 2u);
    EXPECT_EQ(p.at("movelist"), "off");
    EXPECT_EQ(p.at("lang"), "en");
    EXPECT_EQ(preferencesBytes(p), "lang=en\nmovelist=off\n");
}

TEST(Preferences, WritingAKeyKeepsTheOthersAndLeavesTheSettingsFileAlone) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("velk_prefs_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(readPreferences(dir).empty());
    const std::string settings = "背景画=緑\r\n経過時間=ON\r\nBGM=ON\r\n";
    std::ofstream(dir / SETTINGS_FILE_NAME, std::ios::binary) << settings;

    EXPECT_TRUE(writePreference(dir, "lang", "ja").ok);
    EXPECT_TRUE(writePreference(dir, "movelist", "on").ok);
    EXPECT_TRUE(writePreference(dir, "movelist", "off").ok);
    const auto p = readPreferences(dir);
    EXPECT_EQ(p.at("lang"), "ja");
    EXPECT_EQ(p.at("movelist"), "off");

    std::ifstream in(dir / SETTINGS_FILE_NAME, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), settings);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velk
