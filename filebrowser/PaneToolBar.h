#pragma once

#include "Named.h"

#include <QToolBar>

// A tool bar fixed inside a pane, with small buttons: the left pane's and the editor pane's bars.
inline QToolBar *paneToolBar(const char *name)
{
    auto *bar = named(new QToolBar, name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    return bar;
}
