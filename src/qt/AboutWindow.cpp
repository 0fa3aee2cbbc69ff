#include "qt/AboutWindow.h"

#include "component/TrayDesign.h"
#include "qt/Named.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace formalys::qt {

namespace {

QLabel* label(QWidget* parent, const about::Text& text)
{
    return named(new QLabel(QString::fromUtf8(text.text), parent), text.name, text.accessibleName);
}

// A label the user clicks (or reaches with Tab and opens with Return or Space) to follow it.
QLabel* link(QWidget* parent, const about::Text& text)
{
    QLabel* control = label(parent, text);
    control->setStyleSheet("color: #0000ff;");
    control->setCursor(Qt::PointingHandCursor);
    control->setFocusPolicy(Qt::StrongFocus);
    return control;
}

} // namespace

AboutWindow& AboutWindow::instance()
{
    static AboutWindow* window = new AboutWindow; // lives as long as the QApplication
    return *window;
}

AboutWindow::AboutWindow()
    : openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      Label1(label(this, about::Label1)),
      Label2(label(this, about::Label2)),
      Label3(label(this, about::Label3)),
      Label4(label(this, about::Label4)),
      Label5(label(this, about::Label5)),
      Label6(label(this, about::Label6)),
      Label7(label(this, about::Label7)),
      Label8(label(this, about::Label8)),
      LSite(link(this, about::LSite)),
      LMail(link(this, about::LMail)),
      Picture1(label(this, about::Picture1)),
      Command1(named(new QPushButton(QString::fromUtf8(about::Command1.text), this), about::Command1.name,
                     about::Command1.accessibleName))
{
    named(this, "PDFForm", about::accessibleName);
    setWindowTitle(QString::fromUtf8(about::title));
    setStyleSheet("QDialog { background: #ffffff; }");
    QFont font;
    font.setFamilies({"Tahoma", "DejaVu Sans"});
    setFont(font);
    Command1->setDefault(true);
    Picture1->setPixmap(QIcon(":/formalys/images/sunflower.svg").pixmap(QSize(96, 96)));
    Picture1->setCursor(Qt::PointingHandCursor);
    QFont title = font;
    title.setPointSizeF(font.pointSizeF() * 1.3);
    title.setBold(true);
    Label2->setFont(title);
    for (QLabel* italic : {Label3, Label4}) {
        QFont slanted = font;
        slanted.setItalic(true);
        italic->setFont(slanted);
    }
    Label1->setWordWrap(true);
    Label2->setWordWrap(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 18, 18, 14);
    grid->setHorizontalSpacing(10);
    grid->addWidget(Picture1, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(Label2, 0, 1, 1, 2);
    grid->addWidget(Label3, 1, 1, 1, 2);
    grid->addWidget(Label4, 2, 1, 1, 2);
    grid->setRowMinimumHeight(3, 8);
    grid->addWidget(Label6, 4, 0, Qt::AlignRight);
    grid->addWidget(LSite, 4, 1, 1, 2);
    grid->addWidget(Label5, 5, 0, Qt::AlignRight);
    grid->addWidget(LMail, 5, 1, 1, 2);
    grid->addWidget(Label7, 6, 1, 1, 2);
    grid->setRowMinimumHeight(7, 8);
    grid->addWidget(Label1, 8, 0, 1, 3);
    grid->addWidget(Label8, 9, 0, 1, 2, Qt::AlignBottom);
    grid->addWidget(Command1, 9, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    setFixedWidth(500);

    for (QLabel* followed : {LSite, LMail, Picture1}) {
        followed->installEventFilter(this);
    }
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept); // hides; the icon stays
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool clicked = event->type() == QEvent::MouseButtonRelease;
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool typed =
        key != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Space);
    if (!clicked && !typed) {
        return QDialog::eventFilter(watched, event);
    }
    // The targets are the texts the labels show at the time of the click.
    if (watched == LMail) {
        openUrl(QUrl(about::mailScheme + LMail->text()));
    } else {
        openUrl(QUrl::fromUserInput(LSite->text()));
    }
    return true;
}

} // namespace formalys::qt
