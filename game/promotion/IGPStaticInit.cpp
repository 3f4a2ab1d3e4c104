// The promotion screen's initialiser (see IGPStaticInit.h): the start values of the promotion
// statics; every other promotion static stays 0, false or null.
#include "game/promotion/IGPStaticInit.h"

#include "game/core/GameStatics.h"
#include "runtime/ConstantPool.h"
#include "runtime/StringBuffer.h"

namespace game::promotion {

namespace {

constexpr runtime::jint kEmptyText = 1;
constexpr runtime::jint kCodeVersionText = 66;
constexpr runtime::jint kVersionPrefixText = 67;
constexpr runtime::jint kBufferCapacity = 16;

constexpr runtime::jint kFrameColour = 0xCF0900;
constexpr runtime::jint kSoftKeyPlacement = 2;
constexpr runtime::jint kFirstLowNumber = -1;
constexpr runtime::jint kFirstHighNumber = 8;
constexpr runtime::jint kPictureSlots = 14;
constexpr runtime::jint kUnset = -1;

} // namespace

void igpStaticInit(GameStatics* const block) {
    block->promoCodeVersion = runtime::getConstantString(kCodeVersionText);
    runtime::StringBuffer* const version = runtime::newStringBuffer(kBufferCapacity);
    version->append(runtime::getConstantString(kVersionPrefixText));
    version->append(block->promoCodeVersion);
    block->promoVersionText = version->toString();
    block->promoDataVersion = runtime::getConstantString(kEmptyText);
    block->promoFrameColour = kFrameColour;
    block->promoSoftKeyLeftX = kSoftKeyPlacement;
    block->promoSoftKeyRightInset = kSoftKeyPlacement;
    block->promoLinksOff = runtime::newBoolArray(1);
    block->promoFlagNumbers = runtime::newIntArray(1);
    block->promoLowNumber = kFirstLowNumber;
    block->promoHighNumber = kFirstHighNumber;
    block->promoPictureSlotCount = kPictureSlots;
    block->promoGlyphField0 = 0;
    block->promoGlyphField1 = 1;
    block->promoGlyphField2 = 2;
    block->promoGlyphField3 = 3;
    block->promoTexts = runtime::newObjectArray(0, runtime::kString);
    block->promoBlinkOn = 1;
    block->promoAvailableCount = kUnset;
    block->promoSharedLink = runtime::getConstantString(kEmptyText);
    block->promoTextAreaX = kUnset;
    block->promoTextAreaY = kUnset;
    block->promoTextAreaWidth = kUnset;
    block->promoTextAreaHeight = kUnset;
}

} // namespace game::promotion
