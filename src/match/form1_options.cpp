// The ｵﾌﾟｼｮﾝ menu with its settings file, the information box, and the four routines through
// which the game reaches the sound library.
#include <string>

#include "match/form1.h"
#include "record/file_io.h"
#include "settings/settings_file.h"
#include "texts/texts.h"
#include "ui/draw.h"

#ifndef VELK_VERSION
#define VELK_VERSION "1.0.0"
#endif

namespace velk {

namespace {

constexpr std::size_t SETTINGS_MAX_BYTES = 64 * 1024;
constexpr std::size_t SOUND_MAX_BYTES = 64 * 1024 * 1024;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Settings file

void Form1::読込_環境設定ファイル() {
    const std::string path = (folder_ / SETTINGS_FILE_NAME).string();
    const FileReadResult file = readWholeFile(path, SETTINGS_MAX_BYTES);
    const SettingsRead read = file.ok ? parseSettingsFile(file.bytes) : SettingsRead{};
    if (!read.ok) {
        // Missing, short or unreadable (anything but a regular file counts as missing): the
        // defaults are written and checked, and the music waits for the menu although BGM is
        // checked.
        const FileWriteResult written =
            writeFileAtomic(path, settingsFileBytes(defaultSettingsMarks()));
        applyDefaultSettings();
        s.background = BACKGROUND_MIDORI;
        描画_背景(s, ports_.canvas, BACKGROUND_MIDORI);
        if (!written.ok) tellSettingsNotSaved(written.error);
        return;
    }
    if (read.background != 0) {
        チェック設定(read.background);
        描画_背景(s, ports_.canvas, read.background);
        s.background = read.background;
    }
    ports_.menu.setChecked(MenuItem::KEIKA, read.keika);
    ports_.menu.setChecked(MenuItem::BGM, read.bgm);
    if (read.bgm) ports_.sound.dsPlayLooping(sndBGM);
}

void Form1::書込_環境設定ファイル() {
    const Menu& menu = ports_.menu;
    SettingsMarks marks;
    for (int code = FIRST_BACKGROUND; code <= LAST_BACKGROUND; ++code) {
        marks.background[code] = menu.isChecked(backgroundItem(code));
    }
    marks.keika = menu.isChecked(MenuItem::KEIKA);
    marks.bgm = menu.isChecked(MenuItem::BGM);
    const std::string path = (folder_ / SETTINGS_FILE_NAME).string();
    // A file that cannot be written leaves the marks as the player set them for this run.
    const FileWriteResult written = writeFileAtomic(path, settingsFileBytes(marks));
    if (!written.ok) tellSettingsNotSaved(written.error);
}

void Form1::tellSettingsNotSaved(const std::string& reason) {
    // Once a run: every later change would fail the same way.
    if (settingsNotSavedTold_) return;
    settingsNotSavedTold_ = true;
    ports_.dialogs.message(texts::match::settingsNotSaved(SETTINGS_FILE_NAME, reason),
                           texts::match::SETTINGS_TITLE);
}

void Form1::applyDefaultSettings() {
    チェック設定(BACKGROUND_MIDORI);
    ports_.menu.setChecked(MenuItem::KEIKA, true);
    ports_.menu.setChecked(MenuItem::BGM, true);
}

void Form1::チェック設定(int code) {
    for (const MenuItem item : BACKGROUND_ITEMS) ports_.menu.setChecked(item, false);
    if (isBackground(code)) ports_.menu.setChecked(backgroundItem(code), true);
}

// ---------------------------------------------------------------------------------------------
// Options menu

void Form1::backgroundClick(int code) {
    if (closed) return;
    if (!ports_.menu.isChecked(backgroundItem(code))) {
        チェック設定(code);
        s.background = code;
    }
    書込_環境設定ファイル();
    画面_再描画(s, ports_.canvas, ports_.menu);
}

void Form1::MIDORI_Click() {
    const EventScope event(*this);
    backgroundClick(BACKGROUND_MIDORI);
}
void Form1::TATAMI_Click() {
    const EventScope event(*this);
    backgroundClick(BACKGROUND_TATAMI);
}
void Form1::TAKE_Click() {
    const EventScope event(*this);
    backgroundClick(BACKGROUND_TAKE);
}
void Form1::UCHU_Click() {
    const EventScope event(*this);
    backgroundClick(BACKGROUND_UCHU);
}
void Form1::RENGA_Click() {
    const EventScope event(*this);
    backgroundClick(BACKGROUND_RENGA);
}

void Form1::KEIKA_Click() {
    const EventScope event(*this);
    if (closed) return;
    Menu& menu = ports_.menu;
    Canvas& c = ports_.canvas;
    if (menu.isChecked(MenuItem::KEIKA)) {
        menu.setChecked(MenuItem::KEIKA, false);
        ports_.timer.setEnabled(false);
        消去_所有時間(s, c, s.roleMAN);
        消去_所有時間(s, c, s.roleCOM);
    } else {
        menu.setChecked(MenuItem::KEIKA, true);
        ports_.timer.setEnabled(true);
        描画_所有時間(s, c, menu, s.roleCOM, s.timeUsedCOM);
        描画_所有時間(s, c, menu, s.roleMAN, s.timeUsedMAN);
    }
    書込_環境設定ファイル();
}

void Form1::BGM_Click() {
    const EventScope event(*this);
    if (closed) return;
    Menu& menu = ports_.menu;
    if (menu.isChecked(MenuItem::BGM)) {
        menu.setChecked(MenuItem::BGM, false);
        ports_.sound.dsStop(sndBGM);
    } else {
        menu.setChecked(MenuItem::BGM, true);
        ports_.sound.dsPlayLooping(sndBGM);
    }
    書込_環境設定ファイル();
}

void Form1::OPTION_Click() {
    const EventScope event(*this);
    if (closed) return;
    hidePanel();
}

void Form1::VER_Click() {
    const EventScope event(*this);
    if (closed) return;
    hidePanel();
    ports_.sound.dsPlay(sndOther);
    ports_.dialogs.message(texts::match::about(VELK_VERSION), texts::match::ABOUT_TITLE);
}

// ---------------------------------------------------------------------------------------------
// Sound

void Form1::音_初期化(long windowHandle) {
    soundDevice = ports_.sound.dsInitialize(windowHandle);
    if (soundDevice == 0) 音_警告表示(texts::match::NO_SOUND_DEVICE);
}

void Form1::音_終了() {
    if (soundDevice != 0) ports_.sound.dsTerminate(soundDevice);
    soundDevice = 0;
}

int Form1::音_読込(const std::string& fileName, int mode) {
    if (soundDevice == 0) return 0;
    const std::string path = (folder_ / fileName).string();
    if (!fileExists(path)) return 0;
    const FileReadResult file = readWholeFile(path, SOUND_MAX_BYTES);
    if (!file.ok) {
        // Gone or replaced by something other than a regular file since the test above:
        // silent, as a missing file.
        if (!file.notFound && !file.notRegular) 音_警告表示(file.error);
        return 0;
    }
    return ports_.sound.dsCreateDSB(soundDevice,
                                    reinterpret_cast<const unsigned char*>(file.bytes.data()),
                                    file.bytes.size(), mode);
}

void Form1::音_警告表示(const std::string& text) {
    ports_.dialogs.warning(text, texts::match::SOUND_TITLE);
}

}  // namespace velk
