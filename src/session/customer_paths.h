// Where the pipe-driven platform's two files live. Outside test processes
// find them here, so the paths are fixed, not configured.
#ifndef TULVAK_SESSION_CUSTOMER_PATHS_H
#define TULVAK_SESSION_CUSTOMER_PATHS_H

namespace tulvak {

constexpr const char kRelayScriptPath[] = "/Customer/tulvak.sh";
// mkstemp fills in the X's; the leading dot keeps a half-made file out of the
// way of anyone listing the directory.
constexpr const char kRelayScriptTemplate[] = "/Customer/.tulvak.sh.XXXXXX";
constexpr const char kCommandPipePath[] = "/Customer/tulvakpipe";
constexpr const char kCommandPipeTemplate[] = "/Customer/.tulvakpipe.XXXXXX";
// Anyone's test process may send selections.
constexpr unsigned kCommandPipeMode = 0777;

}  // namespace tulvak

#endif
