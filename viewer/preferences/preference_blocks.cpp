#include "preference_blocks.h"

namespace kestrel::prefs {

SettingsBlock::SettingsBlock()
    : colours{
          {240, 240, 0},   {255, 255, 255}, {255, 255, 255},                  // model
          {0, 255, 0},     {255, 255, 0},   {255, 0, 0},                      // skeleton mode 1
          {255, 255, 0},   {255, 255, 255}, {255, 0, 0},                      // skeleton mode 2
          {255, 255, 0},   {255, 0, 0},     {255, 0, 0},                      // modes 3 and 4
          {255, 255, 255}, {0, 255, 0},     {127, 127, 255},                  // scene box
          {255, 255, 255}, {192, 192, 192},                                   // backgrounds 2D, 3D
          {255, 255, 0},   {0, 255, 0},                                       // normals
          {255, 255, 255}, {255, 255, 255}, {127, 127, 127}, {130, 154, 198}, {34, 58, 101}, // grid
          {255, 0, 0},     {0, 255, 0},     {0, 0, 255},                      // axes
      }
{
}

} // namespace kestrel::prefs
