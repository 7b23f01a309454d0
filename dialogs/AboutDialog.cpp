#include "AboutDialog.h"

#include "DialogPlacement.h"
#include "MultiLang.h"
#include "Named.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include <algorithm>

namespace {

QLabel *centred(const QString &text, const char *name)
{
    auto *label = named(new QLabel(text), name);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutDialog::AboutDialog(const QString &title, const QString &version, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TForm_about"));
    setWindowTitle(QStringLiteral("About Velmora PHP Editor"));

    auto *panel = named(new QFrame, "Panel1");
    auto *titleLabel = centred({}, "lblTitle");
    QFont large = titleLabel->font();
    large.setPointSizeF(std::max(large.pointSizeF(), 9.0) * 1.8);
    large.setBold(true);
    titleLabel->setFont(large);
    auto *versionLabel = centred({}, "lblVersion");
    auto *info = centred(QStringLiteral("Powered by the Velmora editor component\n(built on Qt 6)"), "lblInfo");
    auto *panelRows = new QVBoxLayout(panel);
    panelRows->addWidget(titleLabel);
    panelRows->addWidget(versionLabel);
    panelRows->addWidget(info);

    auto *credits = named(new QFrame, "Panel2");
    credits->setFrameShape(QFrame::StyledPanel);
    credits->setFrameShadow(QFrame::Sunken);
    auto *creditRows = new QVBoxLayout(credits);
    creditRows->addWidget(centred(QStringLiteral("Written by the Velmora developers.\n"
                                                 "Syntax highlighting, printing and the editor itself\n"
                                                 "are this program's own work."),
                                  "Label1"));

    auto *ok = named(new QPushButton(QStringLiteral("OK")), "btnOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(credits);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The title and the version are the program's own, in every language.
    translateWindow(this, QStringLiteral("about"));
    titleLabel->setText(title);
    // A build without a version says so rather than showing a made-up number.
    versionLabel->setText(version.isEmpty() ? QStringLiteral("Version unknown") : QStringLiteral("Version ") + version);
}

void AboutDialog::run(QWidget *parent, const QString &title, const QString &version)
{
    AboutDialog dialog(title, version, parent);
    dialog.exec();
}

void AboutDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}
