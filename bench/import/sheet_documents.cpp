#include "import/sheet_documents.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kalvex::bench {
namespace {

using engine::RowKind;

// Percent of sheets that issue each document.
constexpr int kMedicalReferral = 25;
constexpr int kDiagnosticReferral = 20;
constexpr int kConsultation = 5;
constexpr int kCommission = 3;
constexpr int kTelk = 1;
constexpr int kHospitalisation = 3;
constexpr int kPrescription = 30;
constexpr int kSickLeave = 8;

// Codes the practice database's catalogues hold, so that every document finds its rows.
constexpr std::array<const char*, 4> kReferralSpecialities = {"05", "12", "14", "01"};
constexpr std::array<int, 6> kReferralFor = {1, 1, 1, 7, 9, 12};
constexpr std::array<const char*, 4> kReferralCodes = {"I10", "E11.9 I10", "M54.5", "I25.1"};
constexpr std::array<const char*, 4> kTests = {"01.01", "01.03", "01.06", "06.01"};
struct Activity {
    const char* speciality;
    const char* code;
};
constexpr std::array<Activity, 3> kActivities = {
    {{"05", "88.72"}, {"14", "95.09"}, {"05", "89.52"}}};
constexpr std::array<const char*, 3> kCommissionSpecialities = {"05", "12", "14"};
constexpr std::array<const char*, 4> kClinicalPaths = {"120", "38.1", "7", "245"};
constexpr std::array<const char*, 3> kVaccines = {"1", "12", "31"};
constexpr std::array<const char*, 3> kDrugs = {"A0001", "C0042", "R0103"};
constexpr std::array<const char*, 3> kSickLeaveCodes = {"J06.9", "M54.5", "J20.9"};

std::string date(int day) {
    char text[32];
    std::snprintf(text, sizeof text, "2022-%02d-%02d", day > 31 ? 6 : 5, day > 31 ? day - 31 : day);
    return text;
}

}  // namespace

std::string DocumentDrafter::nationalNumber(int day, char kind) {
    char text[32];
    std::snprintf(text, sizeof text, "22%03d%c%06X", 120 + day, kind,
                  static_cast<unsigned>(++serial_) & 0xFFFFFFu);
    return text;
}

// A national number in `nationalPercent` of the documents, the practice's own otherwise.
std::string DocumentDrafter::number(int day, char kind, int nationalPercent) {
    return chance(nationalPercent) ? nationalNumber(day, kind) : std::to_string(++practiceNumber_);
}

std::string DocumentDrafter::registerData(const std::string& number) {
    if (number.size() != 12)
        return "";
    return "<NRN>" + number + "</NRN><NzisStatus>5</NzisStatus>";
}

std::string DocumentDrafter::medicalReferral(int day) {
    const std::string no = number(day, 'C', 80);
    return "<SIMPConsult><kodSp>" + std::string(any(kReferralSpecialities)) + "</kodSp><SpFor>" +
           std::to_string(any(kReferralFor)) + "</SpFor><NoN>" + no + "</NoN><SIMPMKB>" +
           any(kReferralCodes) + "</SIMPMKB>" + registerData(no) + "</SIMPConsult>";
}

std::string DocumentDrafter::diagnosticReferral(int day, int& tests) {
    const std::string no = number(day, 'B', 80);
    std::string xml = "<MDD><NoMDD>" + no + "</NoMDD><MDDFor>" + std::to_string(between(1, 6)) +
                      "</MDDFor><MDDMKB>" + any(kReferralCodes) + "</MDDMKB>";
    std::array<const char*, kTests.size()> order = kTests;
    for (std::size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[pick(i + 1)]);
    tests = between(1, static_cast<int>(order.size()));
    for (int i = 0; i < tests; ++i)
        xml += "<kodMDD>" + std::string(order[static_cast<std::size_t>(i)]) + "</kodMDD>";
    return xml + registerData(no) + "</MDD>";
}

std::string DocumentDrafter::consultation(int day) {
    const std::string no = number(day, 'C', 80);
    const Activity activity = any(kActivities);
    return "<VSDSIMPConsult><kodSpVSD>" + std::string(activity.speciality) + "</kodSpVSD><VSDFor>" +
           std::to_string(between(1, 7)) + "</VSDFor><NoNVSD>" + no + "</NoNVSD><kodVSD>" +
           activity.code + "</kodVSD><HospVSD>0</HospVSD><VSDMKB>" + any(kReferralCodes) +
           "</VSDMKB>" + registerData(no) + "</VSDSIMPConsult>";
}

std::string DocumentDrafter::commission(int day, int& members) {
    const std::string no = number(day, 'L', 70);
    std::string xml = "<LKK><NoLKK>" + no + "</NoLKK><TypeLKK>" +
                      std::to_string(chance(30) ? 61 : between(1, 5)) + "</TypeLKK>";
    members = between(2, static_cast<int>(kCommissionSpecialities.size()));
    for (int i = 0; i < members; ++i)
        xml += "<CodeSpec>" + std::string(kCommissionSpecialities[static_cast<std::size_t>(i)]) +
               "</CodeSpec>";
    return xml + registerData(no) + "</LKK>";
}

std::string DocumentDrafter::hospitalisation(int day) {
    const std::string no = number(day, 'H', 90);
    return "<HospNapr><Hosp><PathNum>" + std::string(any(kClinicalPaths)) + "</PathNum><NaprNo>" +
           no + "</NaprNo><DateNapr>" + date(day) + "</DateNapr><HospMKB>" + any(kReferralCodes) +
           "</HospMKB>" + registerData(no) + "</Hosp></HospNapr>";
}

std::string DocumentDrafter::immunisation(int day, int& rows) {
    const std::size_t first = pick(kVaccines.size());
    rows = chance(30) ? 2 : 1;
    std::string xml = "<Imun>";
    for (int i = 0; i < rows; ++i)
        xml += "<CodeImun>" +
               std::string(kVaccines[(first + static_cast<std::size_t>(i)) % kVaccines.size()]) +
               "</CodeImun>";
    xml += "<Vaccine><VaccineNo>AB" + digits(between(1000, 9999), 4) +
           "</VaccineNo><VaccineType>1</VaccineType></Vaccine><NoImun>" + nationalNumber(day, 'I') +
           "</NoImun>";
    // The tuberculin test is a row of its own beside the vaccines.
    if (chance(15)) {
        xml += "<Mantu>90</Mantu>";
        ++rows;
    }
    return xml + "</Imun>";
}

// One prescription of 1 to 4 drugs; a fourth repeats a drug, which takes a form row of
// its own.
std::string DocumentDrafter::prescription(int day, int& rows) {
    const std::string form = chance(85) ? nationalNumber(day, 'A') : digits(between(1, 999999), 6);
    const int drugs = between(1, 4);
    const std::size_t first = pick(kDrugs.size());
    std::string xml;
    for (int i = 0; i < drugs; ++i)
        xml += "<RpDrug><prescNum>" + form + "</prescNum><DrugCode>" +
               kDrugs[(first + static_cast<std::size_t>(i)) % kDrugs.size()] +
               "</DrugCode><DrugMKB>" + any(kReferralCodes) + "</DrugMKB><Quantity>" +
               std::to_string(between(1, 3) * 30) + "</Quantity><Day>30</Day></RpDrug>";
    rows = drugs > static_cast<int>(kDrugs.size()) ? 2 : 1;
    return xml;
}

std::string DocumentDrafter::sickLeave(int day) {
    const int days = between(3, 10);
    return "<HList><NoBl>" + digits(between(100000, 999999), 6) +
           digits(between(100000, 999999), 6) + "</NoBl><days>" + std::to_string(days) +
           "</days><HLMKB>" + any(kSickLeaveCodes) + "</HLMKB><HLFromDate>" + date(day) +
           "</HLFromDate><HLToDate>" + date(day + days - 1) + "</HLToDate><HLtype>" +
           flag(chance(20)) + "</HLtype></HList>";
}

SheetDocuments DocumentDrafter::draw(int day, engine::ImportCounts& expected) {
    SheetDocuments d;
    std::string& x = d.docs;
    if (chance(kMedicalReferral)) {
        x += medicalReferral(day);
        ++expected[RowKind::medicalReferral].written;
    }
    if (chance(kDiagnosticReferral)) {
        int tests = 0;
        x += diagnosticReferral(day, tests);
        ++expected[RowKind::diagnosticReferral].written;
        expected[RowKind::analysis].written += tests;
    }
    if (chance(kConsultation)) {
        x += consultation(day);
        ++expected[RowKind::consultation].written;
    }
    if (chance(kCommission)) {
        int members = 0;
        x += commission(day, members);
        ++expected[RowKind::commission].written;
        expected[RowKind::commissionMember].written += members;
    }
    d.telk = chance(kTelk);
    if (d.telk)
        ++expected[RowKind::telkReferral].written;
    if (chance(kHospitalisation)) {
        x += hospitalisation(day);
        ++expected[RowKind::hospitalisation].written;
    }
    if (chance(immunisationPercent_)) {
        int rows = 0;
        d.immunisation = immunisation(day, rows);
        expected[RowKind::immunisation].written += rows;
    }
    if (chance(kPrescription)) {
        int rows = 0;
        d.drugs = prescription(day, rows);
        expected[RowKind::prescription].written += rows;
    }
    if (chance(kSickLeave)) {
        x += sickLeave(day);
        ++expected[RowKind::sickLeave].written;
    }
    return d;
}

}  // namespace kalvex::bench
