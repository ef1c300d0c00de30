#pragma once
// Writes a generated NRD 2022 e-report of a given size, as a busy practice fills it in.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kalvex::bench {

// One ambulatory sheet with the parts a busy practice fills in.
inline void writeSheet(std::ostream& out, int number) {
    const std::string n = std::to_string(number);
    out << "    <AmbList>\n"
           "      <NoAl>"
        << n
        << "</NoAl>\n"
           "      <dataAl>2022-05-31</dataAl>\n      <time>10:15</time>\n      <Pay>0</Pay>\n"
           "      <Hired_Subst><H_S>0</H_S><UINH_S/><FullNameH_S/></Hired_Subst>\n"
           "      <Patient>\n        <EGN>7501011234</EGN>\n        <RZOK>22</RZOK>\n"
           "        <ZdrRajon>01</ZdrRajon>\n"
           "        <Name><Given>Иван</Given><Sur>Петров</Sur><Family>Стоянов</Family></Name>\n"
           "        <Address>гр. София, ул. Витоша 12</Address>\n"
           "        <IsHealthInsurance>1</IsHealthInsurance>\n      </Patient>\n"
           "      <Disadv>0</Disadv>\n      <Incidentally>0</Incidentally>\n"
           "      <MainDiag><imeMD>Есенциална хипертония</imeMD><MKB>I10</MKB></MainDiag>\n"
           "      <Diag><imeD>Захарен диабет</imeD><MKB>E11</MKB></Diag>\n"
           "      <Procedure><imeP>ЕКГ</imeP><kodP>01</kodP><CountP>1</CountP></Procedure>\n"
           "      <Anamnesa>Оплаквания от главоболие и световъртеж от няколко дни.</Anamnesa>\n"
           "      <HState>Общо състояние добро. АН 150/90.</HState>\n"
           "      <Examine>ПКК, урина</Examine>\n"
           "      <Therapy><Nonreimburce>Почивка</Nonreimburce><Reimbursible><DrugCode>A123"
           "</DrugCode><DrugMKB>I10</DrugMKB><Quantity>1</Quantity><Day>30</Day></Reimbursible>"
           "</Therapy>\n"
           "      <VisitFor><Consult>1</Consult><Disp>0</Disp><RpHosp>0</RpHosp>"
           "<LKKVisit>0</LKKVisit><CountLKKMembers>0</CountLKKMembers><Telk>0</Telk></VisitFor>\n"
           "      <ExamType>1</ExamType>\n"
           "      <Docs>\n        <MDD><NoMDD>"
        << n
        << "</NoMDD><MDDFor>1</MDDFor>"
           "<kodMDD>01.01</kodMDD><MDDMKB>I10</MDDMKB></MDD>\n"
           "        <Rp><RpBook>123456</RpBook><RpDrug><prescNum>1</prescNum><DrugCode>A123"
           "</DrugCode><DrugMKB>I10</DrugMKB><Quantity>1</Quantity><Day>30</Day>"
           "<AllocationID>0</AllocationID></RpDrug></Rp>\n"
           "      </Docs>\n      <Sign>1</Sign>\n"
           "      <PatientofNeotl>0</PatientofNeotl>\n      "
           "<PatientofNeotlID>0</PatientofNeotlID>\n"
           "      <NRN>22151A000001</NRN>\n      <NzisStatus>5</NzisStatus>\n"
           "      <CopiedFromNRN>-</CopiedFromNRN>\n    </AmbList>\n";
}

// The sheet's text, without the blanks between elements when `compact`.
inline std::string sheetText(int number, bool compact) {
    std::ostringstream sheet;
    writeSheet(sheet, number);
    std::string text = sheet.str();
    if (!compact)
        return text;
    std::string packed;
    packed.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            while (i + 1 < text.size() && text[i + 1] == ' ')
                ++i;
            continue;
        }
        packed += text[i];
    }
    return packed;
}

// `declaration` is the file's first line.
inline std::uintmax_t writeReport(
    const std::string& fileName, std::uintmax_t targetBytes, bool compact,
    const std::string& declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>") {
    std::ofstream out(fileName, std::ios::binary);
    out << declaration
        << "\n<Practice>\n"
           "  <PracticeCode>2201234567</PracticeCode>\n  <PracticeName>ГП Здраве</PracticeName>\n"
           "  <DateFrom>2022-05-01</DateFrom>\n  <DateTo>2022-05-31</DateTo>\n"
           "  <ContrHA>0</ContrHA>\n  <Doctor>\n    <UIN>1234567890</UIN>\n"
           "    <FullName>Иван Петров Стоянов</FullName>\n";
    for (int sheet = 0; static_cast<std::uintmax_t>(out.tellp()) < targetBytes; ++sheet)
        out << sheetText(sheet, compact);
    out << "  </Doctor>\n</Practice>\n";
    out.close();
    return std::filesystem::file_size(fileName);
}

}  // namespace kalvex::bench
