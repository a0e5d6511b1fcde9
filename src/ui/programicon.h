#pragma once

#include <QIcon>

// Korvel's own icon: a round clock face with hands, 32 x 32 and 16 x 16.
namespace ProgramIcon {

QIcon icon();

} // namespace ProgramIcon
