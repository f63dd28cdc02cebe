// Builds: the honest player's layer reads the view.
#include "honest/honest_player.h"
#include "view/side_view.h"

int probeSeesView() {
    return static_cast<int>(sizeof(velk::SideView));
}
