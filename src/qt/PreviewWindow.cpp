#include "qt/PreviewWindow.h"

#include "qt/Named.h"
#include "qt/PageRenderer.h"
#include "qt/PreviewPages.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace formalys::qt {

namespace {

constexpr double zoomStep = 1.25;
constexpr double smallestZoom = 0.25;
constexpr double largestZoom = 4.0;

} // namespace

PreviewWindow::PreviewWindow(QWidget* parent)
    : QDialog(parent, Qt::Tool), scroll_(new QScrollArea(this)), pages_(new PreviewPages)
{
    named(this, "Apercu", "Aperçu du document Cerfa");
    named(scroll_, "Pages", "Pages du document");
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating); // the keys stay with the sheet
    scroll_->setWidget(pages_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    pages_->onFieldClicked = [this](const std::string& field) {
        if (onFieldClicked) {
            onFieldClicked(field);
        }
    };
    setForm({});
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::setForm(const QString& form)
{
    setWindowTitle(QString::fromUtf8("Aperçu - ") + form);
}

void PreviewWindow::showDocument(const std::string& pdf,
                                 std::vector<pdf::PdfDocument::WidgetPlace> places)
{
    document_ = openPageRenderer(QByteArray(pdf.data(), static_cast<qsizetype>(pdf.size())));
    places_ = std::move(places);
    render();
}

void PreviewWindow::render()
{
    // Fit to width: the room inside the frame, less the vertical scroll bar and the margins.
    const int room = scroll_->width() - 2 * scroll_->frameWidth() -
                     scroll_->verticalScrollBar()->sizeHint().width() - 2 * PreviewPages::margin;
    const int width = static_cast<int>(room * zoom_);
    const int scrolled = scroll_->verticalScrollBar()->value();
    pages_->render(document_.get(), std::max(width, 50), places_);
    pages_->frame(framed_);
    scroll_->verticalScrollBar()->setValue(scrolled);
}

void PreviewWindow::frameField(const std::string& name)
{
    framed_ = name;
    const QRect bounds = pages_->frame(name);
    if (!bounds.isNull()) {
        scroll_->ensureVisible(bounds.center().x(), bounds.center().y(), bounds.width() / 2 + 20,
                               bounds.height() / 2 + 20);
    }
}

int PreviewWindow::currentPage() const
{
    const int top = scroll_->verticalScrollBar()->value();
    for (int p = pages_->pageCount() - 1; p >= 0; --p) {
        if (pages_->pageRect(p).top() <= top + 8) {
            return p;
        }
    }
    return 0;
}

void PreviewWindow::showPage(int page)
{
    page = std::clamp(page, 0, std::max(pages_->pageCount() - 1, 0));
    scroll_->verticalScrollBar()->setValue(pages_->pageRect(page).top() - 8);
}

void PreviewWindow::nextPage()
{
    showPage(currentPage() + 1);
}

void PreviewWindow::previousPage()
{
    showPage(currentPage() - 1);
}

void PreviewWindow::zoomIn()
{
    zoom_ = std::min(zoom_ * zoomStep, largestZoom);
    render();
}

void PreviewWindow::zoomOut()
{
    zoom_ = std::max(zoom_ / zoomStep, smallestZoom);
    render();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_PageDown) {
        nextPage();
    } else if (event->key() == Qt::Key_PageUp) {
        previousPage();
    } else if (control && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)) {
        zoomIn();
    } else if (control && event->key() == Qt::Key_Minus) {
        zoomOut();
    } else {
        QDialog::keyPressEvent(event); // Escape closes the preview, and only it
        return;
    }
    event->accept();
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (document_ != nullptr && document_->pageCount() > 0) {
        render();
    }
}

} // namespace formalys::qt
