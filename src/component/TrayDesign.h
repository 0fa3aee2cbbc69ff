#pragma once
// The tray window (PDFForm) as every window library shows it: the icon's tip, its menu, and the
// about window that the tray window is when shown.

#include "component/ControlText.h"

namespace formalys::tray {

// The icon's tip; the notification record keeps it padded with blanks to 64 characters.
inline constexpr const char* tip = "Formalys - Imprimer les formulaires Cerfa";
inline constexpr int tipLength = 64;

// The menu (MenuAbout) and its items.
inline constexpr const char* menuName = "MenuAbout";
inline constexpr const char* menuText = "&Formalys";
inline constexpr const char* menuAccessibleName = "Menu de Formalys";
inline constexpr const char* MRetour = "Reprendre la saisie";
inline constexpr const char* MInfo = "A propos de Formalys";

} // namespace formalys::tray

namespace formalys::about {

inline constexpr const char* title = "A propos de Formalys";
inline constexpr const char* accessibleName = "À propos de Formalys";

using Text = ControlText;

inline constexpr Text Label1{"Label1",
                             "Formalys est un logiciel de Tournesolo SARL, 12 rue des Tournesols, "
                             "69999 Lyon Cedex 99. Tous droits réservés.",
                             "Éditeur et adresse"};
inline constexpr Text Label2{"Label2", "Pour remplir facilement les formulaires Cerfa", "Formalys"};
inline constexpr Text Label3{"Label3", "C'est simple, c'est bien, c'est pratique...", "Devise"};
inline constexpr Text Label4{"Label4", "Mais bien sur... c'est..... Tournesolo !", "Éditeur"};
inline constexpr Text Label5{"Label5", "Nous écrire :", "Nous écrire"};
inline constexpr Text Label6{"Label6", "Site :", "Site"};
inline constexpr Text Label7{"Label7", "Tél. : 01 99 00 12 34 - Fax : 01 99 00 12 35",
                             "Téléphone et fax"};
inline constexpr Text Label8{"Label8", "Version 1.2", "Version"};
// The links: the site opens as a web address, the mail as "mailto:" followed by the address.
inline constexpr Text LSite{"LSite", "www.tournesolo.example", "Ouvrir le site de Tournesolo"};
inline constexpr Text LMail{"LMail", "contact@tournesolo.example", "Écrire à Tournesolo"};
inline constexpr Text Picture1{"Picture1", "", "Tournesolo, ouvrir le site"};
inline constexpr Text Command1{"Command1", "&Ok", "Ok"};
inline constexpr const char* mailScheme = "mailto:";

} // namespace formalys::about
