// The main window's placement: its size and state per screen size and the panes' remembered
// properties, restored before the window is first shown and saved as it closes.
#include "MainWindow.h"

#include "FileBrowserPane.h"
#include "PlacementStore.h"

#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace {

// The main window's remembered control properties, by the names the store has always used.
struct StoredProperty {
    const char *name;
    QVariant (*get)(const MainFrame &);
    void (*set)(MainFrame &, const QVariant &);
};

template <auto Pane>
StoredProperty visibility(const char *name)
{
    return {name, [](const MainFrame &f) { return QVariant(!(f.*Pane)->isHidden()); },
            [](MainFrame &f, const QVariant &v) { (f.*Pane)->setVisible(v.toBool()); }};
}

// clang-format off
const StoredProperty StoredProperties[] = {
    {"pnlProject.Width", [](const MainFrame &f) { return QVariant(f.leftPaneWidth()); },
     [](MainFrame &f, const QVariant &v) { f.setLeftPaneWidth(v.toInt()); }},
    {"pnlFiles.Height", [](const MainFrame &f) { return QVariant(f.fileBrowserHeight()); },
     [](MainFrame &f, const QVariant &v) { f.setFileBrowserHeight(v.toInt()); }},
    {"MFileExplorer.Directory", [](const MainFrame &f) { return QVariant(f.pnlFiles->directory()); },
     [](MainFrame &f, const QVariant &v) { f.pnlFiles->setDirectory(v.toString()); }},
    {"cbMask.Text", [](const MainFrame &f) { return QVariant(f.pnlFiles->mask()); },
     [](MainFrame &f, const QVariant &v) { f.pnlFiles->setMask(v.toString()); }},
    visibility<&MainFrame::pnlFiles>("pnlFiles.Visible"),
    visibility<&MainFrame::pnlProjectFiles>("pnlProjectFiles.Visible"),
    visibility<&MainFrame::pnlProject>("pnlProject.Visible"),
    visibility<&MainFrame::ToolBar1>("ToolBar1.Visible"),
    visibility<&MainFrame::ToolBar2>("ToolBar2.Visible"),
    visibility<&MainFrame::StatusBar1>("StatusBar1.Visible"),
};
// clang-format on

int showCommand(const QWidget *window)
{
    if (window->isMinimized())
        return WindowPlacement::Minimized;
    return window->isMaximized() ? WindowPlacement::Maximized : WindowPlacement::Normal;
}

} // namespace

void MainWindow::restorePlacement()
{
    const QString section = QString::fromLatin1(PlacementSection);
    const QScreen *screen = this->screen();
    if (const auto placement = m_placement->readPlacement(section, screen->size())) {
        // A position saved on a larger screen is dropped rather than leaving the window out of reach.
        if (screen->availableGeometry().intersects(placement->normal) && placement->normal.isValid())
            setGeometry(placement->normal);
        if (placement->showCmd == WindowPlacement::Maximized)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    for (const StoredProperty &property : StoredProperties) {
        const QVariant current = property.get(m_frame);
        const QVariant stored = m_placement->readProperty(section, QString::fromLatin1(property.name), current);
        if (stored != current)
            property.set(m_frame, stored);
    }
}

void MainWindow::savePlacement()
{
    const QString section = QString::fromLatin1(PlacementSection);
    WindowPlacement placement;
    placement.showCmd = showCommand(this);
    placement.pixelsPerInch = qRound(screen()->logicalDotsPerInch());
    placement.normal = normalGeometry();
    placement.visible = isVisible();
    m_placement->writePlacement(section, placement, screen()->size());
    for (const StoredProperty &property : StoredProperties)
        m_placement->writeProperty(section, QString::fromLatin1(property.name), property.get(m_frame));
    if (!m_placement->flush())
        prompts().error(QStringLiteral("Unable to write to %1").arg(m_files.placementFile()));
}
