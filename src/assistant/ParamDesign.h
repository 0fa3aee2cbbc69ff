#pragma once
// The design of the assistant window (Param), the same in every window library: its title, the
// texts of its controls, and where the controls above the sheet stand, in twips. Each library
// converts twips to pixels at the window's own resolution (15 twips to the pixel at 96 dpi).

#include "component/ControlText.h"

#include <cstdint>

namespace formalys::assistant::param {

inline constexpr const char* title =
    "Formalys, par Tournesolo - Pour Remplir Facilement les Formulaires Cerfa - v 1.2";

using Control = ControlText;

inline constexpr Control window{"Param", title, "Assistant Formalys"};
inline constexpr Control Label1{"Label1", "Formulaires Cerfa disponibles :",
                                "Formulaires Cerfa disponibles"};
inline constexpr Control Combo1{"Combo1", "", "Liste des formulaires Cerfa"};
inline constexpr Control SSData{"SSData", "", "Feuille du formulaire, à vérifier et corriger"};
inline constexpr Control Consigne{"Consigne", "", "Consigne"};
inline constexpr Control Command1{"Command1", "&A propos de Formalys", "À propos de Formalys"};
inline constexpr Control Command2{"Command2", "&Générer le document Cerfa et Quitter",
                                  "Générer le document Cerfa et quitter"};
inline constexpr Control Command4{"Command4", "", "Faire une pause pour revenir à Kaluma"};
inline constexpr Control Command5{"Command5", "A&perçu", "Aperçu du document"};
// The pause button shows a picture, and this tip.
inline constexpr const char* pauseTip = "Faire une pause pour revenir à Kaluma...";

// Where the controls stand, in twips from the window's client area.
inline constexpr std::int32_t margin = 120;
inline constexpr std::int32_t listWidth = 4800; // Label1 and Combo1
inline constexpr std::int32_t labelTop = 120;
inline constexpr std::int32_t labelHeight = 285;
inline constexpr std::int32_t listTop = 420;
inline constexpr std::int32_t gridTop = 960; // the sheet, and the hint in its place
inline constexpr std::int32_t hintHeight = 420;
// The buttons stand in a row right of the list, a gap apart: the text buttons as wide as their
// text and a padding, the pause button square around its picture.
inline constexpr std::int32_t buttonsLeft = margin + listWidth + 240;
inline constexpr std::int32_t buttonTop = 390;
inline constexpr std::int32_t buttonHeight = 420;
inline constexpr std::int32_t buttonPadding = 240;
inline constexpr std::int32_t buttonGap = 120;
inline constexpr std::int32_t pauseWidth = 600;
inline constexpr std::int32_t pausePicture = 360;
// The window's first size (its client area), before the sheet widens it.
inline constexpr std::int32_t windowWidth = 13200;
inline constexpr std::int32_t windowHeight = 9000;

} // namespace formalys::assistant::param
