// Expert commission (LKK) examinations and their members, every NRD version.
#include "engine/attachments.h"
#include "engine/nrd_versions.h"

namespace kalvex::engine {

template <class V>
void ImportLKK(RunContext<V>&) {}

#define KALVEX_INSTANTIATE(V) template void ImportLKK<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
