#include "firebird_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace kalvex::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartTimeout = 20s;
constexpr auto kStopTimeout = 10s;

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

// A port that nothing listens on now; the kernel picks it, so parallel tests differ.
int freePort(std::string& failure) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) {
        failure = std::string("no socket: ") + std::strerror(errno);
        return 0;
    }
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        failure = std::string("no free port on 127.0.0.1: ") + std::strerror(errno);
    else
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

bool accepts(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return false;
    const sockaddr_in address = loopback(port);
    const bool connected =
        connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return connected;
}

std::string exitText(int status) {
    if (WIFEXITED(status))
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    return "ended by signal " + std::to_string(WTERMSIG(status));
}

}  // namespace

FirebirdServer::FirebirdServer() {
    skipReason_ = start();
    if (!skipReason_.empty())
        stop();
}

FirebirdServer::~FirebirdServer() {
    stop();
}

std::string FirebirdServer::databaseName(const std::string& path) const {
    return "localhost/" + std::to_string(port_) + ":" + path;
}

std::string FirebirdServer::start() {
    namespace fs = std::filesystem;
    if (access(KALVEX_FIREBIRD_SERVER, X_OK) != 0)
        return std::string("no Firebird server: ") + KALVEX_FIREBIRD_SERVER +
               " is missing (the Debian package firebird3.0-server; tools/setup.sh test "
               "installs it)";
    if (!fs::exists(fs::path(KALVEX_FIREBIRD_ROOT) / "intl" / "libfbintl.so"))
        return std::string("no Firebird installation at ") + KALVEX_FIREBIRD_ROOT;

    std::string failure;
    port_ = freePort(failure);
    if (port_ == 0)
        return failure;

    const fs::path root = dir_.path() / "root";
    fs::create_directory(root);
    const std::string output = dir_.file("server.out");
    const std::string prepare = std::string(KALVEX_PREPARE_SERVER_ROOT) + " '" + root.string() +
                                "' '" + KALVEX_FIREBIRD_ROOT + "' " + std::to_string(port_) +
                                " >'" + output + "' 2>&1";
    if (std::system(prepare.c_str()) != 0)
        return "the Firebird server's folder could not be prepared: " + readBytes(output);

    std::vector<std::string> environment = {"FIREBIRD=" + root.string(),
                                            "FIREBIRD_LOCK=" + (root / "lock").string()};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::strncmp(*e, "FIREBIRD", 8) != 0)
            environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char program[] = KALVEX_FIREBIRD_SERVER;
    char* argv[] = {program, nullptr};

    const pid_t pid = fork();
    if (pid < 0)
        return "the Firebird server could not be started: " + std::string(std::strerror(errno));
    if (pid == 0) {
        // Only async-signal-safe calls until exec. A test binary that dies leaves no
        // server behind: the child gets SIGTERM with its parent.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
            dup2(out, STDERR_FILENO) < 0)
            _exit(126);
        execve(program, argv, envp.data());
        _exit(127);
    }
    pid_ = pid;

    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!accepts(port_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = 0;
            return "the Firebird server " + exitText(status) + ": " + readBytes(output);
        }
        if (std::chrono::steady_clock::now() > deadline)
            return "the Firebird server did not answer on 127.0.0.1:" + std::to_string(port_) +
                   " within 20 s: " + readBytes(output);
        std::this_thread::sleep_for(100ms);
    }
    return {};
}

void FirebirdServer::stop() {
    if (pid_ <= 0)
        return;
    // The server shuts down on SIGTERM; one still busy after a while is killed, since
    // the test's temporary folders go next.
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(50ms);
    }
    pid_ = 0;
}

}  // namespace kalvex::testing
