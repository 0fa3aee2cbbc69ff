#pragma once
// The pages of the previewed document, one under the other, drawn at the width the preview gives
// them, with a thin frame around the widgets of the field chosen in the sheet. A click on a field
// says which field it was.

#include "pdf/PdfDocument.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>


namespace formalys::qt {

class PageRenderer;

class PreviewPages final : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPages(QWidget* parent = nullptr);

    // Draws every page of `document` `width` pixels wide (none without a document); `places` are
    // its fields' widgets.
    void render(PageRenderer* document, int width, std::vector<pdf::PdfDocument::WidgetPlace> places);

    // Frames the widgets of the field `name` ("" for none); returns their bounds on this widget.
    QRect frame(const std::string& name);

    static constexpr int margin = 8; // around the pages, and between two of them

    int pageCount() const { return static_cast<int>(pages_.size()); }
    const QImage& pageImage(int page) const { return pages_.at(static_cast<std::size_t>(page)).image; }
    QRect pageRect(int page) const; // where page `page` is drawn
    QRectF placeRect(const pdf::PdfDocument::WidgetPlace& place) const;
    const std::vector<pdf::PdfDocument::WidgetPlace>& places() const { return places_; }

    std::function<void(const std::string& field)> onFieldClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Page
    {
        QImage image;
        QSizeF points; // the page's size in points
        int top = 0;   // where it is drawn
    };
    std::vector<Page> pages_;
    std::vector<pdf::PdfDocument::WidgetPlace> places_;
    std::string framed_;
};

} // namespace formalys::qt
