#pragma once

#include "engine/run_context.h"

// The importers of the documents issued on a sheet, each writing against the examination
// `CurrentPregledID` of `CurrentAmbList`. The sheet's attachment dispatch calls them in
// the version's order; each kind is built in a source of its own and does nothing yet.
namespace kalvex::engine {

template <class V>
void ImportImmunizations(RunContext<V>&) {}
template <class V>
void ImportFreeRecipes(RunContext<V>&) {}
template <class V>
void ImportBolnLists(RunContext<V>&) {}
template <class V>
void ImportMedNaprs(RunContext<V>&) {}
template <class V>
void ImportMDDs(RunContext<V>&) {}
template <class V>
void ImportHospitalization(RunContext<V>&) {}
template <class V>
void ImportNaprTELK(RunContext<V>&) {}
template <class V>
void ImportLKK(RunContext<V>&) {}
// `consult` is the sheet's `position`-th (from 1) "VSDSIMPConsult".
template <class V, class Consult>
void ImportSingleVSDSIMPConsult(RunContext<V>&, const Consult& /*consult*/, int /*position*/) {}

}  // namespace kalvex::engine
