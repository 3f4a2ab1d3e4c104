// The start-up loading sequence (see StartupLoading.h).
#include "game/sprites/loading/StartupLoading.h"

#include <algorithm>

#include "game/core/GameStatics.h"
#include "game/core/ObjectSetUp.h"
#include "game/core/TextPackage.h"
#include "game/core/TopStates.h"
#include "game/core/services/InfoScreenServices.h"
#include "game/core/services/LoadingServices.h"
#include "game/core/services/PromotionScreenServices.h"
#include "game/match/CPlayer.h"
#include "game/resources/DataSets.h"
#include "game/screens/info/PalettedImage.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/ASpriteInstance.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/TextPackageLoader.h"
#include "profile/Files.h"
#include "profile/Graphics.h"
#include "profile/Image.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/Exceptions.h"
#include "runtime/Log.h"
#include "runtime/Object.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/System.h"
#include "runtime/Throwable.h"

namespace game::sprites {

using namespace game::info;
using namespace game::match;
using namespace game::resources;
using namespace game::core;

namespace {

using match::Actor;

// Step 1: text 545 names the inbox's store; the loading texts are constant strings (values
// above 0) and texts (values below 0, negated).
constexpr jint kInboxStoreText = 545;
constexpr jint kLoadingTexts[] = {1, -874, 113, 114, -705, -874, 1, 1, -705, -874, 114, 115};
// Steps 6-11 load these entries of the sprite table, one a step.
constexpr jint kLoadedSprites[] = {2, 4, 5, 6, 7, 8};
constexpr jint kFirstSpriteStep = 6;
// The promotion screen's size.
constexpr jint kScreenWidth = 480;
constexpr jint kScreenHeight = 800;
// Actor kinds and animations.
constexpr jint kKindPlayer = 0;
constexpr jint kKindKeeper = 1;
constexpr jint kKindBall = 2;
constexpr jint kKindNet = 3;
constexpr jint kKindFlagsAndArrows = 4;
constexpr jint kKindBanner = 5;
constexpr jint kKindBoard = 9;
constexpr jint kKindBench = 10;
constexpr jint kSidelineAnim = 83;
constexpr jint kPlacementFixed = 3;
constexpr jint kPlayersPerTeam = 17;
// Touchline figures and benches, pitch units.
constexpr jint kSidelineX[2] = {-22016, 27392};
constexpr jint kSidelineY = -107008;
constexpr jint kBenchX = 12288;
constexpr jint kBenchY = -93184;
// The net actors' frame codes.
constexpr jint kNetFrameCodeB = 5;
// textLineStep = (line height + kLineGap) x kLinesPerStep.
constexpr jint kLineGap = 2;
constexpr jint kLinesPerStep = 3;
// The menu-state list selection set when the loading ends.
constexpr jint kFirstListSelection = 1;

// The menus' loading steps: the menu pack's background animation and backdrop.
constexpr jint kMenuAnimationEntry = 16;
constexpr jint kMenuAnimation = 1;
constexpr jint kBackdropEntry = 5;
constexpr jint kMenuOpenStep = 2;
constexpr jint kMenuAnimationStep = 4;
constexpr jint kMenuBackdropStep = 5;
constexpr jint kMenuImageSetStep = 6;
constexpr jint kLogoOpenStep = 7;
constexpr jint kLogoCloseStep = 8;
constexpr jint kDropDecodeBufferStep = 9;

// loadMatchPitchData: the layers in reading order; the flip map is the entry two after the map.
constexpr jint kPitchLayerOrder[kPitchLayers] = {0, 1, 3, 2};
constexpr jint kFlipMapEntryOffset = 2;

GameStatics* block() {
    return statics();
}

// Step 1: the text package and the strings of the screens that follow.
void loadTexts() {
    loadTextPackageEntry(runtime::getConstantString(kTextPackConstant), 0);
    GameStatics* const s = block();
    s->inboxStoreName = core::getText(kInboxStoreText);
    runtime::ObjectArray* const table = runtime::newObjectArray(static_cast<jint>(std::size(kLoadingTexts)));
    s->loadingTextTable = table;
    for (jint i = 0; i < table->length; ++i) {
        const jint t = kLoadingTexts[i];
        runtime::String* const text = t > 0 ? runtime::getConstantString(t) : core::getText(-t);
        (*s->loadingTextTable)[i] = text;
    }
    s->textsLoaded = 1;
}

// Step 2: the particles and, once, the logo sprite.
void loadLogo() {
    loadingServices().generateParticles();
    GameStatics* const s = block();
    if (s->logoSprite != nullptr) {
        return;
    }
    ASprite* const logo = runtime::newObject<ASprite>();
    s->logoSprite = logo;
    loadSpriteFromPack(logo, runtime::getConstantString(kMenuPackConstant), kLogoSpriteEntry);
}

// Step 5: the sprite table, once, and the sprite pack opened for the steps up to 14.
void openSpriteTable() {
    GameStatics* const s = block();
    if (s->sprites == nullptr) {
        s->sprites = runtime::newObjectArray(kSpriteTableSize, runtime::kASprite);
        for (jint k = 0; k < kSpriteTableSize; ++k) {
            ASprite* const sprite = runtime::newObject<ASprite>();
            sprite->kind = k;
            (*s->sprites)[k] = sprite;
        }
    }
    openPack(runtime::getConstantString(kSpritePackConstant));
    s->packKeepOpen = 1;
}

// Step 14: the sprite pack closed; the actors get their sprites.
void closeSpriteTable() {
    closePack();
    block()->packKeepOpen = 0;
    bindActorSprites();
}

// Step 19: the promotion screen.
void initialisePromotion() {
    PromotionScreenServices& promotion = promotionScreenServices();
    promotion.initialize(kScreenWidth, kScreenHeight);
    GameStatics* const s = block();
    s->promotionAvailable = hasPromotionEntries();
    s->promotionReady = promotion.isLinkAvailable();
}

// Puts a newly made player into slot `slot` of match team `team`'s player array.
void placePlayer(const jint team, const jint slot, Actor* const player) {
    match::CTeam* const side = match::matchTeam(team);
    if (side == nullptr || side->players == nullptr || !side->players->inBounds(slot)) {
        runtime::log("createMatchActors: team %d has no player slot %d", team, slot);
        return;
    }
    (*side->players)[slot] = player;
}

// Step 20: the title screens follow.
void leaveLoading() {
    core::setTopState(core::kTopStateSecondLoading);
    GameStatics* const s = block();
    s->previousTopState = core::kTopStateLoading;
    s->framesInState = 0;
    s->menuSelection = kFirstListSelection;
}

// A loading step that cannot read what it needs goes on without it: an exception left pending
// would end every frame before the step counter moves, and the loading would never end.
void endStep(const char* sequence, const jint step) {
    runtime::Object* pending = runtime::getPendingException();
    if (pending == nullptr || !runtime::catchException(runtime::kException)) {
        return;
    }
    auto* thrown = static_cast<runtime::java_lang_Throwable*>(pending);
    runtime::log("%s step %d: %s; the game goes on without what it loads", sequence, step,
                 thrown->message != nullptr ? profile::narrowPath(thrown->message).c_str() : "an exception");
}

void runLoadingStep(jint step);

} // namespace

void loadResources() {
    const jint step = block()->framesInState;
    runLoadingStep(step);
    endStep("loading", step);
}

namespace {

void runLoadingStep(const jint step) {
    switch (step) {
    case 1:
        loadTexts();
        return;
    case 2:
        loadLogo();
        return;
    case 3:
        persistThreeStatics(0);
        return;
    case 4:
        createMatchActors();
        return;
    case 5:
        openSpriteTable();
        return;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11: {
        const jint entry = kLoadedSprites[step - kFirstSpriteStep];
        loadSpriteFromPack(static_cast<ASprite*>((*block()->sprites)[entry]),
                           runtime::getConstantString(kSpritePackConstant), entry);
        return;
    }
    case 12:
    case 15:
    case 16:
    case 18:
        return;
    case 13:
        loadSpriteSetEntry(kFirstFontSprite);
        return;
    case 14:
        closeSpriteTable();
        return;
    case 17:
        infoScreenServices().loadSoundPlayers();
        return;
    case 19:
        initialisePromotion();
        return;
    case kLastLoadingStep:
        leaveLoading();
        return;
    default:
        runtime::System::gc();
        return;
    }
}

} // namespace

Actor* createActor(const jboolean isPlayer, const jint index, const jint kind, const jint anim,
                   const jint placement, const jint* const box) {
    Actor* actor = nullptr;
    if (isPlayer) {
        actor = runtime::newObject<match::CPlayer>();
    } else {
        actor = runtime::newObject<Actor>();
        actor->placement = kPlacementFixed;
        actor->animLoops = 1;
    }
    actor->actorIndex = index;
    actor->kind = kind;
    actor->placement = placement;
    actor->anim = anim;
    actor->setBox(box);
    runtime::ObjectArray* const actors = block()->matchActors;
    if (actors == nullptr || !actors->inBounds(index)) {
        runtime::log("createActor: no place %d in matchActors; the actor is not stored", index);
        return actor;
    }
    (*actors)[index] = actor;
    return actor;
}

void createMatchActors() {
    GameStatics* s = block();
    s->matchTeams = runtime::newObjectArray(2, runtime::kCTeam);
    match::CTeam* const home = runtime::newObject<match::CTeam>();
    block()->firstTeam = home;
    (*block()->matchTeams)[0] = home;
    match::CTeam* const away = runtime::newObject<match::CTeam>();
    block()->secondTeam = away;
    (*block()->matchTeams)[1] = away;
    block()->matchActors = runtime::newObjectArray(kActorTableSize, runtime::kActor);
    block()->sortedActors = runtime::newObjectArray(kActorTableSize, runtime::kActor);
    block()->sidelineActors = runtime::newObjectArray(2, runtime::kActor);

    jint index = 0;
    block()->ball = createActor(0, index++, kKindBall, 0, 0, nullptr);
    // Each keeper takes slot 0 of his team, the outfield players slots 1..17 in creation order.
    for (jint team = 0; team < 2; ++team) {
        placePlayer(team, 0, createActor(1, index++, kKindKeeper, 0, 0, nullptr));
    }
    for (jint player = 0; player < 2 * kPlayersPerTeam; ++player) {
        placePlayer(player / kPlayersPerTeam, 1 + player % kPlayersPerTeam,
                    createActor(1, index++, kKindPlayer, 0, 0, nullptr));
    }
    // The touchline figures are players without a team slot.
    for (jint side = 0; side < 2; ++side) {
        Actor* const figure = createActor(1, index++, kKindPlayer, kSidelineAnim, 0, nullptr);
        figure->x = kSidelineX[side];
        figure->y = kSidelineY;
        (*block()->sidelineActors)[side] = figure;
    }
    block()->flagActor = createActor(0, index++, kKindFlagsAndArrows, 1, 0, nullptr);
    Actor* net = createActor(0, index++, kKindNet, 1, 0, nullptr);
    net->animLoops = 0;
    net->frame = 0;
    net->frameCode = 0;
    block()->netActorA = net;
    net = createActor(0, index++, kKindNet, 0, 0, nullptr);
    net->animLoops = 0;
    net->frame = 0;
    net->frameCode = kNetFrameCodeB;
    block()->netActorB = net;
    block()->bannerActor = createActor(0, index++, kKindBanner, 0, kPlacementFixed, nullptr);
    Actor* const board = createActor(0, index++, kKindBoard, 3, 0, nullptr);
    board->animLoops = 0;
    block()->boardActor = board;
    Actor* bench = createActor(0, index++, kKindBench, 5, 0, nullptr);
    bench->x = -kBenchX;
    bench->y = kBenchY;
    block()->benchActorA = bench;
    bench = createActor(0, index++, kKindBench, 4, 0, nullptr);
    bench->x = kBenchX;
    bench->y = kBenchY;
    block()->benchActorB = bench;
    block()->arrowActorH = createActor(0, index++, kKindFlagsAndArrows, 3, kPlacementFixed, nullptr);
    block()->arrowActorV = createActor(0, index++, kKindFlagsAndArrows, 2, kPlacementFixed, nullptr);
    block()->matchActorCount = index;

    loadingServices().setUpTeamSide(block()->firstTeam.get(), 0);
    loadingServices().setUpTeamSide(block()->secondTeam.get(), 1);
}

jboolean startsAnimationOnBind(const jint kind) {
    return kind != kKindPlayer && kind != kKindKeeper && kind != kKindNet && kind != kKindBoard &&
           kind != kKindBench;
}

void bindActorSprites() {
    GameStatics* const s = block();
    const jint lineHeight = s->fontLineHeights != nullptr ? (*s->fontLineHeights)[0] : 0;
    s->textLineStep = (lineHeight + kLineGap) * kLinesPerStep;
    if (s->matchActors == nullptr || s->sprites == nullptr) {
        return;
    }
    for (jint i = 0; i < s->matchActorCount; ++i) {
        Actor* const actor = static_cast<Actor*>((*s->matchActors)[i]);
        if (actor == nullptr || actor->kind < 0 || actor->kind >= s->sprites->length) {
            continue;
        }
        actor->sprite = static_cast<ASprite*>((*s->sprites)[actor->kind]);
        if (startsAnimationOnBind(actor->kind)) {
            actor->setAnimation(actor->anim, 1);
        }
    }
}

jboolean hasPromotionEntries() {
    PromotionScreenServices& promotion = promotionScreenServices();
    if (!promotion.promotionAvailable()) {
        return 0;
    }
    runtime::ByteArray* const flags = promotion.promoEntryAvailable();
    if (flags == nullptr) {
        return 0;
    }
    for (jint i = 0; i < flags->length; ++i) {
        if ((*flags)[i] != 0) {
            return 1;
        }
    }
    return 0;
}

namespace {

// "pack NAME entry N" for log lines.
std::string entryText(runtime::String* const packName, const jint entry) {
    return "pack " + (packName != nullptr ? profile::narrowPath(packName) : std::string("(none)")) +
           " entry " + std::to_string(entry);
}

// Entry `entry` of packName read whole (the pack opened first unless packKeepOpen is set, and
// closed afterwards when closeAfter); null with the reader's exception dropped when it fails.
runtime::ByteArray* readEntryBytes(runtime::String* const packName, const jint entry, const bool closeAfter) {
    const bool keepOpen = block()->packKeepOpen != 0;
    if (!keepOpen) {
        openPack(packName);
    }
    runtime::ByteArray* bytes =
        runtime::getPendingException() == nullptr ? readPackEntryBytes(entry) : nullptr;
    if (!keepOpen && closeAfter) {
        closePack();
    }
    if (bytes == nullptr) {
        runtime::catchException(runtime::kException);
        runtime::log("%s cannot be read", entryText(packName, entry).c_str());
    }
    return bytes;
}

// The decoded pixels drawn strip by strip into one mutable image: strips of kImageStripPixels / W
// rows, and never fewer than one row, however wide the image.
profile::Image* imageInStrips(runtime::IntArray* const pixels, const jint width, const jint height) {
    const jint rowsPerStrip = std::max(1, kImageStripPixels / width);
    profile::Image* image = core::createMutableImage(width, height);
    profile::Graphics* g = image->getGraphics();
    for (jint top = 0; top < height; top += rowsPerStrip) {
        const jint rows = std::min(rowsPerStrip, height - top);
        runtime::IntArray* strip = runtime::newIntArray(width * rows);
        std::copy_n(pixels->data() + top * width, width * rows, strip->data());
        profile::Image* part = profile::Image::createRGBImage(strip, width, rows, 1);
        if (part != nullptr) {
            g->drawImage(part, 0, top, profile::kAnchorTop | profile::kAnchorLeft);
        }
    }
    return image;
}

// One pitch layer: its map and flip map read from the pack its tables name for index.
void loadPitchLayer(const jint layer, runtime::ObjectArray* const names, runtime::IntArray* const entries,
                    const jint index) {
    if (names == nullptr || entries == nullptr || index < 0 || index >= names->length ||
        index >= entries->length) {
        runtime::log("pitch layer %d: its tables hold no variant %d; the layer keeps what it held", layer,
                     index);
        return;
    }
    auto* const packName = static_cast<runtime::String*>((*names)[index]);
    const jint entry = (*entries)[index];
    openPack(packName);
    runtime::ByteArray* map = runtime::getPendingException() == nullptr ? readPackEntryBytes(entry) : nullptr;
    runtime::ByteArray* flips = map != nullptr ? readPackEntryBytes(entry + kFlipMapEntryOffset) : nullptr;
    closePack();
    if (flips == nullptr) {
        runtime::catchException(runtime::kException);
        runtime::log(
            "pitch layer %d: %s or the entry two after it cannot be read; the layer keeps what it held",
            layer, entryText(packName, entry).c_str());
        return;
    }
    (*block()->pitchTileMaps)[layer] = map;
    (*block()->pitchFlipMaps)[layer] = flips;
}

// Step 4: the menu background animation, once.
void loadMenuAnimation() {
    if (block()->menuSpriteInstance != nullptr) {
        return;
    }
    ASprite* const sprite = runtime::newObject<ASprite>();
    loadSpriteFromPack(sprite, runtime::getConstantString(kMenuPackConstant), kMenuAnimationEntry);
    ASpriteInstance* const instance = runtime::newObject<ASpriteInstance>(sprite, 0, 0);
    instance->setAnim(kMenuAnimation);
    block()->menuSpriteInstance = instance;
}

// Step 5: the menus' backdrop, once.
void loadMenuBackdrop() {
    if (block()->backgroundSprite != nullptr) {
        return;
    }
    ASprite* const sprite = runtime::newObject<ASprite>();
    block()->backgroundSprite = sprite;
    loadSpriteFromPack(sprite, runtime::getConstantString(kMenuPackConstant), kBackdropEntry);
}

// The status icon strip of the menu pack, once.
void loadMenuImageSet() {
    if (block()->menuPackResource != nullptr) {
        return;
    }
    block()->menuPackResource =
        loadImageSet(runtime::getConstantString(kMenuPackConstant), kMenuImageSetEntry, 0);
}

void closeKeptPack() {
    closePack();
    block()->packKeepOpen = 0;
}

void runMenuStep(jint step);

} // namespace

void loadMenuResources() {
    const jint step = block()->menuLoadStep++;
    runMenuStep(step);
    endStep("menu loading", step);
}

namespace {

void runMenuStep(const jint step) {
    GameStatics* const s = block();
    switch (step) {
    case kMenuOpenStep:
        openPack(runtime::getConstantString(kMenuPackConstant));
        s->packKeepOpen = 1;
        return;
    case kMenuAnimationStep:
        loadMenuAnimation();
        return;
    case kMenuBackdropStep:
        loadMenuBackdrop();
        return;
    case kMenuImageSetStep:
        loadMenuImageSet();
        closeKeptPack();
        return;
    case kLogoOpenStep:
        openPack(runtime::getConstantString(kLogoPackConstant));
        s->packKeepOpen = 1;
        return;
    case kLogoCloseStep:
        // The icon strip is the menu pack's: a retry with the logo pack kept open would read the
        // logo pack's entry instead, so the logo pack closes first and the retry opens its own.
        closeKeptPack();
        loadMenuImageSet();
        return;
    case kDropDecodeBufferStep:
        // Sprite decoding makes a new buffer when it next needs one.
        s->paletteWork = nullptr;
        return;
    default:
        runtime::System::gc();
        return;
    }
}

} // namespace

void loadMatchPitchData(const jint index) {
    GameStatics* const s = block();
    if (s->pitchTileMaps == nullptr) {
        s->pitchTileMaps = runtime::newObjectArray(kPitchLayers, runtime::kByteArray);
    }
    if (s->pitchFlipMaps == nullptr) {
        block()->pitchFlipMaps = runtime::newObjectArray(kPitchLayers, runtime::kByteArray);
    }
    for (const jint layer : kPitchLayerOrder) {
        // The fourth layer has no tables of its own and reads the third one's.
        GameStatics* const b = block();
        runtime::ObjectArray* const names[kPitchLayers] = {b->pitchPackNamesA, b->pitchPackNamesB,
                                                           b->pitchPackNamesC, b->pitchPackNamesC};
        runtime::IntArray* const entries[kPitchLayers] = {b->single12, b->single9, b->single6, b->single6};
        loadPitchLayer(layer, names[layer], entries[layer], index);
    }
    block()->cameraMaxX = kPitchCameraMaxX;
    block()->cameraMaxY = kPitchCameraMaxY;
}

jint parsePackEntry(runtime::String* const packName, const jint entry, const jint arg) {
    runtime::ByteArray* bytes = readEntryBytes(packName, entry, false);
    if (bytes == nullptr) {
        return 0;
    }
    const jint result = infoScreenServices().parseDataSet(bytes, arg);
    if (runtime::getPendingException() != nullptr) {
        runtime::catchException(runtime::kException);
        runtime::log("%s: its data set cannot be parsed", entryText(packName, entry).c_str());
        return 0;
    }
    return result;
}

profile::Image* loadImageSet(runtime::String* const packName, const jint entry, const jint palette) {
    return imageSetLoader(packName, entry, palette, 0);
}

profile::Image* imageSetLoader(runtime::String* const packName, const jint entry, const jint palette,
                               const jint stripMode) {
    runtime::ByteArray* bytes = readEntryBytes(packName, entry, true);
    if (bytes == nullptr) {
        return nullptr;
    }
    profile::Image* image = decodeImageSet(bytes, palette, stripMode);
    if (image == nullptr) {
        runtime::log("%s is no image set", entryText(packName, entry).c_str());
    }
    return image;
}

profile::Image* decodeImageSet(runtime::ByteArray* const bytes, const jint palette, const jint stripMode) {
    if (stripMode == 0) {
        return info::decodePalettedImage(bytes, palette);
    }
    jint width = 0;
    jint height = 0;
    runtime::IntArray* pixels = info::decodePalettedPixels(bytes, palette, width, height);
    if (pixels == nullptr) {
        return nullptr;
    }
    if (width * height <= kImageStripPixels) {
        return profile::Image::createRGBImage(pixels, width, height, 1);
    }
    return imageInStrips(pixels, width, height);
}

} // namespace game::sprites
