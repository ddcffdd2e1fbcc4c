// A configuration folder and the built-in texts, for the tests of the
// communication-settings window; the texts are filled again afterwards, so
// that a test may change them.
#pragma once

#include <ostream>

#include "gateway/ConfigurationFixture.h"
#include "shell/ULanguage.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

class ParGenFixture : public ConfigurationFixture {
 protected:
  void SetUp() override {
    ConfigurationFixture::SetUp();
    Fill_Default_Texts();
  }
  void TearDown() override {
    Fill_Default_Texts();
    ConfigurationFixture::TearDown();
  }
};
