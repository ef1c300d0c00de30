#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The JSON summary that `kalvex-import run --summary json` prints, read back: per kind
// of row (its JSON key) what the run counted, where it stopped, and the NRD version
// of each file. Reads exactly the JSON the summary is made of (objects, arrays,
// strings, integers, null), so that anything else in it shows up as a failure to read.
namespace kalvex::testing {

struct SummaryCounts {
    std::int64_t written = 0;
    std::int64_t existing = 0;
    std::int64_t unknownCode = 0;
    std::int64_t notFound = 0;
    std::int64_t leftOut = 0;
    std::int64_t failed = 0;
};

struct SummaryStop {
    std::string file;
    std::string sheet;  // the sheet's number, empty when the run stopped outside the sheets
    std::string reason;
};

struct SummaryFile {
    std::string file;
    std::string nrd;
    bool operator==(const SummaryFile&) const = default;
};

// One e-report doctor's block of a whole-practice run.
struct SummaryDoctor {
    std::string uin;
    std::string name;
    std::optional<std::int64_t> databaseDoctorId;  // none: the database has no doctor for him
    std::map<std::string, SummaryCounts> kinds;
};

struct RunSummary {
    std::map<std::string, SummaryCounts> kinds;
    std::optional<SummaryStop> stopped;
    std::vector<SummaryFile> files;
    std::vector<SummaryDoctor> doctors;  // "by_doctor"
};

namespace summary_detail {

struct Json {
    enum class Kind { null, integer, text, object, array } kind = Kind::null;
    std::int64_t integer = 0;
    std::string text;
    std::map<std::string, Json> members;
    std::vector<Json> items;

    const Json& at(const std::string& key) const {
        if (kind != Kind::object)
            throw std::runtime_error("not an object where \"" + key + "\" is read");
        const auto found = members.find(key);
        if (found == members.end())
            throw std::runtime_error("no \"" + key + "\"");
        return found->second;
    }
    std::int64_t number(const std::string& key) const {
        const Json& value = at(key);
        if (value.kind != Kind::integer)
            throw std::runtime_error("\"" + key + "\" is no integer");
        return value.integer;
    }
    std::string string(const std::string& key) const {
        const Json& value = at(key);
        if (value.kind != Kind::text)
            throw std::runtime_error("\"" + key + "\" is no string");
        return value.text;
    }
};

class Reader {
  public:
    explicit Reader(const std::string& text) : text_(text) {}

    Json document() {
        Json value = this->value();
        skipSpace();
        if (at_ != text_.size())
            fail("text after the object");
        return value;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at offset " + std::to_string(at_));
    }
    void skipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool take(char c) {
        skipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c))
            fail(std::string("expected '") + c + "'");
    }

    Json value() {
        skipSpace();
        Json v;
        if (take('{')) {
            v.kind = Json::Kind::object;
            if (take('}'))
                return v;
            do {
                skipSpace();
                const std::string key = string();
                expect(':');
                if (!v.members.emplace(key, value()).second)
                    fail("\"" + key + "\" twice");
            } while (take(','));
            expect('}');
        } else if (take('[')) {
            v.kind = Json::Kind::array;
            if (take(']'))
                return v;
            do
                v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (at_ < text_.size() && text_[at_] == '"') {
            v.kind = Json::Kind::text;
            v.text = string();
        } else if (text_.compare(at_, 4, "null") == 0) {
            at_ += 4;
        } else {
            v.kind = Json::Kind::integer;
            const std::size_t start = at_;
            if (at_ < text_.size() && text_[at_] == '-')
                ++at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
                ++at_;
            if (at_ == start || text_[at_ - 1] == '-')
                fail("expected a value");
            v.integer = std::stoll(text_.substr(start, at_ - start));
        }
        return v;
    }

    // A string with the escapes the summary writes (a control character as \u00XX).
    std::string string() {
        if (at_ >= text_.size() || text_[at_] != '"')
            fail("expected a string");
        ++at_;
        std::string out;
        for (;;) {
            if (at_ >= text_.size())
                fail("unterminated string");
            const char c = text_[at_++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                fail("unterminated escape");
            const char e = text_[at_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    const unsigned code = std::stoul(text_.substr(at_, 4), nullptr, 16);
                    if (code >= 0x20)
                        fail("\\u escape of a printable character");
                    out += static_cast<char>(code);
                    at_ += 4;
                    break;
                }
                default:
                    fail(std::string("unknown escape \\") + e);
            }
        }
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

inline SummaryCounts countsOf(const Json& value) {
    const Json& skipped = value.at("skipped");
    return SummaryCounts{
        value.number("written"),     value.number("existing"),   skipped.number("unknown_code"),
        skipped.number("not_found"), skipped.number("left_out"), value.number("failed")};
}

inline SummaryDoctor doctorOf(const Json& value) {
    SummaryDoctor doctor{value.string("uin"), value.string("name"), std::nullopt, {}};
    for (const auto& [key, member] : value.members) {
        if (key == "database_doctor_id") {
            if (member.kind != Json::Kind::null)
                doctor.databaseDoctorId = value.number(key);
        } else if (key != "uin" && key != "name") {
            doctor.kinds[key] = countsOf(member);
        }
    }
    return doctor;
}

}  // namespace summary_detail

// The summary in `out` (the program's stdout: the JSON object on its own line).
// Throws std::runtime_error naming what does not read as the summary.
inline RunSummary parseSummary(const std::string& out) {
    using summary_detail::Json;
    std::string line = out;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    const Json json = summary_detail::Reader(line).document();
    if (json.kind != Json::Kind::object)
        throw std::runtime_error("the summary is no object");
    RunSummary summary;
    for (const auto& [key, value] : json.members) {
        if (key == "stopped") {
            if (value.kind != Json::Kind::null)
                summary.stopped = SummaryStop{value.string("file"), value.string("sheet"),
                                              value.string("reason")};
            continue;
        }
        if (key == "files") {
            if (value.kind != Json::Kind::array)
                throw std::runtime_error("\"files\" is no array");
            for (const Json& file : value.items)
                summary.files.push_back({file.string("file"), file.string("nrd")});
            continue;
        }
        if (key == "by_doctor") {
            if (value.kind != Json::Kind::array)
                throw std::runtime_error("\"by_doctor\" is no array");
            for (const Json& doctor : value.items)
                summary.doctors.push_back(summary_detail::doctorOf(doctor));
            continue;
        }
        summary.kinds[key] = summary_detail::countsOf(value);
    }
    if (!json.members.contains("stopped"))
        throw std::runtime_error("no \"stopped\"");
    return summary;
}

}  // namespace kalvex::testing
