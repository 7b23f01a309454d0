#pragma once

#include "MainWindow.h"
#include "ScriptedPrompts.h"

#include <QTest>

#include <memory>

// Shows a main window whose settings live in settingsDir and whose questions *prompts answers,
// as the window tests open it; the test program defines where the shipped data is.
inline std::unique_ptr<MainWindow> showScriptedWindow(const QString &settingsDir, ScriptedPrompts **prompts,
                                                      const QStringList &parameters = {})
{
    auto window =
        std::make_unique<MainWindow>(ProgramFiles(settingsDir, QStringLiteral(VELMORA_SOURCE_DATA_DIR)), parameters);
    auto scripted = std::make_unique<ScriptedPrompts>();
    *prompts = scripted.get();
    window->setPrompts(std::move(scripted));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}
