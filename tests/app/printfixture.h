#pragma once

// What the print commands' tests share: fakes of the desktop, the shipped
// data in a data root, and a hand on the modal windows.

#include "app/platformservices.h"
#include "support/whenmodal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace vendara::test {

class FakeMail : public MailSender
{
public:
    bool available = true;
    QStringList attached;
    bool composeWithAttachment(const QString &path) override
    {
        attached << path;
        return available;
    }
};

} // namespace vendara::test
