// The English texts of the play command, read from the translation file built into the tool.
#pragma once

#include <string>

namespace velk::cli {

// A box's text or title in English; a text the translations do not know stays as it is.
std::string boxInEnglish(const std::string& text);
// The status line below the board in English, as the window shows it.
std::string statusInEnglish(const std::string& text);
// A line of the move list in English: its words are translated, the move notation is not.
std::string moveListLineInEnglish(const std::string& text);

}  // namespace velk::cli
