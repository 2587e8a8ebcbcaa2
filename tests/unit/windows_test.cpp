// The ways through the three windows, pinned by every media command and the windows' state then.
#include "forms/aboutnotices.h"
#include "support/headlessgame.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace tanzel;
using namespace tanzel::test;

namespace {

using Record = std::vector<std::string>;

struct Path {
    const char* name;
    std::function<void(HeadlessGame&)> walk;
    Record record;
};

const Path Paths[] = {
    // The title's second "Open" finds its tune open already, and its "Play" plays on.
    {"start-up",
     [](HeadlessGame&) {},
     {"Form2 Open present.mid | title", "device open present.mid", "Form2 Play present.mid | title",
      "device play", "Form2 Open present.mid | title:*", "Form2 Play present.mid | title:*",
      "device play"}},
    {"Jugar, a fatal punch, then the game-over button",
     [](HeadlessGame& p) {
         p.host.click(p.title(), "Command1");
         p.raise(1, 5);
         p.host.type('5');
         p.host.click(p.gameOver(), "Command1");
     },
     {"Form2 Stop present.mid | title:*", "device stop", "Form2 Close present.mid | title:*",
      "device close", "Form1 Open music.mid | title:d* game", "device open music.mid",
      "Form1 Play music.mid notify | title:d* game", "device play",
      "Form1 Stop music.mid | title:dm game:x*", "device stop",
      "Form1 Close music.mid | title:dm game:x*", "device close",
      "Form1 Close music.mid | title:* game:dx over", "Form2 Open present.mid | title:*",
      "device open present.mid", "Form2 Play present.mid | title:*", "device play"}},
    {"the game tune ends, and ends again as the game does",
     [](HeadlessGame& p) {
         p.play();
         p.sequencer.finish();
         Form1& game = p.raise(1, 5);
         p.app.dispatch([&] {
             p.sequencer.finish();
             game.Form_KeyPress('5');
         });
     },
     {"Form1 Close music.mid | title:dm game:t*", "device close",
      "Form1 Open music.mid | title:dm game:t*", "device open music.mid",
      "Form1 Play music.mid notify | title:dm game:t*", "device play",
      "Form1 Stop music.mid | title:dm game:x*", "device stop",
      "Form1 Close music.mid | title:dm game:x*", "device close"}},
    // The tune's end, right behind the close, finds the game gone and is lost.
    {"the game window's close box as its tune ends",
     [](HeadlessGame& p) {
         Form1& game = p.play();
         p.app.dispatch([&] {
             p.host.closeBox(game);
             p.sequencer.finish();
         });
     },
     {"Form1 Close music.mid | title:* game:t", "device close", "Form2 Open present.mid | title:*",
      "device open present.mid", "Form2 Play present.mid | title:*", "device play"}},
    {"the disabled title's buttons and close box during a game",
     [](HeadlessGame& p) {
         p.play();
         p.host.click(p.title(), "Command2");
         p.host.closeBox(p.title());
     },
     {}},
    // Naming the game's media control loads the game, whose tune cannot open over the title's.
    {"Salir",
     [](HeadlessGame& p) { p.host.click(p.title(), "Command2"); },
     {"Form1 Open music.mid | title:d* game", "device open music.mid",
      "Form1 Play music.mid notify | title:d* game", "Form1 Close music.mid | title:d* game:t",
      "Form1 Close music.mid | title:* game:t", "Form2 Close present.mid | title:*", "device close",
      "Form2 Close present.mid | title:*", "the program ends"}},
};

TEST(Windows, EachWayThroughTheWindowsGivesItsMediaCommandsInOrderAndInTheRightState) {
    for (const Path& path : Paths) {
        HeadlessGame program;
        if (std::string(path.name) != "start-up")
            program.sequencer.takeLog();
        path.walk(program);
        Record record = program.sequencer.takeLog();
        if (program.host.hasQuit())
            record.push_back("the program ends");
        EXPECT_EQ(record, path.record) << path.name;
    }
}

TEST(Windows, TheAboutLinksShowTheirNoticeInAnInformationBox) {
    HeadlessGame program;
    program.host.click(program.title(), "Label1");
    program.host.click(program.title(), "Label2");
    const auto& boxes = program.host.messageBoxes();
    ASSERT_EQ(boxes.size(), 2U);
    EXPECT_EQ(std::tie(boxes[0].prompt, boxes[1].prompt), std::tie(SpanishNotice, EnglishNotice));
    for (const auto& box : boxes)
        EXPECT_EQ(std::tie(box.style, box.title), std::tuple(64, "RorozeDivor"));
}

TEST(Windows, ThePointerOverTheTitleFollowsWhatItIsOver) {
    const struct {
        float x, y;
        MousePointerShape pointer;
    } moves[] = {{100, 100, MousePointerShape::ArrowQuestion},   // "About"
                 {1000, 1000, MousePointerShape::Arrow},         // the logo
                 {3200, 100, MousePointerShape::ArrowQuestion},  // "Acerca de"
                 {1000, 2000, MousePointerShape::ArrowQuestion}, // "Jugar" leaves it be
                 {3740, 10, MousePointerShape::Icon}};           // the window itself
    HeadlessGame program;
    for (const auto& move : moves) {
        program.host.moveMouse(program.title(), move.x, move.y);
        EXPECT_EQ(program.title().MousePointer, move.pointer) << move.x << "," << move.y;
    }
}

} // namespace
