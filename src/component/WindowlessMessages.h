#pragma once
// The roads without windows (the batch generation of hosts, the command line's verbs that only
// make files) must never wait for a click. For the length of one such operation this puts a
// message box in place that shows nothing: it keeps what would have been shown, so that the
// operation can give it back as its failure. The previous message box is back afterwards.

#include "component/MessageBox.h"

#include <memory>
#include <string>
#include <vector>

namespace formalys {

class WindowlessMessages
{
public:
    WindowlessMessages();
    ~WindowlessMessages();
    WindowlessMessages(const WindowlessMessages&) = delete;
    WindowlessMessages& operator=(const WindowlessMessages&) = delete;

    // The text of the first message the operation would have shown; empty when none.
    std::string first() const;

private:
    class Keeper;
    std::shared_ptr<Keeper> keeper_;
    std::shared_ptr<MessageBoxPort> previous_;
};

} // namespace formalys
