#pragma once

#include <QDialog>

// The About box: the program's title, its version (the build's, as --version prints it) and the
// credits.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // title and version: the application's, as the program was started with them.
    AboutDialog(const QString &title, const QString &version, QWidget *parent = nullptr);

    // Shows the box modally.
    static void run(QWidget *parent, const QString &title, const QString &version);

protected:
    void showEvent(QShowEvent *event) override;
};
