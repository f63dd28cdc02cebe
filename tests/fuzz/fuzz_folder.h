// A game folder for the fuzzers that run the play command: made once per process in the
// system's temporary folder, with the four sound files, emptied of everything else before each
// input so that every input starts alike, and removed at exit.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace velk::fuzz {

class GameFolder {
  public:
    GameFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "velk-fuzz-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        path_ = name;
        for (const char* sound : SOUNDS) writeSilentWav(path_ / sound);
    }
    ~GameFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Removes what the last input left (the settings file, say); the sound files stay.
    void reset() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ignored)) {
            bool sound = false;
            for (const char* name : SOUNDS) sound = sound || entry.path().filename() == name;
            if (!sound) std::filesystem::remove_all(entry.path(), ignored);
        }
    }

  private:
    static constexpr const char* SOUNDS[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"};

    // 8 kHz, mono, 16 bit, four silent samples.
    static void writeSilentWav(const std::filesystem::path& file) {
        std::ofstream o(file, std::ios::binary);
        const auto le = [&o](unsigned v, int bytes) {
            for (int i = 0; i < bytes; ++i) o.put(static_cast<char>((v >> (8 * i)) & 0xff));
        };
        o << "RIFF";
        le(36 + 8, 4);
        o << "WAVEfmt ";
        le(16, 4);
        le(1, 2);
        le(1, 2);
        le(8000, 4);
        le(16000, 4);
        le(2, 2);
        le(16, 2);
        o << "data";
        le(8, 4);
        le(0, 4);
        le(0, 4);
    }

    std::filesystem::path path_;
};

}  // namespace velk::fuzz
