// A scripted double of the information screens' services for the club, season and menu tests:
// the deal operations answer scripted values and every call of them is recorded (name and
// arguments, in order); the built operations (comparePlayers, getPlayerSkillMean, deleteMessage)
// and the other operations keep the default's answers. Installed for its lifetime.
#pragma once

#include <string>
#include <vector>

#include "game/core/services/InformationScreenServices.h"
#include "game/interim/InterimInformationScreenServices.h"
#include "runtime/Service.h"

namespace game::testing {

class ScriptedInformationScreens final : public interim::InterimInformationScreenServices {
public:
    struct Call {
        std::string name;
        std::vector<runtime::jint> args;
        bool operator==(const Call&) const = default;
    };

    runtime::jint negotiationScore(runtime::jint player, runtime::jint offer, runtime::jint years,
                                   runtime::jint club, runtime::jint currentClub, runtime::jint contractMode,
                                   runtime::jint flags) override {
        calls.push_back({"negotiationScore", {player, offer, years, club, currentClub, contractMode, flags}});
        return score;
    }
    runtime::jint answerBid(runtime::ByteArray* record) override {
        // The record's type and its answer-state byte as they stand when the bid is answered.
        calls.push_back({"answerBid",
                         {record == nullptr ? -1 : static_cast<runtime::jint>((*record)[0]),
                          record == nullptr ? -1 : static_cast<runtime::jint>((*record)[16])}});
        return 0;
    }
    runtime::jint transferPlayer(runtime::jint player, runtime::jint from, runtime::jint to,
                                 runtime::jint kind, runtime::jint fee, runtime::jint wage,
                                 runtime::jint years) override {
        calls.push_back({"transferPlayer", {player, from, to, kind, fee, wage, years}});
        return transferAnswer;
    }
    void postSeasonNews(runtime::jint type, runtime::jint a1, runtime::jint a2, runtime::jint a3,
                        runtime::jint a4, runtime::jint a5, runtime::jint a6, runtime::jint a7,
                        runtime::jint a8, runtime::jint a9, runtime::jint a10) override {
        calls.push_back({"postSeasonNews", {type, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10}});
    }

    // The season's operations are recorded and keep the default's effect (none).
    void settleSeasonResults() override { calls.push_back({"settleSeasonResults", {}}); }
    void computeAllClubStars() override { calls.push_back({"computeAllClubStars", {}}); }
    void setupContinentalDraw() override { calls.push_back({"setupContinentalDraw", {}}); }
    void pickPreseasonOpponents() override { calls.push_back({"pickPreseasonOpponents", {}}); }

    runtime::jint score = 0;
    runtime::jint transferAnswer = -1;
    std::vector<Call> calls;

private:
    runtime::ScopedService<core::InformationScreenServices> scope{&core::installInformationScreenServices,
                                                                  *this};
};

} // namespace game::testing
