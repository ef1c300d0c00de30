#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// The consultations, medico-diagnostic referrals and expert commission examinations a
// sheet issues, in every NRD version. Each version only adds properties to the one before,
// so each derives from the one it extends.
namespace kalvex::ereport::nrd2005 {

// NRD 2005 to 2008.
class TXMLSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSp() const { return readText("kodSp"); }
    std::int32_t SpFor() const { return readInteger("SpFor"); }
    std::string NoN() const { return readText("NoN"); }
};
using TXMLSIMPConsultList = ElementList<TXMLSIMPConsult>;

// NRD 2005 to 2008.
class TXMLVSDSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSpVSD() const { return readText("kodSpVSD"); }
    std::int32_t VSDFor() const { return readInteger("VSDFor"); }
    std::string NoNVSD() const { return readText("NoNVSD"); }
    std::string KodVSD() const { return readText("kodVSD"); }
    bool HospVSD() const { return readBoolean("HospVSD"); }
};
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;

// NRD 2005 to 2008.
class TXMLMDD : public Element {
  public:
    using Element::Element;
    std::string NoMDD() const { return readText("NoMDD"); }
    std::int32_t MDDFor() const { return readInteger("MDDFor"); }
    TXMLProcCodeTypeList KodMDD() const { return readTextList("kodMDD"); }
};
using TXMLMDDList = ElementList<TXMLMDD>;

// NRD 2005 to 2021.
class TXMLLKK : public Element {
  public:
    using Element::Element;
    std::string NoLKK() const { return readText("NoLKK"); }
    TXMLCodeType2List CodeSpec() const { return readTextList("CodeSpec"); }
    std::int32_t TypeLKK() const { return readInteger("TypeLKK"); }
};

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2009 {

// NRD 2009 to 2021 (NRD 2018 calls it TXMLSIMPConsult2018).
class TXMLSIMPConsult : public nrd2005::TXMLSIMPConsult {
  public:
    using nrd2005::TXMLSIMPConsult::TXMLSIMPConsult;
    TXMLMKBCodeType13List SIMPMKB() const { return readTextList("SIMPMKB"); }
};
using TXMLSIMPConsultList = ElementList<TXMLSIMPConsult>;

// NRD 2009 and 2015.
class TXMLVSDSIMPConsult : public nrd2005::TXMLVSDSIMPConsult {
  public:
    using nrd2005::TXMLVSDSIMPConsult::TXMLVSDSIMPConsult;
    TXMLMKBCodeType13List VSDMKB() const { return readTextList("VSDMKB"); }
};
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;

// NRD 2009 and 2015.
class TXMLMDD : public nrd2005::TXMLMDD {
  public:
    using nrd2005::TXMLMDD::TXMLMDD;
    std::string MDDMKB() const { return readText("MDDMKB"); }
};
using TXMLMDDList = ElementList<TXMLMDD>;

}  // namespace kalvex::ereport::nrd2009

namespace kalvex::ereport::nrd2018 {

// NRD 2018 and 2021 (NRD 2021 calls it TXMLVSDSIMPConsult).
class TXMLVSDSIMPConsult2018 : public nrd2009::TXMLVSDSIMPConsult {
  public:
    using nrd2009::TXMLVSDSIMPConsult::TXMLVSDSIMPConsult;
    std::string ACHIcode() const { return readText("ACHIcode"); }
};
using TXMLVSDSIMPConsult2018List = ElementList<TXMLVSDSIMPConsult2018>;

// NRD 2018 and 2021 (NRD 2021 calls it TXMLMDD).
class TXMLMDD2018 : public nrd2009::TXMLMDD {
  public:
    using nrd2009::TXMLMDD::TXMLMDD;
    std::string ACHIcode() const { return readText("ACHIcode"); }
};
using TXMLMDD2018List = ElementList<TXMLMDD2018>;

}  // namespace kalvex::ereport::nrd2018

namespace kalvex::ereport::nrd2022 {

// An issued document of NRD 2021 as NRD 2022 has it: with the national number the
// health information system gave it and that system's status.
template <class EarlierT>
class NzisDocument : public EarlierT {
  public:
    using EarlierT::EarlierT;
    std::string NRN() const { return this->readText("NRN"); }
    std::string NzisStatus() const { return this->readText("NzisStatus"); }
};

// NRD 2022 only, as are the three below.
class TXMLSIMPConsult : public NzisDocument<nrd2009::TXMLSIMPConsult> {
  public:
    using NzisDocument::NzisDocument;
};
using TXMLSIMPConsultList = ElementList<TXMLSIMPConsult>;

class TXMLVSDSIMPConsult : public NzisDocument<nrd2018::TXMLVSDSIMPConsult2018> {
  public:
    using NzisDocument::NzisDocument;
};
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;

class TXMLMDD : public NzisDocument<nrd2018::TXMLMDD2018> {
  public:
    using NzisDocument::NzisDocument;
};
using TXMLMDDList = ElementList<TXMLMDD>;

class TXMLLKK : public NzisDocument<nrd2005::TXMLLKK> {
  public:
    using NzisDocument::NzisDocument;
};

}  // namespace kalvex::ereport::nrd2022
