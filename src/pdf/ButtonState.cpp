#include "pdf/ButtonState.h"

#include "pdf/Dictionary.h"

#include <algorithm>

namespace formalys::pdf {

namespace {

const std::string off = "/Off";

std::vector<std::string> statesOf(QPDFObjectHandle widget)
{
    std::vector<std::string> states;
    QPDFObjectHandle normal = entry(entry(widget, "/AP"), "/N");
    if (normal.isDictionary()) {
        for (const auto& key : normal.getKeys()) {
            if (key != off) {
                states.push_back(key);
            }
        }
    }
    return states;
}

bool contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

std::vector<std::string> onStates(const FormField& field)
{
    std::vector<std::string> all;
    for (const auto& widget : field.widgets) {
        for (auto& state : statesOf(widget)) {
            if (!contains(all, state)) {
                all.push_back(std::move(state));
            }
        }
    }
    return all;
}

bool setButtonState(const FormField& field, std::string_view value, ChangeLog& changes)
{
    std::string state;
    if (value.empty() || value == "Off") {
        state = off;
    } else {
        const auto states = onStates(field);
        const std::string named = "/" + std::string(value);
        if (value == "X" && !states.empty()) {
            state = states.front();
        } else if (contains(states, named)) {
            state = named;
        } else {
            return false;
        }
    }
    changes.replaceKey(field.dictionary, "/V", QPDFObjectHandle::newName(state));
    for (const auto& widget : field.widgets) {
        const bool shown = state != off && contains(statesOf(widget), state);
        changes.replaceKey(widget, "/AS", QPDFObjectHandle::newName(shown ? state : off));
    }
    return true;
}

} // namespace formalys::pdf
