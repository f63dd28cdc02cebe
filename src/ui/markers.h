// The player's guess markers: notes of where the enemy's pieces may stand behind the screen.
// They belong to the player alone: the rules, the computer, the record and the referee never
// read them.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "board/piece.h"

namespace velk {

// The kinds a marker can show, as the computer's piece codes (drawn as an enemy piece).
inline constexpr int MARKER_KINDS[] = {COM_OU,  COM_SYA, COM_KAKU, COM_KIN,
                                       COM_GIN, COM_KEI, COM_KYOU, COM_HU};

constexpr bool isMarkerKind(int code) {
    for (const int k : MARKER_KINDS)
        if (k == code) return true;
    return false;
}

struct GuessMarkers {
    // The kind on each square [x][y] (1..9), 0 for none.
    std::array<std::array<int, 10>, 10> kind{};
    // The squares in the order their markers were placed, the latest last.
    std::vector<std::pair<int, int>> order;

    bool empty() const { return order.empty(); }
    bool operator==(const GuessMarkers&) const = default;

    // Puts a marker of kind k on a square (kind 0 removes it); false for a square off the board
    // or a kind that is no marker.
    bool set(int x, int y, int k) {
        if (x < 1 || x > 9 || y < 1 || y > 9 || (k != 0 && !isMarkerKind(k))) return false;
        std::erase(order, std::pair{x, y});
        kind[x][y] = k;
        if (k != 0) order.emplace_back(x, y);
        return true;
    }
    void clear() { *this = GuessMarkers{}; }
};

}  // namespace velk
