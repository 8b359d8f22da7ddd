#pragma once

#include <QString>

// Where the driving program and command-line mode meet: the program's tools folder, which this
// executable reads from and writes to but never creates.
namespace CliPaths {

QString toolsFolder();
QString dropFile();
QString resultFile();

} // namespace CliPaths
