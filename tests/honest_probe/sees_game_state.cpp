// Must not build: the game state lies outside what the honest player's layer can include.
#include "game/game_state.h"
#include "honest/honest_player.h"

int probeSeesGameState() {
    return static_cast<int>(sizeof(velk::GameState));
}
