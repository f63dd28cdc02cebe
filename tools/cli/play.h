// The scripted player: window events read as text lines drive the game's own controller, and
// what the player would see or hear (boxes, questions, sounds, moves) comes out as text.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace velk::cli {

// Runs a script with the given folder as the game's folder (settings, sounds, records).
// Returns 0, or 1 when a line failed or the script stopped on an unanswered question. With
// english, boxes are printed in English as the window shows them in that language.
int runPlayScript(std::istream& in, std::ostream& out, const std::filesystem::path& folder,
                  bool english = false);

}  // namespace velk::cli
