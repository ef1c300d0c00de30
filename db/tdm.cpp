#include "db/tdm.h"

#include <iostream>

#include "common/error.h"
#include "db/gdb_mediator.h"

namespace kalvex::db {

Tdm::~Tdm() {
    try {
        GDBCloseDatabase(*this);
    } catch (const Error& e) {
        // The program is ending and a destructor cannot throw: the message goes to the
        // one channel left, and the engine rolls back whatever it could not commit.
        std::cerr << e.what() << '\n';
    }
}

std::array<Statement*, 14> Tdm::namedStatements() {
    return {&qryPatient,         &qryAmbList,        &qryDoctor,   &qryMedNapr,       &qryMDD,
            &qryAnalysis,        &qryVSDSIMPConsult, &qryExam_LKK, &qryExamLKKDoctor, &qryNaprTelk,
            &qryHospitalization, &qryImmunization,   &qryRecipes,  &qryBolnList};
}

void Tdm::clearNamedStatements() {
    for (Statement* statement : namedStatements())
        statement->setSql("");
}

}  // namespace kalvex::db
