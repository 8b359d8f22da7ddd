#pragma once

#include <QString>

// Where the tests find the checkout's test data and the programs the build made. The build folder
// holds them in "test-paths.txt", read at run time rather than compiled in, so the test programs
// compile the same in every checkout (and ccache can reuse them).
namespace TestPaths {

// A file of tests/data.
QString data(const QString &name);
// The built slatebook executable.
QString slatebook();
// The program that makes runAsync's finishes meet.
QString runAsyncProbe();

} // namespace TestPaths
