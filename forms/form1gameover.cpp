// The end of a game: freeze the board, silence the music, call up the game-over window.
#include "forms/form1.h"
#include "forms/form3.h"
#include "platform/application.h"

namespace tanzel {

void Form1::EndGameTimeUp() {
    endGame();
}

void Form1::EndGameFatalHit() {
    endGame();
}

// Safe to run more than once in one punch: the game-over window loads only the first time.
// GameOver is raised before the music stops, so a late completion cannot restart the tune.
void Form1::endGame() {
    GameOver = true;
    Timer1.Enabled = false;
    Timer2.Enabled = false;
    MMControl1.Command = "Stop";
    MMControl1.Command = "Close";
    app.form<Form3>().Show();
}

} // namespace tanzel
