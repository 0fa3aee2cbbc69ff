#pragma once
// Reading an optional entry of an optional dictionary. QPDF answers getKey on anything but a
// dictionary with a null object and a warning; the warnings are reported as damage of the file,
// so code that walks optional entries (/MK, /AP /N, …) asks here instead.

#include <qpdf/QPDFObjectHandle.hh>
#include <string>

namespace formalys::pdf {

// `dictionary`[`key`], or a null object when `dictionary` is no dictionary or lacks the key.
inline QPDFObjectHandle entry(QPDFObjectHandle dictionary, const std::string& key)
{
    return dictionary.isDictionary() ? dictionary.getKey(key) : QPDFObjectHandle::newNull();
}

} // namespace formalys::pdf
