// Entry point of every test program: a Qt application object exists for the
// whole run (offscreen unless the caller chose a platform), the platform is in
// test mode (a dialog or modal form that no test hook answers fails the running
// test instead of waiting for a user), then GoogleTest runs. After every test
// the user interface must be as the test found it: a mouse capture, a modal
// loop, an open painter or device context left behind fails that test (and is
// cleared, so that the next test starts clean).
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/ui/Forms.h"
#include "platform/ui/TestHooks.h"

namespace {

// Checks after each test (its fixture torn down); a failure raised here still
// belongs to the test that just ended.
class TLeftBehindCheck : public ::testing::EmptyTestEventListener {
 public:
  void OnTestEnd(const ::testing::TestInfo&) override {
    const QStringList left = TestHooks::StateLeftBehind();
    for (const QString& what : left) ADD_FAILURE() << "left behind by the test: " << what.toStdString();
    if (!left.isEmpty()) TestHooks::ClearStateLeftBehind();
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Application->Initialize();
  TestHooks::SetTestMode(true, [](const QString& Message) { ADD_FAILURE() << Message.toStdString(); });
  ::testing::InitGoogleTest(&argc, argv);
  // End events go to the listeners in reverse order: appended after the result
  // printer, the check runs before the printer reports the test's result.
  ::testing::UnitTest::GetInstance()->listeners().Append(new TLeftBehindCheck);
  const int result = RUN_ALL_TESTS();
  Application->Finalize();
  return result;
}
