// The forms runtime: loading on reference, unloading, activation and event delivery.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

TEST(Forms, ReferringToAFormLoadsItOnceAndUnloadDiscardsIt) {
    HeadlessGame program;
    EXPECT_FALSE(program.app.isLoaded<Form1>());
    Form1& game = program.game();
    EXPECT_TRUE(program.app.isLoaded<Form1>());
    EXPECT_EQ(&program.game(), &game);
    EXPECT_FALSE(game.isShown());
    const auto serial = game.serial();
    program.app.dispatch([&] { program.app.Unload(game); });
    EXPECT_FALSE(program.app.isLoaded<Form1>());
    EXPECT_NE(program.game().serial(), serial);
}

TEST(Forms, UnloadingAFormThatIsNotLoadedDoesNotLoadIt) {
    HeadlessGame program;
    program.app.dispatch([&] { program.app.Unload<Form3>(); });
    EXPECT_FALSE(program.app.isLoaded<Form3>());
}

TEST(Forms, TheProgramEndsWhenTheLastFormIsUnloaded) {
    HeadlessGame program;
    EXPECT_FALSE(program.host.hasQuit());
    program.host.closeBox(program.title());
    EXPECT_TRUE(program.host.hasQuit());
    EXPECT_TRUE(program.app.loadedForms().empty());
}

TEST(Forms, ADisabledFormTakesNoInputAndCannotBeClosed) {
    HeadlessGame program;
    Form1& game = program.play();
    program.host.closeBox(program.title());
    EXPECT_TRUE(program.app.isLoaded<Form2>());
    program.host.click(program.title(), "Command1");
    EXPECT_EQ(program.sequencer.takeLog(), std::vector<std::string>{});
    game.Enabled = false;
    program.app.keyPress(game, '5');
    EXPECT_EQ(game.HammerPicture, 10);
}

TEST(Activation, FollowsTheProcedureThatCausedItBeforeAnyOtherEvent) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(1, 5);
    program.tick(6);
    // The punch ends the game; the game-over window's activation disables the game window
    // before the next key is delivered.
    program.host.type('5');
    EXPECT_FALSE(game.Enabled);
    program.host.type('5');
    EXPECT_EQ(game.HammerPicture, 11);
}

TEST(Activation, TheStartUpFormIsLoadedThenActivated) {
    HeadlessGame program;
    EXPECT_EQ(program.app.activeForm(), &program.title());
    EXPECT_TRUE(program.title().isShown());
}

TEST(Activation, ReactivatingTheActiveFormRaisesNoEvent) {
    HeadlessGame program;
    program.sequencer.takeLog();
    program.app.activatedByUser(program.title());
    EXPECT_TRUE(program.sequencer.takeLog().empty());
}

TEST(Events, AnEventArrivingDuringAnotherWaitsForItToFinish) {
    HeadlessGame program;
    std::vector<std::string> order;
    program.app.dispatch([&] {
        order.push_back("outer begins");
        program.app.dispatch([&] { order.push_back("inner"); });
        order.push_back("outer ends");
    });
    EXPECT_EQ(order, (std::vector<std::string>{"outer begins", "outer ends", "inner"}));
}

TEST(Events, AFatalErrorIsReportedOnceAndEndsEventDelivery) {
    HeadlessGame program;
    Form1& game = program.play();
    program.app.dispatch([&] { game.Image2(11).Visible = true; });
    EXPECT_EQ(program.host.fatalMessage(), "Control array element '11' of Image2 doesn't exist");
    program.host.type('5');
    EXPECT_EQ(game.HammerPicture, 10);
}

TEST(Timers, AreRestartedWhenReEnabledAndStopWithTheirForm) {
    HeadlessGame program;
    Form1& game = program.play();
    EXPECT_EQ(program.host.nextTimerIn(), 50);
    program.app.dispatch([&] { game.Timer1.Interval = 80; });
    EXPECT_EQ(program.host.nextTimerIn(), 80);
    program.app.dispatch([&] { game.Timer1.Enabled = false; });
    EXPECT_EQ(program.host.nextTimerIn(), 60000);
}

TEST(MouseMove, SetsThePointerForTheWholeTitleWindow) {
    HeadlessGame program;
    Form2& title = program.title();
    program.host.moveMouse(title, 1000, 600);
    EXPECT_EQ(title.MousePointer, static_cast<MousePointerShape>(1));
    program.host.moveMouse(title, 20, 20);
    EXPECT_EQ(title.MousePointer, static_cast<MousePointerShape>(14));
    program.host.moveMouse(title, 1000, 1000);
    EXPECT_EQ(title.MousePointer, static_cast<MousePointerShape>(1));
    program.host.moveMouse(title, 3300, 100);
    EXPECT_EQ(title.MousePointer, static_cast<MousePointerShape>(14));
    // Only a strip at the right edge is not covered by the logo.
    program.host.moveMouse(title, 3740, 1000);
    EXPECT_EQ(title.MousePointer, static_cast<MousePointerShape>(4));
    // Over the buttons nothing changes.
    program.host.moveMouse(title, 1000, 2000);
    EXPECT_EQ(title.MousePointer, static_cast<MousePointerShape>(4));
}

TEST(AboutNotices, EachShowsItsOwnNoticeInAnInformationBoxUnderTheApplicationTitle) {
    HeadlessGame program;
    program.host.click(program.title(), "Label1");
    program.host.click(program.title(), "Label2");
    const auto& boxes = program.host.messageBoxes();
    ASSERT_EQ(boxes.size(), 2U);
    EXPECT_NE(boxes[0].prompt.find("gratuita"), std::string::npos);
    EXPECT_NE(boxes[1].prompt.find("freeware"), std::string::npos);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.style, 64);
        EXPECT_EQ(box.title, "RorozeDivor");
        EXPECT_EQ(box.prompt.find('\n'), std::string::npos);
        const auto rights = box.prompt.find("©");
        const auto mail = box.prompt.find('@');
        const auto web = box.prompt.find("https://");
        EXPECT_LT(rights, mail);
        EXPECT_LT(mail, web);
        EXPECT_NE(web, std::string::npos);
    }
}

} // namespace
