// The codes of a medico-diagnostic referral: its type and its diagnoses.
#include <algorithm>
#include <utility>

#include "common/characters.h"
#include "common/tokenizer.h"
#include "engine/documents/diagnostic_referrals.h"

namespace kalvex::engine::mdd {
namespace {

// "MDDFor" to MED_DIAG_NAPR_TYPE_ID; the values between have no type.
constexpr std::pair<std::int32_t, std::int32_t> kNaprTypes[] = {
    {1, 1}, {2, 2}, {4, 3}, {6, 9}, {7, 4}, {8, 5}, {9, 6}, {10, 7}, {13, 8}};

constexpr std::size_t kCodeLength = 6;

// A piece longer than a code can be is no code.
std::string ReadNextToken(const std::string& token, std::size_t n) {
    return common::characterCount(token) <= n ? token : std::string();
}

}  // namespace

std::int32_t MapMDDNaprTypes(std::int32_t mddFor) {
    for (const auto& [from, to] : kNaprTypes)
        if (from == mddFor)
            return to;
    return -1;
}

MddCodes ReadMddMkb(std::string_view text) {
    MddCodes codes;
    if (common::characterCount(text) <= kCodeLength) {
        codes.main = std::string(text);
        return codes;
    }
    common::TTokenizer tokenizer(common::blankSeparator());
    tokenizer.Init(text);
    // The tokenizer yields an empty piece between two blanks as well as at the end.
    const auto pieces = std::count(text.begin(), text.end(), ' ') + 1;
    codes.main = ReadNextToken(tokenizer.GetNextToken(), kCodeLength);
    codes.add = ReadNextToken(tokenizer.GetNextToken(), kCodeLength);
    for (auto n = 2; n < pieces; ++n) {
        std::string piece = tokenizer.GetNextToken();
        if (!piece.empty())
            codes.leftOut.push_back(std::move(piece));
    }
    return codes;
}

void logCodesLeftOut(RunState& run, const Sheet& sheet, std::string_view noMDD, int written,
                     const std::vector<std::string>& leftOut) {
    if (leftOut.empty())
        return;
    std::string line = "АЛ " + sheet.noAl + ": МДН " + std::string(noMDD) + ": " +
                       (written == 1 ? std::string("записан е първият код")
                                     : "записани са първите " + std::to_string(written) + " кода") +
                       ", не са записани: ";
    for (std::size_t n = 0; n < leftOut.size(); ++n)
        line += (n == 0 ? "" : ", ") + leftOut[n];
    run.log(line);
}

std::string duplicateReferralLine(const Sheet& sheet) {
    return "Това медико-диагностично направление вече съществува в базата, АЛ = " + sheet.noAl;
}

}  // namespace kalvex::engine::mdd
