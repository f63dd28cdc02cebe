#include "record/sjis.h"

#include <iconv.h>

#include <cerrno>

namespace velk {

namespace {

// Converts the whole input or nothing: any invalid or incomplete sequence fails.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

    std::string out;
    out.resize(in.size() * 2 + 16);  // CP932 -> UTF-8 grows at most 3/2, UTF-8 -> CP932 shrinks
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        ok = false;  // EILSEQ or EINVAL: an invalid or truncated sequence
        break;
    }
    // Flush any shift state (none for these encodings, but the call is cheap).
    if (ok && iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        ok = false;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932);
}

}  // namespace velk
