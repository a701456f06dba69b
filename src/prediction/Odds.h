#pragma once

#include <array>
#include <string_view>

namespace kazutama {

// Exact chances of a random pick of numbers against one draw of seven main and two bonus numbers from 37:
// what any method has to beat to be more than luck.

// What every window that shows how past draws went says beside it.
inline constexpr std::string_view kIndependenceNote =
    "抽選は毎回それまでの結果と関係なく行われます。"
    "過去によく当たった手法や数字が、これからも当たりやすいわけではありません。";

// The ticket prizes by the rules of this lottery, for a pick of seven numbers: 1等 all seven main numbers;
// 2等 six and a bonus number; 3等 six; 4等 five; 5等 four; 6等 three and a bonus number. 0: no prize.
inline constexpr int kPrizeTierCount = 6;
int prizeTier(int mainHits, bool bonusHit);

// C(n, k) as a double (exact below 2^53, as every value used here is).
double binomial(int n, int k);
// P(a random pick of `pickSize` distinct numbers holds exactly `hits` of the seven main numbers).
double mainHitChance(int pickSize, int hits);
// P(it holds at least one of the two bonus numbers).
double bonusHitChance(int pickSize);
// P(a random seven-number ticket wins `tier`), tiers 1..6.
double prizeTierChance(int tier);

} // namespace kazutama
