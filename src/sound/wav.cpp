#include "sound/wav.h"

#include <cstring>

namespace velk {

namespace {

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

int le16(const unsigned char* p) {
    return p[0] | p[1] << 8;
}

constexpr int FORMAT_PCM = 1;
constexpr int FORMAT_FLOAT = 3;
constexpr int FORMAT_EXTENSIBLE = 0xFFFE;

}  // namespace

bool parseWavImage(const unsigned char* image, std::size_t length, WavInfo& info) {
    info = WavInfo{};
    if (image == nullptr || length < 12) return false;
    if (std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0) {
        return false;
    }
    bool haveFormat = false;
    std::size_t pos = 12;
    while (length - pos >= 8) {
        const unsigned char* chunk = image + pos;
        const std::size_t size = le32(chunk + 4);
        const std::size_t body = pos + 8;
        if (size > length - body) return false;  // a chunk running past the end: truncated
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return false;
            const unsigned char* f = image + body;
            info.format = le16(f);
            info.channels = le16(f + 2);
            const std::uint32_t rate = le32(f + 4);
            const int blockAlign = le16(f + 12);
            info.bitsPerSample = le16(f + 14);
            if (info.format == FORMAT_EXTENSIBLE) {
                // The sub-format's first two bytes carry the real format tag.
                if (size < 40) return false;
                info.format = le16(f + 24);
            }
            if (rate < 1000 || rate > 384000) return false;
            info.sampleRate = static_cast<int>(rate);
            if (info.channels < 1 || info.channels > 8) return false;
            const int bits = info.bitsPerSample;
            const bool pcm =
                info.format == FORMAT_PCM && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            const bool flt = info.format == FORMAT_FLOAT && bits == 32;
            if (!pcm && !flt) return false;
            if (blockAlign != info.channels * bits / 8) return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            const std::size_t frame = static_cast<std::size_t>(info.channels) *
                                      static_cast<std::size_t>(info.bitsPerSample / 8);
            if (size < frame) return false;
            info.dataOffset = body;
            info.dataBytes = size - size % frame;
            return true;
        }
        // Chunks are padded to an even length; the pad byte may be missing after the last one.
        const std::size_t advance = size + (size & 1);
        if (advance > length - body) break;
        pos = body + advance;
    }
    return false;
}

}  // namespace velk
