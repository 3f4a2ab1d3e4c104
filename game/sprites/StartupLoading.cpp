// The start-up loading sequence (see StartupLoading.h).
#include "game/sprites/StartupLoading.h"

#include "game/framework/GameStatics.h"
#include "game/framework/TextPackage.h"
#include "game/framework/TopStates.h"
#include "game/match/CPlayer.h"
#include "game/sprites/ASprite.h"
#include "game/sprites/LoadingServices.h"
#include "game/sprites/ResourcePack.h"
#include "game/sprites/SpriteLoading.h"
#include "game/sprites/TextPackageLoader.h"
#include "runtime/Arrays.h"
#include "runtime/ConstantPool.h"
#include "runtime/Object.h"
#include "runtime/ObjectManager.h"
#include "runtime/String.h"
#include "runtime/System.h"

namespace game::sprites {

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

GameStatics* block() {
    return statics();
}

// Step 1: the text package and the strings of the screens that follow.
void loadTexts() {
    loadTextPackageEntry(runtime::getConstantString(kTextPackConstant), 0);
    GameStatics* const s = block();
    s->inboxStoreName = framework::getText(kInboxStoreText);
    runtime::ObjectArray* const table = runtime::newObjectArray(static_cast<jint>(std::size(kLoadingTexts)));
    s->loadingTextTable = table;
    for (jint i = 0; i < table->length; ++i) {
        const jint t = kLoadingTexts[i];
        runtime::String* const text = t > 0 ? runtime::getConstantString(t) : framework::getText(-t);
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
    LoadingServices& services = loadingServices();
    services.igpInitialize(kScreenWidth, kScreenHeight);
    GameStatics* const s = block();
    s->promotionAvailable = hasPromotionEntries();
    s->promotionReady = services.igpIsReady();
}

// Step 20: the title screens follow.
void leaveLoading() {
    framework::setTopState(framework::kTopStateSecondLoading);
    GameStatics* const s = block();
    s->previousTopState = framework::kTopStateLoading;
    s->framesInState = 0;
    s->menuSelection = kFirstListSelection;
}

} // namespace

void loadResources() {
    const jint step = block()->framesInState;
    switch (step) {
    case 1:
        loadTexts();
        return;
    case 2:
        loadLogo();
        return;
    case 3:
        loadingServices().persistThreeStatics(0);
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
        loadingServices().loadSoundPlayers();
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
    (*block()->matchActors)[index] = actor;
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
    for (jint team = 0; team < 2; ++team) {
        createActor(1, index++, kKindKeeper, 0, 0, nullptr);
    }
    for (jint player = 0; player < 2 * kPlayersPerTeam; ++player) {
        createActor(1, index++, kKindPlayer, 0, 0, nullptr);
    }
    for (jint side = 0; side < 2; ++side) {
        Actor* const figure = createActor(0, index++, kKindPlayer, kSidelineAnim, 0, nullptr);
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
    LoadingServices& services = loadingServices();
    if (!services.igpEnabled()) {
        return 0;
    }
    runtime::ByteArray* const flags = services.igpEntryFlags();
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

} // namespace game::sprites
