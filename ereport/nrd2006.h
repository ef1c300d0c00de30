#pragma once

#include <cstdint>

#include "ereport/nrd2005.h"

namespace kalvex::ereport::nrd2006 {

using nrd2005::TXMLDiag;
using nrd2005::TXMLDiagList;
using nrd2005::TXMLHired_Subst;
using nrd2005::TXMLHList;
using nrd2005::TXMLImun;
using nrd2005::TXMLLKK;
using nrd2005::TXMLLNCH;
using nrd2005::TXMLMainDiag;
using nrd2005::TXMLMDD;
using nrd2005::TXMLMDDList;
using nrd2005::TXMLName;
using nrd2005::TXMLPatient;
using nrd2005::TXMLPrimaryVisit;
using nrd2005::TXMLProcedure_;
using nrd2005::TXMLProcedure_List;
using nrd2005::TXMLRp;
using nrd2005::TXMLRpDrug;
using nrd2005::TXMLRpDrugList;
using nrd2005::TXMLSecondaryVisit;
using nrd2005::TXMLSendedFrom;
using nrd2005::TXMLSIMPConsult;
using nrd2005::TXMLSIMPConsultList;
using nrd2005::TXMLSIMPList;
using nrd2005::TXMLVSDSIMPConsult;
using nrd2005::TXMLVSDSIMPConsultList;
using nrd2005::TXMLVSDVisit;

// Also the one of NRD 2008 to 2021.
class TXMLProfilact : public Element {
  public:
    using Element::Element;
    bool Child() const { return readBoolean("Child"); }
    bool Mother() const { return readBoolean("Mother"); }
    std::int32_t GestWeek() const { return readInteger("GestWeek"); }
    bool Over18() const { return readBoolean("Over18"); }
    bool Risk() const { return readBoolean("Risk"); }
};

// Also the one of NRD 2008.
class TXMLVisitFor : public Element {
  public:
    using Element::Element;
    bool Consult() const { return readBoolean("Consult"); }
    TXMLProfilact Profilact() const { return readElement<TXMLProfilact>("Profilact"); }
    bool Disp() const { return readBoolean("Disp"); }
    TXMLVSDVisit VSDVisit() const { return readElement<TXMLVSDVisit>("VSDVisit"); }
    bool RpHosp() const { return readBoolean("RpHosp"); }
    bool LKKVisit() const { return readBoolean("LKKVisit"); }
    std::int32_t CountLKKMembers() const { return readInteger("CountLKKMembers"); }
    bool Telk() const { return readBoolean("Telk"); }
};

// Also the one of NRD 2008.
class TXMLDocs : public Element {
  public:
    using Element::Element;
    TXMLSIMPConsultList SIMPConsult() const { return readList<TXMLSIMPConsult>("SIMPConsult"); }
    TXMLVSDSIMPConsultList VSDSIMPConsult() const {
        return readList<TXMLVSDSIMPConsult>("VSDSIMPConsult");
    }
    TXMLMDDList MDD() const { return readList<TXMLMDD>("MDD"); }
    bool TalonTELK() const { return readBoolean("TalonTELK"); }
    TXMLLKK LKK() const { return readElement<TXMLLKK>("LKK"); }
    bool Hospitaliz() const { return readBoolean("Hospitaliz"); }
    TXMLHList HList() const { return readElement<TXMLHList>("HList"); }
    TXMLRp Rp() const { return readElement<TXMLRp>("Rp"); }
    bool Izvestie() const { return readBoolean("Izvestie"); }
    bool EtEpikriza() const { return readBoolean("EtEpikriza"); }
};

using TXMLAmbList = nrd2005::EarlyAmbList<TXMLPatient, TXMLVisitFor, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = nrd2005::EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2006(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2006
