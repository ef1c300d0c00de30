#include "import/report_generator.h"

#include <array>
#include <cstdio>
#include <unordered_set>
#include <utility>
#include <vector>

#include "import/random_draws.h"
#include "import/sheet_documents.h"

namespace kalvex::bench {
namespace {

using Pair = std::pair<const char*, const char*>;  // male and female form

constexpr std::array<const char*, 14> kMaleGiven = {
    "Иван",  "Георги", "Димитър", "Петър",    "Николай", "Христо",     "Стоян",
    "Тодор", "Васил",  "Йордан",  "Красимир", "Ангел",   "Александър", "Веселин"};
constexpr std::array<const char*, 14> kFemaleGiven = {
    "Мария",   "Елена",   "Йорданка", "Десислава", "Цветанка", "Радка",  "Надежда",
    "Виолета", "Гергана", "Милена",   "Теодора",   "Анна",     "Росица", "Снежана"};
constexpr std::array<Pair, 14> kFatherNames = {{{"Иванов", "Иванова"},
                                                {"Георгиев", "Георгиева"},
                                                {"Димитров", "Димитрова"},
                                                {"Петров", "Петрова"},
                                                {"Николаев", "Николаева"},
                                                {"Христов", "Христова"},
                                                {"Стоянов", "Стоянова"},
                                                {"Тодоров", "Тодорова"},
                                                {"Василев", "Василева"},
                                                {"Йорданов", "Йорданова"},
                                                {"Красимиров", "Красимирова"},
                                                {"Ангелов", "Ангелова"},
                                                {"Александров", "Александрова"},
                                                {"Веселинов", "Веселинова"}}};
constexpr std::array<Pair, 16> kFamilyNames = {{{"Петров", "Петрова"},
                                                {"Иванов", "Иванова"},
                                                {"Георгиев", "Георгиева"},
                                                {"Димитров", "Димитрова"},
                                                {"Стоянов", "Стоянова"},
                                                {"Николов", "Николова"},
                                                {"Атанасов", "Атанасова"},
                                                {"Костадинов", "Костадинова"},
                                                {"Ангелов", "Ангелова"},
                                                {"Маринов", "Маринова"},
                                                {"Колев", "Колева"},
                                                {"Попов", "Попова"},
                                                {"Илиев", "Илиева"},
                                                {"Вълчев", "Вълчева"},
                                                {"Цветков", "Цветкова"},
                                                {"Шишманов", "Шишманова"}}};
// Foreigners: a given and a family name, no father's name.
constexpr std::array<Pair, 8> kForeignNames = {{{"Томас", "Мюлер"},
                                                {"Андреас", "Шмит"},
                                                {"Олга", "Коваленко"},
                                                {"Дмитрий", "Соколов"},
                                                {"Айше", "Йълмаз"},
                                                {"Джон", "Смит"},
                                                {"Лучия", "Роси"},
                                                {"Ахмед", "Хасан"}}};

struct Town {
    const char* name;
    const char* rzok;
};
constexpr std::array<Town, 9> kTowns = {{{"гр. София", "22"},
                                         {"гр. Пловдив", "16"},
                                         {"гр. Варна", "03"},
                                         {"гр. Бургас", "02"},
                                         {"гр. Стара Загора", "24"},
                                         {"гр. Русе", "18"},
                                         {"гр. Плевен", "15"},
                                         {"гр. Благоевград", "01"},
                                         {"с. Горна Малина", "23"}}};
constexpr std::array<const char*, 12> kStreets = {"ул. Шипка",
                                                  "бул. Витоша",
                                                  "ул. Раковски",
                                                  "ул. Христо Ботев",
                                                  "бул. Цар Освободител",
                                                  "ул. Васил Левски",
                                                  "ул. Иван Вазов",
                                                  "ул. Гурко",
                                                  "ж.к. Младост 1, бл.",
                                                  "ж.к. Люлин 5, бл.",
                                                  "ж.к. Тракия, бл.",
                                                  "ул. Оборище"};

struct Diagnosis {
    const char* mkb;
    const char* name;
};
constexpr std::array<Diagnosis, 16> kDiagnoses = {{
    {"I10", "Есенциална (първична) хипертония"},
    {"E11.9", "Неинсулинозависим захарен диабет без усложнения"},
    {"J06.9", "Остра инфекция на горните дихателни пътища, неуточнена"},
    {"J20.9", "Остър бронхит, неуточнен"},
    {"M54.5", "Болка в кръста"},
    {"I25.1", "Атеросклеротична болест на сърцето"},
    {"E78.0", "Чиста хиперхолестеролемия"},
    {"K29.7", "Гастрит, неуточнен"},
    {"N39.0", "Инфекция на пикочните пътища с неуточнена локализация"},
    {"J45.9", "Астма, неуточнена"},
    {"I48", "Предсърдно мъждене и трептене"},
    {"E03.9", "Хипотиреоидизъм, неуточнен"},
    {"F41.1", "Генерализирано тревожно разстройство"},
    {"Z00.0", "Общ медицински преглед"},
    {"Z34.0", "Наблюдение върху протичането на нормална първа бременност"},
    {"Z23.8", "Необходимост от имунизация срещу друго инфекциозно заболяване"},
}};
constexpr std::array<Diagnosis, 6> kProcedures = {{
    {"89.52", "Електрокардиограма"},
    {"90.59", "Изследване на кръв"},
    {"99.23", "Инжекция на стероид"},
    {"96.59", "Друго напояване на рана"},
    {"93.94", "Инхалационна терапия"},
    {"89.7", "Общ физикален преглед"},
}};
constexpr std::array<const char*, 6> kComplaints = {
    "Оплаквания от главоболие и световъртеж от няколко дни.",
    "Кашлица с храчки и температура до 38,2 °C от три дни.",
    "Болки в кръста при навеждане, без ирадиация.",
    "Идва за контролен преглед, без оплаквания.",
    "Сърцебиене и задух при физическо натоварване.",
    "Парене при уриниране и често позиви от два дни."};
constexpr std::array<const char*, 4> kStates = {
    "Общо състояние добро. АН 150/90 mmHg, СЧ 78 уд/мин.",
    "Везикуларно дишане със сухи хрипове двустранно. Гърло зачервено.",
    "Корем мек, неболезнен. Черен дроб не се палпира.",
    "Ритмична сърдечна дейност, ясни тонове. Без отоци."};
constexpr std::array<const char*, 4> kTherapies = {
    "Почивка, обилни течности, Парацетамол 500 mg при нужда.",
    "Продължава досегашната терапия. Контрол след месец.",
    "Диета с ограничение на солта, двигателен режим.",
    "Амоксицилин 500 mg по 1 таблетка три пъти дневно за 7 дни."};

struct Patient {
    std::string egn, given, sur, family, rzok, zdrRajon, address, extra, book;
};

class Generator : RandomDraws {
  public:
    Generator(unsigned seed, int immunisationPercent)
        : RandomDraws(seed), documents_(seed + 1, immunisationPercent) {}

    GeneratedReport run(int sheets) {
        GeneratedReport report;
        report.input.dateFrom = "2022-05-01";
        report.input.dateTo = "2022-05-31";
        testing::DoctorInput& doctor = report.input.doctors.front();
        doctor.uin = "2300012345";
        doctor.egn = "7204156625";
        doctor.fullName = "Радка Петрова Стоянова";
        doctor.sheets.reserve(static_cast<std::size_t>(sheets));
        for (int i = 0; i < sheets; ++i) {
            const bool repeat = !patients_.empty() && chance(30);
            if (!repeat)
                patients_.push_back(newPatient());
            const Patient& patient = repeat ? patients_[pick(patients_.size())] : patients_.back();
            doctor.sheets.push_back(sheet(i, patient));
        }
        report.patients = static_cast<int>(patients_.size());
        expected_[engine::RowKind::patient].written = report.patients;
        expected_[engine::RowKind::examination].written = sheets;
        report.expected = expected_;
        return report;
    }

  private:
    // A valid personal number: birth date, serial (its last digit even for a man) and
    // the check digit.
    std::string personalNumber(int year, int month, int day, bool male) {
        for (;;) {
            const int serial = between(0, 499) * 2 + (male ? 0 : 1);
            const int coded = year >= 2000 ? month + 40 : month;
            std::string egn =
                digits(year % 100, 2) + digits(coded, 2) + digits(day, 2) + digits(serial, 3);
            constexpr int weights[] = {2, 4, 8, 5, 10, 9, 7, 3, 6};
            int sum = 0;
            for (int i = 0; i < 9; ++i)
                sum += (egn[static_cast<std::size_t>(i)] - '0') * weights[i];
            egn += static_cast<char>('0' + sum % 11 % 10);
            if (numbers_.insert(egn).second)
                return egn;
        }
    }
    std::string uniqueNumber(const std::string& prefix, int width) {
        for (;;) {
            std::string number = prefix + digits(between(0, 999999999), width);
            if (numbers_.insert(number).second)
                return number;
        }
    }

    std::string address(const Town& town) {
        std::string text =
            std::string(town.name) + ", " + any(kStreets) + " " + std::to_string(between(1, 180));
        // Some addresses run past the 40 characters the patient's row keeps.
        if (chance(35))
            text += ", вх. " + std::string(chance(50) ? "А" : "Б") + ", ет. " +
                    std::to_string(between(1, 12)) + ", ап. " + std::to_string(between(1, 90));
        return text;
    }

    static std::string lnch(const std::string& birth, bool male) {
        return "<LNCH><dateBirth>" + birth + "</dateBirth><Sex>" + flag(male) + "</Sex></LNCH>";
    }
    std::string certificate(bool withPersonalId) {
        static constexpr std::array<const char*, 5> countries = {"DE", "GB", "GR", "RO", "IT"};
        const std::string code = any(countries);
        std::string xml = "<COUNTRY><COUNTRYCODE>" + code +
                          "</COUNTRYCODE><Type_CERTIFICATE>S1</Type_CERTIFICATE><COUNTRYIDNO>" +
                          uniqueNumber(code, 10) +
                          "</COUNTRYIDNO><DateIssue>2021-03-01</DateIssue><DateFrom>2021-03-01"
                          "</DateFrom><DateTo>2026-02-28</DateTo><EHIC_No>" +
                          uniqueNumber("80" + code, 16) + "</EHIC_No>";
        if (withPersonalId)
            xml += "<PersID_No>" + uniqueNumber("P", 9) + "</PersID_No>";
        return xml + "</COUNTRY>";
    }

    Patient newPatient() {
        Patient p;
        const bool male = chance(48);
        const int year = between(1932, 2021), month = between(1, 12), day = between(1, 28);
        const Town& town = kTowns[pick(kTowns.size())];
        p.rzok = town.rzok;
        p.zdrRajon = digits(between(1, 6), 2);
        p.address = address(town);
        const int kind = between(1, 100);
        if (kind <= 88) {
            p.egn = personalNumber(year, month, day, male);
            p.given = male ? any(kMaleGiven) : any(kFemaleGiven);
            const Pair father = any(kFatherNames), family = any(kFamilyNames);
            p.sur = male ? father.first : father.second;
            p.family = male ? family.first : family.second;
        } else {
            const Pair name = any(kForeignNames);
            p.given = name.first;
            p.family = name.second;
            const std::string birth =
                std::to_string(year) + "-" + digits(month, 2) + "-" + digits(day, 2);
            if (kind <= 94) {
                // A foreigner with a residence number (LNCH).
                p.egn = uniqueNumber("", 10);
                p.extra = lnch(birth, male);
            } else {
                // No Bulgarian number: the social security number, with the health
                // certificate; some also carry the foreign personal number.
                p.egn = "0000000000";
                p.extra = "<SS_No>" + uniqueNumber("SS", 10) + "</SS_No>" + lnch(birth, male) +
                          certificate(kind > 98);
            }
        }
        p.extra += "<IsHealthInsurance>" + flag(!chance(3)) + "</IsHealthInsurance>";
        if (chance(20))
            p.book = digits(between(100000, 999999), 6);
        return p;
    }

    std::string visitFor() {
        std::string xml = "<VisitFor><Consult>" + flag(chance(60)) + "</Consult><Disp>" +
                          flag(chance(25)) + "</Disp><RpHosp>" + flag(chance(2)) +
                          "</RpHosp><Telk>" + flag(chance(1)) + "</Telk>";
        const bool commission = chance(1);
        xml += "<LKKVisit>" + flag(commission) + "</LKKVisit><CountLKKMembers>" +
               (commission ? "3" : "0") + "</CountLKKMembers>";
        if (chance(15)) {
            const int kind = between(1, 3);
            xml += "<Profilact><Child>" + flag(kind == 1) + "</Child><Mother>" + flag(kind == 2) +
                   "</Mother><Over18>" + flag(kind == 3) + "</Over18>";
            if (kind == 2)
                xml += "<GestWeek>" + std::to_string(between(6, 40)) + "</GestWeek>";
            xml += "<Risk>" + flag(chance(10)) + "</Risk></Profilact>";
        }
        return xml + "</VisitFor>";
    }

    std::string docs(const Patient& patient, const SheetDocuments& issued) {
        std::string xml = "<Docs><Izvestie>" + flag(chance(2)) + "</Izvestie><EtEpikriza>" +
                          flag(chance(3)) + "</EtEpikriza><MedicalNote>" + flag(chance(8)) +
                          "</MedicalNote><TalonTELK>" + flag(issued.telk) + "</TalonTELK>" +
                          issued.docs;
        if (!patient.book.empty() || !issued.drugs.empty()) {
            xml += "<Rp>";
            if (!patient.book.empty())
                xml += "<RpBook>" + patient.book + "</RpBook>";
            xml += issued.drugs + "</Rp>";
        }
        return xml + "</Docs>";
    }

    testing::SheetInput sheet(int index, const Patient& patient) {
        testing::SheetInput s;
        const int day = between(2, 31);
        const bool national = chance(75);
        if (national) {
            char nrn[32];
            std::snprintf(nrn, sizeof nrn, "22%03d%c%06X", 120 + day, "ABCD"[index % 4],
                          static_cast<unsigned>(index) & 0xFFFFFFu);
            s.noAl = nrn;
        } else {
            s.noAl = digits(index + 1, 6);
        }
        s.dataAl = "2022-05-" + digits(day, 2);
        s.time = digits(between(8, 17), 2) + ":" + digits(between(0, 59), 2);
        static constexpr std::array<const char*, 6> examTypes = {"11", "11", "11",
                                                                 "12", "12", "21"};
        s.examType = any(examTypes);
        s.egn = patient.egn;
        s.given = patient.given;
        s.sur = patient.sur;
        s.family = patient.family;
        s.rzok = patient.rzok;
        s.zdrRajon = patient.zdrRajon;
        s.address = patient.address;
        s.patientExtra = patient.extra;
        const Diagnosis main = any(kDiagnoses);
        s.mainMkb = main.mkb;
        s.mainName = main.name;
        s.flags = "<Sign>1</Sign><Pay>" + flag(chance(5)) + "</Pay><Incidentally>" +
                  flag(chance(5)) + "</Incidentally><Disadv>" + flag(chance(3)) + "</Disadv>";

        std::string& x = s.extra;
        for (int n = between(0, 3); n > 0; --n) {
            const Diagnosis d = any(kDiagnoses);
            x += "<Diag><imeD>" + std::string(d.name) + "</imeD><MKB>" + d.mkb + "</MKB>";
            if (chance(10))
                x += "<MKBLinkD>I25.1</MKBLinkD>";
            x += "</Diag>";
        }
        for (int n = chance(40) ? between(1, 2) : 0; n > 0; --n) {
            const Diagnosis p = any(kProcedures);
            x += "<Procedure><imeP>" + std::string(p.name) + "</imeP><kodP>" + p.mkb +
                 "</kodP><CountP>1</CountP></Procedure>";
        }
        x += "<Anamnesa>" + std::string(any(kComplaints)) + "</Anamnesa><HState>" + any(kStates) +
             "</HState><Examine>ПКК, СУЕ, урина</Examine><Therapy><Nonreimburce>" +
             any(kTherapies) + "</Nonreimburce></Therapy>";
        const SheetDocuments issued = documents_.draw(day, expected_);
        x += visitFor() + docs(patient, issued) + issued.immunisation;
        x += "<PatientofNeotl>0</PatientofNeotl><PatientofNeotlID>0</PatientofNeotlID>";
        if (national)
            x += "<NRN>" + s.noAl + "</NRN><NzisStatus>6</NzisStatus>";
        x += "<CopiedFromNRN/>";
        return s;
    }

    DocumentDrafter documents_;
    engine::ImportCounts expected_;
    std::vector<Patient> patients_;
    std::unordered_set<std::string> numbers_;
};

}  // namespace

GeneratedReport generateReport(int sheets, int immunisationPercent, unsigned seed) {
    return Generator(seed, immunisationPercent).run(sheets);
}

}  // namespace kalvex::bench
