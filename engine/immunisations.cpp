// Immunisations given on a sheet, every NRD version.
#include "engine/attachments.h"
#include "engine/nrd_versions.h"

namespace kalvex::engine {

template <class V>
void ImportImmunizations(RunContext<V>&) {}

#define KALVEX_INSTANTIATE(V) template void ImportImmunizations<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
