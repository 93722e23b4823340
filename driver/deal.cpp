#include "driver/deal.h"

#include "core/random.h"
#include "driver/regions.h"

namespace realmsfall {

Deal setUpDeal(std::int32_t seed, int playerRegion) {
    srand(seed);
    Deal deal{drawComputerRegion(playerRegion), {}, {}};
    dealHands(deal.playerHand, deal.computerHand);
    return deal;
}

} // namespace realmsfall
