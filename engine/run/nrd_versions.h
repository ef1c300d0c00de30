#pragma once

#include <cstddef>
#include <tuple>
#include <utility>

#include "ereport/nrd2005.h"
#include "ereport/nrd2006.h"
#include "ereport/nrd2008.h"
#include "ereport/nrd2009.h"
#include "ereport/nrd2015.h"
#include "ereport/nrd2018.h"
#include "ereport/nrd2021.h"
#include "ereport/nrd2022.h"

// The NRD versions the engine imports, as types: each names its element types and the
// few facts in which its import differs. Every importer is one routine over these, and
// the rows of the versions' difference tables are the `if constexpr` branches on them.
namespace kalvex::engine {

template <std::size_t Index, int Year, class Practice_>
struct NrdVersion {
    static constexpr std::size_t index = Index;  // into the wizard's version list
    static constexpr int year = Year;
    using Practice = Practice_;
    // The reporting doctor: the one "Doctor" from NRD 2021 on, an item of the list before.
    static constexpr bool singleDoctor = Year >= 2021;
};

#define KALVEX_NRD_TYPES(ns)                                                      \
    using Doctor = ereport::ns::TXMLDoctor;                                       \
    using AmbList = ereport::ns::TXMLAmbList;                                     \
    using AmbListList = ereport::ns::TXMLAmbListList;                             \
    using Patient = decltype(std::declval<AmbList>().Patient());                  \
    using Procedure = decltype(std::declval<AmbList>().Procedure_().get_item(0)); \
    using VSDSIMPConsult = decltype(std::declval<AmbList>().Docs().VSDSIMPConsult().get_item(0))

struct Nrd2005 : NrdVersion<1, 2005, ereport::nrd2005::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2005);
};
struct Nrd2006 : NrdVersion<2, 2006, ereport::nrd2006::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2006);
};
struct Nrd2008 : NrdVersion<3, 2008, ereport::nrd2008::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2008);
};
struct Nrd2009 : NrdVersion<4, 2009, ereport::nrd2009::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2009);
};
struct Nrd2015 : NrdVersion<5, 2015, ereport::nrd2015::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2015);
};
struct Nrd2018 : NrdVersion<6, 2018, ereport::nrd2018::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2018);
};
struct Nrd2021 : NrdVersion<7, 2021, ereport::nrd2021::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2021);
};
struct Nrd2022 : NrdVersion<8, 2022, ereport::nrd2022::TXMLPractice> {
    KALVEX_NRD_TYPES(nrd2022);
};

#undef KALVEX_NRD_TYPES

// Instantiates `template <class V> ...` once per version in the source that defines it.
#define KALVEX_FOR_EACH_NRD(MACRO)                                                            \
    MACRO(Nrd2005)                                                                            \
    MACRO(Nrd2006) MACRO(Nrd2008) MACRO(Nrd2009) MACRO(Nrd2015) MACRO(Nrd2018) MACRO(Nrd2021) \
        MACRO(Nrd2022)

using NrdVersions =
    std::tuple<Nrd2005, Nrd2006, Nrd2008, Nrd2009, Nrd2015, Nrd2018, Nrd2021, Nrd2022>;

// Calls `f(V{})` with the version of the wizard's list index `nrdIndex`; NRD "2003"
// (index 0) and any other index match no version, and `f` is not called.
template <class F>
void withNrdVersion(int nrdIndex, F&& f) {
    std::apply(
        [&](auto... versions) {
            (void)((nrdIndex == static_cast<int>(decltype(versions)::index) && (f(versions), true)) ||
                   ...);
        },
        NrdVersions{});
}

}  // namespace kalvex::engine
