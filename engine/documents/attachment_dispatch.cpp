// The hand-over of a written examination to the attachment importers, in the order of
// the sheet's NRD version, each under its condition.
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_extras.h"
#include "engine/sheet/value_reads.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {

template <class V>
void dispatchAttachments(RunContext<V>& run) {
    ereport::Element docs;
    ereport::GetNode(run.CurrentAmbList, "Docs", docs);
    const auto hospitalisation = [&] {
        // Before NRD 2022 the referral sits elsewhere or is a flag: the importer looks.
        if constexpr (V::year < 2022) {
            ImportHospitalization(run);
            return;
        }
        ereport::Element referral, hosp;
        ereport::GetNode(docs, "HospNapr", referral);
        ereport::GetNode(referral, "Hosp", hosp);
        if (ereport::NodeExsist(hosp, "PathNum"))
            ImportHospitalization(run);
    };
    const auto telk = [&] {
        bool issued = false;
        if constexpr (V::year == 2022) {
            issued = ereport::ReadValueBool(docs, "TalonTELK", false);
        } else {
            // Read as the sheet's own TELK flag was ("true" counts); a flag the model
            // cannot read issued no referral.
            try {
                issued = TypedReads::flag(docs, "TalonTELK");
            } catch (const Error&) {
                issued = false;
            }
        }
        if (issued)
            ImportNaprTELK(run);
    };

    ImportImmunizations(run);
    ImportFreeRecipes(run);
    ImportBolnLists(run);
    ImportMedNaprs(run);
    ImportMDDs(run);
    if constexpr (V::year == 2006 || V::year == 2008) {
        telk();
        hospitalisation();
    } else if constexpr (V::year >= 2009) {
        hospitalisation();
        telk();
    }
    ereport::Element lkk;
    ereport::GetNode(docs, "LKK", lkk);
    if (!ereport::ReadValue(lkk, "NoLKK").empty())
        ImportLKK(run);
    if (ereport::NodeExsist(docs, "VSDSIMPConsult")) {
        const auto consults = run.CurrentAmbList.Docs().VSDSIMPConsult();
        for (int n = 1; n <= consults.GetCount(); ++n)
            ImportSingleVSDSIMPConsult(run, consults.get_item(n - 1), n);
    }
}

#define KALVEX_INSTANTIATE(V) template void dispatchAttachments<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
