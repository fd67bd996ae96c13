#include "game/scoring.h"

#include <algorithm>
#include <iterator>

#include "game/colours.h"
#include "game/texts.h"

namespace {

// From the last level down, so that the first match is the highest level reached.
constexpr Level kLevels[] = {
    {433, 30, kRed, text::kVeryHard, text::kNoTarget, true},
    {233, 40, kPurple, text::kHard, text::k220, false},
    {73, 50, kYellow, text::kMedium, text::k120, false},
};

// The announced kind for each special block of a game, while `progress` is below the end of
// the schedule.
struct ScheduledSpecial {
    int32_t progress;
    SpecialKind kind;
};
constexpr ScheduledSpecial kSchedule[] = {
    {94, WhiteDisc},    {134, WhiteSquare}, {174, WhiteDisc},  {178, WhiteRing},
    {214, WhiteSquare}, {274, WhiteDisc},   {314, WhiteFrame}, {344, WhiteRing},
    {364, WhiteRing},   {390, WhiteFrame},  {414, WhiteDisc},
};
constexpr int32_t kScheduleEnds = 433;

bool allNines(const std::array<int32_t, 4>& digits) {
    return std::all_of(digits.begin(), digits.end(), [](int32_t digit) { return digit == '9'; });
}

}  // namespace

void addPoint(GameState& state) {
    state.progress += 2;
    auto& digits = state.scoreDigits;
    if (allNines(digits))
        return;
    ++digits[3];
    // Ones to tens, tens to hundreds, hundreds to thousands, each tested once.
    for (int i = 3; i > 0; --i) {
        if (digits[i] > '9') {
            digits[i] -= 10;
            ++digits[i - 1];
        }
    }
}

const Level* levelOf(int32_t progress) {
    for (const Level& level : kLevels) {
        if (progress >= level.from)
            return &level;
    }
    return nullptr;
}

const Level* recordScore(GameState& state) {
    for (int i = 0; i < 4; ++i)
        state.savedScore[i] = static_cast<char>(state.scoreDigits[i]);
    const Level* level = levelOf(state.progress);
    if (level != nullptr)
        state.fallDelay = level->fallDelay;
    return level;
}

SpecialKind specialDue(int32_t progress, int32_t specialIndex) {
    if (progress < kScheduleEnds) {
        if (specialIndex < 0 || specialIndex >= static_cast<int32_t>(std::size(kSchedule)))
            return kNoSpecial;
        const ScheduledSpecial& due = kSchedule[specialIndex];
        return progress >= due.progress ? due.kind : kNoSpecial;
    }
    // Past the schedule: a square or a frame whenever progress is ahead of the specials so far.
    if (progress > 50 * specialIndex - 87)
        return static_cast<SpecialKind>(WhiteDisc + progress % 4);
    return kNoSpecial;
}
