#include "qt/PreviewPages.h"

#include "qt/PageRenderer.h"

#include <QMouseEvent>
#include <QPainter>

namespace formalys::qt {

PreviewPages::PreviewPages(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
    setCursor(Qt::PointingHandCursor);
}

void PreviewPages::render(PageRenderer* document, int width,
                          std::vector<pdf::PdfDocument::WidgetPlace> places)
{
    places_ = std::move(places);
    pages_.clear();
    const qreal ratio = devicePixelRatioF();
    int top = margin;
    for (int p = 0; document != nullptr && p < document->pageCount(); ++p) {
        Page page;
        page.points = document->pagePoints(p);
        const int height = static_cast<int>(width * page.points.height() / page.points.width());
        page.image = document->render(p, QSize(width, height) * ratio);
        page.image.setDevicePixelRatio(ratio);
        page.top = top;
        top += height + margin;
        pages_.push_back(std::move(page));
    }
    setFixedSize(width + 2 * margin, top);
    update();
}

QRect PreviewPages::pageRect(int page) const
{
    if (page < 0 || page >= pageCount()) {
        return {};
    }
    const Page& p = pages_[static_cast<std::size_t>(page)];
    return {margin, p.top, width() - 2 * margin, static_cast<int>(p.image.height() / p.image.devicePixelRatio())};
}

QRectF PreviewPages::placeRect(const pdf::PdfDocument::WidgetPlace& place) const
{
    const QRect page = pageRect(place.page);
    if (page.isNull()) {
        return {};
    }
    const QSizeF points = pages_[static_cast<std::size_t>(place.page)].points;
    const double scale = page.width() / points.width();
    return {page.left() + place.left * scale, page.top() + (points.height() - place.top) * scale,
            (place.right - place.left) * scale, (place.top - place.bottom) * scale};
}

QRect PreviewPages::frame(const std::string& name)
{
    framed_ = name;
    QRectF bounds;
    for (const auto& place : places_) {
        if (!name.empty() && place.name == name) {
            bounds = bounds.united(placeRect(place));
        }
    }
    update();
    return bounds.toAlignedRect();
}

void PreviewPages::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int p = 0; p < pageCount(); ++p) {
        painter.fillRect(pageRect(p), Qt::white); // pages are drawn on nothing
        painter.drawImage(pageRect(p).topLeft(), pages_[static_cast<std::size_t>(p)].image);
    }
    painter.setPen(QPen(QColor(0, 90, 200), 1.5));
    painter.setBrush(Qt::NoBrush);
    for (const auto& place : places_) {
        if (!framed_.empty() && place.name == framed_) {
            painter.drawRect(placeRect(place).adjusted(-2, -2, 2, 2));
        }
    }
}

void PreviewPages::mousePressEvent(QMouseEvent* event)
{
    for (const auto& place : places_) {
        if (placeRect(place).contains(event->position()) && onFieldClicked) {
            onFieldClicked(place.name);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

} // namespace formalys::qt
