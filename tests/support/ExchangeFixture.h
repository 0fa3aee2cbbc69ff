#pragma once
// A test fixture with a fresh component state: an application directory of its own (with its
// exchange file path), today pinned to 5 March 2008, and a message box that records.

#include "component/ComponentState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace formalys::testing {

class RecordingMessageBox final : public MessageBoxPort
{
public:
    struct Shown
    {
        std::string text;
        std::string title;
        Icon icon;
    };
    void show(const std::string& text, const std::string& title, Icon icon) override
    {
        shown.push_back({text, title, icon});
    }
    std::vector<Shown> shown;
};

class ExchangeFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the exchange file with `content` (UTF-8).
    void writeExchange(const std::string& content);

    // Acts as the host: a callback that names `output` in RESULTAT/FICHIER.
    void hostNames(const std::string& output);
    std::string exchangeText() const;

    ComponentState& state() { return ComponentState::instance(); }

    TempDir dir;
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    std::shared_ptr<HeadlessTrayMenu> tray = std::make_shared<HeadlessTrayMenu>();
};

} // namespace formalys::testing
