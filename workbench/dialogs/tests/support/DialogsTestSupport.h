// Shared by the dialog tests: the frame of a form and the test main.
#pragma once

#include <QApplication>
#include <QtTest>

namespace dialogstest {

// The object name, title and size a form opens with.
inline void checkFrame(const QWidget& form, const QString& name, const QString& title, const QSize& size)
{
    QCOMPARE(form.objectName(), name);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.size(), size);
}

} // namespace dialogstest

// A test main that runs the forms offscreen; the optional arguments are
// statements run before the application is made.
#define MERIDAN_DIALOGS_TEST_MAIN(TestClass, ...)        \
    int main(int argc, char** argv)                      \
    {                                                    \
        qputenv("QT_QPA_PLATFORM", "offscreen");         \
        __VA_ARGS__;                                     \
        QApplication app(argc, argv);                    \
        TestClass test;                                  \
        return QTest::qExec(&test, argc, argv);          \
    }
