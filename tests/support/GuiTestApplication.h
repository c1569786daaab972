#pragma once

// The one QApplication of a widget test program, made before the first test and deleted after
// the last, so that every test of the program shares fonts, styles and the clipboard.

#include <QApplication>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace testsupport {

class GuiTestApplication : public ::testing::Environment
{
public:
    // prepare runs once the application exists (fonts, search paths ...).
    explicit GuiTestApplication(std::function<void()> prepare)
        : m_prepare(std::move(prepare))
    {
    }

    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "dalmora-test";
        static char *argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
        if (m_prepare)
            m_prepare();
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    std::function<void()> m_prepare;
    QApplication *m_app = nullptr;
};

// Registers the application of the test program; used as the initialiser of a namespace-scope
// constant so that it runs before main.
inline ::testing::Environment *installGuiTestApplication(std::function<void()> prepare)
{
    return ::testing::AddGlobalTestEnvironment(new GuiTestApplication(std::move(prepare)));
}

}  // namespace testsupport
