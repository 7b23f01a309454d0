#include "ComponentText.h"

ComponentText::ComponentText(QObject *parent, const char *name, Kind kind, QString caption, QString filter)
    : QObject(parent),
      m_kind(kind),
      m_caption(std::move(caption)),
      m_filter(std::move(filter))
{
    setObjectName(QString::fromLatin1(name));
}

void ComponentText::setCaption(const QString &caption)
{
    m_caption = caption;
    emit changed();
}

void ComponentText::setFilter(const QString &filter)
{
    m_filter = filter;
    emit changed();
}

ComponentText *columnTitle(QObject *owner, const char *name, const QString &title,
                           const std::function<void(const QString &)> &show)
{
    auto *column = new ComponentText(owner, name, ComponentText::Kind::Caption, title);
    QObject::connect(column, &ComponentText::changed, owner, [column, show] { show(column->caption()); });
    show(title);
    return column;
}
