// libFuzzer entry for the settings file: any bytes must read as a known background (or none)
// and two marks; what reads as complete with a background writes back to a file that reads the
// same (with none checked the written file has no background line); and the game, loading with
// those bytes as its settings file and changing an option, goes on and keeps a settings file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/play.h"
#include "fuzz_folder.h"
#include "settings/settings_file.h"

namespace {

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static velk::fuzz::GameFolder folder;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const velk::SettingsRead r = velk::parseSettingsFile(bytes);
    if (r.background != 0 &&
        (r.background < velk::BACKGROUND_MIDORI || r.background > velk::BACKGROUND_RENGA))
        std::abort();
    if (r.ok && r.background != 0) {
        velk::SettingsMarks marks;
        if (r.background != 0) marks.background[r.background] = true;
        marks.keika = r.keika;
        marks.bgm = r.bgm;
        const velk::SettingsRead back = velk::parseSettingsFile(velk::settingsFileBytes(marks));
        if (!back.ok || back.background != r.background || back.keika != r.keika ||
            back.bgm != r.bgm)
            std::abort();
    }

    folder.reset();
    const std::filesystem::path file = folder.path() / velk::SETTINGS_FILE_NAME;
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    std::istringstream script("show\nKEIKA\nshow\n");
    std::ostringstream out;
    if (velk::cli::runPlayScript(script, out, folder.path()) != 0) std::abort();
    if (contents(file).empty()) std::abort();
    return 0;
}
