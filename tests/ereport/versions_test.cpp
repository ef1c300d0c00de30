// Where the NRD versions read the same text differently.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ereport/xml_report.h"
#include "report_files.h"

namespace kalvex::ereport {
// Every property of the shared shapes compiles for each version that uses them.
template class nrd2022::BasicAmbList<nrd2009::TXMLPatient, nrd2005::TXMLProcedure_,
                                     nrd2009::TXMLVisitFor, nrd2005::TXMLImun, nrd2009::TXMLDocs>;
template class nrd2022::BasicAmbList<nrd2022::TXMLPatient, nrd2022::TXMLProcedure_,
                                     nrd2009::TXMLVisitFor, nrd2018::TXMLImun, nrd2018::TXMLDocs>;
template class nrd2022::BasicAmbList<nrd2022::TXMLPatient, nrd2022::TXMLProcedure_,
                                     nrd2009::TXMLVisitFor, nrd2022::TXMLImun, nrd2021::TXMLDocs>;
template class nrd2022::BasicAmbList<nrd2022::TXMLPatient, nrd2022::TXMLProcedure_,
                                     nrd2022::TXMLVisitFor, nrd2022::TXMLImun, nrd2022::TXMLDocs>;
template class nrd2005::EarlyAmbList<nrd2005::TXMLPatient, nrd2005::TXMLVisitFor,
                                     nrd2005::TXMLDocs>;
template class nrd2005::EarlyAmbList<nrd2008::TXMLPatient, nrd2006::TXMLVisitFor,
                                     nrd2006::TXMLDocs>;
template class nrd2009::BasicDocs<nrd2009::TXMLSIMPConsult, nrd2009::TXMLVSDSIMPConsult,
                                  nrd2009::TXMLMDD, nrd2009::TXMLHospNapr, nrd2015::TXMLHList,
                                  nrd2009::TXMLRp>;
template class nrd2009::BasicDocsWithNote<
    nrd2018::TXMLSIMPConsult2018, nrd2018::TXMLVSDSIMPConsult2018, nrd2018::TXMLMDD2018,
    nrd2022::TXMLHospNapr, nrd2022::TXMLHList, nrd2018::TXMLRp2018>;
template class nrd2022::BasicDoctor<nrd2015::TXMLAmbList>;
template class nrd2022::BasicRp<nrd2021::TXMLRpDrug>;
template class nrd2005::EarlyPractice<nrd2015::TXMLDoctor>;
template class nrd2018::ListedPractice<nrd2018::TXMLDoctor>;
template class nrd2022::SinglePractice<nrd2021::TXMLDoctor>;

namespace {

class VersionsTest : public ::testing::Test {
  protected:
    // The first sheet of the first doctor of `body` (the content of "Practice").
    template <class Practice, class Bind>
    auto firstSheet(const std::string& body, Bind bind) {
        document_ = files_.parse("<Practice>" + body + "</Practice>");
        const Practice practice = bind(*document_);
        if constexpr (requires { practice.Doctor().GetCount(); })
            return practice.Doctor().get_item(0).AmbList().get_item(0);
        else
            return practice.Doctor().AmbList().get_item(0);
    }

    testing::ReportFiles files_;
    std::shared_ptr<Document> document_;
};

std::string failureOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

TEST_F(VersionsTest, CertificateNumberIsANumberIn2009TextIn2022AndStrictTextIn2015) {
    const std::string letters =
        "<Doctor><AmbList><Docs><HList><NoBl>AB12</NoBl></HList><HList><NoBl/></HList></Docs>"
        "</AmbList></Doctor>";
    const auto s2009 = firstSheet<nrd2009::TXMLPractice>(letters, nrd2009::GetPractice2009);
    EXPECT_EQ(failureOf([&] { s2009.Docs().HList().get_item(0).NoBl(); }),
              "Could not convert variant of type (String) into type (Integer)");

    const auto s2015 = firstSheet<nrd2015::TXMLPractice>(letters, nrd2015::GetPractice2015);
    EXPECT_EQ(s2015.Docs().HList().get_item(0).NoBl(), "AB12");
    EXPECT_EQ(failureOf([&] { s2015.Docs().HList().get_item(1).NoBl(); }),
              "Could not convert variant of type (Null) into type (OleStr)");

    const auto s2022 = firstSheet<nrd2022::TXMLPractice>(letters, nrd2022::GetPractice2022);
    EXPECT_EQ(s2022.Docs().HList().get_item(0).NoBl(), "AB12");
    EXPECT_EQ(s2022.Docs().HList().get_item(1).NoBl(), "");
}

TEST_F(VersionsTest, ConsultIsAFlagUntil2021AndACountIn2022) {
    const std::string body =
        "<Doctor><AmbList><VisitFor><Consult>2</Consult><Profilact><Risk>1</Risk></Profilact>"
        "</VisitFor></AmbList></Doctor>";
    const auto s2021 = firstSheet<nrd2021::TXMLPractice>(body, nrd2021::GetPractice2021);
    EXPECT_TRUE(s2021.VisitFor().Consult());
    EXPECT_TRUE(s2021.VisitFor().Profilact().Risk());
    const auto s2022 = firstSheet<nrd2022::TXMLPractice>(body, nrd2022::GetPractice2022);
    EXPECT_EQ(s2022.VisitFor().Consult(), 2);
    EXPECT_EQ(s2022.VisitFor().Profilact().Risk(), 1);
}

TEST_F(VersionsTest, In2005ASheetHasOneCertificate) {
    const auto s2005 = firstSheet<nrd2005::TXMLPractice>(
        "<Doctor><AmbList><Portable>1</Portable><Docs><HList><NoBl>7</NoBl><days>3</days></HList>"
        "<HList><NoBl>8</NoBl></HList></Docs></AmbList></Doctor>",
        nrd2005::GetPractice2005);
    EXPECT_TRUE(s2005.Portable());
    EXPECT_EQ(s2005.Docs().HList().NoBl(), 7);
    EXPECT_EQ(s2005.Docs().HList().Days(), 3);
}

TEST_F(VersionsTest, TherapyIsTextIn2008AndAnElementIn2022) {
    const std::string body =
        "<Doctor><AmbList><Therapy><Nonreimburce>rest</Nonreimburce>"
        "<Reimbursible><Quantity>2</Quantity></Reimbursible></Therapy></AmbList></Doctor>";
    const auto s2008 = firstSheet<nrd2008::TXMLPractice>(body, nrd2008::GetPractice2008);
    EXPECT_EQ(failureOf([&] { s2008.Therapy(); }), "Element does not contain a single text node");
    const auto s2022 = firstSheet<nrd2022::TXMLPractice>(body, nrd2022::GetPractice2022);
    EXPECT_EQ(s2022.Therapy().Nonreimburce(), "rest");
    EXPECT_EQ(s2022.Therapy().Reimbursible().get_item(0).Quantity(), 2);
}

TEST_F(VersionsTest, PrescriptionNumberIsANumberFrom2009To2018AndTextFrom2021) {
    const std::string body =
        "<Doctor><AmbList><Docs><Rp><RpDrug><prescNum>0012</prescNum></RpDrug></Rp></Docs>"
        "</AmbList></Doctor>";
    const auto s2018 = firstSheet<nrd2018::TXMLPractice>(body, nrd2018::GetPractice2018);
    EXPECT_EQ(s2018.Docs().Rp().RpDrug().get_item(0).PrescNum(), 12);
    const auto s2021 = firstSheet<nrd2021::TXMLPractice>(body, nrd2021::GetPractice2021);
    EXPECT_EQ(s2021.Docs().Rp().RpDrug().get_item(0).PrescNum(), "0012");
}

TEST_F(VersionsTest, TwoDoctorsAreAListIn2018AndTheFirstIsTheDoctorIn2021) {
    const std::string body = "<Doctor><UIN>1</UIN></Doctor><Doctor><UIN>2</UIN></Doctor>";
    document_ = files_.parse("<Practice>" + body + "</Practice>");
    const auto doctors = nrd2018::GetPractice2018(*document_).Doctor();
    ASSERT_EQ(doctors.GetCount(), 2);
    EXPECT_EQ(doctors.get_item(1).UIN(), "2");
    EXPECT_EQ(nrd2021::GetPractice2021(*document_).Doctor().UIN(), "1");
}

TEST_F(VersionsTest, HospitalisationReferralIsOneElementIn2009) {
    const auto s2009 = firstSheet<nrd2009::TXMLPractice>(
        "<Doctor><AmbList><Docs><HospNapr><HospMKB>J18</HospMKB><PathNum>5</PathNum>"
        "</HospNapr><TalonTELK>1</TalonTELK></Docs></AmbList></Doctor>",
        nrd2009::GetPractice2009);
    EXPECT_EQ(s2009.Docs().HospNapr().HospMKB().get_item(0), "J18");
    EXPECT_EQ(s2009.Docs().HospNapr().PathNum(), "5");
    EXPECT_TRUE(s2009.Docs().TalonTELK());
}

TEST(EveryVersion, BindsTheRootAndListsItsDoctors) {
    testing::ReportFiles files;
    const std::string fileName = files.write(
        "<Practice><Doctor><UIN>1</UIN><FullName>A</FullName><AmbList/></Doctor>"
        "<Doctor><UIN>2</UIN><FullName>B</FullName></Doctor></Practice>");
    const std::vector<XmlDoctorItem> both = {{"A  (1 амб.листа)", 0, "1"},
                                             {"B  (0 амб.листа)", 1, "2"}};
    const std::vector<XmlDoctorItem> first = {both[0]};
    const std::vector<XmlDoctorItem> expected[] = {{},   both, both,  both, both,
                                                   both, both, first, first};
    XmlReport report;
    for (int nrd = 0; nrd < XmlReport::kVersionCount; ++nrd)
        EXPECT_EQ(report.XMLLoadFile(nrd, fileName), expected[nrd]) << "NRD index " << nrd;
    EXPECT_EQ(report.Doctors2005().get_item(1).FullName(), "B");
    EXPECT_EQ(report.Doctors2006().GetCount(), 2);
    EXPECT_EQ(report.Doctors2008().GetCount(), 2);
    EXPECT_EQ(report.Doctors2009().GetCount(), 2);
    EXPECT_EQ(report.Doctors2015().GetCount(), 2);
    EXPECT_EQ(report.Practice2015().Doctor().GetCount(), 2);
    EXPECT_EQ(report.Doctor2021().UIN(), "1");
    EXPECT_EQ(report.Practice2022().Doctor().UIN(), "1");
}

}  // namespace
}  // namespace kalvex::ereport
