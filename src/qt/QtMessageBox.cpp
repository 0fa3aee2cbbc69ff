#include "qt/QtMessageBox.h"

#include "qt/Application.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace formalys::qt {

void QtMessageBox::show(const std::string& text, const std::string& title, Icon icon)
{
    if (application() == nullptr) {
        HeadlessMessageBox().show(text, title, icon);
        return;
    }
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
    box.setObjectName("MessageBox");
    box.button(QMessageBox::Ok)->setAccessibleName("OK");
    box.exec();
}

} // namespace formalys::qt
