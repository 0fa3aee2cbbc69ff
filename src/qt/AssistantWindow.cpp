#include "qt/AssistantWindow.h"

#include "assistant/Assistant.h"
#include "grid/GridLayout.h"
#include "assistant/WindowPlacement.h"
#include "component/ComponentState.h"
#include "assistant/DryRun.h"
#include "grid/FieldCells.h"
#include "assistant/ParamDesign.h"
#include "qt/Named.h"
#include "qt/PreviewWindow.h"
#include "qt/SheetModel.h"
#include "qt/SheetView.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

namespace formalys::qt {

namespace {

using grid::twipsPerPixel;

namespace param = assistant::param;
using param::gridTop;

// A control named and captioned as the window's design says.
template <typename Widget> Widget* control(Widget* widget, const assistant::param::Control& design)
{
    if (design.text[0] != '\0') {
        if constexpr (requires { widget->setText(QString()); }) {
            widget->setText(QString::fromUtf8(design.text));
        } else {
            widget->setWindowTitle(QString::fromUtf8(design.text));
        }
    }
    return named(widget, design.name, design.accessibleName);
}

int px(int twips)
{
    return twips / twipsPerPixel;
}

assistant::Assistant& core()
{
    return assistant::assistantWindow();
}

assistant::ScreenRect onScreen(const QRect& r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

} // namespace

AssistantWindow& AssistantWindow::instance()
{
    static AssistantWindow* window = new AssistantWindow; // lives as long as the QApplication
    return *window;
}

AssistantWindow::AssistantWindow()
    : Combo1(control(new QComboBox(this), param::Combo1)),
      SSData(control(new SheetView(this), param::SSData)),
      SSPdf(named(new SheetView(this), "SSPdf", "Champs du modèle PDF")),
      Command1(control(new QPushButton(this), param::Command1)),
      Command2(control(new QPushButton(this), param::Command2)),
      Command4(control(new QPushButton(this), param::Command4)),
      Command5(control(new QPushButton(this), param::Command5)),
      Label1(control(new QLabel(this), param::Label1)),
      Consigne(control(new QLabel(this), param::Consigne)),
      dataModel_(new SheetModel(this)), pdfModel_(new SheetModel(this)),
      previewTimer_(new QTimer(this))
{
    control(this, param::window);
    Command4->setIcon(QIcon(":/formalys/images/pause.svg"));
    Command4->setIconSize(QSize(px(param::pausePicture), px(param::pausePicture)));
    Command4->setToolTip(QString::fromUtf8(param::pauseTip));
    Label1->setBuddy(Combo1);
    SSData->setModel(dataModel_);
    SSPdf->setModel(pdfModel_);
    SSPdf->hide(); // the field grid is never shown
    dataModel_->onUserEdit = [this] {
        core().noteUserEdit();
        if (preview_ != nullptr && preview_->isVisible()) {
            previewTimer_->start(); // made again once the typing pauses
        }
    };
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(previewDelayMilliseconds);
    connect(previewTimer_, &QTimer::timeout, this, &AssistantWindow::updatePreview);
    connect(SSData->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &AssistantWindow::followCurrentCell);

    // The controls above the grid, left to right, at their places.
    using namespace param;
    Label1->setGeometry(px(margin), px(labelTop), px(listWidth), px(labelHeight));
    Combo1->setGeometry(px(margin), px(listTop), px(listWidth), Combo1->sizeHint().height());
    int left = px(buttonsLeft);
    for (QPushButton* button : {Command2, Command4, Command1, Command5}) {
        const int width =
            button == Command4 ? px(pauseWidth) : button->sizeHint().width() + px(buttonPadding);
        button->setGeometry(left, px(buttonTop), width,
                            std::max(button->sizeHint().height(), px(buttonHeight)));
        left += width + px(buttonGap);
    }
    SSData->setGeometry(px(margin), px(gridTop), px(listWidth), px(2000));
    Consigne->setGeometry(px(margin), px(gridTop), left - px(margin), px(hintHeight));
    resize(std::max(left + px(margin), px(windowWidth)), px(windowHeight));

    connect(Combo1, &QComboBox::activated, this, &AssistantWindow::chooseForm);
    Combo1->installEventFilter(this); // Enter on the list opens it
    Command2->setDefault(true); // the window's own action, as its title says: never the about box
    connect(Command2, &QPushButton::clicked, this, &AssistantWindow::generate);
    connect(Command4, &QPushButton::clicked, this, &AssistantWindow::pause);
    connect(Command1, &QPushButton::clicked, this, &AssistantWindow::about);
    connect(Command5, &QPushButton::clicked, this,
            [this] { showPreview(preview_ == nullptr || !preview_->isVisible()); });
}

void AssistantWindow::open(bool modal)
{
    if (isVisible()) {
        raise();
        activateWindow();
        if (modal) {
            waitUntilClosed();
        }
        return;
    }
    core().ensureLoaded();
    refresh();
    // In a host with windows of its own, the assistant belongs to the host's active window: it
    // stays above it and is centred on it. The host keeps owning its window: no Qt parent is set.
    if (QWidget* host = QApplication::activeWindow(); host != nullptr && host != this) {
        winId();
        windowHandle()->setTransientParent(host->windowHandle());
        const assistant::ScreenRect at =
            assistant::centredOn(onScreen(host->frameGeometry()), frameGeometry().width(),
                                 frameGeometry().height(), onScreen(host->screen()->availableGeometry()));
        move(at.left, at.top);
    }
    if (modal) {
        exec();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void AssistantWindow::waitUntilClosed()
{
    if (!isVisible()) {
        return;
    }
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

void AssistantWindow::refresh()
{
    if (!core().isLoaded()) {
        closeSheets();
        return;
    }
    assistant::FormList& list = core().Combo1();
    Combo1->clear();
    for (int i = 0; i < list.count(); ++i) {
        Combo1->addItem(QString::fromStdString(list.entry(i)));
    }
    Combo1->setCurrentIndex(list.selectedIndex());
    dataModel_->setSheet(&core().SSData());
    pdfModel_->setSheet(&core().SSPdf());
    SSData->layOut(core().SSData());
    const std::string hint = core().sheetHint();
    Consigne->setText(QString::fromStdString(hint));
    Consigne->setVisible(!hint.empty());
    SSData->setVisible(hint.empty() && core().SSDataView().visible);
    placeGrid();
}

void AssistantWindow::closeSheets()
{
    dataModel_->setSheet(nullptr);
    pdfModel_->setSheet(nullptr);
}

void AssistantWindow::chooseForm(int index)
{
    SSData->commitOpenEdit();
    const int previous = core().Combo1().selectedIndex();
    const std::string question = core().changeFormQuestion();
    if (!question.empty() && !ask("ChangeQuestion", question)) {
        Combo1->setCurrentIndex(previous); // the sheet stays as it is
        return;
    }
    core().Combo1().select(static_cast<std::int16_t>(index));
    refresh();
    focusFirstCellToFill();
    if (preview_ != nullptr && preview_->isVisible()) {
        updatePreview();
    }
}

void AssistantWindow::focusFirstCellToFill()
{
    if (!core().isLoaded()) {
        return;
    }
    if (!core().sheetHint().empty()) {
        Combo1->setFocus(); // nothing to fill before a form is chosen
        return;
    }
    if (SSData->model()->rowCount() == 0) {
        return;
    }
    SSData->setFocus();
    SSData->setCurrentIndex(SSData->firstCellToFill());
}

bool AssistantWindow::ask(const char* objectName, const std::string& text)
{
    QMessageBox question(QMessageBox::Question, "Formalys", QString::fromStdString(text),
                         QMessageBox::NoButton, this);
    question.setObjectName(objectName);
    QPushButton* yes = question.addButton("&Oui", QMessageBox::YesRole);
    QPushButton* no = question.addButton("&Non", QMessageBox::NoRole);
    yes->setObjectName("Oui");
    no->setObjectName("Non");
    question.setDefaultButton(no);
    question.setEscapeButton(no);
    question.exec();
    return question.clickedButton() == yes;
}

void AssistantWindow::showPreview(bool shown)
{
    previewWanted_ = shown;
    if (!shown) {
        if (preview_ != nullptr) {
            preview_->hide();
        }
        return;
    }
    if (preview_ == nullptr) {
        preview_ = new PreviewWindow(this);
        preview_->onFieldClicked = [this](const std::string& field) { selectCellOfField(field); };
        connect(preview_, &QDialog::finished, this, [this] {
            previewWanted_ = previewWanted_ && closingWithWindow_; // closed by the user: stays closed
        });
    }
    const assistant::SideBySide placed = assistant::besideAssistant(
        onScreen(frameGeometry()), px(9300), onScreen(screen()->availableGeometry()));
    if (placed.assistant.left != frameGeometry().left()) {
        move(placed.assistant.left, placed.assistant.top);
    }
    const assistant::ScreenRect& page = placed.preview;
    preview_->setGeometry(page.left, page.top, page.width, page.height);
    preview_->show();
    updatePreview();
    followCurrentCell();
}

void AssistantWindow::updatePreview()
{
    previewTimer_->stop();
    if (preview_ == nullptr || !preview_->isVisible()) {
        return;
    }
    preview_->setForm(Combo1->currentText());
    SSData->commitOpenEdit();
    if (auto dry = assistant::dryRun(core())) {
        preview_->showDocument(dry->flattened, std::move(dry->places));
    } else {
        preview_->showDocument({}, {});
    }
}

void AssistantWindow::followCurrentCell()
{
    if (preview_ == nullptr || !preview_->isVisible() || !core().isLoaded()) {
        return;
    }
    const QModelIndex current = SSData->currentIndex();
    preview_->frameField(
        current.isValid()
            ? grid::fieldOfCell(core().SSData().cell(current.column() + 1, current.row() + 1))
            : std::string());
}

void AssistantWindow::selectCellOfField(const std::string& field)
{
    if (!core().isLoaded()) {
        return;
    }
    if (const auto cell = grid::cellOfField(core().SSData(), field)) {
        SSData->setCurrentIndex(SSData->model()->index(cell->second - 1, cell->first - 1));
        SSData->scrollTo(SSData->currentIndex());
    }
    activateWindow();
    SSData->setFocus();
}

void AssistantWindow::done(int result)
{
    if (preview_ != nullptr && preview_->isVisible()) {
        closingWithWindow_ = true; // it comes back with the window
        preview_->hide();
        closingWithWindow_ = false;
    }
    previewTimer_->stop();
    QDialog::done(result);
}

void AssistantWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return; // shown again by the desktop (restored): the user's cell stays where it was
    }
    focusFirstCellToFill(); // a resumed sheet: the keys go to it; else to the form list
    if (previewWanted_) {
        QTimer::singleShot(0, this, [this] { showPreview(true); });
    }
}

bool AssistantWindow::eventFilter(QObject* watched, QEvent* event)
{
    // On the form list, Enter opens the list rather than pressing the dialog's default button
    // (the about window, or generation before any form is chosen).
    if (watched == Combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Combo1->showPopup();
            if (Combo1->currentIndex() < 0) { // Enter again takes the first form, Down the next
                Combo1->view()->setCurrentIndex(Combo1->model()->index(0, 0));
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AssistantWindow::generate()
{
    SSData->commitOpenEdit();
    core().Command2_Click();
    if (core().isLoaded()) { // stopped before saving: the sheet and the window stay as they are
        return;
    }
    closeSheets();
    accept();
}

void AssistantWindow::pause()
{
    SSData->commitOpenEdit();
    core().Command4_Click();
    if (core().isLoaded()) { // refused: the sheet and the window stay as they are
        return;
    }
    closeSheets();
    accept();
}

void AssistantWindow::about()
{
    core().Command1_Click();
}

void AssistantWindow::reject()
{
    SSData->commitOpenEdit();
    const std::string question = core().closeQuestion();
    if (!question.empty() && !ask("CloseQuestion", question)) {
        return;
    }
    core().Unload();
    closeSheets();
    QDialog::reject();
}

void AssistantWindow::placeGrid()
{
    if (isMinimized()) {
        return;
    }
    const int gridWidth = SSData->sheetWidth();
    const grid::GridPlacement placement =
        grid::placeGrid(width() * twipsPerPixel, height() * twipsPerPixel, gridTop,
                             SSData->x() * twipsPerPixel, gridWidth * twipsPerPixel);
    SSData->setGeometry(px(placement.gridLeft), px(gridTop), gridWidth, px(placement.gridHeight));
    if (px(placement.windowWidth) > width()) {
        resize(px(placement.windowWidth), height()); // laid out again, centred, once resized
    }
}

void AssistantWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeGrid();
}

void AssistantWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        placeGrid(); // a minimised window was not laid out
    }
}

} // namespace formalys::qt
