// The background pictures the window is tiled with. A code is the picture the surface paints,
// the number the game state and the settings file keep, and, in its order, an item of the
// ｵﾌﾟｼｮﾝ menu. It lives with the rules because the game state holds one and both the settings
// file and the drawing read it.
#pragma once

namespace velk {

inline constexpr int BACKGROUND_MIDORI = 2;  // 緑
inline constexpr int BACKGROUND_TATAMI = 3;  // 畳
inline constexpr int BACKGROUND_TAKE = 4;    // 竹
inline constexpr int BACKGROUND_UCHU = 5;    // 宇宙
inline constexpr int BACKGROUND_RENGA = 6;   // 煉瓦

inline constexpr int FIRST_BACKGROUND = BACKGROUND_MIDORI;
inline constexpr int LAST_BACKGROUND = BACKGROUND_RENGA;

constexpr bool isBackground(int code) {
    return code >= FIRST_BACKGROUND && code <= LAST_BACKGROUND;
}

}  // namespace velk
