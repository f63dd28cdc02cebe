#include "sound/sound_library.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>

#include "sound/wav.h"

namespace velk {

namespace {

constexpr int SAMPLE_RATE = 44100;
constexpr int OUTPUT_CHANNELS = 2;
constexpr int CHUNK_FRAMES = 1024;
constexpr int MIXER_CHANNELS = 16;

// Next handle after last, never 0 and never negative.
int nextHandle(int last) {
    return last >= INT_MAX - 1 ? 1 : last + 1;
}

}  // namespace

SoundLibrary::~SoundLibrary() {
    closeDevice();
}

int SoundLibrary::dsInitialize(long /*windowHandle*/) {
    closeDevice();
    // The program handles its own termination signals; SDL would only queue them as events
    // that nobody reads, and the program would no longer end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (Mix_OpenAudio(SAMPLE_RATE, MIX_DEFAULT_FORMAT, OUTPUT_CHANNELS, CHUNK_FRAMES) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(MIXER_CHANNELS);
    lastDevice_ = nextHandle(lastDevice_);
    device_ = lastDevice_;
    return device_;
}

void SoundLibrary::dsTerminate(int device) {
    if (device != 0 && device == device_) closeDevice();
}

void SoundLibrary::closeDevice() {
    if (device_ == 0) return;
    Mix_HaltChannel(-1);
    for (auto& [handle, b] : buffers_) Mix_FreeChunk(b.chunk);
    buffers_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
}

int SoundLibrary::dsCreateDSB(int device, const unsigned char* image, std::size_t length,
                              int mode) {
    if (device == 0 || device != device_) return 0;
    WavInfo info;
    if (!parseWavImage(image, length, info) || length > static_cast<std::size_t>(INT_MAX)) {
        return 0;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(image, static_cast<int>(length));
    if (rw == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);  // closes rw
    if (chunk == nullptr) return 0;
    lastBuffer_ = nextHandle(lastBuffer_);
    buffers_[lastBuffer_] = Buffer{chunk, -1, mode};
    return lastBuffer_;
}

void SoundLibrary::dsFree(int buffer) {
    auto it = buffers_.find(buffer);
    if (it == buffers_.end()) return;
    if (onItsChannel(it->second)) Mix_HaltChannel(it->second.channel);
    Mix_FreeChunk(it->second.chunk);
    buffers_.erase(it);
}

bool SoundLibrary::onItsChannel(const Buffer& b) const {
    return b.channel >= 0 && Mix_Playing(b.channel) != 0 && Mix_GetChunk(b.channel) == b.chunk;
}

void SoundLibrary::start(int buffer, int loops) {
    auto it = buffers_.find(buffer);
    if (it == buffers_.end()) return;
    Buffer& b = it->second;
    // One buffer sounds once at a time: a new start restarts it on its own channel.
    const int channel = onItsChannel(b) ? b.channel : -1;
    if (channel >= 0) Mix_HaltChannel(channel);
    b.channel = Mix_PlayChannel(channel, b.chunk, loops);
}

void SoundLibrary::dsPlay(int buffer) {
    start(buffer, 0);
}

void SoundLibrary::dsPlayLooping(int buffer) {
    start(buffer, -1);
}

void SoundLibrary::dsStop(int buffer) {
    auto it = buffers_.find(buffer);
    if (it == buffers_.end()) return;
    if (onItsChannel(it->second)) Mix_HaltChannel(it->second.channel);
    it->second.channel = -1;
}

bool SoundLibrary::isPlaying(int buffer) const {
    auto it = buffers_.find(buffer);
    return it != buffers_.end() && onItsChannel(it->second);
}

}  // namespace velk
