// The game-over window: shows the final score; closing it leads back to the title.
#pragma once

#include "platform/form.h"

namespace tanzel {

class Application;

class Form3 : public Form {
public:
    explicit Form3(Application& app);

    Label& Label4{label("Label4")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Command1_Click();

private:
    Application& app;
};

} // namespace tanzel
