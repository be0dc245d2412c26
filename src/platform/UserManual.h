#pragma once

#include <QString>

// Where the user manual (one HTML page) lies beside the program: installed, under the prefix's
// share/zel1edit; in a build folder, in its doc folder.
namespace UserManual {

// The manual's path for a program in programFolder, or "" when it is in neither place.
QString Find(const QString& programFolder);

}  // namespace UserManual
