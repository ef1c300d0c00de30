// The referral type of an examination: GetNaprType of every NRD version and
// MapNaprTypes.
#include "engine/examination_lookup.h"
#include "engine/nrd_versions.h"

namespace kalvex::engine {

template <class V>
std::int32_t GetNaprType(RunContext<V>&) {
    return 0;
}

std::int32_t MapNaprTypes(std::int32_t, std::int32_t) {
    return -1;
}

#define KALVEX_INSTANTIATE(V) template std::int32_t GetNaprType<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
