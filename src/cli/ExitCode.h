#pragma once
// Exit codes of the formalys command line.

namespace formalys::cli {

enum ExitCode : int
{
    exitSuccess = 0,  // the operation was carried out
    exitFailed = 1,   // the operation failed (missing template, unreadable file, …)
    exitBadUsage = 2, // the command line itself is wrong
};

} // namespace formalys::cli
