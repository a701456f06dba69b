#include "prediction/Odds.h"

#include "store/DrawRecord.h"

namespace kazutama {

namespace {

constexpr int kBonusCount = kBallCount - kMainCount;
constexpr int kOthers = kHighestNumber - kMainCount - kBonusCount; // 28: neither main nor bonus

} // namespace

int prizeTier(int mainHits, bool bonusHit) {
    switch (mainHits) {
    case 7:
        return 1;
    case 6:
        return bonusHit ? 2 : 3;
    case 5:
        return 4;
    case 4:
        return 5;
    case 3:
        return bonusHit ? 6 : 0;
    default:
        return 0;
    }
}

double binomial(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    double value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    return value;
}

double mainHitChance(int pickSize, int hits) {
    return binomial(kMainCount, hits) * binomial(kHighestNumber - kMainCount, pickSize - hits) /
           binomial(kHighestNumber, pickSize);
}

double bonusHitChance(int pickSize) {
    return 1 - binomial(kHighestNumber - kBonusCount, pickSize) / binomial(kHighestNumber, pickSize);
}

double prizeTierChance(int tier) {
    constexpr int kTicket = kMainCount;
    double chance = 0;
    for (int main = 0; main <= kTicket; ++main)
        for (int bonus = 0; bonus <= kBonusCount && main + bonus <= kTicket; ++bonus)
            if (prizeTier(main, bonus > 0) == tier)
                chance += binomial(kMainCount, main) * binomial(kBonusCount, bonus) *
                          binomial(kOthers, kTicket - main - bonus);
    return chance / binomial(kHighestNumber, kTicket);
}

} // namespace kazutama
