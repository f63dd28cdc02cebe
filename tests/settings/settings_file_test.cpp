#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "record/sjis.h"

namespace velk {
namespace {

std::string cp932(const std::string& utf8) {
    return utf8ToCp932(utf8).value();
}

TEST(SettingsFile, ReadsTheThreeLines) {
    const SettingsRead r = parseSettingsFile(cp932("背景画=宇宙\r\n経過時間=OFF\r\nBGM=ON\r\n"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.background, BACKGROUND_UCHU);
    EXPECT_FALSE(r.keika);
    EXPECT_TRUE(r.bgm);

    // LF alone, no final line end and extra lines are all fine.
    const SettingsRead lf = parseSettingsFile(cp932("背景画=煉瓦\n経過時間=ON\nBGM=OFF\nmore"));
    EXPECT_TRUE(lf.ok);
    EXPECT_EQ(lf.background, BACKGROUND_RENGA);
    EXPECT_TRUE(lf.keika);
    EXPECT_FALSE(lf.bgm);
    EXPECT_TRUE(parseSettingsFile(cp932("背景画=畳\r\n経過時間=ON\r\nBGM=ON")).ok);
}

TEST(SettingsFile, LinesAreComparedWholeAndExactly) {
    const SettingsRead r = parseSettingsFile(cp932("背景画=緑 \r\n経過時間=on\r\n BGM=ON\r\n"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.background, 0);
    EXPECT_FALSE(r.keika);
    EXPECT_FALSE(r.bgm);
    // A line that is not CP932 matches nothing but is still a line.
    const SettingsRead bad = parseSettingsFile("\x82\r\n\xff\r\nBGM=ON\r\n");
    EXPECT_TRUE(bad.ok);
    EXPECT_EQ(bad.background, 0);
    EXPECT_TRUE(bad.bgm);
}

TEST(SettingsFile, ShortFilesAskForTheDefaults) {
    EXPECT_FALSE(parseSettingsFile("").ok);
    EXPECT_FALSE(parseSettingsFile(cp932("背景画=竹\r\n")).ok);
    EXPECT_FALSE(parseSettingsFile(cp932("経過時間=ON\r\nBGM=ON\r\n")).ok);
    // An empty third line is a line.
    EXPECT_TRUE(parseSettingsFile(cp932("背景画=竹\r\n経過時間=ON\r\n\r\n")).ok);
}

TEST(SettingsFile, WritesFromTheCheckMarks) {
    EXPECT_EQ(settingsFileBytes(defaultSettingsMarks()),
              cp932("背景画=緑\r\n経過時間=ON\r\nBGM=ON\r\n"));

    SettingsMarks m;
    m.background[BACKGROUND_TATAMI] = true;
    m.background[BACKGROUND_TAKE] = true;  // 竹 is looked for before 畳
    EXPECT_EQ(settingsFileBytes(m), cp932("背景画=竹\r\n経過時間=OFF\r\nBGM=OFF\r\n"));
}

TEST(SettingsFile, UnknownBackgroundLeadsToTwoLinesThenToTheDefaults) {
    // Read a file naming no known background: nothing is checked, so the next write has no
    // line 1, and the file read after that is too short.
    const SettingsRead first = parseSettingsFile(cp932("背景画=海\r\n経過時間=ON\r\nBGM=OFF\r\n"));
    ASSERT_TRUE(first.ok);
    ASSERT_EQ(first.background, 0);
    SettingsMarks marks;
    marks.keika = first.keika;
    marks.bgm = first.bgm;
    const std::string written = settingsFileBytes(marks);
    EXPECT_EQ(written, cp932("経過時間=ON\r\nBGM=OFF\r\n"));
    EXPECT_FALSE(parseSettingsFile(written).ok);
    EXPECT_EQ(backgroundLine(7), "");
}

}  // namespace
}  // namespace velk
