#pragma once
// Every change made to a loaded document, so that a save can write only what changed (an
// incremental update) and a load of the same file again can undo the changes instead of parsing
// the file anew.
//
// Changes go through replaceKey/removeKey, which remember each key's value as the file had it.
// The objects to write are indirect objects: a change to a direct dictionary is recorded against
// the indirect object that holds it, which the caller names (the catalog for an /AcroForm written
// inline), or, when the caller cannot name one, marks the log as unfit for an incremental update.

#include <map>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>
#include <string>
#include <vector>

namespace formalys::pdf {

class ChangeLog
{
public:
    // Sets `dictionary`[`key`] to `value`. `holder` is the indirect object whose text contains
    // `dictionary`: the dictionary itself when it is indirect (the default).
    void replaceKey(QPDFObjectHandle dictionary, const std::string& key, QPDFObjectHandle value,
                    QPDFObjectHandle holder = {});

    // Removes `key` from `dictionary`; nothing happens, and nothing is recorded, when it is absent.
    void removeKey(QPDFObjectHandle dictionary, const std::string& key,
                   QPDFObjectHandle holder = {});

    // An indirect object made or refilled for this document (an appearance stream, a font).
    void touched(QPDFObjectHandle object);

    // The indirect objects changed since the load, by object number.
    const std::set<QPDFObjGen>& changedObjects() const { return changed_; }

    // The keys of indirect dictionary `object` replaced or removed since the load, sorted.
    std::vector<std::string> keysChanged(QPDFObjGen object) const;

    // Whether a dictionary inside `object` (not `object` itself) was changed: its text must be
    // made anew as a whole.
    bool changedInside(QPDFObjGen object) const { return changedInside_.count(object) != 0; }

    // False once a direct dictionary was changed without naming the object that holds it.
    bool fitForIncrementalUpdate() const { return fit_; }

    // Puts back every key as the file had it, in reverse order, and forgets all changes.
    void undo();

    // Forgets every change without putting anything back (the document is being closed).
    void forget();

private:
    struct Previous
    {
        QPDFObjectHandle dictionary;
        std::string key;
        QPDFObjectHandle value; // uninitialized: the key was absent
    };

    void remember(QPDFObjectHandle& dictionary, const std::string& key, QPDFObjectHandle& holder);

    std::vector<Previous> previous_;
    // Keys of indirect dictionaries already remembered: a key set again keeps its first value.
    std::set<std::pair<QPDFObjGen, std::string>> remembered_;
    std::set<QPDFObjGen> changed_;
    std::set<QPDFObjGen> changedInside_;
    bool fit_ = true;
};

} // namespace formalys::pdf
