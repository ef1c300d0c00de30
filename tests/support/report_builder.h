#pragma once

#include <string>
#include <vector>

// E-reports for the engine's tests and benchmark, written from a few fields: a sheet
// carries the elements every version's model must read, and `extra` adds any other.
namespace kalvex::testing {

struct SheetInput {
    std::string noAl = "000412";
    std::string dataAl = "2023-04-07";
    std::string time = "10:30";
    std::string examType = "11";
    std::string egn = "7501020018";
    std::string given = "Иван";
    std::string sur = "Петров";
    std::string family = "Стоянов";
    std::string rzok = "22";
    std::string zdrRajon = "01";
    std::string address = "ул. Шипка 12";
    std::string patientExtra;  // more children of "Patient"
    std::string mainMkb = "I10";
    std::string mainName = "Есенциална хипертония";
    std::string extra;  // more children of "AmbList": VisitFor, Docs, Diag, Procedure, ...
    std::string flags =
        "<Sign>1</Sign><Pay>1</Pay><Incidentally>0</Incidentally><Disadv>0</Disadv>";
};

struct DoctorInput {
    std::string uin = "0400000001";
    std::string egn = "6101010013";
    std::string fullName = "Мария Иванова Петрова";
    std::string simpCode = "00";
    std::vector<SheetInput> sheets;
};

struct ReportInput {
    std::string dateFrom = "2023-04-01";
    std::string dateTo = "2023-04-30";
    std::vector<DoctorInput> doctors{DoctorInput{}};
};

// Dates `report` and its sheets within the period of NRD `year` (2005 … 2022), keeping
// their months and days: the defaults fall in NRD 2022's.
inline void dateWithin(int year, ReportInput& report) {
    if (year == 2022)
        return;
    const auto moved = [year](std::string& date) {
        if (date.size() > 4)
            date.replace(0, 4, std::to_string(year));
    };
    moved(report.dateFrom);
    moved(report.dateTo);
    for (DoctorInput& doctor : report.doctors)
        for (SheetInput& sheet : doctor.sheets)
            moved(sheet.dataAl);
}

inline std::string xmlEscape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
    return out;
}

inline std::string sheetXml(const SheetInput& s) {
    return "<AmbList><NoAl>" + xmlEscape(s.noAl) + "</NoAl><dataAl>" + s.dataAl +
           "</dataAl><time>" + s.time + "</time><Patient><EGN>" + s.egn + "</EGN><RZOK>" + s.rzok +
           "</RZOK><ZdrRajon>" + s.zdrRajon + "</ZdrRajon><Name><Given>" + xmlEscape(s.given) +
           "</Given><Sur>" + xmlEscape(s.sur) + "</Sur><Family>" + xmlEscape(s.family) +
           "</Family></Name><Address>" + xmlEscape(s.address) + "</Address>" + s.patientExtra +
           "</Patient><MainDiag><MKB>" + s.mainMkb + "</MKB><imeMD>" + xmlEscape(s.mainName) +
           "</imeMD></MainDiag><ExamType>" + s.examType + "</ExamType>" + s.flags + s.extra +
           "</AmbList>";
}

// The e-report of NRD `year` (the root's shape is the same for every version).
inline std::string reportXml(const ReportInput& r) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Practice><PracticeCode>"
        "2201000001</PracticeCode><PracticeName>ИППМП</PracticeName><DateFrom>" +
        r.dateFrom + "</DateFrom><DateTo>" + r.dateTo + "</DateTo>";
    for (const DoctorInput& d : r.doctors) {
        xml += "<Doctor><UIN>" + d.uin + "</UIN><EGN>" + d.egn + "</EGN><FullName>" +
               xmlEscape(d.fullName) + "</FullName><SIMPCode>" + d.simpCode + "</SIMPCode>";
        for (const SheetInput& s : d.sheets)
            xml += sheetXml(s);
        xml += "</Doctor>";
    }
    return xml + "</Practice>\n";
}

}  // namespace kalvex::testing
