#pragma once

#include <QIcon>
#include <QStyle>

namespace klu {

// The picture of a control-bar button.
QIcon ButtonIcon(int id, const QStyle& style);

}  // namespace klu
