// The windows driven as a user drives them, on the offscreen platform: the assistant with its form
// list, its sheet typed into, ticked, generated, paused, closed; the message boxes; and a process
// without a display. Documents are read back with QPDF.
#include "cli/verbs/WindowVerbs.h"
#include "formalys/formalys.h"
#include "support/Platform.h"
#include "support/Test.h"
#include "qt/AboutWindow.h"
#include "qt/Application.h"
#include "qt/AssistantWindow.h"
#include "qt/PreviewPages.h"
#include "qt/PreviewWindow.h"
#include "qt/QtWindows.h"
#include "qt/SheetModel.h"
#include "qt/SheetView.h"
#include "qt/TrayIcon.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

namespace {

using formalys::qt::AssistantWindow;
using formalys::qt::PreviewPages;
using formalys::qt::PreviewWindow;

class WindowsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        qt::install();
        state().alone = flagTrue; // no tray icon, unless a test asks for one
        installShippedForms();
        writeExchange("[PATIENT]\nNUMPA=12\nNOM=Lefèvre\nPRENOM=Zoé\nNUMSS=2750369123456\nCLENUMSS=61\n"
                      "[MEDECIN]\nIDNAT=691234567\n");
    }
    void TearDown() override
    {
        w.showPreview(false); // not wanted with the next test's window
        if (w.isVisible()) { w.done(QDialog::Rejected); }
        AppFixture::TearDown();
    }
    // Runs `answer` on the modal window that the next step opens (a message box, a question, a window
    // shown modally), as soon as it is there.
    void whenModal(std::function<void(QWidget*)> answer)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, answer] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                delete poll;
                answer(modal);
            }
        });
        poll->start(1);
    }
    // Opens the assistant modelessly and chooses `form` in the list, as a user does.
    void choose(int form)
    {
        SHPDF().CerfaMenuPatient();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.Combo1->setFocus();
        w.Combo1->setCurrentIndex(form);
        emit w.Combo1->activated(form);
    }
    // Where each control stands in its window, in pixels.
    static std::string laidOut(QWidget* window, const QString& names)
    {
        std::string places;
        for (QWidget* control : window->findChildren<QWidget*>(QRegularExpression(names))) {
            const QRect r = control->geometry();
            places += control->objectName().toStdString() + QString(" %1,%2 %3x%4|").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
        }
        return places;
    }
    QWidget* focused() { return QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : w.SSData; }
    QModelIndex cellBoundTo(const std::string& binding)
    {
        for (int row = 0; row < w.SSData->model()->rowCount(); ++row) {
            if (window().SSData().cell(2, row + 1).binding == binding) { return w.SSData->model()->index(row, 1); }
        }
        return {};
    }
    // Types `text` into the cell, character by character (accented letters as a keyboard sends them),
    // then Return unless `commit` is false (the editor stays open).
    void type(const QModelIndex& cell, const QString& text, bool commit = true)
    {
        w.SSData->setFocus();
        w.SSData->setCurrentIndex(cell);
        for (const QChar c : text) { QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier); }
        if (!commit) { return; }
        QTest::keyClick(focused(), Qt::Key_Return);
        QApplication::processEvents(); // Return commits once the editor has seen the key
    }

    AssistantWindow& w = AssistantWindow::instance();
    TempDir work;
};

TEST_F(WindowsTest, TheWindowShowsTheCoreAsTheUserMeetsIt)
{
    QWidget host;
    host.show();
    QApplication::setActiveWindow(&host);
    SHPDF().CerfaMenuPatient(); // returns at once, the window open beside the host
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowHandle()->transientParent(), host.windowHandle()) << "it stays above the host's window";
    EXPECT_TRUE(w.preview() == nullptr || !w.preview()->isVisible()) << "the preview opens when asked";
    EXPECT_THAT(w.windowTitle().toStdString(), HasSubstr("Pour Remplir Facilement les Formulaires Cerfa - v 1.2"));
    EXPECT_EQ((w.objectName() + "|" + w.Combo1->itemText(3) + "|" + w.Command2->text() + "|" + w.Command1->text() + "|" +
               w.Command4->toolTip() + "|" + w.findChild<QLabel*>("Label1")->text()).toStdString(),
              "Param|Démarche Soins Infirmiers (DSI)|&Générer le document Cerfa et Quitter|&A propos de Formalys|"
              "Faire une pause pour revenir à Kaluma...|Formulaires Cerfa disponibles :");
    EXPECT_TRUE(w.Combo1->currentIndex() == -1 && !w.Command4->icon().isNull());
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->buddy(), w.Combo1) << "it names the list for screen readers";
    EXPECT_FALSE(w.SSPdf->isVisible());
    QLabel* hint = w.findChild<QLabel*>("Consigne");
    EXPECT_TRUE(hint->isVisible() && !w.SSData->isVisible()) << "no form yet: no empty grid";
    EXPECT_EQ(hint->text().toStdString(), "Choisissez un formulaire dans la liste ci-dessus.");
    EXPECT_EQ(w.focusWidget(), w.Combo1);
    std::string opened;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] { if (QWidget* m = QApplication::activeModalWidget()) { opened = m->objectName().toStdString(); m->close(); } });
    guard.start(1);
    QTest::keyClick(w.Combo1, Qt::Key_Return);
    EXPECT_EQ(opened, "") << "Enter does not open the about window";
    EXPECT_TRUE(w.Combo1->view()->isVisible() && w.Combo1->view()->currentIndex().row() == 0) << "Enter opens the list on its first form";
    EXPECT_TRUE(w.Command2->isDefault() && !w.Command1->isDefault());
    w.Combo1->hidePopup();
    guard.stop();
    EXPECT_EQ(laidOut(&w, "^(Label1|Combo1|SSData|Command[1245])$"), "Combo1 8,28 320x22|SSData 354,64 216x509|Command1 650,26 154x28|Command2 344,26 250x28|Command4 602,26 40x30|Command5 812,26 96x28|Label1 8,8 320x19|");
    for (QWidget* control :
         w.findChildren<QWidget*>(QRegularExpression("^(Label1|Consigne|Combo1|SSData|SSPdf|Command[124])$"))) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    }
    for (int form = 0; form < 4; ++form) {
        emit w.Combo1->activated(form);
        QAbstractItemModelTester tester(w.SSData->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        EXPECT_EQ(w.SSData->model()->rowCount(), window().SSData().rowCount()) << form;
        EXPECT_TRUE(w.SSData->isVisible() && !hint->isVisible());
        EXPECT_EQ(w.SSData->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "Valeur");
        EXPECT_FALSE(w.SSData->model()->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
        EXPECT_GE(w.SSData->width(), w.SSData->horizontalHeader()->length()) << "every column shows";
        EXPECT_TRUE(w.SSData->x() >= 0 && w.SSData->x() * 2 + w.SSData->width() == w.width()) << "the grid fits, centred: " << form;
        EXPECT_EQ(std::pair(w.SSData->columnWidth(1), w.SSData->columnWidth(2)), std::pair(window().SSData().columnWidth(2) / 15, window().SSData().columnWidth(3) / 15)) << "each column as wide as its grid file says, the last one too";
        EXPECT_FALSE(w.SSData->verticalHeader()->isVisible()) << "no row numbers";
    }
    window().SSData().setColumnWidth(2, 30000); // a grid wider than the window widens it
    window().SSData().setColumnWidth(1, 0); // a column without a width has the default one
    w.refresh();
    EXPECT_GE(w.width(), w.SSData->width());
    EXPECT_EQ(w.SSData->columnWidth(0), w.SSData->horizontalHeader()->defaultSectionSize());
    const QModelIndex caption = w.SSData->model()->index(0, 0);
    EXPECT_FALSE(caption.flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(cellBoundTo("domicile").flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(cellBoundTo("nom patient").data().toString().toStdString(), "Lefèvre");
    EXPECT_EQ(w.SSData->columnSpan(0, 0), 3) << "the title row spans the sheet";
    EXPECT_EQ(caption.data(Qt::BackgroundRole).value<QColor>().name().toStdString(), "#d9e2f3") << "the grid's colour";
    EXPECT_TRUE(caption.data(Qt::FontRole).value<QFont>().bold() && !caption.siblingAtRow(1).data(Qt::FontRole).isValid());
    EXPECT_EQ(caption.siblingAtRow(3).data(Qt::BackgroundRole).value<QBrush>(), QApplication::palette().window());
    std::string about;
    whenModal([&](QWidget* shown) { about = shown->objectName().toStdString(); shown->findChild<QPushButton*>("Command1")->click(); });
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(about, "PDFForm");
}

// Typing (accented capitals too) replaces a cell and Return goes down; Space ticks a check box;
// generation writes what was typed, as the document and its boxes show.
TEST_F(WindowsTest, WhatIsTypedIsGenerated)
{
    choose(0);
    hostNames(dir.file("déclaration.pdf"));
    const QModelIndex name = cellBoundTo("nom");
    type(name, "ÉLODIE-ŒUVRE");
    EXPECT_EQ(w.SSData->currentIndex().row(), name.row() + 1) << "Return moves down";
    type(cellBoundTo("[NUMSS]"), "1480575123456");
    EXPECT_EQ(cellBoundTo("[NUMSS]").data(Qt::ToolTipRole).toString().toStdString(),
              "La clé « 61 » ne correspond pas au numéro de sécurité sociale, dont la clé est 43.");
    type(cellBoundTo("[CLENUMSS]"), "43");
    EXPECT_FALSE(cellBoundTo("[NUMSS]").data(Qt::ToolTipRole).isValid());
    for (const char* box : {"ben assuré", "ben ayant droit", "ben ayant droit"}) {
        w.SSData->setCurrentIndex(cellBoundTo(box));
        QTest::keyClick(w.SSData, Qt::Key_Space);
    }
    w.SSData->setCurrentIndex(cellBoundTo("fait à"));
    QTest::keyClick(w.SSData, 'L');
    QTest::keyClicks(focused(), "yon"); // left open: the button commits it
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible() || window().isLoaded());
    PdfReadBack pdf(dir.file("déclaration.pdf"));
    EXPECT_EQ(pdf.value("nom"), "ÉLODIE-ŒUVRE");
    EXPECT_EQ(pdf.value("imm 1") + pdf.value("clé2") + pdf.value("fait à"), "13Lyon");
    EXPECT_EQ(pdf.value("ben assuré") + pdf.value("ben ayant droit"), "OuiOff");
}

// The pause closes the window; the host opening it again for the same patient finds the form and
// the sheet as typed; for another patient the paused work is discarded. A pause that cannot be kept
// says why and leaves the window and the sheet as they are.
TEST_F(WindowsTest, APauseResumesForTheSamePatientOnly)
{
    choose(3);
    type(cellBoundTo("soins1"), "Pansement");
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(fs::exists(dir.file("12.ss")) && ReadExchange("RESULTAT", "TITRE", "") == "Démarche Soins Infirmiers (DSI)") << "the paused form named for the host";
    SHPDF().CerfaMenuPatient();
    EXPECT_EQ(w.Combo1->currentIndex() + w.Combo1->count(), 3 + 4) << "each form listed once";
    EXPECT_EQ(cellBoundTo("soins1").data().toString().toStdString(), "Pansement");
    QTRY_COMPARE(QApplication::focusWidget(), w.SSData); // the keys go to the resumed sheet
    EXPECT_EQ(w.SSData->currentIndex(), cellBoundTo("nom patient")) << "its first cell to fill";
    EXPECT_FALSE(fs::exists(dir.file("12.ss")));
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    WriteExchange("PATIENT", "NUMPA", "13"); // the pause noted patient 12 as the last one
    SHPDF().CerfaMenuPatient();
    EXPECT_EQ(w.Combo1->currentIndex(), -1) << "another patient's paused work is not resumed";

    w.done(QDialog::Rejected);
    window().Unload();
    writeExchange("[PATIENT]\nNUMPA=a/b\n");
    choose(3);
    type(cellBoundTo("soins1"), "Pansement");
    whenModal([](QWidget* box) { // its text: AssistantTest
        EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::Critical);
        qobject_cast<QDialog*>(box)->accept();
    });
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(cellBoundTo("soins1").data().toString().toStdString(), "Pansement");
}

// What the sheet answers for each role, and what an edit through each role does; Tab goes to the
// next cell the user can change, Shift+Tab back.
TEST_F(WindowsTest, TheSheetAnswersAndTakesEachRoleAsTheCellsSay)
{
    choose(0);
    QAbstractItemModel* model = w.SSData->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal); // each change as views expect it
    const QModelIndex key = cellBoundTo("[CLENUMSS]"), box = cellBoundTo("ben assuré"), caption = box.siblingAtColumn(0);
    const std::tuple<QModelIndex, QVariant, int, bool, std::string> edits[] = { // cell, value, role, taken, text after
        {key, "99", Qt::EditRole, true, "99"}, {key, Qt::Checked, Qt::CheckStateRole, false, "99"},
        {box, "1", Qt::EditRole, false, ""}, {box, Qt::Checked, Qt::CheckStateRole, true, "1"},
        {box, Qt::Unchecked, Qt::CheckStateRole, true, "0"}, {caption, "x", Qt::EditRole, false, caption.data().toString().toStdString()}};
    for (const auto& [cell, value, role, taken, after] : edits) {
        EXPECT_EQ(model->setData(cell, value, role), taken) << after;
        EXPECT_EQ(window().SSData().cell(cell.column() + 1, cell.row() + 1).text, after);
    }
    EXPECT_EQ(key.data(Qt::BackgroundRole).value<QColor>().name().toStdString(), "#ffe0b2") << "a key that does not match";
    EXPECT_FALSE(key.siblingAtColumn(0).data(Qt::ToolTipRole).isValid()) << "the hint is the cell's own";
    EXPECT_TRUE(box.data(Qt::CheckStateRole).toInt() == Qt::Unchecked && !box.data(Qt::DisplayRole).isValid()) << "a box, no text";
    EXPECT_EQ(QApplication::focusWidget(), w.SSData) << "a form chosen, the keys go to its sheet";
    w.SSData->setCurrentIndex(cellBoundTo("nom"));
    QTest::keyClick(w.SSData, Qt::Key_Tab);
    EXPECT_EQ(w.SSData->currentIndex(), cellBoundTo("prénom"));
    QTest::keyClick(w.SSData, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.SSData->currentIndex(), cellBoundTo("nom"));
    QTest::keyClick(w.SSData, Qt::Key_Down, Qt::ShiftModifier); // arrows go to the cell below, and one cell is selected
    EXPECT_EQ(w.SSData->currentIndex(), cellBoundTo("nom").siblingAtRow(cellBoundTo("nom").row() + 1));
    EXPECT_EQ(w.SSData->selectionModel()->selectedIndexes().size(), 1);
}

// Aperçu: the document generation would save, beside the sheet, made again after an edit; a click
// on a field chooses its cell, the chosen cell's field is framed; the keys page, zoom and close it
// alone; it goes and comes back with the window.
TEST_F(WindowsTest, ThePreviewShowsTheDocumentAsItWouldBeGenerated)
{
    choose(0);
    EXPECT_EQ(w.Command5->text().toStdString() + "|" + w.Command5->accessibleName().toStdString(), "A&perçu|Aperçu du document");
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    PreviewWindow* preview = w.preview();
    ASSERT_TRUE(preview != nullptr && preview->isVisible());
    EXPECT_EQ(preview->objectName().toStdString() + "|" + preview->accessibleName().toStdString() + "|" +
                  preview->windowTitle().toStdString(),
              "Apercu|Aperçu du document Cerfa|Aperçu - Déclaration Médecin Traitant");
    PreviewPages* pages = preview->pages();
    ASSERT_EQ(pages->pageCount(), 1);
    EXPECT_EQ(pages->cursor().shape(), Qt::PointingHandCursor) << "a click on a field goes to its cell";
    const auto placeOf = [&](const std::string& field) {
        const auto& places = pages->places();
        const auto found = std::find_if(places.begin(), places.end(), [&](const auto& p) { return p.name == field; });
        return found == places.end() ? QRectF() : pages->placeRect(*found);
    };
    const QRectF name = placeOf("nom");
    ASSERT_FALSE(name.isEmpty());
    const auto drawn = [&] { return pages->pageImage(0).copy((name.translated(-pages->pageRect(0).topLeft()).toAlignedRect())); };
    const QImage before = drawn();
    type(cellBoundTo("nom"), "DURAND");
    QTRY_VERIFY_WITH_TIMEOUT(drawn() != before, 2000); // made again once the typing paused

    w.Combo1->setFocus();
    QApplication::setActiveWindow(preview);
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
    QTest::mouseClick(pages, Qt::LeftButton, {}, name.center().toPoint()); // Return went on from there
    EXPECT_EQ(w.SSData->currentIndex(), cellBoundTo("nom"));
    const QImage seen = pages->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage page(pages->pageImage(0).size(), QImage::Format_RGB32);
    page.fill(Qt::white); // the page drawn on white; its lower half holds no frame
    QPainter(&page).drawImage(0, 0, pages->pageImage(0));
    EXPECT_EQ(seen.copy(pages->pageRect(0).x(), pages->pageRect(0).y() + page.height() / 2, page.width(), page.height() / 2), page.copy(0, page.height() / 2, page.width(), page.height() / 2));
    EXPECT_EQ(seen.pixelColor(name.toAlignedRect().center().x(), name.toAlignedRect().top() - 2), QColor(0, 90, 200)) << "its field framed";
    QApplication::processEvents(); // the assistant activated
    EXPECT_EQ(QApplication::focusWidget(), w.SSData) << "the keys go to the cell, in its window";
    const double zoom = preview->zoom();
    const int wide = pages->width();
    QTest::keyClick(preview, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(preview->zoom(), zoom);
    EXPECT_GT(pages->width(), wide);
    QTest::keyClick(preview, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(preview->zoom(), zoom);
    preview->resize(preview->width() + 100, preview->height());
    EXPECT_EQ(pages->width(), wide + 100) << "the page as wide as the window";
    QTest::keyClick(preview, Qt::Key_Escape);
    EXPECT_TRUE(!preview->isVisible() && w.isVisible()) << "Escape closes the preview only";

    QTest::mouseClick(w.Command5, Qt::LeftButton);
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    EXPECT_FALSE(preview->isVisible()) << "the button shows and hides it";
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    w.done(QDialog::Rejected);
    EXPECT_FALSE(preview->isVisible()) << "it goes with the window";
    window().Unload();
    SHPDF().CerfaMenuPatient();
    QTRY_VERIFY(preview->isVisible()); // and comes back with it
    emit w.Combo1->activated(1);
    EXPECT_EQ(preview->windowTitle().toStdString(), "Aperçu - Demande d'Entente Préalable AT/MP");

    fs::copy_file(dir.file("2035.pdf"), dir.file("MT.pdf"), fs::copy_options::overwrite_existing); // two pages
    emit w.Combo1->activated(0);
    ASSERT_EQ(pages->pageCount(), 2);
    EXPECT_TRUE(pages->pageRect(2).isNull()) << "no third page";
    QScrollBar* bar = preview->findChild<QScrollArea*>()->verticalScrollBar();
    QTest::keyClick(preview, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), std::min(pages->pageRect(1).top() - 8, bar->maximum()));
    EXPECT_GT(bar->value(), 0);
    QTest::keyClick(preview, Qt::Key_PageUp);
    EXPECT_EQ(bar->value(), 0);
}

// Once the user has changed something, choosing another form or closing asks first: "Non" keeps the
// form, the window and what was typed; without changes, or after "Oui", the form or the window goes,
// the window with the patient's paused work.
TEST_F(WindowsTest, ThrowingTypingAwayAsksFirst)
{
    choose(3);
    w.reject();
    EXPECT_FALSE(w.isVisible() || window().isLoaded()) << "nothing typed: no question";
    choose(3);
    type(cellBoundTo("soins1"), "Pansement", false); // still in its editor
    std::string asked;
    const auto answer = [&](const char* button) { // nullptr: Escape, which answers Non
        whenModal([&asked, button](QWidget* question) {
            asked += question->objectName().toStdString() + " " + qobject_cast<QMessageBox*>(question)->text().toStdString() + "|";
            button != nullptr ? question->findChild<QPushButton*>(button)->click() : QTest::keyClick(question, Qt::Key_Escape);
        });
    };
    answer("Non");
    w.Combo1->setCurrentIndex(0);
    emit w.Combo1->activated(0);
    EXPECT_EQ(w.Combo1->currentIndex(), 3);
    EXPECT_EQ(cellBoundTo("soins1").data().toString().toStdString(), "Pansement");
    answer(nullptr);
    QTest::keyClick(w.SSData, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    answer("Oui");
    emit w.Combo1->activated(0);
    EXPECT_EQ(window().Combo1().selectedIndex(), 0);
    w.SSData->model()->setData(cellBoundTo("nom"), "DURAND"); // as the editor commits it
    writeBytes(dir.file("12.ss"), "{}");
    answer("Oui");
    w.close();
    EXPECT_FALSE(w.isVisible() || fs::exists(dir.file("12.ss")));
    const std::string change = "ChangeQuestion Changer de formulaire ? Les modifications de la feuille seront perdues.|",
                      close = "CloseQuestion Fermer sans générer le document ? Les modifications seront perdues.|";
    EXPECT_EQ(asked, change + close + change + close);
}

// A message box says the core's title and text with its icon (Critical: the refused pause) and one button.
TEST_F(WindowsTest, MessageBoxesSayTheSystemsTexts)
{
    std::string shown;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        shown = box->objectName().toStdString() + "|" + box->windowTitle().toStdString() + "|" + box->text().toStdString() + "|" +
                std::to_string(box->icon()) + "|" + std::to_string(box->buttons().size());
        box->accept();
    });
    SHPDF().CerfaTest();
    EXPECT_EQ(shown, "MessageBox|Information|Ok|1|1");
    bool served = false;
    QTimer::singleShot(0, [&] { served = true; });
    EXPECT_TRUE(formalys_process_events(5) == 0 && served) << "a host's wait serves the windows";
}

// `formalys assistant` acts as the host: it opens the window, names the document it is given and
// says what became of the work.
TEST_F(WindowsTest, TheAssistantVerbSaysWhatBecameOfTheWork)
{
    const std::string out = dir.file("Déclaration Lefèvre.pdf");
    const std::tuple<bool, QPushButton*, std::string> rows[] = {
        {false, w.Command2, out + "\n"},
        {true, w.Command4, "Saisie mise en pause : elle reprendra à la prochaine ouverture de l'assistant pour ce patient.\n"},
        {false, nullptr, "Fenêtre fermée sans générer de document.\n"}};
    for (const auto& [modeless, button, said] : rows) {
        QTimer::singleShot(0, [&, button] {
            if (button != nullptr) { // the last opening resumes the paused sheet
                w.Combo1->setCurrentIndex(0);
                emit w.Combo1->activated(0);
            }
            button != nullptr ? button->click() : w.done(QDialog::Rejected);
        });
        std::ostringstream printed, errors;
        EXPECT_EQ(cli::runAssistant({dir.path(), modeless, out}, printed, errors), 0) << errors.str();
        EXPECT_EQ(printed.str(), said);
    }
    EXPECT_EQ(PdfReadBack(out).value("imm 1"), "2");

    const std::string home = std::getenv("HOME");
    ::setenv("HOME", work.path().c_str(), 1); // no Documents folder there: the home folder
    std::string labels;
    bool stayed = false;
    QTimer::singleShot(0, [&] {
        whenModal([&](QWidget* dialog) {
            labels = dialog->windowTitle().toStdString();
            for (const auto part : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept, QFileDialog::Reject}) { labels += "|" + qobject_cast<QFileDialog*>(dialog)->labelText(part).toStdString(); }
            qobject_cast<QDialog*>(dialog)->reject(); // Annuler: back to the sheet, nothing written
        });
        w.Command2->click();
        stayed = w.isVisible() && !fs::exists(work.file("Déclaration Médecin Traitant Lefèvre Zoé.pdf"));
        whenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->accept(); }); // the proposal
        w.Command2->click();
    });
    std::ostringstream printed, errors;
    EXPECT_EQ(cli::runAssistant({dir.path(), true, std::nullopt}, printed, errors), 0) << errors.str();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(printed.str(), work.file("Déclaration Médecin Traitant Lefèvre Zoé.pdf") + "\n");
    EXPECT_EQ(labels, "Enregistrer le document Cerfa|Dossier :|Nom du fichier :|Type :|&Enregistrer|&Annuler");

    // A folder that does not exist: the user is told, the window and what was typed stay; closing it then fails.
    std::string told;
    QTimer::singleShot(0, [&] {
        w.Combo1->setCurrentIndex(0);
        emit w.Combo1->activated(0);
        w.SSData->model()->setData(cellBoundTo("nom"), "DURAND"); // as the editor commits it
        whenModal([&](QWidget* box) { told = qobject_cast<QMessageBox*>(box)->text().toStdString(); qobject_cast<QDialog*>(box)->accept(); });
        w.Command2->click();
        stayed = w.isVisible() && cellBoundTo("nom").data().toString() == "DURAND";
        w.done(QDialog::Rejected);
    });
    std::ostringstream none, failed;
    EXPECT_EQ(cli::runAssistant({dir.path(), true, dir.file("absent/x.pdf")}, none, failed), 1);
    EXPECT_TRUE(stayed);
    const std::string why = "le document PDF n'est pas enregistré sous « " + dir.file("absent/x.pdf") + " » : le dossier « " + dir.file("absent") + " » n'existe pas";
    EXPECT_EQ(told, "L" + why.substr(1) + ". La fenêtre reste ouverte : rien de ce qui a été saisi n'est perdu.");
    EXPECT_EQ(failed.str(), "formalys : fenêtre fermée sans document : " + why + ".\n");
    ::setenv("HOME", home.c_str(), 1);
}

// The tray as the offscreen platform has it (no notification area), or as a desktop with one.
class TrayScreenWithArea final : public TrayScreen
{
public:
    void addIcon() override { qt.addIcon(); }
    void modifyIcon() override { qt.modifyIcon(); }
    void deleteIcon() override { qt.deleteIcon(); }
    void showResumeItem(bool shown) override { qt.showResumeItem(shown); }
    std::optional<AboutEnd> showAbout() override { return qt.showAbout(); }
    bool hasNotificationArea() const override { return true; }
    qt::QtTrayScreen qt;
};

// Every activation of the icon opens its menu; after a pause the menu offers "Reprendre la saisie"
// first, which resumes the work in the assistant and goes away. "A propos de Formalys" shows the
// about window, whose links go to the opener; "&Ok" keeps the icon, the close button removes it.
TEST_F(WindowsTest, TheTrayMenuResumesAndShowsTheAboutWindow)
{
    state().alone = flagFalse;
    auto& tray = qt::TrayIcon::instance();
    choose(3);
    type(cellBoundTo("soins1"), "Pansement");
    std::string told;
    whenModal([&](QWidget* box) { told = qobject_cast<QMessageBox*>(box)->text().toStdString(), qobject_cast<QMessageBox*>(box)->accept(); });
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_THAT(told, HasSubstr("Ce bureau n'affiche pas d'icône")) << "offscreen has no notification area";
    EXPECT_EQ(tray.icon->objectName().toStdString() + "|" + tray.icon->toolTip().toStdString(), "PDFForm|Formalys - Imprimer les formulaires Cerfa");
    EXPECT_TRUE(tray.icon->isVisible() && !tray.icon->icon().isNull());
    std::string items;
    for (QAction* item : tray.MenuAbout->actions()) { items += item->objectName().toStdString() + " " + item->text().toStdString() + (item->isVisible() ? "|" : " (cachée)|"); }
    EXPECT_EQ(items, "MRetour Reprendre la saisie|MInfo A propos de Formalys|");
    EXPECT_FALSE(tray.MenuAbout->accessibleName().isEmpty());
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick}) {
        emit tray.icon->activated(reason);
        EXPECT_TRUE(tray.MenuAbout->isVisible()) << reason;
        tray.MenuAbout->hide();
    }
    int resumed = -1;
    whenModal([&](QWidget*) { resumed = w.Combo1->currentIndex(); QTest::mouseClick(w.Command4, Qt::LeftButton); });
    tray.MRetour->trigger();
    QApplication::processEvents(); // the item acts once the menu has closed: the assistant, modal
    EXPECT_EQ(resumed, 3);
    EXPECT_TRUE(tray.MRetour->isVisible()) << "paused again";

    auto& about = qt::AboutWindow::instance();
    std::vector<std::string> opened;
    about.openUrl = [&](const QUrl& url) { opened.push_back(url.toString().toStdString()); };
    std::string texts;
    whenModal([&](QWidget* shown) {
        EXPECT_EQ(shown->windowTitle().toStdString(), "A propos de Formalys");
        for (QLabel* label : about.findChildren<QLabel*>(QRegularExpression("^Label[2-8]$"))) { texts += label->text().toStdString() + "|"; }
        EXPECT_EQ(laidOut(&about, "^(Label\\d|LSite|LMail|Picture1|Command1)$"), "Label1 18,188 464x28|Label2 124,18 358x38|Label3 124,62 358x16|Label4 124,84 358x16|Label5 37,140 77x14|Label6 83,120 31x14|"
                                                                                  "Label7 124,160 358x14|Label8 18,230 374x14|LSite 124,120 358x14|LMail 124,140 358x14|Picture1 18,18 96x96|Command1 402,222 80x22|");
        EXPECT_EQ(about.grab().toImage().pixelColor(4, 4), QColor(Qt::white)) << "on white";
        EXPECT_TRUE(about.Label2->font().bold() && about.Label3->font().italic()) << "the title in bold, the motto in italics";
        for (QLabel* link : {about.LSite, about.Picture1}) {
            EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(link, Qt::LeftButton);
        }
        for (int i = 0; i < 5 && about.focusWidget() != about.LMail; ++i) { QTest::keyClick(about.focusWidget(), Qt::Key_Tab); }
        EXPECT_EQ(about.focusWidget(), about.LMail) << "the links are reached with Tab";
        QTest::keyClick(about.LMail, Qt::Key_Return);
        QTest::mouseClick(about.Command1, Qt::LeftButton);
    });
    tray.MInfo->trigger();
    QApplication::processEvents();
    EXPECT_EQ(texts, "Pour remplir facilement les formulaires Cerfa|C'est simple, c'est bien, c'est pratique...|"
                     "Mais bien sur... c'est..... Tournesolo !|Nous écrire :|Site :|Tél. : 01 99 00 12 34 - Fax : 01 99 00 12 35|Version 1.2|");
    EXPECT_EQ(opened, (std::vector<std::string>{"http://www.tournesolo.example", "http://www.tournesolo.example", "mailto:contact@tournesolo.example"}));
    EXPECT_TRUE(tray.icon->isVisible());
    SHPDF host;
    whenModal([](QWidget* shown) { shown->close(); });
    host.CerfaAbout();
    EXPECT_EQ(host.TheData(), "Yes My Friend");
    EXPECT_FALSE(tray.icon->isVisible() || state().tray.iconShown());
}

// `formalys about` and, where the desktop has a notification area, `formalys assistant` waiting in
// the tray after a pause until the work resumed from its menu is generated.
TEST_F(WindowsTest, TheVerbsActAsAHostWould)
{
    whenModal([](QWidget* about) { about->findChild<QPushButton*>("Command1")->click(); });
    std::ostringstream printed, errors;
    EXPECT_EQ(cli::runAbout(dir.path(), printed, errors), 0);
    EXPECT_EQ(printed.str(), "TheData : Yes My Friend\n");

    state().reset();
    qt::install();
    state().trayScreen = std::make_shared<TrayScreenWithArea>();
    const std::string out = dir.file("soins.pdf");
    QTimer::singleShot(0, [&] {
        emit w.Combo1->activated(3);
        QTimer::singleShot(0, [&] {
            qt::TrayIcon::instance().MRetour->trigger();
            whenModal([&](QWidget*) { QTest::mouseClick(w.Command2, Qt::LeftButton); });
        });
        QTest::mouseClick(w.Command4, Qt::LeftButton);
    });
    printed.str("");
    EXPECT_EQ(cli::runAssistant({dir.path(), false, out}, printed, errors), 0) << errors.str();
    EXPECT_EQ(printed.str(), "Saisie en pause : « Reprendre la saisie » dans le menu de l'icône Formalys de la zone de notification la reprend.\n" + out + "\n");
    EXPECT_FALSE(qt::TrayIcon::instance().icon->isVisible()) << "CerfaQuit at the end";
}

// Without any display, a window operation shows nothing, says why once and returns: no abort. With
// one, Qt's own notes (no XDG_RUNTIME_DIR, as under sudo or a service) are not the user's business.
TEST(WindowsWithoutDisplayTest, TheOperationSaysWhyOnceAndReturns)
{
    TempDir dir, scratch;
    for (const std::string verb : {"assistant", "about"}) {
        const ProgramRun run = runProgram("env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", FORMALYS_FENETRES_PROGRAM,
                                                  verb, "--dir", dir.path()}, scratch.path());
        const std::string said = "Aucun écran disponible : la fenêtre ne peut pas s'ouvrir.", output = run.out + run.err;
        EXPECT_EQ(run.code, 1) << verb;
        EXPECT_THAT(output, HasSubstr(said)) << verb;
        EXPECT_EQ(output.find(said), output.rfind(said)) << verb << " said it more than once:\n" << output;
    }
    const ProgramRun waited = runProgram("env", {"-u", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM=offscreen", "timeout", "1",
                                                 FORMALYS_FENETRES_PROGRAM, "about", "--dir", dir.path()}, scratch.path());
    EXPECT_EQ(waited.out + waited.err, "") << "the window waits, and Qt's notes are not the user's business";
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0); // real widgets, drawn off screen
#ifdef __SANITIZE_ADDRESS__ // the loader no longer follows the run path: name the preview's module
    ::setenv("FORMALYS_APERCU", FORMALYS_APERCU_MODULE, 0);
#endif
    QApplication application(argc, argv);
    formalys::qt::speakFrench(application); // as for the application the library makes
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
