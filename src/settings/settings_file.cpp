#include "settings/settings_file.h"

#include <optional>

#include "record/sjis.h"
#include "texts/texts.h"

namespace velk {

namespace {

using texts::settings_file::BGM_OFF;
using texts::settings_file::BGM_ON;
using texts::settings_file::KEIKA_OFF;
using texts::settings_file::KEIKA_ON;

// Codes in the order the written file looks for a checked item.
constexpr int WRITE_ORDER[5] = {BACKGROUND_MIDORI, BACKGROUND_TAKE, BACKGROUND_TATAMI,
                                BACKGROUND_UCHU, BACKGROUND_RENGA};

// The next line of bytes from pos (without its line end); false at the end of the file.
bool nextLine(std::string_view bytes, std::size_t& pos, std::string_view& line) {
    if (pos >= bytes.size()) return false;
    std::size_t end = bytes.find('\n', pos);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    line = bytes.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos = next;
    return true;
}

std::string toUtf8OrEmpty(std::string_view cp932) {
    std::optional<std::string> text = cp932ToUtf8(cp932);
    // An undecodable line can never equal one of the expected texts.
    return text ? *text : std::string("\x01");
}

void appendLine(std::string& out, const std::string& utf8) {
    // Every text written here is fixed and representable in CP932.
    out += utf8ToCp932(utf8).value_or(std::string());
    out += "\r\n";
}

}  // namespace

std::string backgroundLine(int code) {
    switch (code) {
        case BACKGROUND_MIDORI:
            return texts::settings_file::BACKGROUND_MIDORI;
        case BACKGROUND_TATAMI:
            return texts::settings_file::BACKGROUND_TATAMI;
        case BACKGROUND_TAKE:
            return texts::settings_file::BACKGROUND_TAKE;
        case BACKGROUND_UCHU:
            return texts::settings_file::BACKGROUND_UCHU;
        case BACKGROUND_RENGA:
            return texts::settings_file::BACKGROUND_RENGA;
        default:
            return {};
    }
}

SettingsRead parseSettingsFile(std::string_view bytes) {
    SettingsRead r;
    std::size_t pos = 0;
    std::string_view line;

    if (!nextLine(bytes, pos, line)) return r;
    const std::string first = toUtf8OrEmpty(line);
    for (int code = FIRST_BACKGROUND; code <= LAST_BACKGROUND; ++code) {
        if (first == backgroundLine(code)) r.background = code;
    }

    if (!nextLine(bytes, pos, line)) return r;
    r.keika = toUtf8OrEmpty(line) == KEIKA_ON;

    if (!nextLine(bytes, pos, line)) return r;
    r.bgm = toUtf8OrEmpty(line) == BGM_ON;

    r.ok = true;
    return r;
}

std::string settingsFileBytes(const SettingsMarks& marks) {
    std::string out;
    for (const int code : WRITE_ORDER) {
        if (marks.background[code]) {
            appendLine(out, backgroundLine(code));
            break;
        }
    }
    appendLine(out, marks.keika ? KEIKA_ON : KEIKA_OFF);
    appendLine(out, marks.bgm ? BGM_ON : BGM_OFF);
    return out;
}

SettingsMarks defaultSettingsMarks() {
    SettingsMarks m;
    m.background[BACKGROUND_MIDORI] = true;
    m.keika = true;
    m.bgm = true;
    return m;
}

}  // namespace velk
