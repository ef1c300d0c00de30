#include "common/logger.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/code_page.h"
#include "common/error.h"
#include "common/formats.h"

namespace kalvex::common {

TLogger* AppLogger = nullptr;

namespace {

std::string withoutLog(const IoError& e) {
    return std::string("Лог файлът не може да бъде записан и програмата ще продължи без него. ") +
           e.what();
}

}  // namespace

TLogger::TLogger(std::string fileName) : fileName_(std::move(fileName)) {
    // Without a writable log the program is still useful; the caller reports this once
    // instead of failing on every later line.
    LogEntry(kLogStartLine);
    startFailure_ = failure_;
}

TLogger::~TLogger() {
    // Told to nobody: the end line is the last thing the logger writes.
    OnFailure = nullptr;
    try {
        LogEntry(kLogEndLine);
    } catch (const std::exception&) {
        // A destructor must not throw, and OnLog has no one left to tell either.
    }
}

void TLogger::LogEntry(const std::string& message) {
    if (OnLog)
        OnLog(message);
    if (!failure_.empty())
        return;
    try {
        appendToFile(message);
    } catch (const IoError& e) {
        // A protocol that can no longer be written must not stop the work it records.
        failure_ = withoutLog(e);
        if (OnFailure)
            OnFailure(failure_);
    }
}

void TLogger::LogEntryVerbose(const std::string& message) {
    if (verbose_)
        LogEntry(message);
}

void TLogger::SetVerbose(bool value) {
    verbose_ = value;
    LogEntry(value ? "Включена опцията за подробен лог" : "Изключена опцията за подробен лог");
}

void TLogger::appendToFile(const std::string& message) {
    const auto fail = [this](const char* action) {
        return IoError("Грешка при " + std::string(action) + " на лог файла " + fileName_ + ": " +
                       std::strerror(errno));
    };
    const std::string line =
        toCp1251(FormatDateTime("[dd-mm-yyyy hh:nn] ", now()) + message) + "\r\n";
    std::FILE* file = std::fopen(fileName_.c_str(), "ab");
    if (file == nullptr)
        throw fail("отваряне");
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    const int savedErrno = errno;
    if (std::fclose(file) != 0 || !written) {
        if (!written)
            errno = savedErrno;
        throw fail("запис");
    }
}

}  // namespace kalvex::common
