// Qt message boxes for the message-dialog interface.
#include "platform/qt/QtMessageDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace glyphora {

DialogAnswer ShowQtMessageBox(QWidget* owner, const std::string& text, MessageIcon icon, MessageButtons buttons)
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
    case QMessageBox::Yes: return DialogAnswer::Yes;
    case QMessageBox::No: return DialogAnswer::No;
    case QMessageBox::NoToAll: return DialogAnswer::NoToAll;
    case QMessageBox::YesToAll: return DialogAnswer::YesToAll;
    case QMessageBox::Ok: return DialogAnswer::Ok;
    default: return buttons == MessageButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Cancel;
    }
}

} // namespace glyphora
