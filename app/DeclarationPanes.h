#pragma once

#include <QObject>
#include <QString>

class CodeInsight;
class QListWidget;
class QWidget;
struct MainFrame;

// The two drop-down lists over the editor of the functions and the classes the active file
// declares. At most one shows; it is filled when it opens and jumps to a name on a double-click.
class DeclarationPanes : public QObject
{
    Q_OBJECT

public:
    DeclarationPanes(const MainFrame &frame, CodeInsight &insight, QObject *parent = nullptr);

    // anchor: the tool button whose left edge the pane lines up with.
    void btnFunctionListClick(const QWidget *anchor);
    void btnClassListClick(const QWidget *anchor);
    void hide();

private:
    struct Pane {
        QWidget *panel;
        QListWidget *list;
        QString keyword;
    };
    void toggle(const Pane &pane, const Pane &other, const QWidget *anchor);
    void locate(const Pane &pane);

    const MainFrame &m_frame;
    CodeInsight &m_insight;
    Pane m_functions;
    Pane m_classes;
};
