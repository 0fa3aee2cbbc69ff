// PLACEHOLDER: an empty document until the QPDF implementation lands.
#include "pdf/PdfDocument.h"

namespace formalys::pdf {

class PdfDocument::Impl
{};

PdfDocument::PdfDocument() = default;
PdfDocument::~PdfDocument() = default;
bool PdfDocument::LoadDocument(const std::string&)
{
    return false;
}
bool PdfDocument::isLoaded() const
{
    return false;
}
std::int32_t PdfDocument::FieldCount() const
{
    return 0;
}
std::string PdfDocument::FieldName(std::int32_t) const
{
    return {};
}
std::string PdfDocument::fieldValue(std::int32_t) const
{
    return {};
}
void PdfDocument::SetFieldValue(const std::string&, const std::string&) {}
bool PdfDocument::SaveDocument(const std::string&)
{
    return false;
}

} // namespace formalys::pdf
