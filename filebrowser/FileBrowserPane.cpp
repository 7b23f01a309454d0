#include "FileBrowserPane.h"

#include "FileExplorer.h"
#include "Named.h"
#include "PaneToolBar.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *paneButton(const char *name, const char *hint, QStyle::StandardPixmap icon)
{
    auto *button = named(new QToolButton, name);
    button->setToolTip(QString::fromLatin1(hint));
    button->setIcon(button->style()->standardIcon(icon));
    return button;
}

} // namespace

FileBrowserPane::FileBrowserPane(QWidget *parent)
    : QWidget(parent),
      m_drives(named(new QComboBox, "DriveComboBox1")),
      m_view(paneButton("sbView", "View style", QStyle::SP_FileDialogDetailedView)),
      m_up(paneButton("sbUp", "Up one level", QStyle::SP_FileDialogToParent)),
      m_explorer(named(new FileExplorer, "MFileExplorer")),
      m_mask(named(new QComboBox, "cbMask")),
      m_directory(named(new QStatusBar, "sbDirectory"))
{
    setObjectName(QStringLiteral("pnlFiles"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *caption = new QLabel(QStringLiteral("File Browser"));
    caption->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: white; font-weight: bold; padding: 2px 4px; }"));
    layout->addWidget(caption);

    QToolBar *driveBar = paneToolBar("ToolBar");
    m_drives->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    driveBar->addWidget(m_drives);
    driveBar->addWidget(m_view);
    driveBar->addWidget(m_up);
    layout->addWidget(driveBar);

    m_explorer->setViewMode(QListView::ListMode);
    layout->addWidget(m_explorer, 1);

    QToolBar *maskBar = paneToolBar("ToolBar5");
    maskBar->addWidget(new QLabel(QStringLiteral("File mask ")));
    m_mask->setEditable(true);
    m_mask->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_mask->addItems({QStringLiteral("*.*"), QStringLiteral("*.css"), QStringLiteral("*.vlmp"), QStringLiteral("*.htm"),
                      QStringLiteral("*.htm*"), QStringLiteral("*.inc"), QStringLiteral("*.js"),
                      QStringLiteral("*.php*"), QString()});
    maskBar->addWidget(m_mask);
    layout->addWidget(maskBar);

    m_directory->setSizeGripEnabled(false);
    layout->addWidget(m_directory);

    connect(m_explorer, &FileExplorer::directoryChanged, this, [this](const QString &dir) {
        m_directory->showMessage(dir);
        emit directoryChanged(dir);
    });
    connect(m_up, &QToolButton::clicked, m_explorer, &FileExplorer::up);
    connect(m_mask, &QComboBox::currentTextChanged, m_explorer, &FileExplorer::setMask);
    m_directory->showMessage(m_explorer->directory());
}

QString FileBrowserPane::directory() const
{
    return m_explorer->directory();
}

void FileBrowserPane::setDirectory(const QString &directory)
{
    m_explorer->setDirectory(directory);
}

QString FileBrowserPane::mask() const
{
    return m_mask->currentText();
}

void FileBrowserPane::setMask(const QString &mask)
{
    m_mask->setEditText(mask);
}

void FileBrowserPane::applyMask()
{
    m_explorer->setMask(m_mask->currentText());
}
