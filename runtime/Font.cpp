// javax_microedition_lcdui_Font (see Font.h).
#include "runtime/Font.h"

#include "runtime/Application.h"
#include "runtime/Hashtable.h"
#include "runtime/Log.h"
#include "runtime/NumberWrappers.h"
#include "runtime/ObjectManager.h"
#include "runtime/StaticClass.h"
#include "runtime/String.h"

namespace runtime {

namespace {

SystemFontHooks systemFontHooks;

} // namespace

void setSystemFontHooks(const SystemFontHooks& hooks) {
    systemFontHooks = hooks;
}

javax_microedition_lcdui_Font::javax_microedition_lcdui_Font(const jint fontFace, const jint fontStyle,
                                                             const jint fontSize, const jint id)
    : Object(id), face(fontFace), style(fontStyle), size(fontSize) {}

javax_microedition_lcdui_Font* javax_microedition_lcdui_Font::getFont(const jint face, const jint style,
                                                                      const jint size) {
    StaticClass* block = Application::getInstance()->getStaticClass();
    if (block->fontCache == nullptr) {
        block->fontCache = newObject<java_util_Hashtable>(kCacheCapacity);
    }
    // Triples with the same bits share one font.
    java_lang_Integer* key = newObject<java_lang_Integer>(face | style | size);
    if (Object* cached = block->fontCache->findValue(key)) {
        return static_cast<Font*>(cached);
    }
    Font* font = newObject<Font>(face, style, size);
    font->init(face, style, size);
    block->fontCache->put(key, font);
    return font;
}

void javax_microedition_lcdui_Font::init(const jint fontFace, const jint fontStyle, const jint fontSize) {
    face = fontFace;
    style = fontStyle;
    size = fontSize;
    if (systemFontHooks.metrics == nullptr) {
        log("Font::init: no system font");
        return;
    }
    systemFontHooks.metrics(&ascent, &height);
}

jint javax_microedition_lcdui_Font::stringWidth(String* const string, const jint first, const jint last) {
    if (first > last || string == nullptr) {
        return 0;
    }
    if (first < 0 || first > string->length()) {
        log("Font::stringWidth first=%d", first);
        dumpStackTrace();
        return 0;
    }
    if (systemFontHooks.width == nullptr) {
        return 0;
    }
    return systemFontHooks.width(string->chars + first, string->length() - first);
}

} // namespace runtime
