#include "pdf/DocumentWriter.h"

#include "files/AtomicFile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFWriter.hh>
#include <stdexcept>
#include <string_view>

namespace formalys::pdf {

void DocumentWriter::write(QPDF& pdf, const std::string& path, Options options)
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
    const std::string_view bytes(reinterpret_cast<const char*>(buffer->getBuffer()),
                                 buffer->getSize());
    const auto result = files::writeFileAtomically(path, bytes);
    if (!result.ok) {
        throw std::runtime_error(result.error);
    }
}

} // namespace formalys::pdf
