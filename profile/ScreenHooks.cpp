// The Application's screen hooks over Graphics and Image (see ScreenHooks.h).
#include "profile/ScreenHooks.h"

#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Application.h"
#include "runtime/ObjectManager.h"

namespace profile {

namespace {

using runtime::Object;

// The Application hands back what the profile gave it; anything else is reported, not cast.
Image* asImage(Object* object) {
    if (object == nullptr || object->classId != Image::kClassId) {
        logFault("screen image");
        return nullptr;
    }
    return static_cast<Image*>(object);
}

Graphics* asGraphics(Object* object) {
    if (object == nullptr || object->classId != Graphics::kClassId) {
        logFault("screen graphics");
        return nullptr;
    }
    return static_cast<Graphics*>(object);
}

} // namespace

void installScreenHooks() {
    runtime::ScreenHooks hooks;
    hooks.createGraphics = [](Object* object) -> Object* {
        Image* image = asImage(object);
        return image != nullptr ? runtime::newObject<Graphics>(image) : nullptr;
    };
    hooks.imageWidth = [](Object* object) {
        Image* image = asImage(object);
        return image != nullptr ? image->getWidth() : 0;
    };
    hooks.imageHeight = [](Object* object) {
        Image* image = asImage(object);
        return image != nullptr ? image->getHeight() : 0;
    };
    hooks.resetTranslation = [](Object* object) {
        if (Graphics* g = asGraphics(object)) {
            g->translate(-g->getTranslateX(), -g->getTranslateY());
        }
    };
    hooks.setClip = [](Object* object, const jint x, const jint y, const jint width, const jint height) {
        if (Graphics* g = asGraphics(object)) {
            g->setClip(x, y, width, height);
        }
    };
    hooks.setColor = [](Object* object, const jint rgb) {
        if (Graphics* g = asGraphics(object)) {
            g->setColor(rgb);
        }
    };
    runtime::Application::setScreenHooks(hooks);
}

} // namespace profile
