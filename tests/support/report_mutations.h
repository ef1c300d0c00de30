#pragma once

#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "support/report_builder.h"

// Faults drawn into a well-formed e-report (report_builder.h): one value of a sheet made
// too long, empty, no number or a code no catalogue holds, or one of its documents
// repeated or emptied. Every mutation keeps the XML well formed and the sheet numbers of
// the report distinct, so that a sheet is still known by its number.
namespace kalvex::testing {

enum class MutationKind { tooLong, empty, nonNumeric, unknownCode, repeated, emptied };

inline const char* mutationName(MutationKind kind) {
    constexpr std::array<const char*, 6> names = {"too long",     "empty",    "not a number",
                                                  "unknown code", "repeated", "emptied"};
    return names[static_cast<std::size_t>(kind)];
}

inline std::size_t characters(const std::string& utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        n += (c & 0xC0) != 0x80;
    return n;
}

// `text` cut to its first 80 characters, for a message.
inline std::string shortened(const std::string& text) {
    std::size_t at = 0;
    for (std::size_t n = 0; at < text.size(); ++at)
        if ((text[at] & 0xC0) != 0x80 && ++n > 80)
            return text.substr(0, at) + "... (" + std::to_string(characters(text)) + " characters)";
    return text;
}

struct Mutation {
    std::size_t sheet = 0;    // position in the first doctor's sheets
    std::string sheetNumber;  // its NoAl before the mutation
    std::string element;      // the element mutated
    MutationKind kind = MutationKind::empty;
    std::string before, after;  // the value, or the document

    std::string text() const {
        std::string out = "sheet " + std::to_string(sheet) + " (No " + sheetNumber + ") <" +
                          element + ">: " + mutationName(kind);
        if (kind != MutationKind::repeated && kind != MutationKind::emptied)
            out += " \"" + shortened(before) + "\" -> \"" + shortened(after) + "\"";
        return out;
    }
};

class ReportMutator {
  public:
    explicit ReportMutator(std::mt19937& random) : random_(random) {}

    // Applies one mutation to a sheet of `report` and says what it did.
    Mutation mutate(ReportInput& report) {
        std::vector<SheetInput>& sheets = report.doctors.front().sheets;
        for (;;) {
            const std::size_t index = pick(sheets.size());
            SheetInput& sheet = sheets[index];
            Mutation m;
            m.sheet = index;
            m.sheetNumber = sheet.noAl;
            const std::vector<Place> documents = blocks(sheet);
            if (!documents.empty() && pick(4) == 0) {
                const Place& place = documents[pick(documents.size())];
                m.element = place.name;
                m.kind = pick(2) == 0 ? MutationKind::repeated : MutationKind::emptied;
                std::string& xml = sheet.*place.member;
                m.before = xml.substr(place.begin, place.end - place.begin);
                m.after = m.kind == MutationKind::repeated
                              ? m.before + m.before
                              : "<" + place.name + "></" + place.name + ">";
                xml.replace(place.begin, place.end - place.begin, m.after);
                return m;
            }
            const std::vector<Place> values = leaves(sheet);
            const Place& place = values[pick(values.size())];
            m.element = place.name;
            m.kind = static_cast<MutationKind>(pick(4));
            std::string& text = sheet.*place.member;
            m.before = text.substr(place.begin, place.end - place.begin);
            m.after = mutated(m.before, m.kind);
            // The sheet number is how a sheet is known: it stays the sheet's alone.
            if (place.member == &SheetInput::noAl && numberTaken(sheets, m.after))
                continue;
            text.replace(place.begin, place.end - place.begin, m.after);
            return m;
        }
    }

  private:
    // Where a mutation can go: a span of one of the sheet's texts, the content of a
    // single element or (for a document) the whole element.
    struct Place {
        std::string SheetInput::*member;
        std::string name;
        std::size_t begin, end;
    };

    std::size_t pick(std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random_);
    }

    std::string mutated(const std::string& value, MutationKind kind) {
        switch (kind) {
            case MutationKind::tooLong: {
                // Just past the widths the database's columns have, and far past them.
                constexpr std::array<std::size_t, 9> lengths = {3,  6,  11,  13,  21,
                                                                41, 51, 501, 3001};
                std::size_t length = lengths[pick(lengths.size())];
                if (length <= characters(value))
                    length = characters(value) + 1 + pick(40);
                const bool digits =
                    !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
                return value + std::string(length - characters(value), digits ? '7' : 'Z');
            }
            case MutationKind::empty:
                return "";
            case MutationKind::nonNumeric: {
                if (value.empty())
                    return "x";
                // After the first character, whole: the text is UTF-8.
                std::size_t first = 1;
                while (first < value.size() && (value[first] & 0xC0) == 0x80)
                    ++first;
                return value.substr(0, first) + "x" + value.substr(first);
            }
            case MutationKind::unknownCode: {
                // The same shape with every digit a 9 and every Latin letter a Z.
                std::string out = value;
                for (char& c : out) {
                    if (c >= '0' && c <= '9')
                        c = '9';
                    else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
                        c = 'Z';
                }
                return out == value ? out + "9" : out;
            }
            case MutationKind::repeated:
            case MutationKind::emptied:
                break;
        }
        return value;
    }

    static bool numberTaken(const std::vector<SheetInput>& sheets, const std::string& number) {
        for (const SheetInput& s : sheets)
            if (s.noAl == number)
                return true;
        return false;
    }

    // The sheet's texts that hold elements, and its fields that are one element each.
    static constexpr std::array<std::string SheetInput::*, 3> kXmlTexts = {
        &SheetInput::patientExtra, &SheetInput::extra, &SheetInput::flags};
    struct Field {
        const char* element;
        std::string SheetInput::*member;
    };
    static constexpr std::array<Field, 13> kFields = {{{"NoAl", &SheetInput::noAl},
                                                       {"dataAl", &SheetInput::dataAl},
                                                       {"time", &SheetInput::time},
                                                       {"ExamType", &SheetInput::examType},
                                                       {"EGN", &SheetInput::egn},
                                                       {"Given", &SheetInput::given},
                                                       {"Sur", &SheetInput::sur},
                                                       {"Family", &SheetInput::family},
                                                       {"RZOK", &SheetInput::rzok},
                                                       {"ZdrRajon", &SheetInput::zdrRajon},
                                                       {"Address", &SheetInput::address},
                                                       {"MainDiag/MKB", &SheetInput::mainMkb},
                                                       {"MainDiag/imeMD", &SheetInput::mainName}}};
    // The documents of a sheet and the groups that hold them.
    static constexpr std::array<const char*, 15> kDocuments = {
        "SIMPConsult", "MDD",  "VSDSIMPConsult", "LKK",      "HospNapr", "Imun", "RpDrug", "Rp",
        "HList",       "Diag", "Procedure",      "VisitFor", "Docs",     "LNCH", "COUNTRY"};

    // Every element of the sheet that holds text and no element.
    static std::vector<Place> leaves(const SheetInput& sheet) {
        std::vector<Place> out;
        for (const Field& f : kFields)
            out.push_back({f.member, f.element, 0, (sheet.*f.member).size()});
        for (const auto member : kXmlTexts) {
            const std::string& xml = sheet.*member;
            for (std::size_t open = xml.find('<'); open != std::string::npos;
                 open = xml.find('<', open + 1)) {
                const std::size_t close = xml.find('>', open);
                if (close == std::string::npos)
                    break;
                if (xml[open + 1] == '/' || xml[close - 1] == '/')
                    continue;
                const std::string name = xml.substr(open + 1, close - open - 1);
                const std::size_t next = xml.find('<', close);
                if (next != std::string::npos &&
                    xml.compare(next, name.size() + 3, "</" + name + ">") == 0)
                    out.push_back({member, name, close + 1, next});
            }
        }
        return out;
    }

    // Every document of the sheet, its tags included.
    static std::vector<Place> blocks(const SheetInput& sheet) {
        std::vector<Place> out;
        for (const auto member : kXmlTexts) {
            const std::string& xml = sheet.*member;
            for (const std::string name : kDocuments) {
                const std::string open = "<" + name + ">", close = "</" + name + ">";
                for (std::size_t at = xml.find(open); at != std::string::npos;
                     at = xml.find(open, at + 1)) {
                    const std::size_t end = xml.find(close, at);
                    if (end != std::string::npos)
                        out.push_back({member, name, at, end + close.size()});
                }
            }
        }
        return out;
    }

    std::mt19937& random_;
};

}  // namespace kalvex::testing
