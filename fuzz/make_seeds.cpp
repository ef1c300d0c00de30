// Writes the seed e-reports of fuzz/corpus/: for every NRD version, small reports that
// each carry one part of a sheet, so that every view of the model starts from a file
// that reaches it. Built and run by tools/make_fuzz_seeds.sh; the seeds are committed.
//   make_seeds OUTPUT_FOLDER
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "support/report_builder.h"
#include "support/sample_documents.h"

namespace {

using kalvex::testing::DoctorInput;
using kalvex::testing::ReportInput;
using kalvex::testing::SheetInput;
namespace sample = kalvex::testing::sample;

const int kYears[] = {2005, 2006, 2008, 2009, 2015, 2018, 2021, 2022};

// Why the patient came, with a referral in and the visit's reasons; counts from 2022.
std::string visit(int year) {
    const std::string flag = year == 2022 ? "2" : "1";
    std::string reasons = "<VisitFor><Consult>" + flag + "</Consult><Profilact><Child>" + flag +
                          "</Child><Mother>0</Mother><GestWeek>12</GestWeek><Over18>" + flag +
                          "</Over18>" + (year >= 2006 ? "<Risk>0</Risk>" : "") +
                          "</Profilact><Disp>0</Disp><VSDVisit><Hosp>1</Hosp></VSDVisit>"
                          "<RpHosp>0</RpHosp><LKKVisit>1</LKKVisit>";
    if (year >= 2006)
        reasons += "<CountLKKMembers>2</CountLKKMembers>";
    if (year >= 2009)
        reasons += "<LKKMember><UIN>0400000002</UIN><SIMPCode>05</SIMPCode></LKKMember>";
    reasons += "<Telk>0</Telk></VisitFor>";
    return "<SIMPList><PrimaryVisit><VidNapr>1</VidNapr><NoNapr>77</NoNapr><NaprFor>2</NaprFor>"
           "<dateNapr>2023-04-01</dateNapr><SendedFrom><PracticeCode>2201000002</PracticeCode>"
           "<UIN>0400000003</UIN><SIMPCode>00</SIMPCode><H_S>0</H_S><UINH_S/></SendedFrom>"
           "</PrimaryVisit><SecondaryVisit><NoAmbL>000400</NoAmbL><dateAmbL>2023-03-30"
           "</dateAmbL></SecondaryVisit></SIMPList>" +
           reasons;
}

// What the examination found and did: diagnoses, procedures, therapy, a substitute doctor.
std::string examination(int year) {
    std::string xml =
        "<Hired_Subst><H_S>1</H_S><UINH_S>0400000004</UINH_S><FullNameH_S>Петя Колева "
        "Иванова</FullNameH_S></Hired_Subst><Diag><imeD>Захарен диабет</imeD><MKB>E11</MKB>"
        "<imeLinkD/><MKBLinkD>E11.9</MKBLinkD></Diag><Anamnesa>Оплаквания</Anamnesa>"
        "<HState>Добро</HState><Examine>RR 140/90</Examine>";
    if (year >= 2015)
        xml += "<Procedure><imeP>ЕКГ</imeP><kodP>01.11</kodP><CountP>1</CountP>" +
               std::string(year >= 2018 ? "<ACHIcode>11700-00</ACHIcode>" : "") + "</Procedure>";
    if (year <= 2008)
        return xml + "<Therapy>Метформин 2x500 мг</Therapy>";
    return xml +
           "<Therapy><Nonreimburce>Аспирин</Nonreimburce><Reimbursible><DrugCode>A0001"
           "</DrugCode><DrugMKB>E11.9</DrugMKB><Quantity>60</Quantity><Day>30</Day>"
           "</Reimbursible></Therapy>";
}

// A foreigner with a personal number of their country; the certificate from 2009.
std::string foreigner(int year) {
    std::string xml = "<LNCH><dateBirth>1980-02-03</dateBirth><Sex>1</Sex></LNCH>";
    if (year >= 2008) {
        xml += "<COUNTRY><COUNTRYCODE>DE</COUNTRYCODE><COUNTRYIDNO>X12345</COUNTRYIDNO>";
        if (year >= 2009)
            xml +=
                "<Type_CERTIFICATE>S1</Type_CERTIFICATE><DateIssue>2023-01-01</DateIssue>"
                "<DateFrom>2023-01-01</DateFrom><DateTo>2023-12-31</DateTo><EHIC_No>80276"
                "</EHIC_No><PersID_No>DE-77</PersID_No>";
        xml += "</COUNTRY>";
    }
    if (year >= 2009)
        xml += "<SS_No>123/45</SS_No>";
    if (year >= 2018)
        xml += "<IsHealthInsurance>1</IsHealthInsurance>";
    return xml;
}

// The clinical and ambulatory procedure referrals that came in 2018.
std::string procedureReferrals() {
    return "<Docs><HospNapr><Cpr><CprMKB>M17.1</CprMKB><CprNum>12</CprNum><NaprNo>3</NaprNo>"
           "<DateNapr>2023-04-05</DateNapr></Cpr><Apr><AprMKB>I10</AprMKB><AprNum>38</AprNum>"
           "<NaprNo>4</NaprNo><DateNapr>2023-04-05</DateNapr></Apr></HospNapr>"
           "<MedicalNote>1</MedicalNote></Docs>";
}

std::string report(int year, const std::string& extra, const std::string& patientExtra = "") {
    SheetInput sheet;
    sheet.extra = extra;
    sheet.patientExtra = patientExtra;
    if (year == 2022)
        sheet.extra +=
            "<NRN>23049A000001</NRN><NzisStatus>5</NzisStatus><CopiedFromNRN/>"
            "<PatientofNeotl>0</PatientofNeotl><PatientofNeotlID>0</PatientofNeotlID>";
    if (year == 2005)
        sheet.extra += "<Portable>0</Portable>";
    ReportInput input;
    input.doctors = {DoctorInput{}};
    input.doctors[0].sheets = {sheet};
    std::string xml = kalvex::testing::reportXml(input);
    if (year >= 2018) {
        const std::string fund =
            "<NZOKCode>22</NZOKCode><ContractNo>220123</ContractNo><ContractDate>2023-01-02"
            "</ContractDate><ContrHA>1</ContrHA>";
        xml.insert(xml.find("<Doctor>"), fund);
    }
    return xml;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seeds OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    for (const int year : kYears) {
        std::vector<std::pair<std::string, std::string>> seeds = {
            {"visit", report(year, visit(year))},
            {"examination", report(year, examination(year))},
            {"foreigner", report(year, "", foreigner(year))},
            {"immunisations", report(year, sample::immunisations(year))},
            {"documents",
             report(year, "<Docs>" + sample::medicalReferrals(year) +
                              sample::diagnosticReferrals(year) + sample::consultation(year) +
                              sample::expertCommission() + "</Docs>")},
            {"hospitalisation", report(year, "<Docs>" + sample::hospitalisation(year) +
                                                 sample::sickLeave(year) + "</Docs>")},
            {"prescriptions", report(year, "<Docs>" + sample::prescriptions(year) + "</Docs>")},
        };
        // Flags may be written as words, in any case.
        std::string words = report(year, "");
        words.replace(words.find("<Sign>1</Sign>"), 14, "<Sign>TRUE</Sign>");
        words.replace(words.find("<Pay>1</Pay>"), 12, "<Pay>true</Pay>");
        words.replace(words.find("<Incidentally>0</Incidentally>"), 30,
                      "<Incidentally>False</Incidentally>");
        seeds.emplace_back("flag-words", words);
        if (year >= 2018)
            seeds.emplace_back("procedure-referrals", report(year, procedureReferrals()));
        for (const auto& [kind, xml] : seeds) {
            std::ofstream out(folder + "/nrd" + std::to_string(year) + "-" + kind + ".xml",
                              std::ios::binary);
            out << xml;
            if (!out) {
                std::cerr << "make_seeds: cannot write into " << folder << "\n";
                return 1;
            }
        }
    }
    return 0;
}
