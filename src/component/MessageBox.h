#pragma once
// The message-box port: how the system shows its few messages to the user. The windows provide a
// Qt implementation; the headless one prints the message on stderr and returns at once, as if the
// user had pressed OK, for the command line and the tests.

#include <iosfwd>
#include <string>

namespace formalys {

class MessageBoxPort
{
public:
    enum class Icon
    {
        Information,
        Critical, // the stop icon
    };

    virtual ~MessageBoxPort() = default;

    // Shows `text` under `title` with `icon` and a single OK button; returns once dismissed.
    virtual void show(const std::string& text, const std::string& title, Icon icon) = 0;
};

// Prints "[erreur] <title> : <text>" (or "[information] …") on a stream, stderr by default.
class HeadlessMessageBox final : public MessageBoxPort
{
public:
    HeadlessMessageBox();
    explicit HeadlessMessageBox(std::ostream& stream) : stream_(&stream) {}
    void show(const std::string& text, const std::string& title, Icon icon) override;

private:
    std::ostream* stream_;
};

} // namespace formalys
