// Checking a whole ".wav" file image before it is handed to the audio library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

struct WavInfo {
    int format = 0;  // 1 integer PCM, 3 IEEE float
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::size_t dataOffset = 0;  // of the first sample byte within the image
    std::size_t dataBytes = 0;
};

// True when image[0..length) is a RIFF/WAVE image of uncompressed PCM (8, 16, 24 or 32 bits)
// or 32-bit float with 1..8 channels, whose chunks all lie inside the image and whose data
// chunk holds at least one whole frame. Reads nothing outside the image.
bool parseWavImage(const unsigned char* image, std::size_t length, WavInfo& info);

}  // namespace velk
