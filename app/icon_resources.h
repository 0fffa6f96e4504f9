// The program's icons, compiled in from text images: the application icon 128 and the faces of
// the five icon buttons.
#pragma once

#include <QIcon>

// Icon resource ids.
constexpr int kIconApplication = 128;
constexpr int kIconHold = 130;
constexpr int kIconPoly = 131;
constexpr int kIconPlay = 132;
constexpr int kIconStop = 133;
constexpr int kIconHarmonics = 134;

// Icon `id` with every image it has (128: 32 × 32 and 16 × 16, the others 32 × 32); a null icon
// for an unknown id.
QIcon LoadIconResource(int id);

// The faces of the icon buttons, loaded in the order Hold, Poly, Harmonics, Play, Stop.
struct ButtonIcons {
  static ButtonIcons Load();

  QIcon hold;
  QIcon poly;
  QIcon harmonics;
  QIcon play;
  QIcon stop;
};
