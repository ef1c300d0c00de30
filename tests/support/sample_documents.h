#pragma once

#include <string>

// The documents a sheet of each NRD version issues, written as that version's e-report
// writes them: the immunisations and one "Docs" with every document its import reads.
// Meant as the `extra` of a SheetInput (report_builder.h) whose main diagnosis is I10;
// the codes are those of the reference rows in schema/04_reference_rows.sql.
namespace kalvex::testing {

namespace sample {

// Vaccines 12 and 31 and a tuberculin test; NRD 2021 on with the vaccine's series and
// the national register number.
inline std::string immunisations(int year) {
    std::string xml = "<Imun><CodeImun>12</CodeImun><CodeImun>31</CodeImun>";
    if (year >= 2021)
        xml +=
            "<Vaccine><VaccineNo>AB123</VaccineNo><VaccineType>1</VaccineType></Vaccine>"
            "<NoImun>23049I000001</NoImun>";
    return xml + "<Mantu>90</Mantu></Imun>";
}

// Two referrals, to cardiology and to ophthalmology; codes of their own from NRD 2009.
inline std::string medicalReferrals(int year) {
    std::string first = "<SIMPConsult><kodSp>05</kodSp><SpFor>1</SpFor><NoN>17</NoN>";
    std::string second = "<SIMPConsult><kodSp>14</kodSp><SpFor>7</SpFor><NoN>18</NoN>";
    if (year >= 2009) {
        first += "<SIMPMKB>I10 E11</SIMPMKB>";
        second += "<SIMPMKB>H40.1</SIMPMKB>";
    }
    if (year == 2022)
        first += "<NRN>23049C000001</NRN><NzisStatus>5</NzisStatus>";
    return first + "</SIMPConsult>" + second + "</SIMPConsult>";
}

// A referral for two tests; from NRD 2018 also one under a national number.
inline std::string diagnosticReferrals(int year) {
    const std::string code = year >= 2009 ? "<MDDMKB>E11</MDDMKB>" : "";
    std::string xml = "<MDD><NoMDD>302</NoMDD><MDDFor>1</MDDFor>" + code +
                      "<kodMDD>01.01</kodMDD><kodMDD>01.03</kodMDD></MDD>";
    if (year >= 2018)
        xml +=
            "<MDD><NoMDD>23049B000001</NoMDD><MDDFor>1</MDDFor><MDDMKB>U07.1</MDDMKB>"
            "<kodMDD>01.01</kodMDD></MDD>";
    return xml;
}

// An echocardiography outside hospital.
inline std::string consultation(int year) {
    std::string xml =
        "<VSDSIMPConsult><kodSpVSD>05</kodSpVSD><VSDFor>1</VSDFor><NoNVSD>41</NoNVSD>"
        "<kodVSD>88.72</kodVSD><HospVSD>0</HospVSD>";
    if (year >= 2009)
        xml += "<VSDMKB>I10</VSDMKB>";
    if (year == 2022)
        xml += "<NRN>23049C000002</NRN><NzisStatus>5</NzisStatus>";
    return xml + "</VSDSIMPConsult>";
}

// A commission of a cardiologist and a neurologist.
inline std::string expertCommission() {
    return "<LKK><NoLKK>15</NoLKK><TypeLKK>61</TypeLKK><CodeSpec>05</CodeSpec>"
           "<CodeSpec>12</CodeSpec></LKK>";
}

// Until NRD 2008 a flag; then a referral by clinical path, numbered from NRD 2018.
inline std::string hospitalisation(int year) {
    if (year <= 2008)
        return "<Hospitaliz>1</Hospitaliz>";
    const std::string referral =
        "<PathNum>120</PathNum><DateNapr>2023-04-05</DateNapr><HospMKB>C50.1 C77.3</HospMKB>";
    if (year <= 2015)
        return "<HospNapr>" + referral + "</HospNapr>";
    const std::string register_ =
        year == 2022 ? "<NRN>23049H000001</NRN><NzisStatus>5</NzisStatus>" : "";
    return "<HospNapr><Hosp>" + referral + "<NaprNo>17</NaprNo>" + register_ + "</Hosp></HospNapr>";
}

// Metformin and bisoprolol; from NRD 2009 on one form, a register number from NRD 2021.
inline std::string prescriptions(int year) {
    const auto drug = [year](const char* code, int quantity) {
        std::string xml = "<RpDrug>";
        if (year >= 2021)
            xml += "<prescNum>2304A1000001</prescNum>";
        else if (year >= 2009)
            xml += "<prescNum>5</prescNum>";
        xml += std::string("<DrugCode>") + code + "</DrugCode>";
        if (year >= 2009)
            xml += "<DrugMKB>E11.9</DrugMKB>";
        xml += "<Quantity>" + std::to_string(quantity) + "</Quantity>";
        if (year >= 2009)
            xml += "<Day>28</Day>";
        return xml + "</RpDrug>";
    };
    return "<Rp>" + drug("A0001", 60) + drug("C0042", 30) + "</Rp>";
}

// One certificate a sheet until NRD 2008, two from NRD 2009.
inline std::string sickLeave(int year) {
    const auto certificate = [](const char* number) {
        return std::string("<HList><NoBl>") + number +
               "</NoBl><days>5</days><HLMKB>I10</HLMKB><HLFromDate>2023-04-07</HLFromDate>"
               "<HLToDate>2023-04-11</HLToDate><HLtype>0</HLtype></HList>";
    };
    return certificate("123") + (year >= 2009 ? certificate("124") : "");
}

}  // namespace sample

// The sheet's extra XML for NRD `year` (2005, 2006, 2008, 2009, 2015, 2018, 2021, 2022).
inline std::string sampleDocuments(int year) {
    std::string docs = sample::medicalReferrals(year) + sample::diagnosticReferrals(year) +
                       sample::consultation(year) + sample::expertCommission();
    // NRD 2005 has no TELK referral.
    if (year >= 2006)
        docs += "<TalonTELK>1</TalonTELK>";
    docs += sample::hospitalisation(year) + sample::prescriptions(year) + sample::sickLeave(year);
    return sample::immunisations(year) + "<Docs>" + docs + "</Docs>";
}

}  // namespace kalvex::testing
