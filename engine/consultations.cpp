// Referrals for highly specialised activities (VSD consultations), every NRD version.
#include "engine/attachments.h"
#include "engine/nrd_versions.h"

namespace kalvex::engine {

template <class V>
void ImportSingleVSDSIMPConsult(RunContext<V>&, const typename V::VSDSIMPConsult&, int) {}

#define KALVEX_INSTANTIATE(V)                                                                \
    template void ImportSingleVSDSIMPConsult<V>(RunContext<V>&, const typename V::VSDSIMPConsult&, \
                                                int);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
