// screenshots: opens the windows of Formalys on a demo application directory, as a user would, and
// saves pictures of them for the README. scripts/screenshots.sh runs it under Xvfb.
//   screenshots DEMO_DIRECTORY OUTPUT_DIRECTORY
#include "assistant/Assistant.h"
#include "formalys/SHPDF.h"
#include "component/ComponentState.h"
#include "cli/verbs/WindowVerbs.h"
#include "qt/AboutWindow.h"
#include "qt/Application.h"
#include "qt/AssistantWindow.h"
#include "qt/PreviewWindow.h"
#include "qt/QtWindows.h"
#include "qt/SheetView.h"
#include "qt/TrayIcon.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolTip>
#include <cstdio>
#include <functional>
#include <sstream>

namespace {

using formalys::qt::AssistantWindow;

QString output;

void settle(int milliseconds = 300)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// What the screen shows over `area`: the X server's pixels, as a user sees them.
void save(const QString& name, QRect area)
{
    settle();
    QScreen* screen = QApplication::primaryScreen();
    screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(output + "/" + name + ".png");
    std::printf("%s/%s.png\n", qPrintable(output), qPrintable(name));
}

// The first cell of the mapping grid bound to `binding`.
QModelIndex cellBoundTo(AssistantWindow& window, const std::string& binding)
{
    const auto& sheet = formalys::assistant::assistantWindow().SSData();
    QAbstractItemModel* model = window.SSData->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (sheet.cell(column + 1, row + 1).binding == binding) {
                return model->index(row, column);
            }
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "utilisation : screenshots RÉPERTOIRE_DÉMO DOSSIER_IMAGES\n");
        return 2;
    }
    QApplication application(argc, argv);
    formalys::qt::speakFrench(application); // as the library's own QApplication speaks
    output = argv[2];
    formalys::qt::install();
    formalys::SHPDF().CerfaInit(argv[1]);
    AssistantWindow& window = AssistantWindow::instance();
    window.move(0, 0);

    // As it opens: the form list first.
    window.open(false);
    save("assistant-ouverture", window.frameGeometry());
    window.done(QDialog::Rejected);
    formalys::assistant::assistantWindow().Unload();

    const char* const forms[] = {"MT", "DEPAT", "PIRES", "DSI"};
    for (int form = 0; form < 4; ++form) {
        window.open(false);
        window.Combo1->setCurrentIndex(form);
        emit window.Combo1->activated(form);
        save(QString("assistant-") + forms[form], window.frameGeometry());
        window.done(QDialog::Rejected);
        formalys::assistant::assistantWindow().Unload();
    }

    // The preview beside the sheet, the field of the chosen cell framed on the page.
    for (const auto& [form, field] : {std::pair{0, "nom"}, {3, "nom patient"}}) {
        window.open(false);
        window.Combo1->setCurrentIndex(form);
        emit window.Combo1->activated(form);
        window.showPreview(true);
        window.SSData->setCurrentIndex(cellBoundTo(window, field));
        save(QString("apercu-") + forms[form],
             window.frameGeometry().united(window.preview()->frameGeometry()));
        window.showPreview(false);
        window.done(QDialog::Rejected);
        formalys::assistant::assistantWindow().Unload();
    }

    // An input hint: a key that does not match the social-security number.
    window.open(false);
    emit window.Combo1->activated(0);
    const QModelIndex key = cellBoundTo(window, "[CLENUMSS]");
    window.SSData->model()->setData(key, "99");
    window.SSData->setCurrentIndex(key);
    const QPoint over = window.SSData->viewport()->mapToGlobal(window.SSData->visualRect(key).center());
    QCursor::setPos(over); // the pointer rests on the cell, as a user's does for its tip
    settle();
    QToolTip::showText(over, key.data(Qt::ToolTipRole).toString(), window.SSData->viewport());
    settle();
    QRect area = window.frameGeometry();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->inherits("QTipLabel")) {
            area = area.united(top->frameGeometry());
        }
    }
    save("assistant-indication", area);
    QToolTip::hideText();

    // The question asked when the window is closed with changes.
    QTimer::singleShot(400, [&] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        save("assistant-fermeture", window.frameGeometry());
        if (question != nullptr) {
            question->findChild<QPushButton*>("Non")->click(); // the window stays open
        }
    });
    window.reject();
    window.done(QDialog::Rejected);
    formalys::assistant::assistantWindow().Unload();

    // The save dialog of `formalys assistant` without --out, proposing a name in the documents
    // folder; then a pause refused for a patient number that cannot name a file.
    {
        const auto whenShown = [](const char* className, std::function<void(QWidget*)> act) {
            auto* poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, [poll, className, act] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal != nullptr && modal->inherits(className)) {
                    delete poll;
                    act(modal);
                }
            });
            poll->start(50);
        };
        whenShown("formalys::qt::AssistantWindow", [&](QWidget*) {
            window.Combo1->setCurrentIndex(0);
            emit window.Combo1->activated(0);
            whenShown("QFileDialog", [](QWidget* dialog) {
                dialog->resize(760, 460);
                save("enregistrer", dialog->frameGeometry());
                dialog->close(); // cancelled: back to the sheet
            });
            window.Command2->click();
            window.done(QDialog::Rejected);
        });
        std::ostringstream printed, errors;
        formalys::cli::runAssistant({argv[1], false, std::nullopt}, printed, errors);
    }

    // The tray icon and its menu, before and after a pause (scripts/screenshots.sh runs trayer, a
    // notification area, at the top right of the screen).
    QWidget desktop; // a plain desktop under the notification area, instead of the black screen
    desktop.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    desktop.setStyleSheet("background: #3b6ea5;");
    desktop.setGeometry(QApplication::primaryScreen()->geometry());
    desktop.show();
    desktop.lower();
    auto& tray = formalys::qt::TrayIcon::instance();
    formalys::ComponentState::instance().tray.hideResumeItem(); // the tray window's first use
    settle(1000);
    const auto menuShot = [&](const QString& name) {
        const QRect icon = tray.icon->geometry();
        QCursor::setPos(icon.center().x(), icon.bottom() + 4); // the menu opens just below the icon
        emit tray.icon->activated(QSystemTrayIcon::Trigger);
        settle();
        const QRect menu = tray.MenuAbout->geometry();
        const QRect shot = icon.united(menu).adjusted(-60, -8, 60, 16);
        save(name, shot.intersected(QApplication::primaryScreen()->geometry()));
        tray.MenuAbout->hide();
    };
    menuShot("tray-menu");
    window.open(false);
    emit window.Combo1->activated(0);
    window.Command4->click(); // the pause
    menuShot("tray-menu-pause");

    // The about window, shown by CerfaAbout, hidden by its "&Ok".
    QTimer::singleShot(400, [] {
        auto& about = formalys::qt::AboutWindow::instance();
        save("about", about.frameGeometry());
        about.Command1->click();
    });
    formalys::SHPDF().CerfaAbout();
    formalys::SHPDF().CerfaQuit();
    return 0;
}
