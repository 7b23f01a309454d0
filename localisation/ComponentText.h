#pragma once

#include <QObject>
#include <QString>

#include <functional>

// A component that has no widget of its own but carries texts the translator rewrites: a grid
// column's or a table field's title, or a file dialog's title and filter. Whoever shows the texts
// reads them when needed, or follows changed().
class ComponentText : public QObject
{
    Q_OBJECT
public:
    enum class Kind { Caption, FileDialog };

    ComponentText(QObject *parent, const char *name, Kind kind, QString caption, QString filter = {});

    Kind kind() const { return m_kind; }
    QString caption() const { return m_caption; }
    QString filter() const { return m_filter; }
    void setCaption(const QString &caption);
    void setFilter(const QString &filter);

signals:
    void changed();

private:
    Kind m_kind;
    QString m_caption;
    QString m_filter;
};

// A column's title that the translator rewrites: show receives the title now and after every
// change.
ComponentText *columnTitle(QObject *owner, const char *name, const QString &title,
                           const std::function<void(const QString &)> &show);
