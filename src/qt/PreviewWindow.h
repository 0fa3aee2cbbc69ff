#pragma once
// The preview (Apercu): a tool window beside the assistant that shows the document generation
// would save now, page under page, fit to the width of a page. Page Up and Page Down go from page
// to page, Ctrl++ and Ctrl+- zoom, Escape closes it (and only it). A click on a field names it;
// the assistant frames the field of the cell chosen in the sheet.

#include "pdf/PdfDocument.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QScrollArea;

namespace formalys::qt {

class PageRenderer;
class PreviewPages;

class PreviewWindow final : public QDialog
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget* parent);
    ~PreviewWindow() override;

    // Shows the document `pdf` whose fields' widgets are at `places`; the title names `form`.
    void showDocument(const std::string& pdf, std::vector<pdf::PdfDocument::WidgetPlace> places);
    void setForm(const QString& form);

    // Frames the widgets of field `name` ("" for none) and scrolls them into view.
    void frameField(const std::string& name);

    void nextPage();
    void previousPage();
    void zoomIn();
    void zoomOut();
    double zoom() const { return zoom_; }
    int currentPage() const; // the page at the top of the view, from 0

    PreviewPages* pages() const { return pages_; }
    std::function<void(const std::string& field)> onFieldClicked;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    void showPage(int page);

    QScrollArea* scroll_;
    PreviewPages* pages_;
    std::unique_ptr<PageRenderer> document_;
    std::vector<pdf::PdfDocument::WidgetPlace> places_;
    std::string framed_;
    double zoom_ = 1.0; // 1: a page as wide as the window
};

} // namespace formalys::qt
