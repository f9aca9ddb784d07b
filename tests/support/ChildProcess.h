#pragma once
// Runs one of the built programs with pipes on stdin, stdout and stderr.
// Every wait is bounded; the destructor ends a child that is still running.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/ProcStat.h"

extern char** environ;

namespace quelda::test {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() {
        CloseStdin();
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
        for (int fd : {m_out, m_err}) {
            if (fd >= 0) ::close(fd);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // env entries "NAME=value" are added to the parent's environment.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& env = {}) {
        int in[2], out[2], err[2];
        if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC)) {
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        std::vector<std::string> argStrings{program};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<std::string> envStrings;
        for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
        envStrings.insert(envStrings.end(), env.begin(), env.end());
        std::vector<char*> argv = Pointers(argStrings), envp = Pointers(envStrings);
        const int rc =
            posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        ::close(err[1]);
        m_in = in[1];
        m_out = out[0];
        m_err = err[0];
        if (rc != 0) m_pid = -1;
        return rc == 0;
    }

    bool WriteStdin(const std::string& text) {
        std::size_t done = 0;
        while (done < text.size() && m_in >= 0) {
            const ssize_t n = ::write(m_in, text.data() + done, text.size() - done);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return done == text.size();
    }

    void CloseStdin() {
        if (m_in >= 0) ::close(m_in);
        m_in = -1;
    }

    // The next line of stdout without its "\n"; empty when none came in time.
    std::string ReadLine(int timeoutMs = 5000) {
        const auto end = Deadline(timeoutMs);
        std::size_t pos;
        while ((pos = m_stdout.find('\n', m_taken)) == std::string::npos) {
            if (!Pump(end)) return {};
        }
        std::string line = m_stdout.substr(m_taken, pos - m_taken);
        m_taken = pos + 1;
        return line;
    }

    void Signal(int number) const {
        if (m_pid > 0) ::kill(m_pid, number);
    }

    // Waits for the end of the child, collecting its output; -1 on time-out.
    int Wait(int timeoutMs = 20000) {
        const auto end = Deadline(timeoutMs);
        while (m_out >= 0 || m_err >= 0) {
            if (!Pump(end)) return -1;
        }
        int status = 0;
        while (::waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end) return -1;
            ::usleep(1000);
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    // User and system CPU time used so far, in clock ticks; -1 when unknown.
    long CpuTicks() const {
        ProcStat stat;
        if (!ReadProcStat(m_pid, stat) || stat.utime < 0) return -1;
        return stat.utime + stat.stime;
    }

    // Everything on stdout not yet taken by ReadLine, and all of stderr.
    std::string RestOfStdout() const { return m_stdout.substr(m_taken); }
    const std::string& Stderr() const { return m_stderr; }

private:
    using Clock = std::chrono::steady_clock;
    static Clock::time_point Deadline(int ms) {
        return Clock::now() + std::chrono::milliseconds(ms);
    }

    static std::vector<char*> Pointers(std::vector<std::string>& strings) {
        std::vector<char*> pointers;
        for (std::string& s : strings) pointers.push_back(s.data());
        pointers.push_back(nullptr);
        return pointers;
    }

    // One round of reading; false when the time is up or nothing is left open.
    bool Pump(Clock::time_point end) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0 || (m_out < 0 && m_err < 0)) return false;
        pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
        if (::poll(fds, 2, static_cast<int>(left)) <= 0) return false;
        ReadInto(m_out, fds[0].revents, m_stdout);
        ReadInto(m_err, fds[1].revents, m_stderr);
        return true;
    }

    static void ReadInto(int& fd, short revents, std::string& to) {
        if (fd < 0 || revents == 0) return;
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            to.append(buffer, static_cast<std::size_t>(n));
        } else {
            ::close(fd);
            fd = -1;
        }
    }

    pid_t m_pid = -1;
    int m_in = -1, m_out = -1, m_err = -1;
    std::string m_stdout, m_stderr;
    std::size_t m_taken = 0;
};

}  // namespace quelda::test
