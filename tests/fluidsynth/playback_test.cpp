// Offline playback: the tune sounds, its end is reported once, stop, close and open end a play.
#include "offlinedevice.h"
#include "stderrcapture.h"

namespace tanzel::test {
namespace {

const std::chrono::milliseconds startDelay = FluidSynthOptions{}.startDelay;

TEST_F(OfflineDevice, TuneSoundsFromItsStartToItsEnd) {
    ASSERT_TRUE(device.open(tune(8)));
    ASSERT_TRUE(device.play(recordCompletion()));
    render(8 * beat + 2s);
    const std::vector<double> playing = loudness(0ms, 8 * beat);
    ASSERT_EQ(playing.size(), 16u);
    for (std::size_t i = 0; i < playing.size(); ++i)
        EXPECT_GT(playing[i], audible) << "window " << i;
    // The last notes die away after the end.
    EXPECT_LT(loudness(8 * beat + 1s, 8 * beat + 2s).back(), audible / 10);
}

TEST_F(OfflineDevice, CompletionArrivesOnceWhenTheLastTickIsReached) {
    ASSERT_TRUE(device.open(tune(8)));
    ASSERT_TRUE(device.play(recordCompletion()));
    render(8 * beat + 3s);
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_GE(completions[0], 8 * beat + startDelay);
    EXPECT_LE(completions[0], 8 * beat + startDelay + 2 * step);
}

TEST_F(OfflineDevice, StopPausesWithoutCompletionAndPlayGoesOnFromThere) {
    ASSERT_TRUE(device.open(tune(8)));
    ASSERT_TRUE(device.play(recordCompletion()));
    render(2s);
    device.stop();
    render(6s);
    EXPECT_TRUE(completions.empty());
    EXPECT_LT(loudness(7s, 8s).back(), audible / 10);

    ASSERT_TRUE(device.play(recordCompletion()));
    render(3s);
    ASSERT_EQ(completions.size(), 1u);
    // The first play sounded from startDelay to 2 s; what is left of the tune follows the delay.
    const auto left = 8 * beat - (2s - startDelay);
    EXPECT_GE(completions[0], 8s + startDelay + left - step);
    EXPECT_LE(completions[0], 8s + startDelay + left + 2 * step);
    for (double windowLoudness : loudness(8s + 250ms, 8s + left))
        EXPECT_GT(windowLoudness, audible);
}

TEST_F(OfflineDevice, AnEndPostedBeforeAStopIsNeverDelivered) {
    ASSERT_TRUE(device.open(tune(2)));
    ASSERT_TRUE(device.play(recordCompletion()));
    renderUndelivered(2 * beat + 500ms);
    device.stop();
    EXPECT_EQ(ui.drain(), 1);
    EXPECT_TRUE(completions.empty());
}

TEST_F(OfflineDevice, AnEndPostedBeforeACloseIsNeverDelivered) {
    ASSERT_TRUE(device.open(tune(2)));
    ASSERT_TRUE(device.play(recordCompletion()));
    renderUndelivered(2 * beat + 500ms);
    device.close();
    EXPECT_EQ(ui.drain(), 1);
    EXPECT_TRUE(completions.empty());
}

TEST_F(OfflineDevice, AnEndPostedBeforeAReopenAndPlayIsNeverDelivered) {
    const std::string path = tune(2);
    ASSERT_TRUE(device.open(path));
    ASSERT_TRUE(device.play(recordCompletion()));
    renderUndelivered(2 * beat + 500ms);
    device.close();
    ASSERT_TRUE(device.open(path));
    ASSERT_TRUE(device.play(recordCompletion()));
    EXPECT_EQ(ui.drain(), 1);
    EXPECT_TRUE(completions.empty());
    render(2 * beat + 500ms);
    EXPECT_EQ(completions.size(), 1u);
}

TEST_F(OfflineDevice, CompletionReopeningTheTuneLoopsItFromTheStart) {
    const std::string path = tune(4);
    SequencerDevice::Completion loop = [&] {
        completions.push_back(elapsed());
        device.close();
        ASSERT_TRUE(device.open(path));
        ASSERT_TRUE(device.play(loop));
    };
    ASSERT_TRUE(device.open(path));
    ASSERT_TRUE(device.play(loop));
    render(3 * (4 * beat + startDelay) + 100ms);
    ASSERT_EQ(completions.size(), 3u);
    for (std::size_t round = 1; round < completions.size(); ++round) {
        const auto roundLength = completions[round] - completions[round - 1];
        EXPECT_GE(roundLength, 4 * beat + startDelay);
        EXPECT_LE(roundLength, 4 * beat + startDelay + 2 * step);
        for (double windowLoudness : loudness(completions[round - 1] + window, completions[round]))
            EXPECT_GT(windowLoudness, audible) << "round " << round;
    }
}

TEST_F(OfflineDevice, OpenPlayAndCloseWithinTheStartDelayMakeNoSound) {
    const std::string path = tune(4);
    ASSERT_TRUE(device.open(path));
    ASSERT_TRUE(device.play(recordCompletion()));
    device.close();
    render(500ms);
    ASSERT_TRUE(device.open(path));
    ASSERT_TRUE(device.play(recordCompletion()));
    render(startDelay / 2);
    device.close();
    render(3s);
    EXPECT_LT(peak(sound), silent);
    EXPECT_TRUE(completions.empty());
}

TEST_F(OfflineDevice, CloseCutsTheTuneAtOnce) {
    ASSERT_TRUE(device.open(tune(8)));
    ASSERT_TRUE(device.play(recordCompletion()));
    render(1s);
    device.close();
    const auto closedAt = elapsed();
    render(1s);
    // What is left is the reverb's last echo, 40 dB below the tune.
    for (double stepLoudness : loudness(closedAt + step, elapsed(), step))
        EXPECT_LT(stepLoudness, audible / 10);
    EXPECT_TRUE(completions.empty());
}

TEST_F(OfflineDevice, PlayAtTheEndCompletesAtOnceWithoutSound) {
    ASSERT_TRUE(device.open(tune(2)));
    ASSERT_TRUE(device.play(nullptr));
    render(2 * beat + 3s);
    ASSERT_TRUE(device.play(recordCompletion()));
    const auto playedAt = elapsed();
    render(step);
    EXPECT_EQ(completions, std::vector{playedAt + step});
    EXPECT_LT(peak(soundSince(playedAt)), silent);
}

// The device is held exclusively: a refused open is how it is used, not a problem to report.
TEST_F(OfflineDevice, OpenWhileOpenFailsQuietlyAndLeavesTheOpenTunePlaying) {
    const std::string first = tune(8, "first.mid");
    const std::string second = tune(2, "second.mid");
    ASSERT_TRUE(device.open(first));
    ASSERT_TRUE(device.play(recordCompletion()));
    StderrCapture capture;
    EXPECT_FALSE(device.open(second));
    EXPECT_TRUE(capture.lines().empty());
    render(8 * beat + 500ms);
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_GE(completions[0], 8 * beat);
}

TEST_F(OfflineDevice, CloseWhenClosedDoesNothing) {
    StderrCapture capture;
    device.close();
    ASSERT_TRUE(device.open(tune(2)));
    device.close();
    device.close();
    EXPECT_TRUE(capture.lines().empty());
    ASSERT_TRUE(device.open(tune(2)));
    ASSERT_TRUE(device.play(recordCompletion()));
    render(2 * beat + 500ms);
    EXPECT_EQ(completions.size(), 1u);
}

TEST_F(OfflineDevice, PlayOrStopWithNothingOpenDoesNothing) {
    StderrCapture capture;
    EXPECT_FALSE(device.play(recordCompletion()));
    device.stop();
    EXPECT_EQ(capture.lines(),
              std::vector<std::string>{"tanzel-punch: music: play with no tune open"});
    render(1s);
    EXPECT_LT(peak(sound), silent);
    EXPECT_TRUE(completions.empty());
}

} // namespace
} // namespace tanzel::test
