#include "pdf/ObjectTexts.h"

#include <algorithm>
#include <string_view>

namespace formalys::pdf {

namespace {

// A name written as it is: "/" then regular characters only (PDF 32000-1, 7.3.5).
bool isPlainName(const std::string& name)
{
    if (name.size() < 2 || name[0] != '/') {
        return false;
    }
    for (std::size_t i = 1; i < name.size(); ++i) {
        const char c = name[i];
        if (c <= ' ' || c > '~' ||
            std::string_view("()<>[]{}/%#").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

void appendEntry(std::string& out, const std::string& key, QPDFObjectHandle value)
{
    out += ' ';
    if (isPlainName(key)) {
        out += key;
    } else {
        out += QPDFObjectHandle::newName(key).unparse(); // with the #xx escapes it needs
    }
    out += ' ';
    out += value.unparse();
}

} // namespace

std::string ObjectTexts::entries(QPDFObjectHandle dictionary, const std::vector<std::string>& left)
{
    std::string text;
    for (const auto& key : dictionary.getKeys()) {
        if (std::find(left.begin(), left.end(), key) == left.end()) {
            appendEntry(text, key, dictionary.getKey(key));
        }
    }
    return text;
}

void ObjectTexts::appendDictionary(std::string& out, QPDFObjectHandle object,
                                   const ChangeLog& changes)
{
    const QPDFObjGen id = object.getObjGen();
    if (changes.changedInside(id)) {
        out += object.unparseResolved(); // which entry changed is not known: all of it anew
        return;
    }
    std::vector<std::string> changed = changes.keysChanged(id);
    auto known = dictionaries_.find({id, changed});
    if (known == dictionaries_.end()) {
        std::string text = entries(object, changed);
        known =
            dictionaries_.emplace(std::make_pair(id, std::move(changed)), std::move(text)).first;
    }
    out += "<<";
    out += known->second;
    for (const auto& key : known->first.second) {
        if (object.hasKey(key)) {
            appendEntry(out, key, object.getKey(key));
        }
    }
    out += " >>";
}

void ObjectTexts::appendStreamDictionary(std::string& out, QPDFObjectHandle stream,
                                         long long length)
{
    auto known = streamDictionaries_.find(stream.getObjGen());
    if (known == streamDictionaries_.end()) {
        known =
            streamDictionaries_.emplace(stream.getObjGen(), entries(stream.getDict(), {"/Length"}))
                .first;
    }
    out += "<<";
    out += known->second;
    out += " /Length ";
    out += std::to_string(length);
    out += " >>";
}

} // namespace formalys::pdf
