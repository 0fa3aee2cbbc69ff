#pragma once
// One terminal field of a form, as the field index found it: the dictionary that holds its value,
// the widget annotations that show it, its fully qualified name, and the attributes it inherits
// from its ancestors in the field tree.

#include <qpdf/QPDFObjectHandle.hh>
#include <string>
#include <vector>

namespace formalys::pdf {

enum class FieldKind
{
    Text,
    CheckBox,
    RadioButton,
    PushButton,
    Choice,
    Signature,
    Unknown, // no /FT anywhere up the tree
};

// Bits of /Ff (PDF 32000-1, tables 226 to 230), counted from 0.
namespace fieldFlags {
inline constexpr int multiline = 1 << 12;
inline constexpr int password = 1 << 13;
inline constexpr int radio = 1 << 15;
inline constexpr int pushButton = 1 << 16;
inline constexpr int comb = 1 << 24;
} // namespace fieldFlags

struct FormField
{
    QPDFObjectHandle dictionary;           // receives /V
    std::vector<QPDFObjectHandle> widgets; // receive /AS or /AP; may hold `dictionary` itself
    std::string name;                      // fully qualified, UTF-8, surrounding blanks kept
    FieldKind kind = FieldKind::Unknown;
    int flags = 0;                 // /Ff
    int quadding = 0;              // /Q: 0 left, 1 centred, 2 right
    int maxLength = 0;             // /MaxLen; 0 when absent
    std::string defaultAppearance; // /DA, else the form's /DA

    bool isButton() const { return kind == FieldKind::CheckBox || kind == FieldKind::RadioButton; }
};

} // namespace formalys::pdf
