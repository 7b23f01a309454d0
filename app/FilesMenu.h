#pragma once

#include <QString>

class QMenu;

// The menu of project files is painted as it has always looked: each entry's file name in bold,
// then its full path in brackets when the file lies outside the project folder. The entries are
// plain actions with the caption name or name + " <" + full path + ">", so the keyboard moves
// through them as in any menu and thousands of them cost no widget each.
void paintAsFilesMenu(QMenu *menu);

// The parts of an entry's caption: the name, and the bracketed path (empty for a file in the
// project folder).
QString fileMenuName(const QString &caption);
QString fileMenuPath(const QString &caption);
