// Entry point of every test program: a Qt application object exists for the
// whole run (offscreen unless the caller chose a platform), the platform is in
// test mode (a dialog or modal form that no test hook answers fails the running
// test instead of waiting for a user), then GoogleTest runs.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/ui/Forms.h"
#include "platform/ui/TestHooks.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Application->Initialize();
  TestHooks::SetTestMode(true, [](const QString& Message) { ADD_FAILURE() << Message.toStdString(); });
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  Application->Finalize();
  return result;
}
