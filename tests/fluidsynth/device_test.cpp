// The FluidSynth device: what it asks of its engine; offline, that tunes sound, end and pause,
// and what it refuses; live, its name and its output, open only while there is something to hear.
#include "platform/fluidsynth/fluidsynthengine.h"
#include "platform/sequencer/sequencer.h"

#include <fstream>
#include <gmock/gmock.h>
#include <ranges>

namespace tanzel {
namespace {

using namespace std::literals;
using namespace testing;
using std::chrono::milliseconds;

// Sounds nothing: it writes down what the device asks of it, and which play it last started.
struct StandInEngine final : MusicEngine {
    void load(std::string, std::vector<unsigned char>) override { asked += " load"; }
    void unload() override { asked += " unload"; }
    void start(std::uint64_t playId) override {
        asked += " start";
        started = playId;
    }
    void pause() override { asked += " pause"; }
    void waitUntilReady() override {}
    std::vector<StereoFrame> render(std::size_t) override { return {}; }
    std::string asked;
    std::uint64_t started = 0;
};

// Runs the steps on a device that has no engine until "attach"; "end" is the engine reaching the
// end of the play it last started. Gives what the engine was asked, then "done" per completion.
std::string engineAskedFor(const std::string& script) {
    StandInEngine* engine = nullptr;
    MusicEngine::EndReport reportEnd;
    std::vector<std::function<void()>> posted;
    Sequencer device({.postToUiThread = [&](auto event) { posted.push_back(event); }});
    const auto standIn = [&](MusicOptions, MusicEngine::EndReport report) {
        reportEnd = std::move(report);
        auto made = std::make_unique<StandInEngine>();
        engine = made.get();
        return made;
    };
    const std::map<std::string, std::function<void()>> steps = {
        {"attach", [&] { device.attachEngine(standIn); }},
        {"open", [&] { device.open(TANZEL_RUN_DIR "/present.mid"); }},
        {"play", [&] { device.play([&] { engine->asked += " done"; }); }},
        {"stop", [&] { device.stop(); }},
        {"close", [&] { device.close(); }},
        {"hold", [&] { device.hold(true); }},
        {"release", [&] { device.hold(false); }},
        {"end", [&] { reportEnd(engine->started); }},
    };
    for (const auto word : std::views::split(script, ' '))
        steps.at(std::string(word.begin(), word.end()))();
    std::ranges::for_each(posted, [](const std::function<void()>& event) { event(); });
    return engine->asked.empty() ? "" : engine->asked.substr(1);
}

// An end is posted to the UI thread: what the device does meanwhile decides whether it arrives.
TEST(Sequencer, AsksItsEngineForWhatItsTuneNeedsHeldOrNotAndBeforeTheEngineComes) {
    const std::pair<const char*, const char*> cases[] = {
        {"attach play stop close open open", "load"},
        {"attach open play stop play close", "load start pause start unload"},
        {"open play attach", "load start"},
        {"open play stop attach", "load"},
        {"open play close attach", ""},
        {"open play attach end", "load start done"},
        {"attach open play end stop", "load start pause"},
        {"attach open play end close", "load start unload"},
        {"attach open play end play", "load start start"},
        {"attach open play hold hold release release end", "load start pause start done"},
        {"attach open hold play release end", "load pause start done"},
        {"attach open play hold stop release", "load start pause pause"},
        {"attach open play hold close release", "load start pause unload"},
        {"open play hold attach release end", "load start done"},
    };
    for (const auto& [script, asked] : cases)
        EXPECT_EQ(engineAskedFor(script), asked) << script;
}

// One note, held for two seconds at the default tempo.
const std::string heldNote =
    "MThd\0\0\0\6\0\0\0\1\1\xe0MTrk\0\0\0\x0d\0\x90\x3c\x64\x8f\0\x80\x3c\0\0\xff\x2f\0"s;
const milliseconds startDelay = MusicOptions{}.startDelay;
constexpr milliseconds step = 10ms;
// The peak of a step of sound: FluidSynth idles at 3e-8, the game's tunes keep above 0.05.
constexpr float audible = 1e-3f;
const MusicEngineFactory fluidSynth = [](MusicOptions options, MusicEngine::EndReport report) {
    return std::make_unique<FluidSynthEngine>(std::move(options), std::move(report));
};

struct FluidSynthDevice : Test {
    ~FluidSynthDevice() override { std::filesystem::remove_all(folder); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    }
    // Each step is followed by what an idle UI thread would do: run what the device posted.
    void render(milliseconds length) {
        for (milliseconds done = 0ms; done < length; done += step) {
            float loudest = 0;
            for (const StereoFrame frame : device.renderOffline(step))
                loudest = std::max({loudest, std::abs(frame.left), std::abs(frame.right)});
            stepPeaks.push_back(loudest);
            for (const std::function<void()>& event : std::exchange(posted, {}))
                event();
        }
    }
    milliseconds elapsed() const { return step * std::ssize(stepPeaks); }
    float peak(milliseconds from, milliseconds to) const {
        return std::ranges::max(std::span(stepPeaks).subspan(from / step, (to - from) / step));
    }

    const std::filesystem::path folder = mkdtemp(
        (std::filesystem::temp_directory_path() / "tanzel-fluidsynth-XXXXXX").string().data());
    const std::string tune = write("tune.mid", heldNote);
    // Offline, the device posts from inside renderOffline and play: on the test's own thread.
    std::vector<std::function<void()>> posted;
    Sequencer device{{.mode = MusicOptions::Mode::Offline,
                      .postToUiThread = [this](auto event) { posted.push_back(event); }},
                     fluidSynth};
    std::vector<float> stepPeaks;
    std::vector<milliseconds> completions;
    const SequencerDevice::Completion record = [this] { completions.push_back(elapsed()); };
};

// A built tune, NAME.mid, its length in beats, and how late its end may come: a beat for a tune
// played once, a step for the looped one, whose seam must not show.
struct Tune {
    const char* name;
    int beats, beatsPerMinute;
    milliseconds tolerance;
};
class GameTune : public FluidSynthDevice, public WithParamInterface<Tune> {};

TEST_P(GameTune, SoundsFromItsFirstStepToItsEndAndCompletesOnceAtItsLength) {
    const Tune tune = GetParam();
    ASSERT_TRUE(device.open(TANZEL_RUN_DIR "/"s + tune.name + ".mid") && device.play(record));
    while (completions.empty() && elapsed() < 5min)
        render(1s);
    const milliseconds end = startDelay + tune.beats * 60'000ms / tune.beatsPerMinute;
    ASSERT_THAT(completions, ElementsAre(AllOf(Ge(end), Le(end + tune.tolerance))));
    EXPECT_GT(peak(startDelay, startDelay + step), audible);
    for (milliseconds from = startDelay; from + 250ms <= completions[0]; from += 250ms)
        EXPECT_GT(peak(from, from + 250ms), audible) << from.count() << " ms";
}

INSTANTIATE_TEST_SUITE_P(Built, GameTune,
                         Values(Tune{"present", 20 * 4, 144, 60'000ms / 144},
                                Tune{"music", 40 * 4, 160, step}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(FluidSynthDevice, IsCutOffByCloseAndHeldSilentUntilItGoesOnWhereItWas) {
    ASSERT_TRUE(device.open(tune) && device.play(record));
    render(500ms);
    device.close();
    render(500ms);
    ASSERT_TRUE(device.open(tune) && device.play(record));
    render(1s);
    device.hold(true);
    render(1s);
    device.hold(false);
    render(2s);
    EXPECT_LT(std::max(peak(510ms, 1s), peak(2500ms, 3s)), audible);
    // The reopened note sounded for 1 s less the start delay; the rest follows a second delay.
    const milliseconds end = 3s + startDelay + 2s - (1s - startDelay);
    EXPECT_THAT(completions, ElementsAre(AllOf(Ge(end), Le(end + step))));
}

TEST_F(FluidSynthDevice, RefusesWhatItCannotPlayWithOneLineOnce) {
    std::filesystem::create_directory(folder / "folder.mid");
    // Sparse: it costs no disk, and must not be read to be refused.
    std::filesystem::resize_file(write("large.mid", heldNote), 100 << 20);
    const std::string head = heldNote.substr(0, 14), broken = "broken MIDI file (",
                      pastTheEnd = broken + "chunk runs past the end of the file)";
    const std::tuple<const char*, std::optional<std::string>, std::string> files[] = {
        {"missing.mid", std::nullopt, "no such file"},
        {"folder.mid", std::nullopt, "is a folder, not a MIDI file"},
        {"large.mid", std::nullopt, "too large (104857600 bytes; a tune has at most 4194304)"},
        {"empty.mid", "", "empty file"},
        {"sound.mid", "RIFF\x24\0\0\0WAVEfmt "s, "not a MIDI file"}, // a wave file
        {"truncated.mid", heldNote.substr(0, 30), pastTheEnd},
        {"lying.mid", head + "MTrk\x7f\xff\xff\xff"s + heldNote.substr(22), pastTheEnd},
        {"status.mid", head + "MTrk\0\0\0\3\0\x3c\x64"s,
         broken + "track 1: data byte without a status byte)"},
        {"odd-but-playable.mid", head + "XFIH\0\0\0\0MTrk\0\0\0\7\0\x90\x3c\x64\x10\x3c\0"s, ""},
    };
    for (const auto& [name, bytes, problem] : files) {
        const std::string path = bytes ? write(name, *bytes) : (folder / name).string();
        internal::CaptureStderr();
        for (int twice = 0; twice < 2; ++twice, device.close())
            EXPECT_EQ(device.open(path), problem.empty()) << name;
        const std::string line = "tanzel-punch: music off: " + path + ": " + problem + "\n";
        EXPECT_EQ(internal::GetCapturedStderr(), problem.empty() ? "" : line);
    }
}

TEST_F(FluidSynthDevice, OnAPulseAudioServerCarriesTheGamesNameAndSoundsOnlyWhileItPlays) {
    for (const char* variable : {"HOME", "XDG_RUNTIME_DIR"})
        setenv(variable, folder.c_str(), 1);
    setenv("PULSE_SERVER", (folder / "pulse/native").c_str(), 1);
    // Ends once idle, however the test ends; with no pid file, it makes no folder again as it goes.
    ASSERT_EQ(std::system("pulseaudio -n --daemonize=yes --use-pid-file=no --exit-idle-time=5 "
                          "--log-level=error -L module-null-sink -L module-native-protocol-unix"),
              0);
    // One engine set up at a time, as in the game: two loading the SoundFont at once meet in
    // FluidSynth's sample cache, behind a lock that ThreadSanitizer cannot see.
    device.waitUntilReady();
    Sequencer live({.audioDrivers = {"pulseaudio"}}, fluidSynth);
    ASSERT_TRUE(live.open(tune) && live.play(nullptr));
    live.waitUntilReady();
    for (const char* property :
         {"application.name = \"Tanzel Punch\"", "application.icon_name = \"tanzel-punch\"",
          "media.role = \"game\""})
        EXPECT_EQ(std::system(("pactl list sink-inputs | grep -qF '"s + property + "'").c_str()), 0)
            << property;
    // Once nothing sounds, the stream goes. The waits for it leave the audio thread time to
    // render beside a pause, and beside an unload and a load, before the next call.
    const auto stream = [] { return std::system("pactl list short sink-inputs | grep -q .") == 0; };
    const auto waitFor = [&](bool present) {
        for (int tries = 0; tries < 100 && stream() != present; ++tries)
            usleep(100'000);
        return stream() == present;
    };
    live.stop();
    EXPECT_TRUE(waitFor(false));
    ASSERT_TRUE(live.play(nullptr) && waitFor(true));
    live.close();
    ASSERT_TRUE(live.open(tune));
    EXPECT_TRUE(waitFor(false));
    // Started on a closed output, the note sounds as long as it does offline: nothing is cut.
    // The first sample read shows that the recording runs; the rest come at the pace of sound.
    const std::unique_ptr<FILE, int (*)(FILE*)> recording(
        popen("parec --raw --channels=1 --latency-msec=10 -d null.monitor", "r"), pclose);
    std::vector<std::int16_t> samples(3 * device.sampleRate());
    ASSERT_EQ(fread(samples.data(), 2, 1, recording.get()), 1u);
    ASSERT_TRUE(live.play(nullptr)); // the tune loaded above, from its start
    ASSERT_EQ(fread(samples.data(), 2, samples.size(), recording.get()), samples.size());
    const auto loud = [](std::int16_t s) { return std::abs(s) > audible * 32767; };
    // In steps, as offline: a block a busy machine delivers late leaves a gap, not a longer note.
    const auto perStep = device.sampleRate() * step / 1s;
    long soundingLive = 0;
    for (auto at = samples.begin(); at != samples.end(); at += perStep)
        soundingLive += std::any_of(at, at + perStep, loud);
    ASSERT_TRUE(device.open(tune) && device.play(record));
    render(3s);
    const auto sounding = std::ranges::count_if(stepPeaks, [](float p) { return p > audible; });
    EXPECT_THAT(soundingLive, AllOf(Ge(sounding - 5), Le(sounding + 5)));
}

} // namespace
} // namespace tanzel
