#include "UserPrompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
UserPrompts* installedPrompts = nullptr;
}

QString UserPrompts::openFileName(QWidget* parent, const QString& caption, const QString& directory,
                                  const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString UserPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& directory,
                                  const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

QString UserPrompts::existingDirectory(QWidget* parent, const QString& caption, const QString& directory)
{
    return QFileDialog::getExistingDirectory(parent, caption, directory, QFileDialog::ShowDirsOnly);
}

void UserPrompts::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

bool UserPrompts::question(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

QString UserPrompts::item(QWidget* parent, const QString& title, const QString& label, const QStringList& items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    return ok ? chosen : QString();
}

UserPrompts& UserPrompts::current()
{
    static UserPrompts platform;
    return installedPrompts ? *installedPrompts : platform;
}

void UserPrompts::install(UserPrompts* prompts)
{
    installedPrompts = prompts;
}
