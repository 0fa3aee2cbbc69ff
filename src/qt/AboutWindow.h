#pragma once
// The about window: the tray window (PDFForm) made visible. It presents Formalys and its maker,
// and opens the maker's site or a new e-mail on a click. "&Ok" hides it; closing it any other way
// tells the core, which unloads the tray window.

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;

namespace formalys::qt {

class AboutWindow final : public QDialog
{
    Q_OBJECT

public:
    // The one window of the process, created on first use.
    static AboutWindow& instance();

    // Hands a link's target to the desktop (QDesktopServices::openUrl); tests replace it.
    std::function<void(const QUrl&)> openUrl;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* LSite;
    QLabel* LMail;
    QLabel* Picture1;
    QPushButton* Command1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AboutWindow();
};

} // namespace formalys::qt
