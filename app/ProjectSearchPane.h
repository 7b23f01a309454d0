#pragma once

#include "ProjectSearch.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTreeWidget;

// The results of Search in Project below the editor: file, line and the line's text with the
// match marked. A double-click goes to the match.
class ProjectSearchPane : public QWidget
{
    Q_OBJECT

public:
    using OpenMatch = std::function<void(const ProjectMatch &)>;
    ProjectSearchPane(std::function<QString(int file)> fileName, OpenMatch open, QWidget *parent = nullptr);

    void showResults(const QString &query, const ProjectSearchResult &result);
    QTreeWidget *list() const { return m_list; }

private:
    std::function<QString(int)> m_fileName;
    OpenMatch m_open;
    QLabel *m_title;
    QTreeWidget *m_list;
    QList<ProjectMatch> m_matches;
};
