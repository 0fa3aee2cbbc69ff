#pragma once
// The PDF text of the objects an incremental update writes, made once per parsed file and reused
// by every save of the documents made from it: unparsing a dictionary with QPDF costs about as
// much as everything else a save does, while most of each changed object stays as the file has
// it.
//
// A dictionary's text is kept without the keys the current document changed (those are written
// from their current values at each save); a stream's dictionary is kept without /Length. This
// holds because of how the document changes its objects: a dictionary only through ChangeLog,
// which replaces or removes whole keys and says which, and a stream's dictionary never after it
// is first written (AppearanceWriter refills the data only).

#include "pdf/ChangeLog.h"

#include <map>
#include <qpdf/QPDFObjectHandle.hh>
#include <string>
#include <utility>
#include <vector>

namespace formalys::pdf {

class ObjectTexts
{
public:
    // Appends the text of dictionary `object` as it is now; `changes` says which keys changed.
    void appendDictionary(std::string& out, QPDFObjectHandle object, const ChangeLog& changes);

    // Appends the dictionary of `stream` with /Length `length`.
    void appendStreamDictionary(std::string& out, QPDFObjectHandle stream, long long length);

private:
    // The entries of `dictionary` but `left` ("/A 1 /B (x)"), each preceded by a blank.
    static std::string entries(QPDFObjectHandle dictionary, const std::vector<std::string>& left);

    std::map<std::pair<QPDFObjGen, std::vector<std::string>>, std::string> dictionaries_;
    std::map<QPDFObjGen, std::string> streamDictionaries_;
};

} // namespace formalys::pdf
