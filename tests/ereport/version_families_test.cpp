// What each NRD version reads of one full sheet: which properties its element types have
// and which elements they read. A type that extends the wrong earlier version shows up as
// a property too many or too few, or as a value read with the wrong kind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "ereport/xml_report.h"
#include "report_files.h"

namespace kalvex::ereport {
namespace {

const std::string kReport =
    "<Practice><PracticeCode>P1</PracticeCode><NZOKCode>Z1</NZOKCode><ContrHA>1</ContrHA>"
    "<Doctor><AmbList>"
    "<Patient><EGN>E1</EGN><LNCH><dateBirth>2000-01-02</dateBirth></LNCH><SS_No>S1</SS_No>"
    "<COUNTRY><COUNTRYCODE>BG</COUNTRYCODE><EHIC_No>H1</EHIC_No></COUNTRY>"
    "<IsHealthInsurance>1</IsHealthInsurance></Patient>"
    "<Procedure><kodP>K1</kodP><CountP>2</CountP><ACHIcode>A1</ACHIcode></Procedure>"
    "<VisitFor><Consult>1</Consult><Profilact><Child>1</Child><Risk>1</Risk></Profilact>"
    "<CountLKKMembers>3</CountLKKMembers><LKKMember><UIN>U1</UIN></LKKMember></VisitFor>"
    "<Imun><NoImun>I1</NoImun><CodeImun>C1</CodeImun><Vaccine><VaccineNo>V1</VaccineNo>"
    "</Vaccine></Imun>"
    "<Docs><SIMPConsult><kodSp>01</kodSp><SpFor>2</SpFor><NoN>N1</NoN><SIMPMKB>J18</SIMPMKB>"
    "<NRN>R1</NRN><NzisStatus>S1</NzisStatus></SIMPConsult>"
    "<VSDSIMPConsult><kodSpVSD>02</kodSpVSD><VSDFor>3</VSDFor><kodVSD>V2</kodVSD>"
    "<ACHIcode>A2</ACHIcode><HospVSD>1</HospVSD><VSDMKB>K20</VSDMKB><NRN>R2</NRN>"
    "</VSDSIMPConsult>"
    "<MDD><NoMDD>N3</NoMDD><kodMDD>10.01</kodMDD><ACHIcode>A3</ACHIcode><MDDMKB>I10</MDDMKB>"
    "<NzisStatus>S3</NzisStatus></MDD>"
    "<LKK><NoLKK>N4</NoLKK><CodeSpec>05</CodeSpec><TypeLKK>5</TypeLKK><NRN>R4</NRN></LKK>"
    "<HospNapr><HospMKB>J18</HospMKB><PathNum>6</PathNum>"
    "<Hosp><HospMKB>J44</HospMKB><PathNum>7</PathNum><NaprNo>N5</NaprNo></Hosp></HospNapr>"
    "<HList><NoBl>012</NoBl><days>3</days><HLMKB>J06</HLMKB></HList>"
    "<Rp><RpDrug><prescNum>0012</prescNum><DrugCode>D1</DrugCode><DrugMKB>J18</DrugMKB>"
    "<Quantity>2</Quantity><Day>5</Day><AllocationID>9</AllocationID></RpDrug></Rp>"
    "</Docs></AmbList></Doctor></Practice>";

std::string str(const std::string& text) {
    return text;
}
std::string str(std::int32_t number) {
    return std::to_string(number);
}

// Each reading yields "name=value" for every property the version's type has, in a fixed
// order, so the expected texts below list exactly the properties of each version.
using Reading = std::function<std::string(Document&)>;

template <class Practice, class Read>
Reading throughFirstSheet(Practice (*bind)(Document&), Read read) {
    return [bind, read](Document& document) {
        const Practice practice = bind(document);
        if constexpr (requires { practice.Doctor().GetCount(); })
            return read(practice, practice.Doctor().get_item(0).AmbList().get_item(0));
        else
            return read(practice, practice.Doctor().AmbList().get_item(0));
    };
}

template <class Read>
std::vector<Reading> everyVersion(Read read) {
    return {throughFirstSheet(nrd2005::GetPractice2005, read),
            throughFirstSheet(nrd2006::GetPractice2006, read),
            throughFirstSheet(nrd2008::GetPractice2008, read),
            throughFirstSheet(nrd2009::GetPractice2009, read),
            throughFirstSheet(nrd2015::GetPractice2015, read),
            throughFirstSheet(nrd2018::GetPractice2018, read),
            throughFirstSheet(nrd2021::GetPractice2021, read),
            throughFirstSheet(nrd2022::GetPractice2022, read)};
}

void expectPerVersion(const std::vector<Reading>& readings,
                      const std::vector<std::string>& expected) {
    const char* versions[] = {"2005", "2006", "2008", "2009", "2015", "2018", "2021", "2022"};
    testing::ReportFiles files;
    ASSERT_EQ(readings.size(), expected.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const auto document = files.parse(kReport);
        EXPECT_EQ(readings[i](*document), expected[i]) << "NRD " << versions[i];
    }
}

TEST(VersionFamilies, RootAndPatient) {
    const auto read = [](const auto& practice, const auto& sheet) {
        std::string out = "code=" + practice.PracticeCode();
        if constexpr (requires { practice.NZOKCode(); })
            out += " fund=" + practice.NZOKCode();
        const auto patient = sheet.Patient();
        out += " egn=" + patient.EGN() + " birth=" + patient.LNCH().DateBirth();
        if constexpr (requires { patient.SS_No(); })
            out += " ss=" + patient.SS_No();
        if constexpr (requires { patient.COUNTRY(); }) {
            out += " country=" + patient.COUNTRY().COUNTRYCODE();
            if constexpr (requires { patient.COUNTRY().EHIC_No(); })
                out += " ehic=" + patient.COUNTRY().EHIC_No();
        }
        if constexpr (requires { patient.IsHealthInsurance(); })
            out += " insured=" + str(patient.IsHealthInsurance());
        return out;
    };
    const std::string early = "code=P1 egn=E1 birth=2000-01-02";
    const std::string from2009 = early + " ss=S1 country=BG ehic=H1";
    const std::string contract = "code=P1 fund=Z1 egn=E1 birth=2000-01-02 ss=S1 country=BG ehic=H1";
    expectPerVersion(everyVersion(read),
                     {early, early, early + " country=BG", from2009, from2009,
                      contract + " insured=1", contract + " insured=1", contract + " insured=1"});
}

TEST(VersionFamilies, ProcedureVisitAndImmunisation) {
    const auto read = [](const auto&, const auto& sheet) {
        const auto procedure = sheet.Procedure_().get_item(0);
        std::string out = "kodP=" + procedure.KodP() + " countP=" + str(procedure.CountP());
        if constexpr (requires { procedure.ACHIcode(); })
            out += " achi=" + procedure.ACHIcode();
        const auto visit = sheet.VisitFor();
        out += " consult=" + str(visit.Consult()) + " child=" + str(visit.Profilact().Child());
        if constexpr (requires { visit.Profilact().Risk(); })
            out += " risk=" + str(visit.Profilact().Risk());
        if constexpr (requires { visit.CountLKKMembers(); })
            out += " members=" + str(visit.CountLKKMembers());
        if constexpr (requires { visit.LKKMember(); })
            out += " member=" + visit.LKKMember().get_item(0).UIN();
        const auto imun = sheet.Imun();
        out += " imun=" + imun.CodeImun().get_item(0);
        if constexpr (requires { imun.Vaccine(); })
            out += " vaccine=" + imun.Vaccine().VaccineNo();
        if constexpr (requires { imun.NoImun(); })
            out += " no=" + imun.NoImun();
        return out;
    };
    const std::string v2005 = "kodP=K1 countP=2 consult=1 child=1 imun=C1";
    const std::string v2006 = "kodP=K1 countP=2 consult=1 child=1 risk=1 members=3 imun=C1";
    const std::string v2009 =
        "kodP=K1 countP=2 consult=1 child=1 risk=1 members=3 member=U1 imun=C1";
    const std::string v2018 =
        "kodP=K1 countP=2 achi=A1 consult=1 child=1 risk=1 members=3 member=U1 imun=C1 "
        "vaccine=V1";
    expectPerVersion(everyVersion(read), {v2005, v2006, v2006, v2009, v2009, v2018,
                                          v2018 + " no=I1", v2018 + " no=I1"});
}

TEST(VersionFamilies, ConsultationsAndCommission) {
    const auto read = [](const auto&, const auto& sheet) {
        const auto docs = sheet.Docs();
        const auto simp = docs.SIMPConsult().get_item(0);
        std::string out = "simp=" + simp.KodSp() + "/" + str(simp.SpFor()) + "/" + simp.NoN();
        if constexpr (requires { simp.SIMPMKB(); })
            out += "/" + simp.SIMPMKB().get_item(0);
        if constexpr (requires { simp.NRN(); })
            out += "/" + simp.NRN() + "/" + simp.NzisStatus();
        const auto vsd = docs.VSDSIMPConsult().get_item(0);
        out += " vsd=" + vsd.KodSpVSD() + "/" + str(vsd.VSDFor()) + "/" + vsd.NoNVSD() + "/" +
               vsd.KodVSD() + "/" + str(vsd.HospVSD());
        if constexpr (requires { vsd.VSDMKB(); })
            out += "/" + vsd.VSDMKB().get_item(0);
        if constexpr (requires { vsd.ACHIcode(); })
            out += "/" + vsd.ACHIcode();
        if constexpr (requires { vsd.NRN(); })
            out += "/" + vsd.NRN() + "/" + vsd.NzisStatus();
        const auto mdd = docs.MDD().get_item(0);
        out += " mdd=" + mdd.NoMDD() + "/" + mdd.KodMDD().get_item(0);
        if constexpr (requires { mdd.MDDMKB(); })
            out += "/" + mdd.MDDMKB();
        if constexpr (requires { mdd.ACHIcode(); })
            out += "/" + mdd.ACHIcode();
        if constexpr (requires { mdd.NRN(); })
            out += "/" + mdd.NRN() + "/" + mdd.NzisStatus();
        const auto lkk = docs.LKK();
        out += " lkk=" + lkk.NoLKK() + "/" + lkk.CodeSpec().get_item(0) + "/" + str(lkk.TypeLKK());
        if constexpr (requires { lkk.NRN(); })
            out += "/" + lkk.NRN() + "/" + lkk.NzisStatus();
        return out;
    };
    const std::string early = "simp=01/2/N1 vsd=02/3//V2/1 mdd=N3/10.01 lkk=N4/05/5";
    const std::string v2009 = "simp=01/2/N1/J18 vsd=02/3//V2/1/K20 mdd=N3/10.01/I10 lkk=N4/05/5";
    const std::string v2018 =
        "simp=01/2/N1/J18 vsd=02/3//V2/1/K20/A2 mdd=N3/10.01/I10/A3 lkk=N4/05/5";
    const std::string v2022 =
        "simp=01/2/N1/J18/R1/S1 vsd=02/3//V2/1/K20/A2/R2/ mdd=N3/10.01/I10/A3//S3 "
        "lkk=N4/05/5/R4/";
    expectPerVersion(everyVersion(read), {early, early, early, v2009, v2009, v2018, v2018, v2022});
}

TEST(VersionFamilies, HospitalisationSickLeaveAndPrescription) {
    const auto read = [](const auto&, const auto& sheet) {
        const auto docs = sheet.Docs();
        std::string out;
        if constexpr (requires { docs.HospNapr().PathNum(); })
            out +=
                "napr=" + docs.HospNapr().HospMKB().get_item(0) + "/" + docs.HospNapr().PathNum();
        if constexpr (requires { docs.HospNapr().Hosp(); }) {
            const auto hosp = docs.HospNapr().Hosp();
            out +=
                "hosp=" + hosp.HospMKB().get_item(0) + "/" + hosp.PathNum() + "/" + hosp.NaprNo();
        }
        const auto hList = [&] {
            if constexpr (requires { docs.HList().GetCount(); })
                return docs.HList().get_item(0);
            else
                return docs.HList();
        }();
        out += " noBl=" + str(hList.NoBl()) + " days=" + str(hList.Days()) + "/" + hList.HLMKB();
        const auto drug = docs.Rp().RpDrug().get_item(0);
        out += " drug=" + drug.DrugCode() + "/" + str(drug.Quantity());
        if constexpr (requires { drug.DrugMKB(); })
            out += "/" + drug.DrugMKB() + "/" + str(drug.Day());
        if constexpr (requires { drug.PrescNum(); })
            out += " presc=" + str(drug.PrescNum());
        if constexpr (requires { drug.AllocationID(); })
            out += " allocation=" + str(drug.AllocationID());
        return out;
    };
    const std::string early = " noBl=12 days=3/J06 drug=D1/2";
    const std::string v2009 = "napr=J18/6 noBl=12 days=3/J06 drug=D1/2/J18/5 presc=12";
    const std::string v2015 = "napr=J18/6 noBl=012 days=3/J06 drug=D1/2/J18/5 presc=12";
    const std::string v2018 = "hosp=J44/7/N5 noBl=012 days=3/J06 drug=D1/2/J18/5 presc=";
    expectPerVersion(everyVersion(read), {early, early, early, v2009, v2015, v2018 + "12",
                                          v2018 + "0012", v2018 + "0012 allocation=9"});
}

}  // namespace
}  // namespace kalvex::ereport
