// The one place where the workbench asks the user something: file and
// directory dialogs and message boxes. Tests install their own answers.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& directory,
                                 const QString& filter);
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& directory,
                                 const QString& filter);
    virtual QString existingDirectory(QWidget* parent, const QString& caption, const QString& directory);
    // A warning box with one OK button.
    virtual void warning(QWidget* parent, const QString& title, const QString& text);
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text);
    // A choice among items (the first preselected); empty when cancelled.
    virtual QString item(QWidget* parent, const QString& title, const QString& label, const QStringList& items);

    // The prompts in use: the installed ones, or the platform dialogs.
    static UserPrompts& current();
    // Installs replacement prompts (not owned); nullptr restores the platform dialogs.
    static void install(UserPrompts* prompts);
};
