// Hired and substitute doctors of every NRD version.
#include "engine/hired_doctors.h"

#include "engine/nrd_versions.h"

namespace kalvex::engine {

template <class V>
void CheckForHired_Subst(RunContext<V>&, const typename V::AmbListList&) {}

template <class V>
void ImportH_SDoc(RunContext<V>&, const std::string&, const typename V::AmbList&) {}

#define KALVEX_INSTANTIATE(V)                                                                \
    template void CheckForHired_Subst<V>(RunContext<V>&, const typename V::AmbListList&);    \
    template void ImportH_SDoc<V>(RunContext<V>&, const std::string&, const typename V::AmbList&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
