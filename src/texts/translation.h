// Translations of the catalogue's texts, without Qt: reading a Qt Linguist file (.ts) and
// translating a text the game has composed from catalogue parts.
//
// The window looks texts up through Qt's translator (the .qm compiled from the same .ts); the
// command line reads the .ts itself. Both translate a composed text the same way, with
// translateComposed below, so that one .ts file is the only source of the English.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velk::texts {

// The text of translations/velk_en.ts, built into the program (library velk_translations).
const char* englishTs();

struct TsMessage {
    std::string context;
    std::string source;
    std::string translation;
    // Marked unfinished (or obsolete) by the translation tools.
    bool finished = false;
};

namespace detail {

inline std::string decodeXml(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<') {
            // Qt writes characters XML cannot hold as <byte value="xd"/>.
            const std::size_t end = s.find('>', i);
            if (end == std::string_view::npos) break;
            const std::string_view tag = s.substr(i, end - i + 1);
            const std::size_t v = tag.find("value=\"");
            if (tag.rfind("<byte", 0) == 0 && v != std::string_view::npos) {
                std::string_view num = tag.substr(v + 7);
                num = num.substr(0, num.find('"'));
                const bool hex = !num.empty() && (num[0] == 'x' || num[0] == 'X');
                out.push_back(static_cast<char>(
                    std::stoi(std::string(hex ? num.substr(1) : num), nullptr, hex ? 16 : 10)));
            }
            i = end;
            continue;
        }
        if (s[i] != '&') {
            out.push_back(s[i]);
            continue;
        }
        const std::size_t semi = s.find(';', i);
        if (semi == std::string_view::npos) {
            out.push_back('&');
            continue;
        }
        const std::string_view name = s.substr(i + 1, semi - i - 1);
        unsigned long code = 0;
        if (name == "amp")
            code = '&';
        else if (name == "lt")
            code = '<';
        else if (name == "gt")
            code = '>';
        else if (name == "quot")
            code = '"';
        else if (name == "apos")
            code = '\'';
        else if (name.size() > 1 && name[0] == '#')
            code = name[1] == 'x' ? std::stoul(std::string(name.substr(2)), nullptr, 16)
                                  : std::stoul(std::string(name.substr(1)));
        // UTF-8 of the code point.
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xc0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xe0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
        } else {
            out.push_back(static_cast<char>(0xf0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3f)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
        }
        i = semi;
    }
    return out;
}

// The content of the first <tag ...>...</tag> in s from pos; the attributes of the opening tag
// go to attributes. npos in next when there is none.
inline std::string_view element(std::string_view s, std::string_view tag, std::size_t& next,
                                std::string_view* attributes = nullptr) {
    const std::string open = "<" + std::string(tag);
    std::size_t at = next;
    for (;;) {
        at = s.find(open, at);
        if (at == std::string_view::npos) {
            next = std::string_view::npos;
            return {};
        }
        const char after = at + open.size() < s.size() ? s[at + open.size()] : '\0';
        if (after == '>' || after == ' ' || after == '/') break;
        at += open.size();
    }
    const std::size_t gt = s.find('>', at);
    if (gt == std::string_view::npos) {
        next = std::string_view::npos;
        return {};
    }
    if (attributes) *attributes = s.substr(at + open.size(), gt - at - open.size());
    if (s[gt - 1] == '/') {  // <tag/>
        next = gt + 1;
        return {};
    }
    const std::string close = "</" + std::string(tag) + ">";
    const std::size_t end = s.find(close, gt + 1);
    if (end == std::string_view::npos) {
        next = std::string_view::npos;
        return {};
    }
    next = end + close.size();
    return s.substr(gt + 1, end - gt - 1);
}

}  // namespace detail

// Every message of a .ts file, in the file's order.
inline std::vector<TsMessage> readTs(std::string_view xml) {
    std::vector<TsMessage> out;
    std::size_t at = 0;
    for (;;) {
        const std::string_view context = detail::element(xml, "context", at);
        if (at == std::string_view::npos) break;
        std::size_t n = 0;
        const std::string name = detail::decodeXml(detail::element(context, "name", n));
        std::size_t m = 0;
        for (;;) {
            const std::string_view message = detail::element(context, "message", m);
            if (m == std::string_view::npos) break;
            TsMessage msg;
            msg.context = name;
            std::size_t k = 0;
            msg.source = detail::decodeXml(detail::element(message, "source", k));
            k = 0;
            std::string_view attributes;
            msg.translation =
                detail::decodeXml(detail::element(message, "translation", k, &attributes));
            msg.finished =
                k != std::string_view::npos && attributes.find("type=") == std::string_view::npos;
            out.push_back(std::move(msg));
        }
    }
    return out;
}

// Looks a source text up in one context; nullopt when it has no translation.
using Lookup =
    std::function<std::optional<std::string>(std::string_view context, std::string_view source)>;

namespace detail {

// Matches text against a pattern of literal parts and %1..%9 holes; every way the holes can be
// filled is offered to accept, which stops the search by returning true.
inline bool matchPattern(std::string_view pattern, std::string_view text,
                         std::vector<std::pair<int, std::string>>& holes,
                         const std::function<bool()>& accept) {
    if (pattern.empty()) return text.empty() && accept();
    if (pattern.size() >= 2 && pattern[0] == '%' && pattern[1] >= '1' && pattern[1] <= '9') {
        const int k = pattern[1] - '1';
        for (std::size_t len = 1; len <= text.size(); ++len) {
            holes.emplace_back(k, std::string(text.substr(0, len)));
            if (matchPattern(pattern.substr(2), text.substr(len), holes, accept)) return true;
            holes.pop_back();
        }
        return false;
    }
    std::size_t lit = 0;
    while (lit < pattern.size() && !(pattern[lit] == '%' && lit + 1 < pattern.size() &&
                                     pattern[lit + 1] >= '1' && pattern[lit + 1] <= '9'))
        ++lit;
    if (text.substr(0, lit) != pattern.substr(0, lit)) return false;
    return matchPattern(pattern.substr(lit), text.substr(lit), holes, accept);
}

inline std::size_t literalLength(std::string_view pattern) {
    std::size_t n = pattern.size();
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i)
        if (pattern[i] == '%' && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') n -= 2;
    return n;
}

inline std::string fill(std::string_view pattern, const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (k < args.size()) out += args[k];
            ++i;
            continue;
        }
        out.push_back(pattern[i]);
    }
    return out;
}

}  // namespace detail

// The places whose texts appear in boxes: the match, the record (.棋譜 and KIF) and files.
inline const std::vector<std::string>& boxContexts() {
    static const std::vector<std::string> contexts = {"match", "record", "record_file", "kif",
                                                      "file"};
    return contexts;
}

// The patterns of a translation (catalogue texts with %1, %2 ...) in the order
// translateComposed tries them: more literal text first, ties in the order given. The order is
// worked out once, when the table is built, not on every translation.
class PatternTable {
  public:
    struct Entry {
        std::string context;
        std::string pattern;
        std::size_t literal = 0;  // the pattern's length without its holes
    };

    PatternTable() = default;
    explicit PatternTable(const std::vector<std::pair<std::string, std::string>>& patterns) {
        entries_.reserve(patterns.size());
        for (const auto& [context, pattern] : patterns)
            entries_.push_back({context, pattern, detail::literalLength(pattern)});
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.literal > b.literal; });
    }

    const std::vector<Entry>& entries() const { return entries_; }

  private:
    std::vector<Entry> entries_;
};

// Translates a text shown in one of the contexts: the text itself when it is a catalogue text,
// else a text composed from a pattern (a catalogue text with %1, %2 ...) whose parts are
// translated in turn, the patterns and parts both of the given contexts. Parts that are no
// catalogue text (file names, numbers, the system's own wording) stay as they are; a pattern made
// of holes alone only fits when every part translates. Patterns with more literal text are tried
// first. A text that fits nothing is returned unchanged.
inline std::string translateComposed(std::string_view text,
                                     const std::vector<std::string>& contexts,
                                     const PatternTable& patterns, const Lookup& lookup,
                                     int depth = 0) {
    for (const auto& c : contexts)
        if (auto t = lookup(c, text)) return *t;
    if (depth > 4 || text.empty()) return std::string(text);
    for (const PatternTable::Entry& p : patterns.entries()) {
        // Only the patterns of the contexts shown: another place's pattern (the status line's
        // "%1　%2", say) would take apart texts it never composed, such as a file name.
        if (std::find(contexts.begin(), contexts.end(), p.context) == contexts.end()) continue;
        const std::string& pattern = p.pattern;
        const bool holesOnly = p.literal == 0;
        std::vector<std::pair<int, std::string>> holes;
        std::string result;
        const auto accept = [&] {
            std::vector<std::string> args(9);
            for (const auto& [k, part] : holes) {
                std::string t = translateComposed(part, contexts, patterns, lookup, depth + 1);
                if (holesOnly && t == part) return false;
                args[static_cast<std::size_t>(k)] = std::move(t);
            }
            const auto translated = lookup(p.context, pattern);
            result = detail::fill(translated ? *translated : pattern, args);
            return true;
        };
        if (detail::matchPattern(pattern, text, holes, accept)) return result;
    }
    return std::string(text);
}

// The patterns (context, source) among a list of messages: the sources with a %1, in the
// order translateComposed tries them.
inline PatternTable patternsOf(const std::vector<TsMessage>& messages) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& m : messages)
        if (m.source.find("%1") != std::string::npos) out.emplace_back(m.context, m.source);
    return PatternTable(out);
}

}  // namespace velk::texts
