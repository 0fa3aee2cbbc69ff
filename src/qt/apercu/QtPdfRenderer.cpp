// libformalys-apercu: the preview's pages drawn by Qt PDF, loaded by the windows when the preview
// first opens (qt/PageRenderer.h).
#include "qt/PageRenderer.h"

#include <QBuffer>
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>

namespace {

class QtPdfRenderer final : public formalys::qt::PageRenderer
{
public:
    QtPdfRenderer(const char* pdf, long long size) : bytes_(pdf, static_cast<qsizetype>(size))
    {
        buffer_.setData(bytes_);
        buffer_.open(QIODevice::ReadOnly);
        document_.load(&buffer_); // read as long as the document lives: the buffer outlives it
    }
    ~QtPdfRenderer() override { document_.close(); }

    int pageCount() const override { return document_.pageCount(); }
    QSizeF pagePoints(int page) const override { return document_.pagePointSize(page); }
    QImage render(int page, QSize pixels) override
    {
        QPdfDocumentRenderOptions options;
        options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
        return document_.render(page, pixels, options);
    }

private:
    QByteArray bytes_;
    QBuffer buffer_;
    QPdfDocument document_;
};

} // namespace

extern "C" __attribute__((visibility("default"))) formalys::qt::PageRenderer*
formalys_apercu_open(const char* pdf, long long size)
{
    return new QtPdfRenderer(pdf, size);
}
