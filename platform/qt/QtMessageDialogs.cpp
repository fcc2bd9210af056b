// Qt message boxes for the message-dialog interface.
#include "platform/qt/QtMessageDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace glyphora {

std::uint16_t ShowQtMessageBox(QWidget* owner, const std::string& text, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case MessageIcon::Error: boxIcon = QMessageBox::Critical; break;
    case MessageIcon::Warning: boxIcon = QMessageBox::Warning; break;
    case MessageIcon::Information: boxIcon = QMessageBox::Information; break;
    case MessageIcon::Question: boxIcon = QMessageBox::Question; break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo)
        set = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MessageButtons::YesNoNoToAllYesToAll)
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::NoToAll | QMessageBox::YesToAll;
    QMessageBox box(boxIcon, QApplication::applicationDisplayName(), QString::fromStdString(text), set, owner);
    switch (box.exec()) {
    case QMessageBox::Yes: return kResultYes;
    case QMessageBox::No: return kResultNo;
    case QMessageBox::NoToAll: return kResultNoToAll;
    case QMessageBox::YesToAll: return kResultYesToAll;
    case QMessageBox::Ok: return kResultOk;
    default: return buttons == MessageButtons::Ok ? kResultOk : kResultCancel;
    }
}

} // namespace glyphora
