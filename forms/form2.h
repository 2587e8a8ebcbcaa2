// The title window: starts a game, leaves the program, shows the about notices, plays its tune.
#pragma once

#include "platform/form.h"

#include <string>

namespace tanzel {

class Application;

class Form2 : public Form {
public:
    explicit Form2(Application& app);

    std::string GameMusicFile; // read by the game window each time it opens its tune
    std::string TitleMusicFile;

    Image& Image1{image("Image1")};
    MediaControl& MMControl1{mediaControl("MMControl1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Form_MouseMove() override;
    void Command1_Click();
    void Command2_Click();
    void Label1_Click();
    void Label2_Click();
    void Image1_MouseMove();
    void Label1_MouseMove();
    void Label2_MouseMove();

private:
    Application& app;
};

} // namespace tanzel
