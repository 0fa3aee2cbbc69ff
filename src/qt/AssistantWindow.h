#pragma once
// The assistant window (Param) on the screen: the form list, the mapping grid and the buttons. It
// shows the state of the assistant of the core (assistant::assistantWindow()) and forwards the
// user's actions to it; the core decides what they do.

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace formalys::qt {

class PreviewWindow;
class SheetModel;
class SheetView;

class AssistantWindow final : public QDialog
{
    Q_OBJECT

public:
    // The one window of the process, created on first use.
    static AssistantWindow& instance();

    // Loads the assistant if it has gone (running its Load), then shows it: modally, returning once
    // the window has gone, or modelessly, returning at once. Called while the window is already
    // open, brings it forward, and waits for it to go when `modal`.
    void open(bool modal);

    // Returns once the window has gone (at once when it is not open).
    void waitUntilClosed();

    // Shows the state of the core: the form list and the sheets, laid out.
    void refresh();

    // The controls, for the tests.
    QComboBox* Combo1;
    SheetView* SSData;
    SheetView* SSPdf;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command5;

    // The preview of the document (Apercu), created when first shown; nullptr before.
    PreviewWindow* preview() const { return preview_; }
    // Shows the preview beside the window, up to date, or hides it.
    void showPreview(bool shown);
    // Makes the preview show the document generation would save now.
    void updatePreview();

    // How long the preview waits after an edit of a cell before it is made again, so that typing
    // is not slowed down.
    static constexpr int previewDelayMilliseconds = 150;

public slots:
    void reject() override;
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AssistantWindow();
    void chooseForm(int index);
    void generate();
    void pause();
    void about();
    void closeSheets(); // the core unloaded: no sheet to show
    void placeGrid();
    void focusFirstCellToFill();
    void followCurrentCell(); // frames the current cell's field in the preview
    void selectCellOfField(const std::string& field);
    bool ask(const char* objectName, const std::string& question); // Oui / Non, Non by default

    QLabel* Label1;
    QLabel* Consigne; // in place of the sheet while no form is chosen
    SheetModel* dataModel_;
    SheetModel* pdfModel_;
    PreviewWindow* preview_ = nullptr;
    QTimer* previewTimer_;
    bool previewWanted_ = false;    // shown with the window
    bool closingWithWindow_ = false; // the preview goes because the window does
};

} // namespace formalys::qt
