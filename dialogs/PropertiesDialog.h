#pragma once

#include "DialogFields.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The project's name, description, folder and server URL. OK is enabled exactly while the name
// box is not empty.
class PropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PropertiesDialog(const PropertiesFields &fields, QWidget *parent = nullptr);

    // Shows the dialog modally; the boxes' contents on OK, nothing on Cancel.
    static std::optional<PropertiesFields> run(QWidget *parent, const PropertiesFields &fields);

    PropertiesFields fields() const;

    // A memo's text as lines: a line break after the last line ends it rather than starting an
    // empty one, so "" has no lines and "\n" holds one empty line. linesToMemoText is its inverse.
    static QStringList memoTextToLines(const QString &text);
    static QString linesToMemoText(const QStringList &lines);

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    QPushButton *addButton(const QString &text, const char *name);
    void updateOk();
    void choosePath();

    QLineEdit *m_name;
    QPlainTextEdit *m_description;
    QLineEdit *m_path;
    QLineEdit *m_url;
    QCheckBox *m_asIs;
    QPushButton *m_ok;
};
