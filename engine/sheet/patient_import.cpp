// Patients of every NRD version: found by their number and its kind, or created; an
// existing patient is never changed.
#include "engine/sheet/patient_import.h"

#include <stdexcept>

#include "common/characters.h"
#include "common/conversions.h"
#include "common/formats.h"
#include "common/regions.h"
#include "db/database_error.h"
#include "engine/statements/column_values.h"
#include "engine/sheet/duplicate_rows.h"
#include "engine/statements/insert_statement.h"
#include "engine/run/nrd_versions.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

constexpr const char* kNoNumber = "0000000000";

// Whether the foreigner's "Sex" reads as a boolean: the mark of a foreigner's number.
template <class Patient>
bool hasForeignerSex(const Patient& patient) {
    try {
        patient.LNCH().Sex();
        return true;
    } catch (const Error&) {
        return false;  // no LNCH data, or none the model reads: not a foreigner's number
    }
}

template <class V>
InsertStatement patientInsert(bool specialist) {
    std::vector<InsertColumn> columns = {"EGN", "PID_TYPE", "BIRTH_DATE"};
    if (!specialist)
        columns.emplace_back("DOCTOR_ID");
    for (const char* c : {"RZOK", "RZOKR", "FNAME", "SNAME", "LNAME", "SEX_TYPE", "ULICA", "OBLAST",
                          "OBSHTINA", "NAS_MQSTO", "OSIGUREN", "BELEJKI", "RECKNNO", "IS_NEBL_USL"})
        columns.emplace_back(c);
    if constexpr (V::year >= 2006)
        columns.emplace_back("DATE_ZAPISVANE");
    if constexpr (V::year >= 2008)
        columns.emplace_back("COUNTRY");
    if constexpr (V::year >= 2009)
        for (const char* c : {"TYPE_CERTIFICATE", "DATEISSUE", "DATEFROM", "DATETO", "EHIC_NO",
                              "HEALTH_INSURANCE_NUMBER"})
            columns.emplace_back(c);
    if constexpr (V::year >= 2018)
        columns.emplace_back("PAT_KIND");
    return buildInsert("PACIENT", columns);
}

common::Variant dateOrNull(const std::string& text) {
    try {
        return common::DateFromSQL(text);
    } catch (const Error&) {
        return common::Null;  // an empty or malformed certificate date is stored as none
    }
}

// The certificate of a patient without a Bulgarian number (NRD 2009 on). A COUNTRY
// that cannot be read leaves its columns null.
template <class Patient>
void setCertificate(const Patient& patient, ColumnValues& row) {
    try {
        const auto country = patient.COUNTRY();
        std::string code = country.COUNTRYCODE();
        ColumnValues read;
        read.setText("COUNTRY", code == "GB" ? "UK" : code);
        read.setText("TYPE_CERTIFICATE", country.Type_CERTIFICATE());
        read.setText("HEALTH_INSURANCE_NUMBER", country.COUNTRYIDNO());
        read.set("DATEISSUE", dateOrNull(country.DateIssue()));
        read.set("DATEFROM", dateOrNull(country.DateFrom()));
        read.set("DATETO", dateOrNull(country.DateTo()));
        read.setText("EHIC_NO", country.EHIC_No());
        for (const char* c : {"COUNTRY", "TYPE_CERTIFICATE", "HEALTH_INSURANCE_NUMBER", "DATEISSUE",
                              "DATEFROM", "DATETO", "EHIC_NO"})
            row.set(c, read.get(c));
    } catch (const Error&) {
        // A COUNTRY the model cannot read: its columns stay null.
    }
}

// Sex and birth date, by the kind of number.
template <class V>
void setPersonalData(const RunContext<V>& run, const PatientIdentity& id,
                     const std::string& sourceNumber, ColumnValues& row) {
    const auto& patient = run.CurrentPatient;
    if (id.kind == "L") {
        const auto lnch = patient.LNCH();
        row.setText("SEX_TYPE", common::SEX_TYPE(lnch.Sex()));
        row.set("BIRTH_DATE", common::DateFromSQL(lnch.DateBirth()));
        return;
    }
    const bool noNumber = sourceNumber == kNoNumber && V::year >= 2008;
    if (!noNumber) {
        const std::string sex = common::EgnToSexType(id.number);
        if (sex != "-1")
            row.setText("SEX_TYPE", sex);
        row.set("BIRTH_DATE", common::EgnToBirthDate(id.number));
        return;
    }
    if constexpr (V::year == 2008) {
        // The 2008 certificate is the code alone; the number went into the identity.
        try {
            const auto country = patient.COUNTRY();
            row.setText("COUNTRY", country.COUNTRYIDNO().empty() ? "" : country.COUNTRYCODE());
        } catch (const Error&) {
            // A COUNTRY the model cannot read: the column stays null.
        }
    } else if constexpr (V::year >= 2009) {
        try {
            const auto lnch = patient.LNCH();
            row.setText("SEX_TYPE", common::SEX_TYPE(lnch.Sex()));
            row.set("BIRTH_DATE", common::DateFromSQL(lnch.DateBirth()));
        } catch (const Error&) {
            // Foreigner's data are optional here: what did not read stays null.
        }
        setCertificate(patient, row);
    }
}

// Region, municipality and place by the codes; out of the table, the "none" names
// (NRD 2005 lets the range error pass on).
template <class V>
void setAddressNames(const typename V::Patient& patient, ColumnValues& row) {
    const common::RegionIndex index =
        common::regionIndexFromCodes(patient.RZOK(), patient.ZdrRajon());
    const bool inTable = index.region >= 1 && index.region <= common::kRegionCount &&
                         index.municipality >= 0 &&
                         index.municipality < common::kMunicipalityColumns;
    if (!inTable && V::year > 2005) {
        row.setText("OBLAST", "Няма област");
        row.setText("OBSHTINA", "Няма община");
        row.setText("NAS_MQSTO", "Няма населено място");
        return;
    }
    row.setText("OBLAST", std::string(common::regionName(index.region)));
    const std::string municipality(common::municipalityName(index.region, index.municipality));
    row.setText("OBSHTINA", municipality);
    row.setText("NAS_MQSTO", municipality);
}

template <class V>
ColumnValues patientRow(const RunContext<V>& run, const PatientIdentity& id,
                        const std::string& book) {
    const auto& patient = run.CurrentPatient;
    const auto& sheet = run.CurrentAmbList;
    ColumnValues row;
    row.setInt("PAT_KIND", 1);
    row.setText("EGN", id.number);
    row.setText("PID_TYPE", id.kind);
    setPersonalData(run, id, patient.EGN(), row);
    row.setText("RZOK", patient.RZOK());
    row.setText("RZOKR", patient.ZdrRajon());
    const auto name = patient.Name();
    row.setText("FNAME", name.Given());
    row.setText("SNAME", name.Sur());
    row.setText("LNAME", name.Family());
    if constexpr (V::year >= 2018) {
        if (sheet.Incidentally())
            row.setInt("PAT_KIND", 4);
        else
            row.set("DATE_ZAPISVANE", common::DateFromSQL(sheet.DataAl()));
    } else if constexpr (V::year >= 2009) {
        row.set("DATE_ZAPISVANE", common::DateFromSQL(sheet.DataAl()));
    } else if constexpr (V::year >= 2006) {
        row.set("DATE_ZAPISVANE",
                common::DateTime{static_cast<double>(static_cast<long long>(common::now().value))});
    }
    setAddressNames<V>(patient, row);
    row.setText("ULICA", common::leftCharacters(patient.Address(), 40));
    row.setFlag("OSIGUREN", true);
    row.setText("BELEJKI", "Импортиран чрез Kalvex на " + common::DateTimeToStr(common::now()));
    if (book != "NULL")
        row.setText("RECKNNO", book);
    row.setFlag("IS_NEBL_USL", sheet.Disadv());
    if (!run.isSpecialist())
        row.setInt("DOCTOR_ID", run.CurrentDoctorID);
    return row;
}

std::string patientNames(const ereport::nrd2022::TXMLName& name) {
    return name.Given() + " " + name.Family();
}

}  // namespace

template <class V>
PatientIdentity patientIdentity(const RunContext<V>& run) {
    const auto& patient = run.CurrentPatient;
    if constexpr (V::year == 2022) {
        PatientIdentity id{ereport::ReadValue(patient, "EGN"), "E"};
        if (id.number == kNoNumber) {
            if (std::string s = ereport::ReadValue(patient, "SS_No"); !s.empty())
                id = {s, "S"};
            ereport::Element country;
            ereport::GetNode(patient, "COUNTRY", country);
            if (std::string p = ereport::ReadValue(country, "PersID_No"); !p.empty())
                id = {p, "F"};
        } else {
            ereport::Element lnch;
            ereport::GetNode(patient, "LNCH", lnch);
            if (!ereport::ReadValue(lnch, "Sex").empty())
                id.kind = "L";
        }
        return id;
    } else {
        PatientIdentity id{patient.EGN(), "E"};
        if constexpr (V::year >= 2009) {
            // The foreign number wins even when it is empty, as these versions had it.
            if (id.number == kNoNumber)
                return {patient.COUNTRY().PersID_No(), "F"};
        }
        if (hasForeignerSex(patient))
            id.kind = "L";
        if constexpr (V::year == 2008) {
            if (id.number == kNoNumber) {
                if (std::string no = patient.COUNTRY().COUNTRYIDNO(); !no.empty())
                    id = {no, "F"};
            }
        }
        return id;
    }
}

template <class V>
common::Variant GetPatientID(RunContext<V>& run) {
    const PatientIdentity id = patientIdentity(run);
    // Cast wide: a number longer than the column matches nothing instead of failing.
    return run.dm.SqlToValue(
        "SELECT p.ID FROM PACIENT p WHERE p.EGN = CAST(:EGN AS VARCHAR(1000)) and "
        "p.PID_TYPE = CAST(:KIND AS VARCHAR(10))",
        {{"EGN", id.number}, {"KIND", id.kind}});
}

template <class V>
bool ImportPatient(RunContext<V>& run, const std::string& book) {
    const auto name = run.CurrentPatient.Name();
    if (const common::Variant found = GetPatientID(run); !common::isNull(found)) {
        run.CurrentPatientID = static_cast<std::int32_t>(std::get<std::int64_t>(found));
        run.log("Импортиране на пациент: Пациентът " + patientNames(name) +
                " вече съществува в базата на Salvix");
        ++run.counts[RowKind::patient].existing;
        return true;
    }
    const PatientIdentity id = patientIdentity(run);
    const ColumnValues row = patientRow(run, id, book);
    static const InsertStatement gp = patientInsert<V>(false);
    static const InsertStatement specialist = patientInsert<V>(true);
    std::string failure;
    try {
        run.CurrentPatientID =
            executeInsert(run, run.dm.qryPatient, run.isSpecialist() ? specialist : gp, row);
        ++run.counts[RowKind::patient].written;
        return true;
    } catch (const db::DatabaseError& e) {
        if (alreadyThere(e, [&] { return !common::isNull(GetPatientID(run)); })) {
            run.log("Импортиране на Пациент: Пациентът вече съществува в базата, ЕГН = " +
                    run.CurrentPatient.EGN());
            ++run.counts[RowKind::patient].existing;
        } else if (V::year < 2018 || db::isDatabaseFault(e)) {
            throw;
        } else {
            // NRD 2018 on goes past a patient whose own data the database refuses; the
            // sheet is skipped below, with the reason in the log.
            failure = common::oneLine(e.what());
        }
    }
    // The row the insert could not write may be there all the same (a duplicate key).
    const common::Variant written = GetPatientID(run);
    if (common::isNull(written)) {
        run.log("Импортиране на АЛ: Амб. лист с номер " + run.CurrentAmbList.NoAl() +
                " не е импортиран: пациентът " + patientNames(name) + " с ЕГН " + id.number +
                " не е намерен и не може да бъде записан в базата на Salvix" +
                (failure.empty() ? "" : " (" + failure + ")"));
        ++run.counts[RowKind::patient].skippedNotFound;
        return false;
    }
    run.CurrentPatientID = static_cast<std::int32_t>(std::get<std::int64_t>(written));
    return true;
}

#define KALVEX_INSTANTIATE(V)                                          \
    template PatientIdentity patientIdentity<V>(const RunContext<V>&); \
    template common::Variant GetPatientID<V>(RunContext<V>&);          \
    template bool ImportPatient<V>(RunContext<V>&, const std::string&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
