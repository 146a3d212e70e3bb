#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "klu_icon.h"

namespace klu {

AboutDialog::AboutDialog(QWidget* parent) : CenteredDialog(parent) {
    setWindowTitle(QStringLiteral("About KLU Reader"));

    auto* icon = new QLabel(this);
    icon->setPixmap(KluIcon().pixmap(32, 32));
    // The same version as kluwin --version.
    auto* name = new QLabel(
        QStringLiteral("KLU Reader (kluwin) Version %1").arg(QLatin1String(KLU_VERSION)), this);
    name->setObjectName(QStringLiteral("version"));
    name->setAlignment(Qt::AlignCenter);
    name->setWordWrap(true);

    auto* heading = new QHBoxLayout;
    heading->addWidget(icon);
    heading->addWidget(name, 1);

    auto* notice = new QLabel(QStringLiteral("Reads graded, enciphered hint files.\n"
                                             "Free software: share it as you like."),
                              this);
    notice->setAlignment(Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(notice);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace klu
