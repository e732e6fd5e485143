#include "shell/shelf_application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <stdexcept>

namespace shelf {
namespace {

TEST(ShelfApplication, AnExceptionInAnEventHandlerIsDroppedAndTheProgramGoesOn) {
  ASSERT_NE(dynamic_cast<TShelfApplication*>(QCoreApplication::instance()), nullptr);
  int handled = 0;
  QTimer::singleShot(0, [] { throw std::runtime_error("handler failed"); });
  QTimer::singleShot(0, [&] { ++handled; });
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(handled, 1);
}

}  // namespace
}  // namespace shelf
