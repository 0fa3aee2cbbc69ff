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
        throw std::runtime_error(result.error);
    }
}

} // namespace

DocumentWriter::Method DocumentWriter::write(LoadedPdf& pdf, const ChangeLog& changes,
                                             const std::string& path)
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
        writeFile(path, file_);
        return Method::IncrementalUpdate;
    }
    rewrite(pdf.qpdf(), path);
    return Method::FullRewrite;
}

void DocumentWriter::forget()
{
    texts_.clear();
}

void DocumentWriter::rewrite(QPDF& pdf, const std::string& path, Options options)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // Neither decode nor compress: every stream is copied byte for byte. These settings were
    // checked by reading the written appearance streams back (tests/pdf).
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setStaticID(options.staticId);
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    writeFile(path, std::string_view(reinterpret_cast<const char*>(buffer->getBuffer()),
                                     buffer->getSize()));
}

} // namespace formalys::pdf
