#pragma once

#include "FakeEditorPane.h"
#include "PlacementStore.h"
#include "ProjectController.h"
#include "ProjectHistory.h"
#include "ScriptedPrompts.h"
#include "SysOptions.h"
#include "WindowMessages.h"

#include <QTemporaryDir>

#include <memory>

// A project controller in a fresh folder with everything it talks to: the editor's stand-in, the
// settings, the history, the placement store and prompts answered by a script.
struct ControllerFixture {
    ControllerFixture() : placement(dir.filePath(QStringLiteral("placement.ini")))
    {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        projects = std::make_unique<ProjectController>(editor, options, history, placement, std::move(scripted),
                                                       windowMessage);
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FakeEditor editor;
    SysOptions options;
    ProjectHistory history;
    PlacementStore placement;
    ScriptedPrompts *prompts = nullptr;
    std::unique_ptr<ProjectController> projects;
};
