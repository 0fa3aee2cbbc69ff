#pragma once
// The formalys command line, callable in-process: parses the arguments, runs one verb, returns
// its exit code. Messages for the user are French; output goes to `out`, messages to `err`.

#include <iosfwd>
#include <string>

namespace formalys::cli {

struct AssistantOptions;

// The verbs that open windows. The windows program runs them itself; the headless program, which
// loads no window toolkit, hands them over to the windows program installed beside it.
struct WindowVerbs
{
    int (*assistant)(const AssistantOptions&, std::ostream& out, std::ostream& err) = nullptr;
    int (*about)(const std::string& directory, std::ostream& out, std::ostream& err) = nullptr;
};

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err, const WindowVerbs& windows = {});

} // namespace formalys::cli
