// Conversion between UTF-8 (used inside the program) and CP932 (Shift-JIS, used on disk).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velk {

// The CP932 bytes of a UTF-8 text; nullopt when the text is not valid UTF-8 or holds a
// character that CP932 cannot represent.
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// The UTF-8 text of CP932 bytes; nullopt when the bytes are not valid CP932.
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

}  // namespace velk
