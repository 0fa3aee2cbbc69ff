#include "pdf/DocumentWriter.h"

#include "files/AtomicFile.h"
#include "pdf/ChangeLog.h"
#include "pdf/IncrementalUpdate.h"
#include "pdf/LoadedPdf.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFWriter.hh>
#include <stdexcept>
#include <string_view>

namespace formalys::pdf {

namespace {

void writeFile(const std::string& path, std::string_view bytes)
{
    const auto result = files::writeFileAtomically(path, bytes);
    if (!result.ok) {
        throw files::WriteError(result);
    }
}

} // namespace

DocumentWriter::Method DocumentWriter::write(LoadedPdf& pdf, const ChangeLog& changes,
                                             const std::string& path)
{
    const auto [method, bytes] = make(pdf, changes);
    writeFile(path, bytes);
    return method;
}

std::pair<DocumentWriter::Method, std::string_view> DocumentWriter::make(LoadedPdf& pdf,
                                                                         const ChangeLog& changes)
{
    bool made = false;
    if (pdf.isSound() && changes.fitForIncrementalUpdate()) {
        if (changes.changedObjects().empty()) {
            file_.assign(pdf.bytes());
            made = true;
        } else {
            made = IncrementalUpdate::write(pdf.bytes(), pdf.qpdf(), changes, texts_, file_);
        }
        // Damage met while reading the changed objects: the update may hold nulls for them.
        made = made && pdf.isSound();
    }
    if (made) {
        return {Method::IncrementalUpdate, file_};
    }
    file_ = rewritten(pdf.qpdf());
    return {Method::FullRewrite, file_};
}

void DocumentWriter::rewrite(QPDF& pdf, const std::string& path)
{
    writeFile(path, rewritten(pdf));
}

std::string DocumentWriter::rewritten(QPDF& pdf)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // Neither decode nor compress: every stream is copied byte for byte, as the template has it
    // (a viewer reads them the same either way; only the file's size would change).
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return {reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize()};
}

} // namespace formalys::pdf
