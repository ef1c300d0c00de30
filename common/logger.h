#pragma once

#include <functional>
#include <string>

// The program's protocol: a text file beside the program to which every run appends
// time-stamped lines, with an optional mirror of each line into the window.
namespace kalvex::common {

class TLogger {
  public:
    using LogCallback = std::function<void(const std::string& message)>;

    // Writes the start line. When that fails (read-only file or folder) the logger
    // keeps going without a file and startFailure() says why, once, for the caller
    // to report; later lines then reach only OnLog.
    explicit TLogger(std::string fileName);
    // Writes the end line.
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    // OnLog first, then one open-append-close of the file with the line
    // "[dd-mm-yyyy hh:nn] " + message + CR LF in code page 1251. A line the file cannot
    // take (disk full, file removed, no permission) never stops the caller: the logger
    // goes on without the file from then on and tells OnFailure why, once.
    void LogEntry(const std::string& message);
    // LogEntry only while Verbose is on; otherwise nothing at all.
    void LogEntryVerbose(const std::string& message);
    // Sets Verbose and writes a line saying so, whichever the value.
    void SetVerbose(bool value);

    bool Verbose() const { return verbose_; }
    const std::string& FileName() const { return fileName_; }
    // Why the file takes no lines: the start line failed; empty while it does.
    const std::string& startFailure() const { return startFailure_; }
    // Why the file stopped taking lines, at the start or later; empty while it takes them.
    const std::string& failure() const { return failure_; }

    // Called with each message, without the time stamp, before it is written.
    LogCallback OnLog;
    // Called once, with the text to show, when a line after the start line fails.
    LogCallback OnFailure;

  private:
    void appendToFile(const std::string& message);

    std::string fileName_;
    bool verbose_ = false;
    std::string startFailure_;
    std::string failure_;  // empty while the file takes lines
};

// The process's one logger, owned by the data module; null while there is none.
extern TLogger* AppLogger;

inline constexpr const char* kLogStartLine =
    "Начало на лог ---------------------------------------------------";
inline constexpr const char* kLogEndLine =
    "Край на лог -----------------------------------------------------";

}  // namespace kalvex::common
