// Writes the sample e-reports of samples/: one small e-report of each NRD version and,
// for NRD 2022, a general practitioner's and a specialist's, every one carrying each kind
// of document its version issues. Built and run by tools/make_samples.sh; the samples
// are committed, so this runs only when they are to change.
//   make_samples OUTPUT_FOLDER
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "support/report_builder.h"
#include "support/sample_documents.h"

namespace {

using kalvex::testing::SheetInput;
using kalvex::testing::xmlEscape;

struct Person {
    const char* egn;
    const char* given;
    const char* sur;
    const char* family;
    const char* address;
};

// Invented people; each personal number carries a valid date and check digit.
const Person kPatients[] = {
    {"5403120467", "Георги", "Стефанов", "Ангелов", "ул. Раковски 41"},
    {"4807271530", "Росица", "Димитрова", "Колева", "ж.к. Младост 2, бл. 214"},
    {"8509143263", "Борислав", "Петков", "Николов", "ул. Цар Симеон 8"},
    {"9202034718", "Десислава", "Иванова", "Маринова", "бул. Витоша 102"},
    {"6306192089", "Кирил", "Тодоров", "Вълчев", "ул. Опълченска 17"},
    {"4511210642", "Атанас", "Христов", "Милев", "с. Бистрица, ул. Първа 3"},
    {"7708085194", "Цветелина", "Георгиева", "Йорданова", "ул. Граф Игнатиев 25"},
    {"5701012628", "Петър", "Василев", "Костадинов", "ж.к. Люлин 5, бл. 530"},
    {"8812304451", "Елица", "Стоянова", "Русева", "ул. Солунска 9"},
    {"6005183815", "Надежда", "Кирилова", "Ганчева", "бул. България 58"},
    {"4310070560", "Стоян", "Ненов", "Даскалов", "ул. Оборище 66"},
};

struct Doctor {
    const char* uin;
    const char* egn;
    const char* fullName;
};

struct Sample {
    const char* file;
    int year;
    const char* period;  // "yyyy-mm" of the reported month
    Doctor doctor;
    const char* simpCode;
    const char* practiceCode;
    const char* practiceName;
};

const Sample kSamples[] = {
    {"nrd2005.xml",
     2005,
     "2005-09",
     {"2300010051", "6803151248", "Николай Христов Дамянов"},
     "00",
     "2201000101",
     "ИППМП „Д-р Дамянов“"},
    {"nrd2006.xml",
     2006,
     "2006-05",
     {"2300010062", "7209086514", "Милена Петрова Стайкова"},
     "00",
     "2201000102",
     "ИППМП „Здраве“"},
    {"nrd2008.xml",
     2008,
     "2008-10",
     {"2300010083", "6502214037", "Светла Илиева Караджова"},
     "00",
     "2201000103",
     "ИППМП „Д-р Караджова“"},
    {"nrd2009.xml",
     2009,
     "2009-11",
     {"2300010094", "7911042873", "Вяра Любенова Христова"},
     "00",
     "2201000104",
     "ИППМП „Св. Пантелеймон“"},
    {"nrd2015.xml",
     2015,
     "2015-03",
     {"2300010155", "8306175526", "Калоян Методиев Славов"},
     "00",
     "2201000105",
     "ИППМП „Витоша“"},
    {"nrd2018.xml",
     2018,
     "2018-06",
     {"2300010186", "6107300940", "Емил Борисов Захариев"},
     "00",
     "2201000106",
     "ИППМП „Д-р Захариев“"},
    {"nrd2021.xml",
     2021,
     "2021-10",
     {"2300010217", "7012123663", "Пламен Огнянов Тончев"},
     "00",
     "2201000107",
     "ИППМП „Лозенец“"},
    {"nrd2022-gp.xml",
     2022,
     "2023-04",
     {"2300010228", "7704054180", "Ивайло Симеонов Генов"},
     "00",
     "2201000108",
     "ИППМП „Д-р Генов“"},
    {"nrd2022-s.xml",
     2022,
     "2023-04",
     {"2300020229", "6901235805", "Траян Асенов Бонев"},
     "05",
     "2202000109",
     "АСИМП „Кардио“"},
};

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The documents are written for April 2023; a sample of another month dates them there.
std::string documents(const Sample& s) {
    return replaceAll(kalvex::testing::sampleDocuments(s.year), "2023-04-",
                      std::string(s.period) + "-");
}

SheetInput sheet(const Sample& s, const std::string& noAl, const char* day, const Person& p) {
    SheetInput sheet;
    sheet.noAl = noAl;
    sheet.dataAl = std::string(s.period) + "-" + day;
    sheet.egn = p.egn;
    sheet.given = p.given;
    sheet.sur = p.sur;
    sheet.family = p.family;
    sheet.address = p.address;
    return sheet;
}

std::string diagnosis(const char* mkb, const char* name) {
    return std::string("<Diag><MKB>") + mkb + "</MKB><imeD>" + xmlEscape(name) + "</imeD></Diag>";
}

std::string procedure(const char* code, const char* name, const std::string& count = {}) {
    return std::string("<Procedure><imeP>") + name + "</imeP><kodP>" + code + "</kodP>" + count +
           "</Procedure>";
}

std::string visitFor(bool consult, bool disp) {
    return std::string("<VisitFor><Consult>") + (consult ? "1" : "0") + "</Consult><Disp>" +
           (disp ? "1" : "0") + "</Disp></VisitFor>";
}

// A practitioner's month: a consultation that issues every document, a follow-up of a
// chronic patient and, in every other version, a home visit.
std::vector<SheetInput> practitionerSheets(const Sample& s, int first) {
    const Person& a = kPatients[first % std::size(kPatients)];
    const Person& b = kPatients[(first + 1) % std::size(kPatients)];
    const Person& c = kPatients[(first + 2) % std::size(kPatients)];
    // Six digits, the version's two last ones first: 000501, 000502, ...
    const auto number = [&s](int n) {
        const std::string digits = std::to_string(s.year % 100 * 100 + n);
        return std::string(6 - digits.size(), '0') + digits;
    };

    SheetInput consultation = sheet(s, s.year == 2022 ? "23097A12B3C4" : number(1), "07", a);
    consultation.extra = visitFor(true, false) +
                         diagnosis("E11.9", "Неинсулинозависим захарен диабет без усложнения") +
                         (s.year >= 2015 ? procedure("89.52", "Електрокардиограма") : "") +
                         documents(s);

    SheetInput followUp = sheet(s, number(2), "12", b);
    followUp.examType = "12";
    followUp.mainMkb = "E11.9";
    followUp.mainName = "Неинсулинозависим захарен диабет без усложнения";
    followUp.extra = visitFor(false, true) + diagnosis("I10", "Есенциална хипертония");

    std::vector<SheetInput> sheets{consultation, followUp};
    if (s.year % 2 == 0 || s.year == 2015) {
        SheetInput home = sheet(s, number(3), "18", c);
        home.examType = "21";
        home.mainMkb = "J06.9";
        home.mainName = "Остра инфекция на горните дихателни пътища";
        home.extra = visitFor(true, false);
        sheets.push_back(home);
    }
    return sheets;
}

// A cardiologist's month: a first visit on a general practitioner's national referral
// with an ECG, its follow-up naming the first sheet, and an echocardiography on a
// referral under a practice number.
std::vector<SheetInput> specialistSheets(const Sample& s) {
    const Person& a = kPatients[8];
    const Person& b = kPatients[9];
    const std::string sentFrom =
        "<SendedFrom><PracticeCode>2201000108</PracticeCode><UIN>2300010228</UIN>"
        "<SIMPCode>00</SIMPCode></SendedFrom>";

    SheetInput first = sheet(s, "000301", "05", a);
    first.extra =
        "<SIMPList><PrimaryVisit><VidNapr>1</VidNapr><NoNapr>23093C000017</NoNapr>"
        "<NaprFor>1</NaprFor><dateNapr>2023-04-03</dateNapr>" +
        sentFrom + "</PrimaryVisit></SIMPList>" + visitFor(true, false) +
        diagnosis("E11.9", "Неинсулинозависим захарен диабет без усложнения") +
        procedure("89.52", "Електрокардиограма") + documents(s);

    SheetInput second = sheet(s, "000302", "19", a);
    second.examType = "12";
    second.extra =
        "<SIMPList><SecondaryVisit><NoAmbL>000301</NoAmbL><dateAmbL>2023-04-05</dateAmbL>"
        "</SecondaryVisit></SIMPList>" +
        visitFor(true, false) + procedure("89.52", "Електрокардиограма", "<CountP>1</CountP>");

    SheetInput echo = sheet(s, "000303", "21", b);
    echo.mainMkb = "I25.1";
    echo.mainName = "Атеросклеротична болест на сърцето";
    echo.extra =
        "<SIMPList><PrimaryVisit><VidNapr>1</VidNapr><NoNapr>245</NoNapr>"
        "<NaprFor>7</NaprFor><dateNapr>2023-04-14</dateNapr>" +
        sentFrom +
        "</PrimaryVisit></SIMPList><VisitFor><VSDVisit><Hosp>0</Hosp></VSDVisit>"
        "</VisitFor>" +
        procedure("88.72", "Ехокардиография");
    return {first, second, echo};
}

// One element a line, indented, a value on its parent's line: an e-report as people read it.
std::string indented(const std::string& xml) {
    std::string out;
    int depth = 0;
    std::size_t at = 0;
    const auto tagAt = [&xml](std::size_t from) {
        return xml.substr(from, xml.find('>', from) - from + 1);
    };
    while (at < xml.size()) {
        if (xml[at] != '<') {  // text outside any element: only line ends
            ++at;
            continue;
        }
        const std::string tag = tagAt(at);
        at += tag.size();
        if (tag.rfind("<?", 0) == 0) {
            out += tag + "\n";
        } else if (tag.rfind("</", 0) == 0) {
            --depth;
            out += std::string(2 * depth, ' ') + tag + "\n";
        } else {
            const std::size_t textEnd = xml.find('<', at);
            const std::string text = xml.substr(at, textEnd - at);
            if (xml.compare(textEnd, 2, "</") == 0) {  // a value: open, text, close on one line
                const std::string close = tagAt(textEnd);
                out += std::string(2 * depth, ' ') + tag + text + close + "\n";
                at = textEnd + close.size();
            } else {
                out += std::string(2 * depth, ' ') + tag + "\n";
                ++depth;
            }
        }
    }
    return out;
}

std::string report(const Sample& s, const std::vector<SheetInput>& sheets) {
    const std::string period(s.period);
    const int month = std::stoi(period.substr(5));
    static const char* const kLastDay[] = {"31", "28", "31", "30", "31", "30",
                                           "31", "31", "30", "31", "30", "31"};
    std::string xml = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Practice>") +
                      "<PracticeCode>" + s.practiceCode + "</PracticeCode><PracticeName>" +
                      xmlEscape(s.practiceName) + "</PracticeName><DateFrom>" + period +
                      "-01</DateFrom><DateTo>" + period + "-" + kLastDay[month - 1] +
                      "</DateTo><Doctor><UIN>" + s.doctor.uin + "</UIN><EGN>" + s.doctor.egn +
                      "</EGN><FullName>" + xmlEscape(s.doctor.fullName) + "</FullName><SIMPCode>" +
                      s.simpCode + "</SIMPCode>";
    for (const SheetInput& sheet : sheets)
        xml += kalvex::testing::sheetXml(sheet);
    return indented(xml + "</Doctor></Practice>");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_samples OUTPUT_FOLDER\n";
        return 2;
    }
    int first = 0;
    for (const Sample& s : kSamples) {
        const std::vector<SheetInput> sheets =
            std::string(s.simpCode) == "00" ? practitionerSheets(s, first++) : specialistSheets(s);
        const std::string path = std::string(argv[1]) + "/" + s.file;
        std::ofstream out(path, std::ios::binary);
        out << report(s, sheets);
        if (!out) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
