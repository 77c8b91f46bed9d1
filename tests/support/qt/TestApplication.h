// The test process's Qt application object, on whatever platform the test environment names (offscreen).
#pragma once

#include <QApplication>

namespace vx::test {

// The process's QApplication: the one that exists, else one made on first
// use and kept until the process ends.
QApplication& TestApplication();

}  // namespace vx::test
