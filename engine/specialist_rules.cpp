// The columns a specialist's database ("Salvix S") records on an examination: the
// referral or primary examination the visit follows, the procedures' catalogue IDs and
// the end of a rehabilitation.
#include "engine/nrd_versions.h"
#include "engine/sheet_extras.h"

namespace kalvex::engine {

template <class V>
void setSpecialistDefaults(RunContext<V>&, ColumnValues& row) {
    row.setInt("VISIT_TYPE_ID", 0);
    row.setFlag("SIMP_IS_NAET", false);
    row.setFlag("SIMP_IS_ZAMESTVASHT", false);
}

template <class V>
void applyVisitRules(RunContext<V>&, ColumnValues&, std::int32_t) {}

template <class V, class Procedure>
void applyProcedureRules(RunContext<V>&, ColumnValues&, int, const Procedure&) {}

template <class V>
void applyRehabilitationEnd(RunContext<V>&, ColumnValues&, std::int32_t) {}

#define KALVEX_INSTANTIATE(V)                                                                 \
    template void setSpecialistDefaults<V>(RunContext<V>&, ColumnValues&);                    \
    template void applyVisitRules<V>(RunContext<V>&, ColumnValues&, std::int32_t);            \
    template void applyProcedureRules<V, typename V::Procedure>(                              \
        RunContext<V>&, ColumnValues&, int, const typename V::Procedure&);                    \
    template void applyRehabilitationEnd<V>(RunContext<V>&, ColumnValues&, std::int32_t);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
