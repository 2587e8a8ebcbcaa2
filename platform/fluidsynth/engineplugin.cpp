// The music plugin's entry point: the FluidSynth engine, made on the game's behalf.
#include "fluidsynthengine.h"

extern "C" [[gnu::visibility("default")]] void
tanzel_make_music_engine(std::unique_ptr<tanzel::MusicEngine>& made, tanzel::MusicOptions options,
                         tanzel::MusicEngine::EndReport reportEnd) {
    static_assert(std::is_same_v<decltype(&tanzel_make_music_engine), tanzel::MakeMusicEngine>);
    made = std::make_unique<tanzel::FluidSynthEngine>(std::move(options), std::move(reportEnd));
}
