// The game's four sounds, synthesised from scratch: mono 16-bit samples at SAMPLE_RATE.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk::soundgen {

inline constexpr int SAMPLE_RATE = 22050;
inline constexpr double BGM_SECONDS = 20.0;

using Samples = std::vector<std::int16_t>;

Samples makeChime();  // "その他.wav": a short bright two-note chime
Samples makeBuzz();   // "禁止.wav": a low refusal buzz in two pulses
Samples makeKnock();  // "駒打音.wav": a wooden knock of a piece put down
Samples makeTune();   // "BGM.wav": a calm tune that loops seamlessly

// The bytes of a RIFF/WAVE file holding the samples.
std::string wavFile(const Samples& samples);

}  // namespace velk::soundgen
