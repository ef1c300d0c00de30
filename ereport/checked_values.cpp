#include "ereport/checked_values.h"

#include <iterator>

namespace kalvex::ereport {
namespace {

using enum ValueKind;

constexpr bool kRequired = true;

constexpr CheckedValue kValues[] = {
    // The examination row and its patient.
    {"dataAl", date, 2005, 2022, kRequired},
    {"Sign", boolean, 2005, 2022, kRequired},
    {"Disadv", boolean, 2005, 2022, kRequired},
    {"Pay", boolean, 2009, 2022, kRequired},
    {"Incidentally", boolean, 2009, 2022, kRequired},
    {"PatientofNeotlID", integer, 2022, 2022},
    {"Hired_Subst/H_S", boolean, 2005, 2022},
    {"Patient/LNCH/Sex", boolean, 2005, 2022},
    {"Patient/LNCH/dateBirth", date, 2005, 2022},
    {"SIMPList/PrimaryVisit/VidNapr", integer, 2005, 2022},
    {"SIMPList/PrimaryVisit/NaprFor", integer, 2005, 2022},

    // Why the patient came: flags until NRD 2021, numbers in NRD 2022.
    {"VisitFor/Consult", boolean, 2005, 2021},
    {"VisitFor/Consult", integer, 2022, 2022},
    {"VisitFor/Disp", boolean, 2005, 2021},
    {"VisitFor/Disp", integer, 2022, 2022},
    {"VisitFor/RpHosp", boolean, 2005, 2021},
    {"VisitFor/RpHosp", integer, 2022, 2022},
    {"VisitFor/LKKVisit", boolean, 2005, 2021},
    {"VisitFor/LKKVisit", integer, 2022, 2022},
    {"VisitFor/Telk", boolean, 2005, 2021},
    {"VisitFor/Telk", integer, 2022, 2022},
    {"VisitFor/CountLKKMembers", integer, 2006, 2022},
    {"VisitFor/Profilact/Child", boolean, 2005, 2021},
    {"VisitFor/Profilact/Child", integer, 2022, 2022},
    {"VisitFor/Profilact/Mother", boolean, 2005, 2021},
    {"VisitFor/Profilact/Mother", integer, 2022, 2022},
    {"VisitFor/Profilact/Over18", boolean, 2005, 2021},
    {"VisitFor/Profilact/Over18", integer, 2022, 2022},
    {"VisitFor/Profilact/Risk", boolean, 2006, 2021},
    {"VisitFor/Profilact/Risk", integer, 2022, 2022},
    {"VisitFor/Profilact/GestWeek", integer, 2005, 2022},
    {"VisitFor/VSDVisit/Hosp", boolean, 2005, 2021},
    {"VisitFor/VSDVisit/Hosp", integer, 2022, 2022},

    // What the sheet issued: flags until NRD 2021, numbers in NRD 2022.
    {"Docs/TalonTELK", boolean, 2006, 2021},
    {"Docs/TalonTELK", integer, 2022, 2022},
    {"Docs/Izvestie", boolean, 2005, 2021},
    {"Docs/Izvestie", integer, 2022, 2022},
    {"Docs/EtEpikriza", boolean, 2005, 2021},
    {"Docs/EtEpikriza", integer, 2022, 2022},
    {"Docs/MedicalNote", boolean, 2018, 2021},
    {"Docs/MedicalNote", integer, 2022, 2022},
    {"Docs/Hospitaliz", boolean, 2005, 2008},

    // The documents.
    {"Docs/SIMPConsult*/SpFor", integer, 2005, 2022},
    {"Docs/VSDSIMPConsult*/VSDFor", integer, 2005, 2022},
    {"Docs/VSDSIMPConsult*/HospVSD", boolean, 2005, 2022},
    {"Docs/MDD*/MDDFor", integer, 2005, 2022},
    {"Docs/LKK/TypeLKK", integer, 2005, 2022},
    {"Docs/Rp/RpDrug*/prescNum", integer, 2009, 2018, kRequired},
    {"Docs/Rp/RpDrug*/Quantity", integer, 2005, 2022, kRequired},
    {"Docs/Rp/RpDrug*/Day", integer, 2009, 2022, kRequired},
    // One certificate a sheet until NRD 2008, any number from NRD 2009.
    {"Docs/HList/NoBl", integer, 2005, 2008},
    {"Docs/HList*/NoBl", integer, 2009, 2009},
    {"Docs/HList*/NoBl", strictText, 2015, 2015, kRequired},
    {"Docs/HList/days", integer, 2005, 2008},
    {"Docs/HList*/days", integer, 2009, 2022},
    {"Docs/HList/HLtype", boolean, 2005, 2008},
    {"Docs/HList*/HLtype", boolean, 2009, 2022},
    {"Docs/HList/HLFromDate", date, 2005, 2008},
    {"Docs/HList*/HLFromDate", date, 2009, 2022},
    {"Docs/HList/HLToDate", date, 2005, 2008},
    {"Docs/HList*/HLToDate", date, 2009, 2022},
};

}  // namespace

std::span<const CheckedValue> checkedValues() {
    return kValues;
}

}  // namespace kalvex::ereport
