#include "pdf/ChangeLog.h"

namespace formalys::pdf {

void ChangeLog::remember(QPDFObjectHandle& dictionary, const std::string& key,
                         QPDFObjectHandle& holder)
{
    if (!holder.isInitialized()) {
        holder = dictionary;
    }
    if (holder.isIndirect()) {
        changed_.insert(holder.getObjGen());
        if (!holder.isSameObjectAs(dictionary)) {
            changedInside_.insert(holder.getObjGen());
        }
    } else {
        fit_ = false;
    }
    if (dictionary.isIndirect() && !remembered_.emplace(dictionary.getObjGen(), key).second) {
        return; // its value as the file had it is already kept
    }
    previous_.push_back(
        {dictionary, key, dictionary.hasKey(key) ? dictionary.getKey(key) : QPDFObjectHandle()});
}

void ChangeLog::replaceKey(QPDFObjectHandle dictionary, const std::string& key,
                           QPDFObjectHandle value, QPDFObjectHandle holder)
{
    remember(dictionary, key, holder);
    dictionary.replaceKey(key, value);
}

void ChangeLog::removeKey(QPDFObjectHandle dictionary, const std::string& key,
                          QPDFObjectHandle holder)
{
    if (!dictionary.hasKey(key)) {
        return;
    }
    remember(dictionary, key, holder);
    dictionary.removeKey(key);
}

void ChangeLog::touched(QPDFObjectHandle object)
{
    if (object.isIndirect()) {
        changed_.insert(object.getObjGen());
    }
}

std::vector<std::string> ChangeLog::keysChanged(QPDFObjGen object) const
{
    std::vector<std::string> keys;
    for (auto it = remembered_.lower_bound({object, std::string()});
         it != remembered_.end() && it->first == object; ++it) {
        keys.push_back(it->second);
    }
    return keys;
}

void ChangeLog::undo()
{
    for (auto it = previous_.rbegin(); it != previous_.rend(); ++it) {
        auto& change = *it;
        if (change.value.isInitialized()) {
            change.dictionary.replaceKey(change.key, change.value);
        } else {
            change.dictionary.removeKey(change.key);
        }
    }
    forget();
}

void ChangeLog::forget()
{
    previous_.clear();
    remembered_.clear();
    changed_.clear();
    changedInside_.clear();
    fit_ = true;
}

} // namespace formalys::pdf
