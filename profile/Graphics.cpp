// javax_microedition_lcdui_Graphics (see Graphics.h).
#include "profile/Graphics.h"

#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ClassTable.h"
#include "runtime/Font.h"

namespace profile {

Graphics::Graphics(Image* image, const jint id) : Object(id), target(image) {
    runtime::registerRefFields(this, &target, &font);
    attach(image);
}

void Graphics::drawRGB(runtime::IntArray* rgbData, const jint offset, const jint scanLength, const jint x,
                       const jint y, const jint w, const jint h, const jboolean processAlpha) {
    if (rgbData == nullptr) {
        logFault("drawRGB rgbData");
        return;
    }
    Painter::drawRGB(rgbData->data(), rgbData->length, offset, scanLength, x, y, w, h, processAlpha != 0);
}

} // namespace profile
