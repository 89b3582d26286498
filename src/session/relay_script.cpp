// The relay script a test process runs in /Customer to send one selection.
// It is written beside its final name and renamed into place, so a sender
// never runs a half-written script, and whatever stood at the name (a link
// to somebody's file, say) is replaced rather than written through.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "session/session.h"
#include "tulvak.h"

namespace {

// No interpreter line: the calling shell runs it. Nobody needs to write it,
// and a script that test processes run must not be writable by them.
constexpr const char kScript[] = "echo $1 > tulvakpipe";
constexpr mode_t kScriptMode = 0755;

int fail(const char *temporary) {
    if (temporary != nullptr) unlink(temporary);
    tulvak::write_line("\n CreateTulvakShell Fail!");
    return 0;
}

}  // namespace

int CreateTulvakShell() {
    char temporary[sizeof tulvak::kRelayScriptTemplate];
    std::memcpy(temporary, tulvak::kRelayScriptTemplate, sizeof temporary);
    const int fd = mkostemp(temporary, O_CLOEXEC);
    if (fd < 0) return fail(nullptr);
    const bool written = write(fd, kScript, sizeof kScript - 1) == sizeof kScript - 1;
    // The mode is set explicitly so that it does not depend on the host's umask.
    const bool mode_set = fchmod(fd, kScriptMode) == 0;
    if (close(fd) != 0 || !written) return fail(temporary);
    if (!mode_set) tulvak::write_line("failed to chmode! ");  // "chmode": keep as it is, logs are searched for it
    if (rename(temporary, tulvak::kRelayScriptPath) != 0) return fail(temporary);
    return 1;
}
