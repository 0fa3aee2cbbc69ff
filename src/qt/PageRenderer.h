#pragma once
// The pages of a PDF document drawn as pictures, for the preview. The drawing itself is Qt PDF's,
// kept in a module of its own (libformalys-apercu) that is loaded when the preview first opens: a
// host that never shows a preview (a night batch) does not load Qt PDF and what it brings.

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <memory>

namespace formalys::qt {

class PageRenderer
{
public:
    virtual ~PageRenderer() = default;
    virtual int pageCount() const = 0;
    virtual QSizeF pagePoints(int page) const = 0; // the page's size in points
    virtual QImage render(int page, QSize pixels) = 0;
};

// The document `pdf` ready to draw; nullptr when the preview's module cannot be loaded (a warning
// says so, the technical reason is a detail).
std::unique_ptr<PageRenderer> openPageRenderer(const QByteArray& pdf);

} // namespace formalys::qt

// What the module exports: a renderer of `pdf`, owned by the caller.
extern "C" formalys::qt::PageRenderer* formalys_apercu_open(const char* pdf, long long size);
