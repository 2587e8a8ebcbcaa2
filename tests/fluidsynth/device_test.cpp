// The FluidSynth device: offline, when tunes sound and end and what it refuses; live, its name
// and its output, open only while there is something to hear.
#include "platform/fluidsynth/fluidsynthengine.h"
#include "platform/fluidsynth/fluidsynthsequencer.h"

#include <fstream>
#include <gmock/gmock.h>
#include <random>
#include <ranges>
#include <sys/prctl.h>
#include <sys/wait.h>

namespace tanzel {
namespace {

using namespace std::literals;
using namespace testing;
using std::chrono::milliseconds;

// One note, held for two seconds at the default tempo.
const std::string heldNote =
    "MThd\0\0\0\6\0\0\0\1\1\xe0MTrk\0\0\0\x0d\0\x90\x3c\x64\x8f\0\x80\x3c\0\0\xff\x2f\0"s;
const milliseconds startDelay = FluidSynthOptions{}.startDelay;
constexpr milliseconds step = 10ms;
// The peak of a step of sound: FluidSynth idles at 3e-8, the game's tunes keep above 0.05.
constexpr float audible = 1e-3f;
// What the game's plugin makes, linked in directly.
const MusicEngineFactory fluidSynth = [](FluidSynthOptions options,
                                         MusicEngine::EndReport reportEnd) {
    return std::unique_ptr<MusicEngine>(
        std::make_unique<FluidSynthEngine>(std::move(options), std::move(reportEnd)));
};
const FluidSynthOptions offline{.mode = FluidSynthOptions::Mode::Offline};

struct FluidSynthDevice : Test {
    static float loudness(StereoFrame f) { return std::max(std::abs(f.left), std::abs(f.right)); }
    static float peak(const std::vector<StereoFrame>& sound) {
        return std::ranges::max(sound | std::views::transform(loudness));
    }
    ~FluidSynthDevice() override { std::filesystem::remove_all(folder); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    }
    // Each step is followed by what an idle UI thread would do: run what the device posted.
    void render(milliseconds length) {
        for (milliseconds done = 0ms; done < length; done += step) {
            stepPeaks.push_back(peak(device.renderOffline(step)));
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
    FluidSynthSequencer device{{.mode = FluidSynthOptions::Mode::Offline,
                                .postToUiThread = [this](auto event) { posted.push_back(event); }},
                               fluidSynth};
    std::vector<float> stepPeaks;
    std::vector<milliseconds> completions;
    const SequencerDevice::Completion record = [this] { completions.push_back(elapsed()); };
};

class GameTune : public FluidSynthDevice, public WithParamInterface<const char*> {};

TEST_P(GameTune, SoundsThroughAndCompletesOnce) {
    ASSERT_TRUE(device.open(std::filesystem::path(TANZEL_RUN_DIR) / GetParam()) &&
                device.play(record));
    while (completions.empty() && elapsed() < 5min)
        render(1s);
    ASSERT_EQ(completions.size(), 1u);
    for (milliseconds from = startDelay; from + 250ms <= completions[0]; from += 250ms)
        EXPECT_GT(peak(from, from + 250ms), audible) << from.count() << " ms";
}

INSTANTIATE_TEST_SUITE_P(Built, GameTune, Values("present.mid", "music.mid"));

// The note has reached its end, which is posted to the UI thread but not yet delivered, when...
TEST_F(FluidSynthDevice, AnEndIsDeliveredOnlyToThePlayThatReachedIt) {
    const std::tuple<const char*, std::function<void()>, std::size_t> cases[] = {
        {"stop", [&] { device.stop(); }, 0},
        {"close", [&] { device.close(); }, 0},
        {"close, open, play", [&] { device.close(), device.open(tune), device.play(record); }, 0},
        {"play with no completion", [&] { device.play(nullptr); }, 0},
        {"play again, at the end at once", [&] { device.play(record); }, 1},
    };
    for (const auto& [name, then, delivered] : cases) {
        device.close();
        completions.clear();
        ASSERT_TRUE(device.open(tune) && device.play(record));
        device.renderOffline(2100ms);
        ASSERT_EQ(posted.size(), 1u) << name;
        then();
        render(step);
        EXPECT_EQ(completions.size(), delivered) << name;
    }
}

TEST_F(FluidSynthDevice, IsHeldExclusivelyCutOffByCloseAndPausedByStop) {
    ASSERT_TRUE(device.open(tune) && device.play(record));
    render(500ms);
    device.close();
    render(500ms);
    ASSERT_TRUE(device.open(tune) && device.play(record));
    render(1s);
    device.stop();
    EXPECT_FALSE(device.open(tune));
    render(1s);
    EXPECT_LT(std::max(peak(510ms, 1s), peak(2500ms, 3s)), audible);
    ASSERT_TRUE(device.play(record));
    render(2s);
    // The reopened note sounded for 1 s less the start delay; the rest follows a second delay.
    const milliseconds end = 3s + startDelay + 2s - (1s - startDelay);
    EXPECT_THAT(completions, ElementsAre(AllOf(Ge(end), Le(end + step))));
}

TEST_F(FluidSynthDevice, KeepsWhatItIsAskedToPlayUntilItsEngineIsAttached) {
    const std::tuple<const char*, std::function<void(SequencerDevice&)>, bool> cases[] = {
        {"open", [&](auto& d) { d.open(tune); }, false},
        {"open, play", [&](auto& d) { d.open(tune), d.play(nullptr); }, true},
        {"open, play, stop", [&](auto& d) { d.open(tune), d.play(nullptr), d.stop(); }, false},
        {"open, play, stop, play",
         [&](auto& d) { d.open(tune), d.play(nullptr), d.stop(), d.play(nullptr); }, true},
        {"open, play, close", [&](auto& d) { d.open(tune), d.play(nullptr), d.close(); }, false},
    };
    for (const auto& [name, before, sounds] : cases) {
        FluidSynthSequencer waiting(offline);
        before(waiting);
        EXPECT_THAT(waiting.renderOffline(step), IsEmpty()) << name;
        waiting.attachEngine(fluidSynth);
        EXPECT_EQ(peak(waiting.renderOffline(500ms)) > audible, sounds) << name;
    }
}

TEST_F(FluidSynthDevice, RefusesWhatItCannotPlayWithOneLineOnce) {
    std::string noise(3000, '\0');
    std::ranges::generate(noise, std::mt19937(7));
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
        {"noise.mid", noise, "not a MIDI file"},
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

// What a shell command prints.
std::string output(const std::string& command) {
    std::string printed;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    for (int c; pipe && (c = fgetc(pipe.get())) != EOF;)
        printed += static_cast<char>(c);
    return printed;
}

TEST_F(FluidSynthDevice, OnAPulseAudioServerCarriesTheGamesNameAndSoundsOnlyWhileItPlays) {
    const std::string socket = folder / "native", recording = folder / "recording";
    for (const char* variable : {"HOME", "XDG_RUNTIME_DIR"})
        setenv(variable, folder.c_str(), 1);
    setenv("PULSE_SERVER", socket.c_str(), 1);
    const std::string protocol = "module-native-protocol-unix auth-anonymous=1 socket=" + socket;
    const pid_t test = getpid(), server = fork();
    if (server == 0) {
        // The server dies with the test process, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() == test)
            execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                   "--log-level=error", "-L", "module-null-sink", "-L", protocol.c_str(), nullptr);
        _exit(127);
    }
    for (int tries = 0; tries < 100 && std::system("pactl info >/dev/null 2>&1") != 0; ++tries)
        usleep(50'000);
    FluidSynthSequencer live({.audioDrivers = {"pulseaudio"}}, fluidSynth);
    ASSERT_TRUE(live.open(tune) && live.play(nullptr));
    live.waitUntilReady();
    EXPECT_THAT(output("pactl list sink-inputs"),
                AllOf(HasSubstr("application.name = \"Tanzel Punch\""),
                      HasSubstr("application.icon_name = \"tanzel-punch\""),
                      HasSubstr("media.role = \"game\"")));
    // Once the note and its reverb have died away, the stream goes.
    for (int tries = 0; tries < 100 && !output("pactl list short sink-inputs").empty(); ++tries)
        usleep(100'000);
    EXPECT_EQ(output("pactl list short sink-inputs"), "");
    // Started on a closed output, the note sounds as long as it does offline: nothing is cut.
    std::system(("parec --raw --channels=1 --latency-msec=10 -d null.monitor >" + recording +
                 " & echo $! >" + recording + ".pid")
                    .c_str());
    std::error_code notYet;
    for (int tries = 0;
         tries < 100 && (std::filesystem::file_size(recording, notYet) == 0 || notYet); ++tries)
        usleep(50'000);
    live.close();
    ASSERT_TRUE(live.open(tune) && live.play(nullptr));
    usleep(2'800'000);
    std::system(("kill -INT $(cat " + recording + ".pid); sleep 0.3").c_str());
    std::ifstream in(recording, std::ios::binary);
    std::vector<std::int16_t> samples(std::filesystem::file_size(recording) / 2);
    in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * 2));
    const auto loud = [](std::int16_t s) { return std::abs(s) > audible * 32767; };
    const auto first = std::ranges::find_if(samples, loud);
    const auto last = std::ranges::find_if(samples | std::views::reverse, loud).base();
    ASSERT_TRUE(device.open(tune) && device.play(record));
    render(3s);
    const auto sounding =
        std::ranges::count_if(stepPeaks, [](float peak) { return peak > audible; });
    EXPECT_NEAR(double(last - first) / device.sampleRate(), double(sounding) * 0.01, 0.05);
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
}

} // namespace
} // namespace tanzel
