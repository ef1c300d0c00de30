#pragma once

#include <cstdint>
#include <string>

#include "ereport/nrd2006.h"
#include "ereport/nrd2009_docs.h"

namespace kalvex::ereport::nrd2009 {

using nrd2005::TXMLHList;
using nrd2005::TXMLHListList;
using nrd2005::TXMLImun;
using nrd2005::TXMLLKK;
using nrd2005::TXMLProcedure_;
using nrd2005::TXMLProcedure_List;
using nrd2005::TXMLVSDVisit;
using nrd2006::TXMLProfilact;
using nrd2022::TXMLCOUNTRY;
using nrd2022::TXMLDiag;
using nrd2022::TXMLDiagList;
using nrd2022::TXMLHired_Subst;
using nrd2022::TXMLLKKMember;
using nrd2022::TXMLLKKMemberList;
using nrd2022::TXMLLNCH;
using nrd2022::TXMLMainDiag;
using nrd2022::TXMLName;
using nrd2022::TXMLPrimaryVisit;
using nrd2022::TXMLReimbursible;
using nrd2022::TXMLReimbursibleList;
using nrd2022::TXMLSecondaryVisit;
using nrd2022::TXMLSendedFrom;
using nrd2022::TXMLSIMPList;
using nrd2022::TXMLTherapy;

// Also the one of NRD 2015.
class TXMLPatient : public Element {
  public:
    using Element::Element;
    std::string EGN() const { return readText("EGN"); }
    TXMLLNCH LNCH() const { return readElement<TXMLLNCH>("LNCH"); }
    std::string SS_No() const { return readText("SS_No"); }
    TXMLCOUNTRY COUNTRY() const { return readElement<TXMLCOUNTRY>("COUNTRY"); }
    std::string RZOK() const { return readText("RZOK"); }
    std::string ZdrRajon() const { return readText("ZdrRajon"); }
    TXMLName Name() const { return readElement<TXMLName>("Name"); }
    std::string Address() const { return readText("Address"); }
};

// Also the one of NRD 2015 to 2021.
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
    TXMLLKKMemberList LKKMember() const { return readList<TXMLLKKMember>("LKKMember"); }
    bool Telk() const { return readBoolean("Telk"); }
};

using TXMLAmbList =
    nrd2022::BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = nrd2005::EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2009(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2009
