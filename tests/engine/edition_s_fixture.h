#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "common/date_time.h"
#include "engine_test.h"

// Imports into a specialist's database ("Salvix S") and reads an examination's columns
// back as short texts: NULL, 12, 'text', 2023-04-07.
namespace kalvex::engine {

inline std::string show(const common::Variant& value) {
    if (common::isNull(value))
        return "NULL";
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&value))
        return "'" + *text + "'";
    if (const auto* date = std::get_if<common::DateTime>(&value)) {
        const common::DateParts p = common::decodeDateTime(*date);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
        return buffer;
    }
    return std::to_string(std::get<double>(value));
}

inline std::string secondaryVisit(const std::string& noAmbL, const std::string& dateAmbL) {
    return "<SecondaryVisit><NoAmbL>" + noAmbL + "</NoAmbL><dateAmbL>" + dateAmbL +
           "</dateAmbL></SecondaryVisit>";
}

inline std::string primaryVisit(const std::string& noNapr, int vidNapr, int naprFor,
                                const std::string& sendedFromExtra = "") {
    return "<PrimaryVisit><VidNapr>" + std::to_string(vidNapr) + "</VidNapr><NoNapr>" + noNapr +
           "</NoNapr><NaprFor>" + std::to_string(naprFor) +
           "</NaprFor><dateNapr>2023-04-01</dateNapr><SendedFrom><PracticeCode>2201000002"
           "</PracticeCode><UIN>0400000009</UIN><SIMPCode>05</SIMPCode>" +
           sendedFromExtra + "</SendedFrom></PrimaryVisit>";
}

inline std::string simpList(const std::string& visits) {
    return "<SIMPList>" + visits + "</SIMPList>";
}

class SpecialistTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        doctor = addDoctor("0400000001", 3);
    }

    // Imports `sheets` of a doctor with "SIMPCode" `simpCode` into the specialist database.
    void import(int year, std::vector<testing::SheetInput> sheets,
                const std::string& simpCode = "05") {
        testing::ReportInput report;
        report.doctors[0].simpCode = simpCode;
        report.doctors[0].sheets = std::move(sheets);
        run(year, report, under(doctor, 1));
    }

    // `column` of the examination whose sheet number (or NRN) is `number`.
    std::string column(const std::string& name, const std::string& number) {
        return show(value("SELECT " + name + " FROM PREGLED WHERE AMB_LISTN = :N OR NRN = :N",
                          {{"N", number}}));
    }

    static testing::SheetInput sheet(const std::string& noAl, const std::string& examType,
                                     const std::string& extra) {
        testing::SheetInput s;
        s.noAl = noAl;
        s.examType = examType;
        s.extra = extra;
        return s;
    }

    std::int32_t doctor = 0;
};

}  // namespace kalvex::engine
