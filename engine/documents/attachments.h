#pragma once

#include "engine/run/run_context.h"

// The importers of the documents issued on a sheet, each writing against the examination
// `CurrentPregledID` of `CurrentAmbList`, each in a source of its own holding every NRD
// version. The sheet's attachment dispatch calls them in the version's order, each under
// its condition; the first five decide by themselves whether the sheet has anything.
namespace kalvex::engine {

template <class V>
void ImportImmunizations(RunContext<V>& run);  // immunisations.cpp
template <class V>
void ImportFreeRecipes(RunContext<V>& run);  // prescriptions.cpp
template <class V>
void ImportBolnLists(RunContext<V>& run);  // sick_leave.cpp
template <class V>
void ImportMedNaprs(RunContext<V>& run);  // medical_referrals.cpp
template <class V>
void ImportMDDs(RunContext<V>& run);  // diagnostic_referrals.cpp
template <class V>
void ImportHospitalization(RunContext<V>& run);  // hospitalisation.cpp
template <class V>
void ImportNaprTELK(RunContext<V>& run);  // telk_referrals.cpp
template <class V>
void ImportLKK(RunContext<V>& run);  // expert_commission.cpp
// `consult` is the sheet's `position`-th (from 1) "VSDSIMPConsult".
template <class V>
void ImportSingleVSDSIMPConsult(RunContext<V>& run, const typename V::VSDSIMPConsult& consult,
                                int position);  // consultations.cpp

}  // namespace kalvex::engine
