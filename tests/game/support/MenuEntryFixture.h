// A prepared world for the menu screens' entry preparation: the framework fixture with the class
// initialisers' arrays, the sample text package, a small database (teams, players, the user's
// squad), the two match teams of 18 players, a console that logs every line (sound requests as
// "playSound <id>", other lines as "console <text>") and doubles of the club, season-screen and
// club-database services that record into the one call log.
#pragma once

#include <string>
#include <vector>

#include "game/core/GameStatics.h"
#include "game/core/RecordBytes.h"
#include "game/core/services/ClubServices.h"
#include "game/core/services/SeasonScreenServices.h"
#include "game/framework/ClassInitialisers.h"
#include "game/framework/MenuStates.h"
#include "game/resources/ClubRoutines.h"
#include "game/match/CPlayer.h"
#include "game/match/team/LineupTables.h"
#include "game/season/SeasonLookups.h"
#include "game/sprites/TextPackageLoader.h"
#include "profile/Resources.h"
#include "runtime/ConstantPool.h"
#include "runtime/ObjectManager.h"
#include "runtime/Service.h"
#include "runtime/StreamsPrint.h"
#include "runtime/String.h"
#include "tests/game/support/FrameworkFixture.h"
#include "tests/game/support/MemoryResources.h"
#include "tests/support/RuntimeValues.h"
#include "tests/support/SoundRequests.h"
#include "tools/SampleDatabase.h"
#include "tools/SamplePacks.h"
#include "tools/SampleTexts.h"

namespace game::testing {

using namespace game::framework;
using namespace game::sprites;
using namespace game::match;
using namespace game::season;
using namespace game::core;

using runtime::ByteArray;
using runtime::jbyte;
using runtime::jint;
using Calls = std::vector<std::string>;

// Adds every console line to the log: "playSound <id>" as the sound request it reports, any other
// line as "console <text>".
struct LoggingConsole : testing_support::ConsoleLineReader {
    explicit LoggingConsole(CallLog* const log) : log(log) {}

    void onLine(const std::string& text) override {
        if (text.rfind(testing_support::SoundRequestConsole::kRequest, 0) == 0) {
            log->add("playSound",
                     {std::stoi(text.substr(testing_support::SoundRequestConsole::kRequest.size()))});
            return;
        }
        log->add("console " + text);
    }

    CallLog* log;
};

// The club services the entry preparation uses, recorded; wage room and ages are scripted.
// upsertKeyedMessage appends a copy of the record to messageRecords as the keyed list does.
class EntryClub final : public resources::ClubRoutines {
public:
    explicit EntryClub(CallLog& log) : log(log) {}
    void refreshInboxScreen() override { log.add("refreshInboxScreen"); }
    void upsertKeyedMessage(ByteArray* record) override {
        log.add("upsertKeyedMessage", {core::readShortBE(record, 1)});
        GameStatics* s = statics();
        runtime::ObjectArray* rows = s->messageRecords;
        if (rows == nullptr || s->messageRecordCount >= rows->length) {
            return;
        }
        auto* row = static_cast<ByteArray*>((*rows)[s->messageRecordCount++]);
        for (jint i = 0; i < row->length && i < record->length; ++i) {
            (*row)[i] = (*record)[i];
        }
    }
    jint getTeamWageRoom(const jint team) override {
        log.add("getTeamWageRoom", {team});
        return wageRoom;
    }
    jint getPlayerAge(jint /*player*/) override { return 25; }

    jint wageRoom = 500;

private:
    CallLog& log;
};

// The season screens' services, recorded; the transfer interest is scripted.
class EntrySeasonScreens final : public core::SeasonScreenServices {
public:
    explicit EntrySeasonScreens(CallLog& log) : log(log) {}
    jint simulateFixture(jint, jint, runtime::jboolean, runtime::jboolean, runtime::jboolean,
                         runtime::jboolean, jint, runtime::jboolean) override {
        return 0;
    }
    void setupCompetitionDay(jint, jint) override {}
    void prepareLeague(jint, runtime::jboolean, runtime::jboolean) override {}
    void loadLeagueData(jint, runtime::jboolean, runtime::jboolean) override {}
    void buildLeagueDayFixtures(jint, runtime::jboolean) override {}
    void updateCompetitionStrengths() override {}
    void prepareTeamSide(jint, jint, jint) override {}
    void selectLeagueState(runtime::jboolean, jint, runtime::jboolean) override {}
    void saveCompetitionState370(const jint k) override { log.add("saveCompetitionState370", {k}); }
    void storeRoundFixtures(jint, runtime::jboolean, jint) override {}
    jint transferInterest(const jint player, const jint teamA, const jint teamB, const jint round) override {
        log.add("transferInterest", {player, teamA, teamB, round});
        return interest;
    }
    runtime::String* getPlayerLabel(const jint player) override {
        return runtime::newStringFromCString(("Player" + std::to_string(player)).c_str());
    }

    jint interest = 0;

private:
    CallLog& log;
};

class MenuEntryFixture : public FrameworkFixture {
protected:
    static constexpr jint kUserTeam = 3;
    static constexpr jint kOtherTeam = 9;
    static constexpr jint kTeams = 12;
    static constexpr jint kPlayers = 100;
    static constexpr jint kFirstSquadPlayer = 60; // the user's squad: players 60..79 in slots 0..19
    static constexpr jint kSquadPlayers = 20;

    void SetUp() override {
        FrameworkFixture::SetUp();
        GameStatics* s = block();
        framework::deviceStaticInit(s);
        framework::cStateStaticInit(s);
        auto& served = testing_resources::servedResources();
        served.clear();
        for (const tools::ArchiveEntry& entry : tools::samplePackEntries()) {
            served[entry.name] = entry.bytes;
        }
        for (const tools::ArchiveEntry& entry : tools::sampleDatabasePackEntries()) {
            served[entry.name] = entry.bytes;
        }
        profile::setArchiveOpener(&testing_resources::openServedResource);
        sprites::loadTextPackageEntry(runtime::getConstantString(tools::kTextPackConstant),
                                      tools::kTextPackageEntry);
        s->systemOut = runtime::newObject<runtime::java_io_PrintStream>(
            runtime::newObject<LoggingConsole>(&neighbours.log));
        s->topState = 2;
        s->historyPending = -1;
        s->userTeam = kUserTeam;
        s->userLeague = 0;
        s->teamRecords = runtime::newByteArray(match::kTeamRecordBytes * kTeams);
        for (jint team = 0; team < kTeams; ++team) {
            for (jint slot = 0; slot < 30; ++slot) {
                const bool used = team == kUserTeam && slot < kSquadPlayers;
                setSquadSlot(team, slot, used ? kFirstSquadPlayer + slot : 0xFFFF);
            }
        }
        s->playerRecords = runtime::newByteArray(season::kPlayerRecordBytes * kPlayers);
        s->playerCount = kPlayers;
        for (jint side = 0; side < 2; ++side) {
            auto* team = runtime::newObject<match::CTeam>();
            (*s->matchTeams)[side] = team;
            team->teamIndex = side;
            team->players = runtime::newObjectArray(match::CTeam::kPlayers, runtime::kCPlayer);
            for (jint i = 0; i < match::CTeam::kPlayers; ++i) {
                auto* player = runtime::newObject<match::CPlayer>();
                (*team->players)[i] = player;
                player->team = team;
                player->slot = i;
            }
        }
        neighbours.log.take();
    }
    void TearDown() override {
        profile::setArchiveOpener(nullptr);
        testing_resources::servedResources().clear();
        FrameworkFixture::TearDown();
    }

    // Enters state from the state `from`, as a screen left with neither select nor back does.
    void enter(const jint from, const jint state) {
        block()->menuState = from;
        framework::setMenuState(state);
    }

    static void setSquadSlot(const jint team, const jint slot, const jint number) {
        ByteArray* records = statics()->teamRecords;
        (*records)[team * match::kTeamRecordBytes + 2 * slot] = static_cast<jbyte>(number >> 8);
        (*records)[team * match::kTeamRecordBytes + 2 * slot + 1] = static_cast<jbyte>(number);
    }
    static jbyte& playerByte(const jint player, const jint b) {
        return (*statics()->playerRecords)[player * season::kPlayerRecordBytes + b];
    }
    static jbyte& selectionByte(const jint b) { return (*statics()->selectionTable)[b]; }
    // The big-endian 32-bit and 16-bit fields of player's record at byte at.
    static void putInt(const jint player, const jint at, const jint value) {
        for (jint k = 0; k < 4; ++k) {
            playerByte(player, at + k) = static_cast<jbyte>(value >> (24 - 8 * k));
        }
    }
    static void putShortAt(const jint player, const jint at, const jint value) {
        playerByte(player, at) = static_cast<jbyte>(value >> 8);
        playerByte(player, at + 1) = static_cast<jbyte>(value);
    }
    static std::vector<jint> squadList() {
        std::vector<jint> list;
        for (jint i = 0; i < statics()->squadListCount; ++i) {
            list.push_back((*statics()->squadList)[i]);
        }
        return list;
    }
    // Appends a 27-byte message to the inbox ring (newest last).
    static ByteArray* addMessage(const jint type, const jint sender, const jint player, const jint owner,
                                 const jint byte20 = 0, const jint byte22 = 0) {
        GameStatics* s = statics();
        ByteArray* message = runtime::newByteArray(season::kMessageBytes);
        (*message)[0] = static_cast<jbyte>(type);
        putShort(message, 1, sender);
        putShort(message, 3, player);
        putShort(message, 23, owner);
        (*message)[20] = static_cast<jbyte>(byte20);
        (*message)[22] = static_cast<jbyte>(byte22);
        (*s->inboxRing)[(s->inboxStart + s->inboxCount) % season::kInboxSlots] = message;
        ++s->inboxCount;
        s->inboxWrite = (s->inboxStart + s->inboxCount) % season::kInboxSlots;
        return message;
    }
    static void putShort(ByteArray* bytes, const jint at, const jint value) {
        (*bytes)[at] = static_cast<jbyte>(value >> 8);
        (*bytes)[at + 1] = static_cast<jbyte>(value);
    }
    static std::string text(runtime::String* value) {
        return value != nullptr ? testing_support::textOf(value) : "null";
    }
    static std::string constantText(const jint n) { return text(runtime::getConstantString(n)); }

    EntryClub club{neighbours.log};
    EntrySeasonScreens seasonScreens{neighbours.log};

private:
    runtime::ScopedService<core::ClubServices> clubScope{&core::installClubServices, club};
    runtime::ScopedService<core::SeasonScreenServices> seasonScope{&core::installSeasonScreenServices,
                                                                   seasonScreens};
};

} // namespace game::testing
