// The English texts of the play command, read from the translation file built into the tool.
#pragma once

#include <string>

namespace velk::cli {

// A box's text or title in English; a text the translations do not know stays as it is.
std::string boxInEnglish(const std::string& text);

}  // namespace velk::cli
