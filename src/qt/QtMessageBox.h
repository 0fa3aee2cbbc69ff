#pragma once
// The message box of the windows: a QMessageBox with the system's text, title and icon and one OK
// button, shown modally. Where no window can be shown it prints the message as the headless one
// does, so that no message is lost.

#include "component/MessageBox.h"

namespace formalys::qt {

class QtMessageBox final : public MessageBoxPort
{
public:
    void show(const std::string& text, const std::string& title, Icon icon) override;
};

} // namespace formalys::qt
