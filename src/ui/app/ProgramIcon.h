#pragma once

#include <QIcon>

// The program's own picture at every size it was rendered in (16 to 256 pixels), for the title
// bars and the task switcher.
QIcon ProgramIcon();
