// The unit-emulator program as the run script starts it: a pty behind a link, frames printed as
// they arrive, the state printed on SIGUSR1 and on SIGTERM, exit status 0.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "FrameBuilder.h"

using namespace unit_emulator_test;
using namespace std::chrono_literals;

#ifdef UNIT_EMULATOR_PROGRAM

namespace {

class Program {
public:
    explicit Program(std::vector<std::string> args) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) return;
        FPid = fork();
        if (FPid == 0) {
            dup2(out[1], 1);
            std::vector<char*> argv{const_cast<char*>(UNIT_EMULATOR_PROGRAM)};
            for (std::string& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        FOut = out[0];
    }
    ~Program() {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
        if (FOut >= 0) close(FOut);
    }

    bool Started() const { return FPid > 0; }
    void Signal(int number) { kill(FPid, number); }

    // Reads the program's output until it contains `text` (counting from `from`) or 10 s pass.
    bool WaitFor(const std::string& text, size_t from = 0) {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (FOutput.find(text, from) == std::string::npos) {
            if (std::chrono::steady_clock::now() > end) return false;
            pollfd fd{FOut, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0) continue;
            char buffer[4096];
            const ssize_t n = read(FOut, buffer, sizeof buffer);
            if (n <= 0) return FOutput.find(text, from) != std::string::npos;
            FOutput.append(buffer, static_cast<size_t>(n));
        }
        return true;
    }

    int Wait() {
        int status = 0;
        waitpid(FPid, &status, 0);
        FPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const std::string& Output() const { return FOutput; }

private:
    pid_t FPid = -1;
    int FOut = -1;
    std::string FOutput;
};

TEST(UnitEmulatorProgram, ServesALinkedPtyAndPrintsFramesAndState) {
    char pattern[] = "/tmp/unit-emulator-program-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    const std::string link = dir + "/com1";
    {
        Program program({"--link", link});
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(program.WaitFor("unit-emulator: linked as " + link + "\n")) << program.Output();
        EXPECT_EQ(program.Output().rfind("unit-emulator: listening on /dev/pts/", 0), 0u) << program.Output();

        const int port = open(link.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(port, 0);
        const Bytes frames = Concat(
            {{0xDD, 0xBB, 0x05, 0xC1, 0x03, 0x42, 0x41, 0x42}, TextFrame(0, 1, 0, 0, 0, "通道"), ReadFrame(0, 0)});
        ASSERT_EQ(write(port, frames.data(), frames.size()), static_cast<ssize_t>(frames.size()));
        EXPECT_TRUE(program.WaitFor("frame DD BB 05 C1 03 42 41 42: text g0 ch01 x=3 y=2 size=1 \"AB\"\n"));
        EXPECT_TRUE(program.WaitFor(std::string(u8"text g0 ch02 x=0 y=0 size=0 \"通道\"\n")));
        EXPECT_TRUE(program.WaitFor("reply BB DD 05 00 03 42 41 42\n"));
        close(port);

        size_t mark = program.Output().size();
        program.Signal(SIGUSR1);
        EXPECT_TRUE(program.WaitFor("ch01 g0: x=3 y=2 size=1 \"AB\" [41 42]\n", mark)) << program.Output();
        mark = program.Output().size();
        program.Signal(SIGTERM);
        EXPECT_TRUE(program.WaitFor("ch16 g2: (never written)\n", mark)) << program.Output();
        EXPECT_EQ(program.Wait(), 0);
    }
    struct stat info {};
    EXPECT_NE(lstat(link.c_str(), &info), 0) << "the link outlived the program";
    rmdir(dir.c_str());
}

TEST(UnitEmulatorProgram, RejectsBadArgumentsAndMissingDevices) {
    const std::vector<std::vector<std::string>> cases = {{"--bogus"}, {"--link"}, {"--device", "/nonexistent/ttyS0"}};
    for (const auto& args : cases) {
        Program program(args);
        ASSERT_TRUE(program.Started());
        EXPECT_NE(program.Wait(), 0) << args[0];
    }
}

}  // namespace

#endif
