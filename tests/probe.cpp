// A host that calls the library's exported functions directly, in the order
// its arguments name them, and writes each result and driver call on standard
// error: kind=N session=N instance read=PROMPT menu=FUNCTION shell pipe
// umask=MODE nostdout closepipe fifos (how many it holds) alarm. PROMPT is null, *N for N characters,
// or the prompt itself.
#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tulvak.h"
#include "tulvak_sim.h"

int main(int argc, char **argv) {
    tulvak_sim_observe(
        [](const char *entry_point, int value) { std::fprintf(stderr, "%s(%d)\n", entry_point, value); });
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i], op = word.substr(0, word.find('=')),
                          arg = word.substr(op.size() + (op != word));
        const auto kind = static_cast<TULVAK_SYSTEM_TYPE>(std::atoi(arg.c_str()));
        if (op == "kind") {
            std::fprintf(stderr, "%d ", Set_System_type(kind));
            std::fprintf(stderr, "%d\n", static_cast<int>(eSystemTpye));
        } else if (op == "session") {
            Tulvak_Manager::Tulvak(kind);
        } else if (op == "instance") {
            const bool was_null = Tulvak_Manager::m_instance == nullptr;
            Tulvak_Manager *first = Tulvak_Manager::GetInstance();
            const bool one = first == Tulvak_Manager::GetInstance() && first == Tulvak_Manager::m_instance;
            std::fprintf(stderr, "%d %d\n", was_null, one);
        } else if (op == "read") {
            const std::string prompt = arg[0] == '*' ? std::string(std::stoul(arg.substr(1)), 'p') : arg;
            std::fprintf(stderr, "%d\n", ReadDecimalKeyInput(prompt == "null" ? nullptr : prompt.c_str()));
        } else if (op == "menu") {
            reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, arg.c_str()))();
        } else if (op == "shell" || op == "pipe") {
            std::fprintf(stderr, "%d\n", op == "shell" ? CreateTulvakShell() : CreatePipeFile());
        } else if (op == "umask") {
            umask(static_cast<mode_t>(std::stoul(arg, nullptr, 8)));
        } else if (op == "nostdout") {
            stdout = nullptr;
        } else if (op == "closepipe" || op == "fifos") {  // the library's own descriptors
            struct stat status {};
            int held = 0;
            for (int fd = 0; fd < 1024; ++fd) {
                if (fstat(fd, &status) != 0 || !S_ISFIFO(status.st_mode)) continue;
                ++held;
                if (op == "closepipe") close(fd);  // behind its back
            }
            if (op == "fifos") std::fprintf(stderr, "%d\n", held);
        } else if (op == "alarm") {  // a signal every 20 ms, without SA_RESTART: each wait it interrupts fails
            struct sigaction interrupt {};
            interrupt.sa_handler = [](int) {};
            sigaction(SIGALRM, &interrupt, nullptr);
            const itimerval every_20ms{{0, 20000}, {0, 20000}};
            setitimer(ITIMER_REAL, &every_20ms, nullptr);
        } else {
            return 2;
        }
    }
    return 0;
}
