// Creation of a few profile objects the game makes itself: a mutable image of a given size and
// the one default font.
#pragma once

#include "runtime/JavaTypes.h"

namespace profile {
struct Image;
}
namespace runtime {
struct javax_microedition_lcdui_Font;
}

namespace game::core {

// A new mutable image of width x height cleared pixels (0 x 0 when the size cannot be had).
profile::Image* createMutableImage(runtime::jint width, runtime::jint height);

// The default font (face, style and size 0), made on the first call and kept in defaultFont.
runtime::javax_microedition_lcdui_Font* getDefaultFont();

} // namespace game::core
