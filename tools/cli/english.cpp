#include "cli/english.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "record/move_list.h"
#include "texts/translation.h"

namespace velk::cli {

namespace {

struct English {
    std::map<std::pair<std::string, std::string>, std::string> table;
    texts::PatternTable patterns;
};

const English& english() {
    static const English e = [] {
        English out;
        const auto messages = texts::readTs(texts::englishTs());
        for (const auto& m : messages)
            if (m.finished) out.table[{m.context, m.source}] = m.translation;
        out.patterns = texts::patternsOf(messages);
        return out;
    }();
    return e;
}

// A text of a place of the window: its own texts and patterns, with the referee's words (the
// match's texts) as parts, as the window translates them.
std::string placeInEnglish(const std::string& text, const std::vector<std::string>& contexts) {
    const English& e = english();
    const texts::Lookup lookup = [&e](std::string_view context,
                                      std::string_view source) -> std::optional<std::string> {
        for (const std::string& c : {std::string(context), std::string("match")}) {
            const auto it = e.table.find({c, std::string(source)});
            if (it != e.table.end()) return it->second;
        }
        return std::nullopt;
    };
    return texts::translateComposed(text, contexts, e.patterns, lookup);
}

}  // namespace

std::string statusInEnglish(const std::string& text) {
    return placeInEnglish(text, {"draw", "status"});
}

std::string moveListLineInEnglish(const std::string& text) {
    const std::size_t n = std::min(text.size(), MOVE_LIST_NUMBER_WIDTH);
    return text.substr(0, n) + placeInEnglish(text.substr(n), {"movelist"});
}

std::string boxInEnglish(const std::string& text) {
    const English& e = english();
    const texts::Lookup lookup = [&e](std::string_view context,
                                      std::string_view source) -> std::optional<std::string> {
        const auto it = e.table.find({std::string(context), std::string(source)});
        if (it == e.table.end()) return std::nullopt;
        return it->second;
    };
    return texts::translateComposed(text, texts::boxContexts(), e.patterns, lookup);
}

}  // namespace velk::cli
