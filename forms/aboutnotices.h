// The two about notices of the title window, one in Spanish and one in English.
#pragma once

#include <string_view>

namespace tanzel {

inline constexpr std::string_view SpanishNotice =
    "Tanzel Punch es © 2026 Lucía Ferrando Abad. Los personajes de Tanzel Punch y sus gráficos "
    "pertenecen a Lucía Ferrando Abad, su autora. Este juego se distribuye de forma gratuita y no "
    "puede venderse. Para cualquier comentario o sugerencia, escribe a "
    "lucia.ferrando@tanzelpunch.example. Puedes descargar el juego en "
    "https://tanzelpunch.example/descargas. La autora no se hace responsable de los efectos que "
    "pueda tener la instalación o la ejecución de este programa.";

inline constexpr std::string_view EnglishNotice =
    "Tanzel Punch is © 2026 Lucía Ferrando Abad. The Tanzel Punch characters that appear in this "
    "game belong to Lucía Ferrando Abad, their author. This game is freeware: distributing, "
    "selling or hiring it without the author's authorisation is forbidden. To get in touch, write "
    "to lucia.ferrando@tanzelpunch.example. You can download the game from "
    "https://tanzelpunch.example/downloads. Use it at your own risk: no guarantees are implied.";

} // namespace tanzel
