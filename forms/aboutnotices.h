// The two about notices of the title window, one in Spanish and one in English.
#pragma once

#include <string_view>

namespace tanzel {

// The terms these state are those of LICENSES/LicenseRef-TanzelPunch-Freeware.txt, which covers
// the pictures and the tunes: the two must keep saying the same.
inline constexpr std::string_view SpanishNotice =
    "Tanzel Punch es © 2026 los desarrolladores de Tanzel Punch. Los personajes de Tanzel Punch "
    "y sus gráficos pertenecen a sus autores, los desarrolladores de Tanzel Punch. Este juego se "
    "distribuye de forma gratuita y no puede venderse. Para cualquier comentario o sugerencia, "
    "escribe a developers@tanzelpunch.example. Puedes descargar el juego en "
    "https://tanzelpunch.example/descargas. Los autores no se hacen responsables de los efectos "
    "que pueda tener la instalación o la ejecución de este programa.";

inline constexpr std::string_view EnglishNotice =
    "Tanzel Punch is © 2026 the Tanzel Punch developers. The Tanzel Punch characters that appear "
    "in this game belong to the Tanzel Punch developers, their authors. This game is freeware: "
    "distributing, selling or hiring it without the authors' authorisation is forbidden. To get "
    "in touch, write to developers@tanzelpunch.example. You can download the game from "
    "https://tanzelpunch.example/downloads. Use it at your own risk: no guarantees are implied.";

} // namespace tanzel
