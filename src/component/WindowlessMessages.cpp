#include "component/WindowlessMessages.h"

#include "component/ComponentState.h"

namespace formalys {

class WindowlessMessages::Keeper final : public MessageBoxPort
{
public:
    void show(const std::string& text, const std::string&, Icon) override
    {
        texts.push_back(text);
    }

    std::vector<std::string> texts;
};

WindowlessMessages::WindowlessMessages()
    : keeper_(std::make_shared<Keeper>()), previous_(ComponentState::instance().messageBox)
{
    ComponentState::instance().messageBox = keeper_;
}

WindowlessMessages::~WindowlessMessages()
{
    ComponentState::instance().messageBox = previous_;
}

std::string WindowlessMessages::first() const
{
    return keeper_->texts.empty() ? std::string() : keeper_->texts.front();
}

} // namespace formalys
