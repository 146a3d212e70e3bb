#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "klu_icon.h"

namespace klu {

AboutDialog::AboutDialog(QWidget* parent) : TCenterDialog(parent) {
    setWindowTitle(QStringLiteral("KLU Reader for Windows"));

    auto* icon = new QLabel(this);
    icon->setPixmap(KluIcon().pixmap(32, 32));
    auto* name = new QLabel(QStringLiteral("KLU Reader for Windows Version 4.30"), this);
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
